// The recent lists of files and folders.
#include "mainwindow/RecentLists.h"

#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/pages/PageBook.h"
#include "platform/IniFile.h"

void TRecentLists::Create(const std::string& recordFile, int menuCount, TPageBook& book) {
    TIniFile rec(recordFile);
    for (int kind : {kFiles, kFolders, kWholeFolders}) {
        auto& l = lists_[static_cast<std::size_t>(kind)];
        l = std::make_unique<TOpenMenuList>(recordFile, kind == kFiles ? TOpenMenuList::kReOpen
                                                                       : TOpenMenuList::kRefoOpen);
        l->OnChange = [this, kind] {
            if (OnChange) OnChange(kind);
        };
        l->Load(IniSection(rec, l->Section()));
        l->SetMaximum(menuCount);
    }
    book.recentFiles = List(kFiles);
    book.recentFolders = {List(kFolders), List(kWholeFolders)};
}

void TRecentLists::SetMenuCount(int n) {
    for (const auto& l : lists_)
        if (l) l->SetMaximum(n);
}

int TRecentLists::MenuCount() const {
    return lists_[kFiles] ? lists_[kFiles]->Maximum() : TOpenMenuList::kMinimum;
}

bool TRecentLists::Save() const {
    bool ok = true;
    for (const auto& l : lists_) {
        if (!l) continue;
        TIniFile rec(l->RecordFile());
        ok = l->Save(IniSection(rec, l->Section())) && ok;
    }
    return ok;
}

void TRecentLists::Clicked(int kind, const std::string& path, TPageBook& book,
                           const std::function<void(const std::string&)>& openFolder) const {
    if (kind == kFiles)
        book.OpenRecentFile(path);
    else if (kind == kFolders)
        book.OpenInFolder(path);
    else if (openFolder)
        openFolder(path);
}
