// The display commands of the main window: "表示設定(&C)" in the その他 menu and Shift+F1 (the
// settings panel), the hidden view menu "表示(&V)" with the property dialog of the active
// control, one item per property set and one per colouring definition (with a visible copy in
// その他, since the menu bar does not show it), and the page tabs drawn in the stored colours.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QMenu;
class TSharedObjects;
class TEditorProp;
class TFountain;
class TMainWindow;
class TPages;
class TSettingsPanel;

class TDisplayCommands : public QObject {
    Q_OBJECT
  public:
    TDisplayCommands(TMainWindow& fm, TSharedObjects& dt, TPages& pages);

    TSettingsPanel* Panel() const { return panel_; }
    QMenu* mnShowVisible = nullptr; // the view menu's copy in その他, reachable by the user

    // ShowCurrentSettings: the property dialog on the active control; nothing is stored.
    bool ShowCurrentSettings();
    // A property set's item ("Default" for EditorProp_Default): its dialog; on OK the set is
    // stored under its name with ident "prop" and applied to the active control when the page's
    // extension is one of the set's (EditorProp_Default also to an untitled page).
    bool EditPropertySet(const QString& caption);
    // A colouring definition's item ("HTML" for HTMLFountain1): its token colour dialog; on OK
    // stored as above; editors using it repaint through its change notification.
    bool EditFountain(const QString& caption);

    // The dialogs (replaceable by tests): true on OK, the object changed only then.
    std::function<bool(TEditorProp& set, const QString& title)> PropertyDialog;
    std::function<bool(TFountain& fountain)> FountainDialog;

  private:
    void fillShowMenus(QMenu* sets, QMenu* fountains);
    void applyTabLook();

    TMainWindow& fm_;
    TSharedObjects& dt_;
    TPages& pages_;
    TSettingsPanel* panel_ = nullptr;
};
