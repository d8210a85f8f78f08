// TFormView: the widgets of a dialog description, built into a window (and into named pages the
// window already has). It forwards what the user does to the dialog's TFormModel, runs the
// dialog's own handlers, and shows what the model's rules changed.
#pragma once

#include "app/Form.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>

class QButtonGroup;
class QLayout;
class QWidget;

class TFormView : public QObject {
    Q_OBJECT
  public:
    using TSlotMaker = std::function<QWidget*(const TControl&)>;
    // rootLayout: the window's own (Fixed: none); roots: containers the window has already (by
    // the names the description uses as Parent); makeSlot makes the dialog's own widgets.
    TFormView(QWidget* root, TLay rootLayout, const TFormDesc& desc, TFormModel& model,
              const std::map<std::string, QWidget*>& roots = {}, TSlotMaker makeSlot = {});

    QWidget* Widget(const std::string& name) const;
    template <typename W> W* Get(const std::string& name) const {
        return dynamic_cast<W*>(Widget(name));
    }
    // Runs fn after the model's rules whenever the user changes or presses name.
    void On(const std::string& name, std::function<void()> fn);
    // Shows what the model's rules changed.
    void Sync();
    // Reports a user action on name to the model and the handlers, then shows the result.
    void UserChanged(const std::string& name, bool click);

  private:
    struct Container {
        QWidget* widget = nullptr;
        QLayout* layout = nullptr;
        TCtl kind = TCtl::Panel;
        TLay lay = TLay::VBox;
        QButtonGroup* radios = nullptr;
        std::string radioName;
    };
    void build(const TControl& c);
    QWidget* make(const TControl& c);
    void place(const TControl& c, const Container& parent, QWidget* w, QLayout* l);
    void connectUser(const TControl& c, QWidget* w);
    const Container* radioGroupOf(const TControl& c) const;
    void push(const std::string& name, unsigned what);
    Q_SLOT void fieldChanged(); // a control's value, from its change signal
    Q_SLOT void fieldPressed();

    TFormModel& model_;
    TSlotMaker makeSlot_;
    std::map<std::string, Container> containers_;
    std::map<std::string, QWidget*> widgets_;
    std::map<std::string, TCtl> kinds_;
    std::map<std::string, std::function<void()>> handlers_;
    std::map<std::string, std::string> parentOf_;
    bool building_ = true;
};
