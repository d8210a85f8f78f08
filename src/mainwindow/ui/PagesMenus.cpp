// The recent-list menus of the pages.
#include "mainwindow/ui/Pages.h"

#include "mainwindow/DocumentFile.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QMenu>

namespace {

enum RecentKind { kRecentFile = 0, kRecentFolderOpen = 1, kRecentFolderAll = 2 };

} // namespace

void TPages::SetRecentMenus(QMenu* files, QMenu* folders, QMenu* folderAll) {
    mnReOpen_ = files;
    mnfoReOpen_ = folders;
    mnFolderReOpen_ = folderAll;
    if (!recent_) return;
    rebuildRecentMenu(mnReOpen_, recent_.get(), kRecentFile);
    rebuildRecentMenu(mnfoReOpen_, folders_.get(), kRecentFolderOpen);
    rebuildRecentMenu(mnFolderReOpen_, folders2_.get(), kRecentFolderAll);
}

void TPages::CreateRecentLists(const std::string& recordFile, int menuCount) {
    recent_ = std::make_unique<TOpenMenuList>(recordFile, TOpenMenuList::kReOpen);
    folders_ = std::make_unique<TOpenMenuList>(recordFile, TOpenMenuList::kRefoOpen);
    folders2_ = std::make_unique<TOpenMenuList>(recordFile, TOpenMenuList::kRefoOpen);
    TIniFile rec(recordFile);
    struct Bind {
        TOpenMenuList* list;
        QPointer<QMenu>* menu;
        int kind;
    };
    for (Bind b : {Bind{recent_.get(), &mnReOpen_, kRecentFile},
                   Bind{folders_.get(), &mnfoReOpen_, kRecentFolderOpen},
                   Bind{folders2_.get(), &mnFolderReOpen_, kRecentFolderAll}}) {
        b.list->OnChange = [this, b] {
            if (*b.menu) rebuildRecentMenu(*b.menu, b.list, b.kind);
        };
        b.list->Load(IniSection(rec, b.list->Section()));
        b.list->SetMaximum(menuCount);
    }
    book_.recentFiles = recent_.get();
    book_.recentFolders = {folders_.get(), folders2_.get()};
}

void TPages::SetMenuCount(int n) {
    for (TOpenMenuList* l : {recent_.get(), folders_.get(), folders2_.get()})
        if (l) l->SetMaximum(n);
}

int TPages::MenuCount() const {
    return recent_ ? recent_->Maximum() : TOpenMenuList::kMinimum;
}

bool TPages::SaveRecentLists() {
    bool ok = true;
    for (TOpenMenuList* l : {recent_.get(), folders_.get(), folders2_.get()}) {
        if (!l) continue;
        TIniFile rec(l->RecordFile());
        ok = l->Save(IniSection(rec, l->Section())) && ok;
    }
    return ok;
}

void TPages::rebuildRecentMenu(QMenu* menu, TOpenMenuList* list, int kind) {
    if (!menu) return;
    menu->clear();
    for (const TOpenMenuList::TMenuEntry& e : list->MenuEntries()) {
        const QString path = QString::fromStdString(list->Items()[static_cast<size_t>(e.Index)]);
        QAction* a = menu->addAction(QString::fromStdString(e.Caption));
        a->setData(100 + e.Index);
        connect(a, &QAction::triggered, this, [this, kind, path] { recentClicked(kind, path); });
    }
    menu->setEnabled(!menu->actions().isEmpty());
}

void TPages::recentClicked(int kind, const QString& path) {
    const std::string p = path.toStdString();
    if (kind == kRecentFile)
        book_.OpenRecentFile(p);
    else if (kind == kRecentFolderOpen)
        book_.OpenInFolder(p);
    else if (OpenFolderHook)
        OpenFolderHook(path);
}
