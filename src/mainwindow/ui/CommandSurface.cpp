// The main window's menus, keys, status panels, function-key bar and jump column as widgets.
#include "mainwindow/ui/CommandSurface.h"

#include "editor/ui/EditorWidget.h"
#include "editor/ui/QtConversions.h"
#include "mainwindow/EditorActions.h"
#include "mainwindow/MyFileList.h"
#include "mainwindow/ui/MainWindow.h"
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
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <algorithm>

#include <filesystem>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QColor FromBgr(unsigned v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

} // namespace

// --- TFramSpeedBtn -----------------------------------------------------------------------------

TFramSpeedBtn::TFramSpeedBtn(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    SetColors(FromBgr(0xFF0000), palette().color(QPalette::WindowText));
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

TCommandSurface::TCommandSurface(TfmEditor& fm, TPages& pages, TWindowCommands& commands)
    : QObject(&fm), fm_(fm), pages_(pages), commands_(commands) {
    buildMenus();
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
    fm_.Commands = this;
    for (auto& [name, handler] : fm_.PendingMenuHandlers)
        SetHandler(name, std::move(handler));
    fm_.PendingMenuHandlers.clear();
}

void TCommandSurface::buildMenus() {
    QMenuBar* menuBar = fm_.menuBar();
    // Menus of the bar that the table does not name (the encoding menu) keep a place on it.
    std::vector<QMenu*> extra;
    for (QAction* a : menuBar->actions()) {
        const std::string name = a->menu() ? a->menu()->objectName().toStdString() : std::string();
        if (!name.empty() && std::none_of(MainMenuTable().begin(), MainMenuTable().end(),
                                          [&](const TMenuItemDef& d) { return d.Name == name; }))
            extra.push_back(a->menu());
        menuBar->removeAction(a);
    }
    // The menus others built are refilled in the table's order (lists such as the recent
    // files, which the table does not fill, keep their items).
    for (const TMenuItemDef& d : MainMenuTable())
        if (!d.Parent.empty())
            if (QMenu* m = fm_.findChild<QMenu*>(Q(d.Parent)))
                for (QAction* a : m->actions())
                    m->removeAction(a);
    for (const TMenuItemDef& d : MainMenuTable()) {
        QMenu* parent = d.Parent.empty() ? nullptr : menus_[d.Parent];
        if (d.Name == "-" || d.Name == "mnEditorLine") {
            QAction* s = parent->addSeparator();
            if (d.Name == "mnEditorLine") {
                s->setObjectName(QStringLiteral("mnEditorLine"));
                s->setVisible(false);
                items_[d.Name] = s;
            }
            continue;
        }
        if (d.Submenu) {
            QMenu* m = fm_.findChild<QMenu*>(Q(d.Name));
            if (!m) {
                m = new QMenu(Q(d.Caption), &fm_);
                m->setObjectName(Q(d.Name));
            }
            // Menus keep their place; the old owner may have put them elsewhere.
            if (QWidget* w = m->menuAction()->associatedObjects().isEmpty()
                                 ? nullptr
                                 : qobject_cast<QWidget*>(m->menuAction()->associatedObjects()[0]))
                w->removeAction(m->menuAction());
            if (parent)
                parent->addMenu(m);
            else
                menuBar->addMenu(m);
            m->menuAction()->setVisible(!d.Hidden);
            menus_[d.Name] = m;
            connect(m, &QMenu::aboutToShow, this, [this, m] { applyMenu(m); });
            continue;
        }
        QAction* a = fm_.findChild<QAction*>(Q(d.Name));
        if (a) {
            for (QObject* o : a->associatedObjects())
                if (auto* w = qobject_cast<QWidget*>(o)) w->removeAction(a);
            wired_[d.Name] = true; // its owner connected it
        } else {
            a = new QAction(Q(d.Caption), &fm_);
            a->setObjectName(Q(d.Name));
            const std::string name = d.Name;
            connect(a, &QAction::triggered, this, [this, name] {
                auto h = handlers_.find(name);
                if (h != handlers_.end() && h->second) h->second();
            });
            wired_[d.Name] = false;
        }
        parent->addAction(a);
        a->setCheckable(d.Checkable);
        a->setVisible(!d.Hidden);
        // The menu shows the key; the window-level key below runs it through the rules.
        a->setShortcut(ToKeySequence(d.Shortcut));
        a->setShortcutContext(Qt::WidgetShortcut);
        items_[d.Name] = a;
        if (!d.Shortcut.empty()) {
            auto* k = new QAction(&fm_);
            k->setObjectName(Q(d.Name + "_key"));
            k->setShortcut(ToKeySequence(d.Shortcut));
            k->setShortcutContext(Qt::WindowShortcut);
            const std::string name = d.Name;
            connect(k, &QAction::triggered, this, [this, name] { Run(name); });
            fm_.addAction(k);
            keys_[d.Name] = k;
        }
    }
    for (QMenu* m : extra)
        menuBar->insertMenu(menus_.count("mnSonota") ? menus_["mnSonota"]->menuAction() : nullptr,
                            m);
    // Outside an open menu every item stays enabled: the keys pass through Run's rules.
    for (auto& [name, m] : menus_) {
        QMenu* menu = m;
        connect(menu, &QMenu::aboutToHide, this, [this, menu] {
            for (QAction* a : menu->actions())
                if (items_.count(a->objectName().toStdString())) a->setEnabled(true);
        });
    }
    Menu("mnFunction")->menuAction()->setVisible(fm_.pnlFunction->isHidden());
    // A key of the table wins over a shortcut of the same key made elsewhere (two would cancel
    // each other out); the table's item runs the same command.
    for (QShortcut* sc : fm_.findChildren<QShortcut*>())
        for (const auto& [name, k] : keys_)
            if (k->shortcut() == sc->key()) sc->setEnabled(false);
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
                Run("mnF" + std::to_string(k + 1));
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
    TCommandState s;
    const int page = pages_.ActivePage();
    s.PageCount = pages_.PageCount();
    if (page >= 0) {
        s.Untitled = pages_.Book().IsUntitled(page);
        std::error_code ec;
        s.FileExists = !s.Untitled && std::filesystem::exists(pages_.Book().PathOfPage(page), ec);
        s.Split = pages_.IsSplit(page);
        if (TPageEditor* pe = pages_.ActivePageEditor()) s.CanSplit = pe->CanSplit();
    }
    if (TEditor* ed = activeEditor()) FillEditorState(s, ed->Core());
    s.ClipboardText = TQtEditorClipboard().HasText();
    s.ExternalEditorSet = fm_.Settings.isEditor;
    s.ExternalEditorRunning = !fm_.ExternalEditorFile.empty();
    s.JumpOn = jump_.Shown();
    s.FunctionBarShown = !fm_.pnlFunction->isHidden();
    s.StatusBarShown = !fm_.StatusBar1->isHidden();
    s.TabsHidden = tabsHidden_;
    s.MenusHidden = menusHidden_;
    s.TitleHidden = titleHidden_;
    s.RowColMode = fm_.StatusShowsRows;
    return s;
}

void TCommandSurface::applyMenu(QMenu* menu) {
    const TCommandState s = State();
    for (QAction* a : menu->actions()) {
        const std::string name =
            a->menu() ? a->menu()->objectName().toStdString() : a->objectName().toStdString();
        const TMenuItemDef* d = FindMenuItem(name);
        if (!d) continue;
        const TMenuItemView v = MenuItemView(name, s);
        if (a->menu()) {
            a->setVisible(v.Visible);
            continue;
        }
        // Owners may apply rules of their own when the menu opens (before these): both count.
        a->setEnabled(a->isEnabled() && v.Enabled && wired_[name]);
        a->setVisible(a->isVisible() && v.Visible);
        if (d->Checkable) a->setChecked(v.Checked);
        if (!v.Caption.empty() && !a->isSeparator()) a->setText(Q(v.Caption));
    }
}

void TCommandSurface::SetHandler(const std::string& name, std::function<void()> handler) {
    QAction* a = Item(name);
    if (!a) return;
    if (wired_[name] && !handlers_.count(name)) {
        // An item its owner had connected: the new handler replaces that connection.
        disconnect(a, &QAction::triggered, nullptr, nullptr);
        connect(a, &QAction::triggered, this, [this, name] {
            auto h = handlers_.find(name);
            if (h != handlers_.end() && h->second) h->second();
        });
    }
    handlers_[name] = std::move(handler);
    wired_[name] = true;
    a->setEnabled(true);
}

bool TCommandSurface::Run(const std::string& name) {
    QAction* a = Item(name);
    if (!a || !wired_[name]) return false;
    const TCommandState s = State();
    if (!ItemRunnable(name, s)) return false;
    const TMenuItemDef* d = FindMenuItem(name);
    if (d && d->Checkable) a->setChecked(MenuItemView(name, s).Checked); // triggering flips it
    a->setEnabled(true);
    a->trigger();
    return true;
}

QAction* TCommandSurface::Item(const std::string& name) const {
    auto i = items_.find(name);
    return i == items_.end() ? nullptr : i->second;
}

QMenu* TCommandSurface::Menu(const std::string& name) const {
    auto i = menus_.find(name);
    return i == menus_.end() ? nullptr : i->second;
}

QAction* TCommandSurface::Key(const std::string& name) const {
    auto i = keys_.find(name);
    return i == keys_.end() ? nullptr : i->second;
}

QLabel* TCommandSurface::Panel(int i) const {
    return fm_.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
}

bool TCommandSurface::forward(TEditorCommand c, int arg) {
    TEditor* ed = activeEditor();
    return ed && ed->RunCommand(c, arg);
}

void TCommandSurface::wireCommands() {
    using C = TEditorCommand;
    auto fwd = [this](const char* name, C c) { SetHandler(name, [this, c] { forward(c); }); };
    fwd("mnUndo", C::Undo);
    fwd("mnRedo", C::Redo);
    fwd("mnCut", C::Cut);
    fwd("mnBoxPaste", C::BoxPaste);
    fwd("mnAll", C::SelectAll);
    fwd("mnDelete", C::DeleteRow);
    fwd("mnBoxSel", C::BoxSelect);
    fwd("mnIndent", C::Indent);
    fwd("mnUnIndent", C::UnIndent);
    fwd("mnTabIndent", C::TabIndent);
    fwd("mnTabUnIndent", C::TabUnIndent);
    SetHandler("mnCopy", [this] {
        TEditor* ed = activeEditor();
        if (ed && ed->RunCommand(C::Copy)) DropSelectionAfterCopy(ed->Core());
    });
    SetHandler("mnPaste", [this] { PasteWithCaretRule(); });
    SetHandler("mnOverwrite", [this] {
        forward(C::Overwrite);
        if (TEditor* ed = activeEditor())
            if (QLabel* p = Panel(2)) p->setText(Q(OverwritePanelText(ed->Core().OverWrite())));
    });
    SetHandler("mnReadOnly", [this] {
        forward(C::ReadOnly);
        if (TEditor* ed = activeEditor())
            if (QLabel* p = Panel(1)) p->setText(Q(ReadOnlyPanelText(ed->Core().ReadOnly())));
    });
    for (int m = 10; m <= 15; ++m)
        SetHandler("rm" + std::to_string(m) + "1", [this, m] { forward(C::ToggleMark, m); });
    auto rowCol = [this](bool rows) {
        fm_.StatusShowsRows = rows;
        pages_.SetRowColMode(rows);
    };
    SetHandler("mnRowCol", [rowCol] { rowCol(true); });
    SetHandler("mnLineChar", [rowCol] { rowCol(false); });
    SetHandler("mnJButton", [this] { ToggleJumpColumn(); });
    for (int k = 0; k < 36; ++k)
        SetHandler("mnF" + std::to_string(k + 1), [this, k] { RunFunctionKey(k); });
    SetHandler("mnKSize", [this] { standardSize(); });
    SetHandler("mnisFuncShow", [this] { toggleFunctionBar(); });
    SetHandler("mnisStatShow", [this] { toggleStatusBar(); });
    SetHandler("mnisTabShow", [this] { toggleTabs(); });
    SetHandler("mnisMenuShow", [this] { toggleMenus(); });
    SetHandler("mnisTitleShow", [this] { toggleTitle(); });
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
        fkeys_[static_cast<size_t>(i)]->setText(Q(bar_.ButtonCaption(i)));
}

void TCommandSurface::setModifiedMark(bool modified) {
    bar_.SetModified(modified);
    fkeys_[10]->setText(Q(bar_.ButtonCaption(10)));
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
    } else if (const std::string item = FunctionCommandItem(c); !item.empty()) {
        Run(item);
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
        for (int d = 0; d <= 9; ++d)
            jbuttons_[static_cast<size_t>(d)]->SetColors(FromBgr(0xFF0000),
                                                         fm_.palette().color(QPalette::WindowText));
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
    const QColor text = fm_.palette().color(QPalette::WindowText);
    for (int d = 0; d <= 9; ++d) {
        TFramSpeedBtn* b = jbuttons_[static_cast<size_t>(d)];
        if (jumpLines_[static_cast<size_t>(d)] >= 0)
            b->SetColors(FromBgr(0xFF00FF), FromBgr(0x008000));
        else
            b->SetColors(FromBgr(0xFF0000), text);
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
    if (QLabel* l = Panel(3)) l->setText(Q(p.Caps));
    if (QLabel* l = Panel(4)) l->setText(Q(p.Kana));
    if (QLabel* l = Panel(5)) l->setText(Q(p.Num));
}

// --- keys, wheel and the context menu ------------------------------------------------------

void TCommandSurface::perform(const TWindowKeyAction& a) {
    if (a.CaptionsChanged) ShowCaptions();
    if (QLabel* panel6 = Panel(6)) {
        const int page = pages_.ActivePage();
        if (a.PathPanel == TWindowKeyAction::Path::Show && page >= 0)
            panel6->setText(Q(pages_.Book().PathOfPage(page)));
        else if (a.PathPanel != TWindowKeyAction::Path::Keep)
            panel6->clear();
    }
    if (a.SwitchTo >= 0) pages_.SetActivePage(a.SwitchTo);
    if (a.PageChange) pages_.Book().PageChange();
    if (!a.RunItem.empty()) Run(a.RunItem);
    if (a.RefreshLocks) RefreshLocks();
}

bool TCommandSurface::previewKey(QKeyEvent* k, bool press) {
    TWindowKeyEvent e;
    switch (k->key()) {
    case Qt::Key_Left:
        e.Key = TWindowKey::Left;
        break;
    case Qt::Key_Right:
        e.Key = TWindowKey::Right;
        break;
    case Qt::Key_Up:
        e.Key = TWindowKey::Up;
        break;
    case Qt::Key_Down:
        e.Key = TWindowKey::Down;
        break;
    case Qt::Key_Shift:
        e.Key = TWindowKey::Shift;
        break;
    case Qt::Key_Control:
        e.Key = TWindowKey::Control;
        break;
    case Qt::Key_Insert:
        e.Key = TWindowKey::Insert;
        break;
    case Qt::Key_Delete:
        e.Key = TWindowKey::Delete;
        break;
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Kana_Lock:
    case Qt::Key_Kana_Shift:
        e.Key = TWindowKey::LockKey;
        break;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = k->modifiers();
    e.Press = press;
    e.Shift = mods & Qt::ShiftModifier;
    e.Ctrl = mods & Qt::ControlModifier;
    e.Alt = mods & Qt::AltModifier;
    e.AutoRepeat = k->isAutoRepeat();
    const TWindowKeyAction a =
        windowKeys_.Key(e, !fm_.pnlFunction->isHidden(), pages_.PageCount(), pages_.ActivePage());
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
    auto* menu = new QMenu(editor);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    std::function<void(QMenu*, const std::vector<TContextItem>&)> add =
        [&](QMenu* m, const std::vector<TContextItem>& items) {
            for (const TContextItem& i : items) {
                if (i.Caption == "-") {
                    m->addSeparator();
                    continue;
                }
                if (!i.Items.empty()) {
                    add(m->addMenu(Q(i.Caption)), i.Items);
                    continue;
                }
                QAction* a = m->addAction(Q(i.Caption));
                a->setShortcut(ToKeySequence(i.Shortcut));
                a->setShortcutContext(Qt::WidgetShortcut);
                a->setEnabled(i.Enabled && (i.MenuItem.empty() || wired_[i.MenuItem]));
                a->setCheckable(i.Checked);
                a->setChecked(i.Checked);
                const TContextItem item = i;
                connect(a, &QAction::triggered, this, [this, editor, item] {
                    if (!item.MenuItem.empty())
                        Run(item.MenuItem);
                    else if (!RunContextItemOnCore(editor->Core(), item))
                        editor->RunCommand(item.Command, item.Arg);
                });
            }
        };
    add(menu, ContextMenuModel(State()));
    return menu;
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
        auto* w = qobject_cast<QWidget*>(watched);
        TEditor* ed = qobject_cast<TEditor*>(w);
        if (!ed && w) {
            ed = qobject_cast<TEditor*>(w->parentWidget());
            if (ed && ed->viewport() != w) ed = nullptr;
        }
        if (!ed || ed->window() != &fm_) break;
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
    for (const TMenuItemDef& d : MainMenuTable())
        if (d.Submenu && d.Parent.empty())
            if (QMenu* m = Menu(d.Name))
                m->menuAction()->setVisible(MenuItemView(d.Name, s).Visible);
}

void TCommandSurface::toggleFunctionBar() {
    fm_.mnFunctionClick();
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
    fm_.mnStatusClick();
}

void TCommandSurface::toggleTabs() {
    tabsHidden_ = !tabsHidden_;
    pages_.PageControl1()->tabBar()->setVisible(!tabsHidden_);
}

void TCommandSurface::toggleMenus() {
    menusHidden_ = !menusHidden_;
    showBarMenus();
    pages_.PageControl1()->setStyleSheet(
        QStringLiteral("QTabBar::tab { height: %1px; }").arg(PageTabHeight(menusHidden_)));
}

void TCommandSurface::toggleTitle() {
    titleHidden_ = !titleHidden_;
    const bool visible = fm_.isVisible();
    fm_.setWindowFlag(Qt::FramelessWindowHint, titleHidden_);
    if (visible) fm_.show();
}

void TCommandSurface::standardSize() {
    fm_.showNormal();
    fm_.resize(TfmEditor::kDesignWidth, TfmEditor::kDesignHeight);
    if (fm_.pnlFunction->isHidden()) toggleFunctionBar();
    if (fm_.StatusBar1->isHidden()) toggleStatusBar();
}
