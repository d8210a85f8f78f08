// The recent-list menus of the pages.
#include "mainwindow/ui/Pages.h"

#include <QAction>
#include <QMenu>

void TPages::SetRecentMenus(QMenu* files, QMenu* folders, QMenu* folderAll) {
    recentMenus_ = {files, folders, folderAll};
    for (int kind = 0; kind < 3; ++kind)
        rebuildRecentMenu(kind);
}

void TPages::CreateRecentLists(const std::string& recordFile, int menuCount) {
    recent_.OnChange = [this](int kind) { rebuildRecentMenu(kind); };
    recent_.Create(recordFile, menuCount, book_);
}

void TPages::rebuildRecentMenu(int kind) {
    QMenu* menu = recentMenus_[static_cast<std::size_t>(kind)];
    const TOpenMenuList* list = recent_.List(kind);
    if (!menu || !list) return;
    menu->clear();
    for (const TOpenMenuList::TMenuEntry& e : list->MenuEntries()) {
        QAction* a = menu->addAction(QString::fromStdString(e.Caption));
        a->setData(100 + e.Index);
        connect(a, &QAction::triggered, this,
                [this, kind, path = list->Items()[static_cast<size_t>(e.Index)]] {
                    recent_.Clicked(kind, path, book_, OpenFolderHook);
                });
    }
    menu->setEnabled(!menu->actions().isEmpty());
}
