// The command surface of the main window: the main menu's items shown and run by their rules
// (hidden items keep working keys, every key passes the opening rules of its menus), the editing
// control's context menu, the keys and the wheel the window previews, the status panels with the
// lock keys, the function-key bar with its caption layers, the jump column and the layout
// toggles. The rules live in mainwindow/MainMenu and mainwindow/FunctionBar.
#pragma once

#include "mainwindow/FunctionBar.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/WindowKeys.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QToolButton>

#include <array>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QWidget;
class TEditor;
class TMainWindow;
class TMenuView;
class TPages;
class TWindowCommands;

// A flat button whose caption takes the active colour under the mouse, the inactive one
// elsewhere.
class TFramSpeedBtn : public QToolButton {
    Q_OBJECT
  public:
    explicit TFramSpeedBtn(QWidget* parent = nullptr);
    void SetColors(QColor active, QColor inactive);
    QColor ColorActFont, ColorDeActFont;
    long long Paints = 0; // paint events so far

  protected:
    void paintEvent(QPaintEvent* e) override;
};

class TCommandSurface : public QObject {
    Q_OBJECT
  public:
    TCommandSurface(TMainWindow& fm, TPages& pages, TWindowCommands& commands);

    // Runs a command as its key does: the opening rules of its menus first, then the command
    // when it is enabled. False when the rules or a missing handler stopped it.
    bool Run(TWindowCommand c, int arg = 0);
    TCommandState State() const;

    // The function-key bar.
    TFunctionKeyBar& Bar() { return bar_; }
    TFramSpeedBtn* Button(int i) const { return fkeys_[static_cast<size_t>(i)]; }
    void RunFunctionKey(int logicalKey);
    void ShowCaptions(); // the buttons from the current layer
    // The jump column.
    bool JumpOn() const { return jump_.Shown(); }
    void ToggleJumpColumn();                  // Shift+F12, Ctrl+G: flips and stores the state
    void ApplyJumpState(bool on);             // a page's stored state; nothing is written back
    void ScanMarks();                         // the jump line table and the button colours
    void Jump(int tag, bool shift);           // 0..9 a mark, 10 the first line, 11 the end
    TFramSpeedBtn* JumpButton(int tag) const; // 0..9, 10 first, 11 last
    QWidget* JumpColumn() const { return pnlRight_; }
    void RefreshLocks(); // the lock-key panels
    // Paste with the caret rule of Curs.
    void PasteWithCaretRule();
    // The context menu of the active control, built from the rules.
    QMenu* BuildContextMenu(TEditor* editor);

    // Where the lock keys come from (the display server unless replaced).
    std::function<TLockKeys()> LockKeySource;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    QLabel* Panel(int i) const;
    void paintJumpButtons();
    void buildFunctionBar();
    void buildJumpColumn();
    void wireCommands();
    void layoutFunctionBar();
    void layoutJumpColumn();
    void updateJumpCaption();
    void showCaption(int i); // function-key button i
    void setModifiedMark(bool modified);
    bool previewKey(QKeyEvent* k, bool press);
    void perform(const TWindowKeyAction& a);
    void activationChanged(bool active);
    TEditor* activeEditor() const;
    bool forward(TEditorCommand c, int arg = 0);
    void showJumpColumn(bool on);
    // Layout toggles.
    void showBarMenus();                 // the menus of the bar as the rules show them
    void toggleLayout(TWindowCommand c); // page tabs, menu bar, title bar
    void toggleFunctionBar();
    void toggleStatusBar();
    void standardSize();

    TMainWindow& fm_;
    TPages& pages_;
    TWindowCommands& commands_;
    TMenuView& menus_;
    TFunctionKeyBar bar_;
    std::array<TFramSpeedBtn*, 12> fkeys_{};
    std::array<QWidget*, 3> groups_{};
    QWidget* pnlRight_ = nullptr;
    QWidget* pnlJNO_ = nullptr;
    std::array<TFramSpeedBtn*, 12> jbuttons_{};
    std::array<int, 10> jumpLines_{};
    TJumpColumnState jump_;
    TCommandState layout_; // the layout toggles' part of the rules' state
    TWindowKeys windowKeys_{bar_};
};
