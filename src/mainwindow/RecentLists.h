// The main window's three recent lists on one record file: files, folders to open a file in, and
// folders whose files all open; their length, their writing, and what a click on an entry opens.
#pragma once

#include "mainwindow/pages/OpenMenuList.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

class TPageBook;

class TRecentLists {
  public:
    enum TKind { kFiles = 0, kFolders = 1, kWholeFolders = 2 };

    // Reads the lists from their record file, each limited to menuCount entries, and gives the
    // book the lists its pages add to.
    void Create(const std::string& recordFile, int menuCount, TPageBook& book);
    TOpenMenuList* List(int kind) const { return lists_.at(static_cast<std::size_t>(kind)).get(); }
    void SetMenuCount(int n);
    int MenuCount() const;
    // Writes the lists into their record file; false when one could not be written.
    bool Save() const;
    // A click on an entry: a file opens, a folder's open dialog starts there, and a whole folder
    // opens through openFolder.
    void Clicked(int kind, const std::string& path, TPageBook& book,
                 const std::function<void(const std::string&)>& openFolder) const;

    // A list changed: its menu is built again.
    std::function<void(int kind)> OnChange;

  private:
    std::array<std::unique_ptr<TOpenMenuList>, 3> lists_;
};
