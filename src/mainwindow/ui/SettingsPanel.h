// The display settings panel pnlLeft: the colour and margin pages (and the hidden tab page) with
// a live preview on the active memo editor; "決定" stores and applies to every memo editor,
// "キャンセル" drops the preview. Also keeps the window-width wrap of memo editors current.
#pragma once

#include "app/ui/FormView.h"
#include "mainwindow/RefitSequence.h"
#include "mainwindow/SettingsPanelModel.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class TColorPalette;
class TSharedObjects;
class TEditor;
class TEditorCore;
class TMainWindow;
class TPages;

class TSettingsPanel : public QObject {
    Q_OBJECT
  public:
    TSettingsPanel(TMainWindow& fm, TSharedObjects& dt, TPages& pages);

    // mnHyoujiSet "表示設定(&C)" and Shift+F1: cancels an open panel; refuses pages with a
    // colouring definition; otherwise opens the panel.
    void OpenDisplaySettings();
    bool IsOpen() const;
    void Kettei();      // "決定"
    void Cancel();      // "キャンセル"
    void KiteiEditor(); // "規定値に戻す"
    // The font dialog's result for the label and the preview (btnFont after its dialog).
    void SetPanelFont(const std::string& name, int points);

    // The active page's editor (the focused half of a split page); null without one.
    TEditor* ActiveEditor() const;
    // The wrap width of an editor in window-width mode (-1 when it has no character width).
    static int WindowWrapOf(const TEditor& e);
    // Recomputes the window-width wrap of one memo editor (when that mode is on).
    void FollowWindowWidth(TEditor* e);

    // The controls, by their design names.
    TFormView* Form = nullptr;
    TColorPalette* ColorPalette1 = nullptr;

    // The values the controls hold (the preview).
    const TDisplayPanelValues& Values() const { return model_.Values; }
    // The colours the page tabs are drawn with: the tab page's while the panel is open.
    const TDisplayPanelValues& TabLook() const;

    // The settings font dialog (replaceable by tests): the chosen family and points, or false.
    std::function<bool(const QString& family, int points, QString& chosen, int& chosenPoints)>
        FontDialog;

  signals:
    void TabLookChanged();

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    std::vector<TEditorCore*> memoCores() const;
    void fill();
    void effect();
    void preview();
    void showFontLabel();
    void placeOkPanel();
    void orderTabs();
    void pageChanged();
    void windowResized();
    void closePanel();

    TMainWindow& fm_;
    TSharedObjects& dt_;
    TPages& pages_;
    TSettingsPanelModel model_;
    QPointer<TEditor> target_; // the editor the preview is drawn on
    TRefitSequence refit_;
};
