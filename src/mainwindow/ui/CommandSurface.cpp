// The main window's menus, keys, status panels, function-key bar and jump column as widgets.
#include "mainwindow/ui/CommandSurface.h"

#include "app/ui/QtText.h"
#include "editor/ui/EditorWidget.h"
#include "editor/ui/QtConversions.h"
#include "mainwindow/EditorActions.h"
#include "mainwindow/pages/MyFileList.h"
#include "mainwindow/ui/AddressClicks.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/WindowCommands.h"
#include "platform/ui/LockKeys.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

// --- TFramSpeedBtn -----------------------------------------------------------------------------

TFramSpeedBtn::TFramSpeedBtn(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    SetColors(ColorToQColor(JumpButtonColors(false).Active, palette()),
              palette().color(QPalette::WindowText));
}

void TFramSpeedBtn::SetColors(QColor active, QColor inactive) {
    ColorActFont = active;
    ColorDeActFont = inactive;
    setStyleSheet(QStringLiteral("TFramSpeedBtn { color: %1; } TFramSpeedBtn:hover { color: %2; }")
                      .arg(inactive.name(), active.name()));
}

void TFramSpeedBtn::paintEvent(QPaintEvent* e) {
    ++Paints;
    QToolButton::paintEvent(e);
}

// --- construction ------------------------------------------------------------------------------

TCommandSurface::TCommandSurface(TMainWindow& fm, TPages& pages, TWindowCommands& commands)
    : QObject(&fm), fm_(fm), pages_(pages), commands_(commands), menus_(*fm.Menus) {
    menus_.OnShow = [this](QMenu* m) {
        // The menu's rules see the page with its composition committed.
        if (TEditor* ed = activeEditor()) ed->CommitComposition();
        TCommandState s = State();
        s.FileManager = fm_.FileManager && fm_.FileManager(); // asked only when a menu opens
        menus_.Show(m, s);
    };
    menus_.OnKey = [this](TWindowCommand c, int arg) {
        // A key that runs a command ends the menu bar's keyboard mode (Alt, then one Escape):
        // the text takes the focus again, also when a dialog of the command closes.
        if (qobject_cast<QMenuBar*>(QApplication::focusWidget())) pages_.FocusActive();
        Run(c, arg);
    };
    menus_.Menu(TWindowMenu::FunctionKeys)->menuAction()->setVisible(fm_.pnlFunction->isHidden());
    buildFunctionBar();
    buildJumpColumn();
    wireCommands();
    pages_.OnModifiedMark = [this](bool modified) { setModifiedMark(modified); };
    pages_.JumpPanelHook = [this](bool show) { ApplyJumpState(show); };
    pages_.OnStatusRefreshed = [this] { RefreshLocks(); };
    fm_.installEventFilter(this);
    fm_.pnlFunction->installEventFilter(this);
    qApp->installEventFilter(this);
    bar_.SetJumpOn(false);
    ShowCaptions();
}

void TCommandSurface::buildFunctionBar() {
    QWidget* bar = fm_.pnlFunction;
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(13);
    for (int g = 0; g < 3; ++g) {
        auto* group = new QWidget(bar);
        group->setObjectName(QStringLiteral("pnlF%1").arg(g + 1));
        groups_[static_cast<size_t>(g)] = group;
        for (int i = 0; i < 4; ++i) {
            const int n = g * 4 + i;
            auto* b = new TFramSpeedBtn(group);
            b->setObjectName(QStringLiteral("F%1").arg(n + 1));
            b->setFont(f);
            fkeys_[static_cast<size_t>(n)] = b;
            connect(b, &QToolButton::clicked, this, [this, n] {
                const Qt::KeyboardModifiers m = QGuiApplication::keyboardModifiers();
                const int k =
                    TFunctionKeyBar::ClickedKey(n, m & Qt::ShiftModifier, m & Qt::ControlModifier);
                Run(TWindowCommand::FunctionKey, k);
            });
        }
    }
    layoutFunctionBar();
}

