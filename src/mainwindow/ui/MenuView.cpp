// The main menu's widgets from the menu table, and the context menu's.
#include "mainwindow/ui/MenuView.h"

#include "app/ui/QtText.h"
#include "editor/ui/MenuItems.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

template <typename T> T* Find(const std::map<std::string, T*>& m, const std::string& name) {
    auto i = m.find(name);
    return i == m.end() ? nullptr : i->second;
}

// An item's text: its caption, and its key after a tab, where the menu shows it right-aligned.
// The item itself holds no shortcut: a key bound to two actions (the item while the menu bar has
// the focus, and the window's key) would be ambiguous and run neither.
QString ItemText(const std::string& caption, const std::string& shortcut) {
    QString text = QStr(caption);
    if (!shortcut.empty())
        text += QLatin1Char('\t') + ToKeySequence(shortcut).toString(QKeySequence::NativeText);
    return text;
}

} // namespace

TMenuView::TMenuView(QMainWindow& window) : QObject(&window) {
    for (const TMenuItemDef& d : MainMenuTable()) {
        QMenu* parent = d.Parent.empty() ? nullptr : menus_[d.Parent];
        if (d.Name == "-" || d.Name == "mnEditorLine") {
            QAction* s = parent->addSeparator();
            if (d.Name == "mnEditorLine") {
                s->setObjectName(QStr(d.Name));
                s->setVisible(false);
                items_[d.Name] = s;
            }
            continue;
        }
        if (d.Submenu) {
            auto* m = new QMenu(QStr(d.Caption), &window);
            m->setObjectName(QStr(d.Name));
            if (parent)
                parent->addMenu(m);
            else
                window.menuBar()->addMenu(m);
            m->menuAction()->setVisible(!d.Hidden);
            menus_[d.Name] = m;
            connect(m, &QMenu::aboutToShow, this, [this, m] {
                if (OnShow) OnShow(m);
            });
            // Outside an open menu its items stay enabled: the keys pass the rules themselves.
            connect(m, &QMenu::aboutToHide, this, [this, m] {
                for (QAction* a : m->actions())
                    if (Wired(a->objectName().toStdString())) a->setEnabled(true);
            });
            continue;
        }
        auto* a = new QAction(ItemText(d.Caption, d.Shortcut), &window);
        a->setObjectName(QStr(d.Name));
        parent->addAction(a);
        a->setCheckable(d.Checkable);
        a->setVisible(!d.Hidden);
        a->setEnabled(false);
        // The menu shows the key; the window-level key below runs it through the rules.
        const std::string name = d.Name;
        connect(a, &QAction::triggered, this, [this, name] { Trigger(name); });
        items_[name] = a;
        if (d.Shortcut.empty()) continue;
        auto* k = new QAction(&window);
        k->setObjectName(QStr(name + "_key"));
        k->setShortcut(ToKeySequence(d.Shortcut));
        k->setShortcutContext(Qt::WindowShortcut);
        connect(k, &QAction::triggered, this, [this, name] {
            if (OnKey)
                OnKey(name);
            else
                Trigger(name);
        });
        window.addAction(k);
        keys_[name] = k;
    }
}

QAction* TMenuView::Item(const std::string& name) const {
    return Find(items_, name);
}

QMenu* TMenuView::Menu(const std::string& name) const {
    return Find(menus_, name);
}

QAction* TMenuView::Key(const std::string& name) const {
    return Find(keys_, name);
}

void TMenuView::SetHandler(const std::string& name, std::function<void()> handler) {
    QAction* a = Item(name);
    if (!a) return;
    handlers_[name] = std::move(handler);
    a->setEnabled(true);
}

bool TMenuView::Wired(const std::string& name) const {
    return handlers_.count(name) != 0;
}

void TMenuView::Trigger(const std::string& name) {
    auto h = handlers_.find(name);
    if (h != handlers_.end() && h->second) h->second();
}

void TMenuView::Show(QMenu* menu, const TCommandState& s) {
    for (QAction* a : menu->actions()) {
        const std::string name =
            a->menu() ? a->menu()->objectName().toStdString() : a->objectName().toStdString();
        const TMenuItemDef* d = FindMenuItem(name);
        if (!d) continue;
        const TMenuItemView v = MenuItemView(name, s);
        a->setVisible(v.Visible);
        if (a->menu() || a->isSeparator()) continue;
        a->setEnabled(v.Enabled && Wired(name));
        if (d->Checkable) a->setChecked(v.Checked);
        if (!v.Caption.empty()) a->setText(ItemText(v.Caption, d->Shortcut));
    }
}

QMenu* TMenuView::BuildContextMenu(QWidget* parent, const std::vector<TContextItem>& items,
                                   const std::function<bool(const TContextItem&)>& wired,
                                   const std::function<void(const TContextItem&)>& run) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    AddMenuItems<TContextItem>(menu, items, &TContextItem::Shortcut, wired, run);
    return menu;
}
