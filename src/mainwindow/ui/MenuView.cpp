// The main menu's widgets from the command table, and the context menu's.
#include "mainwindow/ui/MenuView.h"

#include "app/ui/QtText.h"
#include "editor/ui/MenuItems.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

template <typename K, typename T> T* Find(const std::map<K, T*>& m, const K& key) {
    auto i = m.find(key);
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
    for (const TCommandDef& d : CommandTable()) {
        QMenu* parent = Find(menus_, d.Menu);
        if (d.Kind == TEntryKind::Separator) {
            QAction* s = parent->addSeparator();
            s->setVisible(!d.Hidden);
            entries_[s] = &d;
            continue;
        }
        if (d.Kind == TEntryKind::Menu) {
            auto* m = new QMenu(QStr(d.Caption), &window);
            if (parent)
                parent->addMenu(m);
            else
                window.menuBar()->addMenu(m);
            m->menuAction()->setVisible(!d.Hidden);
            menus_[d.Opens] = m;
            entries_[m->menuAction()] = &d;
            connect(m, &QMenu::aboutToShow, this, [this, m] {
                if (OnShow) OnShow(m);
            });
            // Outside an open menu its items stay enabled: the keys pass the rules themselves.
            connect(m, &QMenu::aboutToHide, this, [this, m] {
                for (QAction* a : m->actions()) {
                    const TCommandDef* e = Find(entries_, static_cast<const QAction*>(a));
                    if (e && e->Kind == TEntryKind::Command && Wired(e->Command))
                        a->setEnabled(true);
                }
            });
            continue;
        }
        auto* a = new QAction(ItemText(d.Caption, d.Key), &window);
        parent->addAction(a);
        a->setCheckable(d.Checkable);
        a->setVisible(!d.Hidden);
        a->setEnabled(false);
        entries_[a] = &d;
        // The menu shows the key; the window-level key below runs it through the rules.
        const TRef ref{d.Command, d.Arg};
        connect(a, &QAction::triggered, this, [this, ref] { Trigger(ref.first, ref.second); });
        items_[ref] = a;
        if (d.Key.empty()) continue;
        auto* k = new QAction(&window);
        k->setShortcut(ToKeySequence(d.Key));
        k->setShortcutContext(Qt::WindowShortcut);
        connect(k, &QAction::triggered, this, [this, ref] {
            if (OnKey)
                OnKey(ref.first, ref.second);
            else
                Trigger(ref.first, ref.second);
        });
        window.addAction(k);
        keys_[ref] = k;
    }
}

QAction* TMenuView::Item(TWindowCommand c, int arg) const {
    return Find(items_, TRef{c, arg});
}

QMenu* TMenuView::Menu(TWindowMenu m) const {
    return Find(menus_, m);
}

QAction* TMenuView::Key(TWindowCommand c, int arg) const {
    return Find(keys_, TRef{c, arg});
}

void TMenuView::Wire(TCommandPart part, const TCommandHandlers::TList& handlers) {
    handlers_.Wire(part, handlers);
    for (const auto& [ref, a] : items_)
        if (Wired(ref.first)) a->setEnabled(true);
}

void TMenuView::Trigger(TWindowCommand c, int arg) {
    handlers_.Run(c, arg);
}

void TMenuView::Show(QMenu* menu, const TCommandState& s) {
    for (QAction* a : menu->actions()) {
        const TCommandDef* d = Find(entries_, static_cast<const QAction*>(a));
        if (!d) continue;
        const TMenuItemView v = EntryView(*d, s);
        a->setVisible(v.Visible);
        if (d->Kind != TEntryKind::Command) continue;
        a->setEnabled(v.Enabled && Wired(d->Command));
        if (d->Checkable) a->setChecked(v.Checked);
        if (!v.Caption.empty()) a->setText(ItemText(v.Caption, d->Key));
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