void TCommandSurface::layoutFunctionBar() {
    const TFunctionBarLayout l =
        FunctionBarLayout(fm_.pnlFunction->width(), fm_.pnlFunction->height());
    for (int g = 0; g < 3; ++g) {
        const TRect r = l.Groups[static_cast<size_t>(g)];
        groups_[static_cast<size_t>(g)]->setGeometry(r.Left, r.Top, r.Width, r.Height);
        for (int i = 0; i < 4; ++i) {
            const TRect b = l.Buttons[static_cast<size_t>(i)];
            fkeys_[static_cast<size_t>(g * 4 + i)]->setGeometry(b.Left, b.Top, b.Width, b.Height);
        }
    }
}

void TCommandSurface::buildJumpColumn() {
    pnlRight_ = new QWidget;
    pnlRight_->setObjectName(QStringLiteral("pnlRight"));
    pnlRight_->setFixedWidth(42);
    pnlJNO_ = new QWidget(pnlRight_);
    pnlJNO_->setObjectName(QStringLiteral("pnlJNO"));
    auto make = [this](QWidget* parent, int tag, const QString& caption, const char* name) {
        auto* b = new TFramSpeedBtn(parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        jbuttons_[static_cast<size_t>(tag)] = b;
        connect(b, &QToolButton::clicked, this, [this, tag] {
            Jump(tag, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
        });
        return b;
    };
    make(pnlRight_, 10, QStringLiteral("最初"), "btnFirst");
    for (int d = 0; d <= 9; ++d)
        make(pnlJNO_, d, QString::number(d), QStringLiteral("btnJ%1").arg(d).toLatin1().data());
    make(pnlRight_, 11, QStringLiteral("最後"), "btnLast");
    if (auto* client = qobject_cast<QHBoxLayout*>(fm_.pnlClient->layout()))
        client->addWidget(pnlRight_);
    pnlRight_->installEventFilter(this);
    pnlRight_->hide();
    jumpLines_.fill(-1);
}

void TCommandSurface::layoutJumpColumn() {
    const TJumpColumnLayout l = JumpColumnLayout(pnlRight_->height());
    const int x = 4;
    jbuttons_[10]->setGeometry(x, l.First.Top + 2, l.First.Width, l.First.Height);
    pnlJNO_->setGeometry(x, l.Digits.Top + 2, l.Digits.Width, l.Digits.Height);
    jbuttons_[11]->setGeometry(x, l.Last.Top + 2, l.Last.Width, l.Last.Height);
    for (int d = 0; d <= 9; ++d) {
        const TRect r = l.Digit[static_cast<size_t>(d)];
        jbuttons_[static_cast<size_t>(d)]->setGeometry(0, r.Top, r.Width, r.Height);
    }
}

// --- the rules and running items -----------------------------------------------------------

TEditor* TCommandSurface::activeEditor() const {
    return commands_.ActiveEditor();
}

TCommandState TCommandSurface::State() const {
    TCommandState s = layout_;
    const int page = pages_.ActivePage();
    if (TEditor* ed = activeEditor()) FillEditorState(s, ed->Core());
    FillPageState(s, pages_.Book(), page, pages_.PageCount());
    if (page >= 0) {
        s.Modified = s.HasEditor && pages_.IsModified(page); // either half of a split page
        s.Split = pages_.IsSplit(page);
    }
    s.ClipboardText = TQtEditorClipboard().HasText();
    s.ExternalEditorSet = fm_.Settings.isEditor;
    s.ExternalEditorRunning = !fm_.ExternalEditorFile.empty();
    s.JumpOn = jump_.Shown();
    s.FunctionBarShown = !fm_.pnlFunction->isHidden();
    s.StatusBarShown = !fm_.StatusBar1->isHidden();
    s.RowColMode = fm_.StatusShowsRows;
    return s;
}

bool TCommandSurface::Run(TWindowCommand c, int arg) {
    // A composition goes into the text where it was typed before the command sees the page.
    if (TEditor* ed = activeEditor()) ed->CommitComposition();
    if (!menus_.Wired(c) || !CommandRunnable(c, arg, State())) return false;
    menus_.Trigger(c, arg);
    return true;
}

QLabel* TCommandSurface::Panel(int i) const {
    return fm_.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
}

bool TCommandSurface::forward(TEditorCommand c, int arg) {
    TEditor* ed = activeEditor();
    return ed && ed->RunCommand(c, arg);
}

void TCommandSurface::wireCommands() {
    using W = TWindowCommand;
    TCommandHandlers::TList h;
    // The commands the active control answers, each once (the marks share one with their Arg).
    for (const TCommandDef& d : CommandTable())
        if (d.Forward != TEditorCommand::None && (h.empty() || h.back().first != d.Command))
            h.push_back({d.Command, [this, c = d.Forward](int arg) { forward(c, arg); }});
    auto add = [&h](W c, std::function<void()> run) {
        h.push_back({c, [run = std::move(run)](int) { run(); }});
    };
    add(W::Copy, [this] {
        TEditor* ed = activeEditor();
        if (ed && ed->RunCommand(TEditorCommand::Copy)) DropSelectionAfterCopy(ed->Core());
    });
    add(W::Paste, [this] { PasteWithCaretRule(); });
    for (const auto& [c, command] : {std::pair{W::Overwrite, TEditorCommand::Overwrite},
                                     std::pair{W::ReadOnly, TEditorCommand::ReadOnly}})
        add(c, [this, command] {
            forward(command);
            pages_.ShowModePanels();
        });
    auto rowCol = [this](bool rows) {
        fm_.StatusShowsRows = rows;
        pages_.SetRowColMode(rows);
    };
    add(W::ShowRowCol, [rowCol] { rowCol(true); });
    add(W::ShowLineChar, [rowCol] { rowCol(false); });
    add(W::JumpButtons, [this] { ToggleJumpColumn(); });
    h.push_back({W::FunctionKey, [this](int k) { RunFunctionKey(k); }});
    add(W::StandardSize, [this] { standardSize(); });
    add(W::FunctionBar, [this] { toggleFunctionBar(); });
    add(W::StatusBar, [this] { toggleStatusBar(); });
    for (const W c : {W::PageTabs, W::MenuBar, W::TitleBar})
        add(c, [this, c] { toggleLayout(c); });
    menus_.Wire(TCommandPart::Surface, h);
}

void TCommandSurface::PasteWithCaretRule() {
    TEditor* ed = activeEditor();
    if (!ed) return;
    TEditorCore& c = ed->Core();
    bool box = false;
    const std::string text = TQtEditorClipboard().Text(box);
    const int r = c.Row(), col = c.Col(), t = c.TopRow(), b = c.Rows().RowCount();
    if (!ed->RunCommand(TEditorCommand::Paste)) return;
    const bool lineBreak = text.find_first_of("\r\n") != std::string::npos;
    ApplyPasteCaret(
        c, PasteCaretRule(fm_.Settings.Curs, lineBreak, r, col, t, b, c.Rows().RowCount()));
}

// --- function keys -------------------------------------------------------------------------

void TCommandSurface::ShowCaptions() {
    for (int i = 0; i < 12; ++i)
        showCaption(i);
}

void TCommandSurface::showCaption(int i) {
    // A screen reader names the button with its key and the caption of the layer shown.
    TFramSpeedBtn* b = fkeys_[static_cast<size_t>(i)];
    b->setText(QStr(bar_.ButtonCaption(i)));
    b->setAccessibleName(QStringLiteral("F%1 %2").arg(i + 1).arg(b->text().remove(u'&')).trimmed());
}

void TCommandSurface::setModifiedMark(bool modified) {
    bar_.SetModified(modified);
    showCaption(10);
}

void TCommandSurface::RunFunctionKey(int k) {
    const TFunctionCommand c = FunctionKeyCommand(k);
    if (c == TFunctionCommand::JumpColumn) {
        ToggleJumpColumn();
    } else if (c == TFunctionCommand::LineNumbers) {
        if (TEditor* ed = activeEditor()) {
            TEditorLeftbar& l = ed->Core().Leftbar();
            l.SetVisible(!l.Visible());
        }
    } else if (const TWindowCommand w = FunctionWindowCommand(c); w != TWindowCommand::None) {
        Run(w);
    }
    if (ResetsCaptions(c) && bar_.Reset()) ShowCaptions();
}

// --- jump column ---------------------------------------------------------------------------

TFramSpeedBtn* TCommandSurface::JumpButton(int tag) const {
    return tag >= 0 && tag < 12 ? jbuttons_[static_cast<size_t>(tag)] : nullptr;
}

void TCommandSurface::showJumpColumn(bool on) {
    pnlRight_->setVisible(on);
    if (on) {
        ScanMarks();
    } else {
        jumpLines_.fill(-1);
        paintJumpButtons();
    }
    bar_.SetJumpOn(on);
    ShowCaptions();
}

void TCommandSurface::ToggleJumpColumn() {
    const bool on = jump_.Toggle();
    showJumpColumn(on);
    const int page = pages_.ActivePage();
    if (page >= 0 && page < pages_.List().Count())
        pages_.List().SetField(page, ffJumpPanel, on ? "1" : "0");
}

void TCommandSurface::ApplyJumpState(bool on) {
    showJumpColumn(jump_.Apply(on, fm_.height()));
}

void TCommandSurface::ScanMarks() {
    jumpLines_.fill(-1);
    if (TEditor* ed = activeEditor()) jumpLines_ = ScanJumpMarks(ed->Core().Rows());
    paintJumpButtons();
}

void TCommandSurface::paintJumpButtons() {
    for (int d = 0; d <= 9; ++d) {
        const TJumpButtonColors c = JumpButtonColors(jumpLines_[static_cast<size_t>(d)] >= 0);
        TFramSpeedBtn* b = jbuttons_[static_cast<size_t>(d)];
        const QPalette& pal = fm_.palette();
        b->SetColors(ColorToQColor(c.Active, pal), c.InactiveIsText
                                                       ? pal.color(QPalette::WindowText)
                                                       : ColorToQColor(c.Inactive, pal));
        b->update();
    }
}

void TCommandSurface::Jump(int tag, bool shift) {
    TEditor* ed = activeEditor();
    if (!ed) return;
    JumpEditor(ed->Core(), tag, jumpLines_,
               {fm_.Settings.CLine1, fm_.Settings.CLine2, fm_.Settings.JHanten}, shift);
    ed->setFocus();
}

// --- status --------------------------------------------------------------------------------

void TCommandSurface::RefreshLocks() {
    const TLockKeys k = LockKeySource ? LockKeySource() : ReadLockKeys();
    const TLockPanels p = LockPanelTexts(k);
    if (QLabel* l = Panel(3)) l->setText(QStr(p.Caps));
    if (QLabel* l = Panel(4)) l->setText(QStr(p.Kana));
    // Where the display server tells nothing of the lock keys (Wayland) their panels go; Num
    // shares its panel with the box-selection mark and stays.
    for (int i : {3, 4})
        if (QLabel* l = Panel(i)) l->setVisible(k.Known);
    if (QLabel* l = Panel(5)) l->setText(QStr(p.Num));
}

// --- keys, wheel and the context menu ------------------------------------------------------

void TCommandSurface::perform(const TWindowKeyAction& a) {
    if (a.CaptionsChanged) ShowCaptions();
    if (QLabel* panel6 = Panel(6)) {
        const int page = pages_.ActivePage();
        if (a.PathPanel == TWindowKeyAction::Path::Show && page >= 0)
            panel6->setText(QStr(pages_.Book().PathOfPage(page)));
        else if (a.PathPanel != TWindowKeyAction::Path::Keep)
            panel6->clear();
    }
    if (a.SwitchTo >= 0) pages_.SetActivePage(a.SwitchTo);
    if (a.PageChange) pages_.Book().PageChange();
    if (a.Run != TWindowCommand::None) Run(a.Run);
    if (a.RefreshLocks) RefreshLocks();
}

bool TCommandSurface::previewKey(QKeyEvent* k, bool press) {
    const TWindowKeyAction a =
        windowKeys_.Key(WindowKeyEventOf(ToTableKey(k->key(), {}), ToTableModifiers(k->modifiers()),
                                         press, k->isAutoRepeat()),
                        !fm_.pnlFunction->isHidden(), pages_.PageCount(), pages_.ActivePage());
    perform(a);
    return a.Consumed;
}

void TCommandSurface::activationChanged(bool active) {
    // Keys let go while a dialog or another window had the focus never reach this window: the
    // caption layer and the pending page change must not wait for them.
    const Qt::KeyboardModifiers held =
        active ? QGuiApplication::queryKeyboardModifiers() : Qt::NoModifier;
    perform(windowKeys_.Activation(active, held & Qt::ShiftModifier, held & Qt::ControlModifier,
                                   !fm_.pnlFunction->isHidden()));
}

QMenu* TCommandSurface::BuildContextMenu(TEditor* editor) {
    return TMenuView::BuildContextMenu(
        editor, ContextMenuModel(State()),
        [this](const TContextItem& i) {
            return i.Window == TWindowCommand::None || menus_.Wired(i.Window);
        },
        [this, editor](const TContextItem& i) {
            if (i.Window != TWindowCommand::None)
                Run(i.Window);
            else if (!RunContextItemOnCore(editor->Core(), i))
                editor->RunCommand(i.Command, i.Arg);
        });
}

bool TCommandSurface::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::Resize:
        if (watched == &fm_) {
            const bool was = jump_.Shown();
            if (jump_.Resized(fm_.height()) != was) showJumpColumn(!was);
        }
        if (watched == fm_.pnlFunction) layoutFunctionBar();
        if (watched == pnlRight_) layoutJumpColumn();
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (watched == &fm_) activationChanged(e->type() == QEvent::WindowActivate);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w != QApplication::focusWidget() || w->window() != &fm_) break;
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) break;
        return previewKey(static_cast<QKeyEvent*>(e), e->type() == QEvent::KeyPress);
    }
    case QEvent::Wheel:
    case QEvent::ContextMenu: {
        TEditor* ed = EditorOf(watched, &fm_, true);
        if (!ed) break;
        if (e->type() == QEvent::Wheel) {
            WheelScroll(ed->Core(), static_cast<QWheelEvent*>(e)->angleDelta().y());
            return true;
        }
        std::unique_ptr<QMenu> menu(BuildContextMenu(ed));
        menu->exec(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}

// --- layout toggles ------------------------------------------------------------------------

void TCommandSurface::showBarMenus() {
    const TCommandState s = State();
    for (const TCommandDef& d : CommandTable())
        if (d.Kind == TEntryKind::Menu && d.Menu == TWindowMenu::None)
            if (QMenu* m = menus_.Menu(d.Opens))
                m->menuAction()->setVisible(EntryView(d, s).Visible);
    // With its menus hidden the bar goes too: an Alt key of a hidden menu would otherwise take
    // the focus to a bar nobody sees, and the letters typed next would go nowhere.
    fm_.menuBar()->setVisible(!s.MenusHidden);
}

void TCommandSurface::toggleLayout(TWindowCommand c) {
    ToggleLayout(layout_, c);
    switch (c) {
    case TWindowCommand::PageTabs:
        pages_.PageControl1()->tabBar()->setVisible(!layout_.TabsHidden);
        break;
    case TWindowCommand::MenuBar:
        showBarMenus();
        pages_.PageControl1()->setStyleSheet(QStringLiteral("QTabBar::tab { height: %1px; }")
                                                 .arg(PageTabHeight(layout_.MenusHidden)));
        break;
    default: { // the title bar
        const bool visible = fm_.isVisible();
        fm_.setWindowFlag(Qt::FramelessWindowHint, layout_.TitleHidden);
        if (visible) fm_.show();
    }
    }
}

void TCommandSurface::toggleFunctionBar() {
    fm_.ToggleFunctionBar();
    showBarMenus();
    if (fm_.pnlFunction->isHidden() && bar_.Reset()) ShowCaptions();
}

void TCommandSurface::toggleStatusBar() {
    if (fm_.StatusBar1->isHidden() && !fm_.pnlFunction->isHidden()) {
        // Keeps the bar directly above the status bar.
        fm_.pnlFunction->hide();
        fm_.StatusBar1->show();
        fm_.pnlFunction->show();
        return;
    }
    fm_.ToggleStatusBar();
}

void TCommandSurface::standardSize() {
    fm_.showNormal();
    fm_.resize(TMainWindow::kDesignWidth, TMainWindow::kDesignHeight);
    if (fm_.pnlFunction->isHidden()) toggleFunctionBar();
    if (fm_.StatusBar1->isHidden()) toggleStatusBar();
}
