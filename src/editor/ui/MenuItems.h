// A menu's actions from a core list of items: "-" a separator, items with Items a submenu, the
// shortcut only shown beside the caption (the keys reach the control), the enabled and checked
// state, and the run of a triggered item.
#pragma once

#include "editor/ui/QtConversions.h"

#include <QAction>
#include <QMenu>

#include <functional>
#include <string>
#include <vector>

template <typename Item>
void AddMenuItems(QMenu* menu, const std::vector<Item>& items, std::string Item::*shortcut,
                  const std::function<bool(const Item&)>& wired,
                  const std::function<void(const Item&)>& run) {
    for (const Item& i : items) {
        const QString caption = QString::fromStdString(i.Caption);
        if (i.Caption == "-") {
            menu->addSeparator();
        } else if (!i.Items.empty()) {
            AddMenuItems(menu->addMenu(caption), i.Items, shortcut, wired, run);
        } else {
            QAction* a = menu->addAction(caption);
            a->setShortcut(ToKeySequence(i.*shortcut));
            a->setShortcutContext(Qt::WidgetShortcut);
            a->setEnabled(i.Enabled && (!wired || wired(i)));
            a->setCheckable(i.Checked);
            a->setChecked(i.Checked);
            QObject::connect(a, &QAction::triggered, menu, [run, i] { run(i); });
        }
    }
}
