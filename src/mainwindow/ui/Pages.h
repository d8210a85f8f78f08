// The pages of the main window: PageControl1 with one tab sheet and one editing control per file,
// the recent-list menus, the split view, and the start and exit passes of the
// pages. The rules live in TPageBook; this class gives them tab sheets, controls and dialogs.
#pragma once

#include "mainwindow/OpenMenuList.h"
#include "mainwindow/PageBook.h"
#include "mainwindow/ui/EditorPageEditor.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QSplitter;
class QTabWidget;
class QWidget;
class TIniFile;
class TPageTabBar;

class TPages : public QObject, public TPageHost, public TPageIds {
    Q_OBJECT
  public:
    TPages(QWidget* window, TMyFileList& list, TPageEditorFactory factory);
    ~TPages() override;

    QTabWidget* PageControl1() const { return pageControl_; }
    TPageTabBar* TabBar() const { return tabBar_; }
    TPageBook& Book() { return book_; }
    TMyFileList& List() { return list_; }

    // Settings handed over by the window (Part of the settings file).
    void SetProgramFolder(const std::string& folder) { book_.programFolder = folder; }
    void SetKnKakunin(bool v) { book_.knKakunin = v; }
    void SetPageToActivate(int page) { book_.pageToActivate = page; }
    int PageToActivate() const { return book_.pageToActivate; }
    // Caret display: screen rows and columns ("Row / Col") or logical lines ("Line / Char").
    void SetRowColMode(bool rowCol);

    // The menus the recent lists fill: files, folders to open in, folders to open whole.
    void SetRecentMenus(QMenu* files, QMenu* folders, QMenu* folderAll);

    // The three recent lists on data folder + "Tolmo.rec", all limited to menuCount.
    void CreateRecentLists(const std::string& recordFile, int menuCount);
    void SetMenuCount(int n);
    int MenuCount() const;
    // Writes the recent lists into their record file (the end of the program).
    bool SaveRecentLists();
    TOpenMenuList* RecentFiles() const { return recent_.get(); }

    // Start: reads the open-file list from the settings file, reopens its pages, opens the
    // arguments, makes sure a page exists and activates the remembered page.
    void FirstShow(TIniFile& settings, const QStringList& args);
    // Lines handed over by a second start.
    void OpenHandedOver(const QStringList& lines);
    // Exit: carets recorded, modified pages offered for saving. False: closing refused.
    bool CloseQuery();
    // Writes the open-file list into the settings file it was read from; on failure shows
    // "ファイルリスト保存エラー..." and returns false.
    bool SaveFileList();

    TEditorPageEditor* ActivePageEditor() const;
    TEditorPageEditor* EditorOfPage(int index) const;
    // Every editing control of every page (both halves of a split page).
    std::vector<TEditorPageEditor*> AllEditors() const;
    void ToggleSplit();
    void Clear();

    // Hooks for the window.
    std::function<void(int panel, const QString& text)> SetStatusPanel;
    // Told with the active page's control whenever its status is refreshed (the panels beyond
    // the design's seven follow it).
    std::function<void(TEditorPageEditor*)> OnPageStatus;
    std::function<void(bool modified)> OnModifiedMark; // the F11 "更新" mark
    std::function<void(int index)> OnTextChanged;      // any page's text changed
    // A page's file was read or written; before a write, false (with the reason) stops it.
    std::function<void(int index, const std::string&path)> OnFileRead, OnFileWritten;
    std::function<bool(int index, const std::string& path, std::string* error)> BeforeFileWrite;
    std::function<bool()> ExternalEditorRunningHook;
    std::function<void(bool show)> JumpPanelHook;
    std::function<void()> OnStatusRefreshed; // after UpdatePageStatus: the lock-key panels
    std::function<void(const QString& folder)> OpenFolderHook; // "フォルダ開き直す" (folder open)

    // TPageHost.
    int PageCount() const override;
    int ActivePage() const override;
    void SetActivePage(int index) override;
    void InsertPage(const std::string& caption, const std::string& path) override;
    void SetPageCaption(int index, const std::string& caption) override;
    void ApplyPropertiesFor(int index, const std::string& path) override;
    void RemovePage(int index) override;
    void MovePage(int from, int to) override;
    bool LoadPageText(int index, const std::string& path, std::string* error) override;
    bool SavePageText(int index, const std::string& path, std::string* error) override;
    bool IsModified(int index) const override;
    void SetModified(int index, bool modified) override;
    bool IsReadOnly(int index) const override;
    void SetReadOnly(int index, bool readOnly) override;
    void GetCaret(int index, int* row, int* topRow) const override;
    void SetCaret(int index, int row, int topRow) override;
    bool IsSplit(int index) const override;
    void Unsplit(int index) override;
    void ShowJumpPanel(bool show) override;
    void FocusActive() override;
    void UpdatePageStatus() override;
    void ShowProgress(const std::string& text) override;
    void SuspendUpdates(bool suspend) override;
    bool AskYesNo(const std::string& message, bool defaultYes) override;
    void Notice(const std::string& message) override;
    void ErrorBox(const std::string& message) override;
    TSaveDialogResult RunSaveDialog(const std::string& folder, const std::string& name) override;
    std::string RunOpenDialog(const std::string& folder) override;
    bool ExternalEditorRunning() const override;
    std::string CurrentDirectory() const override;
    // TPageIds.
    int PageId(int index) const override { return sheet(index).id; }
    int IndexOfPage(int id) const override;

    // Refreshes status panel 0 (caret position) of the active control.
    void UpdateCaretPanel();

  private:
    struct Sheet {
        int id = 0;
        QWidget* widget = nullptr;
        QSplitter* splitter = nullptr;
        std::unique_ptr<TEditorPageEditor> editor;
        std::unique_ptr<TEditorPageEditor> upper; // the split view's second control
        TEditorPageEditor* focused = nullptr;
    };
    void hookEditor(TEditorPageEditor* e, Sheet* sheet);
    void currentChanged(int index);
    void rebuildRecentMenu(QMenu* menu, TOpenMenuList* list, int kind);
    void recentClicked(int kind, const QString& path);
    void setPanel(int panel, const QString& text);
    Sheet& sheet(int i) const { return *sheets_.at(static_cast<std::size_t>(i)); }

    QWidget* window_;
    TMyFileList& list_;
    TPageEditorFactory factory_;
    TPageBook book_;
    QTabWidget* pageControl_;
    TPageTabBar* tabBar_;
    std::vector<std::unique_ptr<Sheet>> sheets_;
    int switching_ = 0; // programmatic switches in progress
    int nextId_ = 1;
    bool rowCol_ = false;
    std::unique_ptr<TOpenMenuList> recent_, folders_, folders2_;
    QPointer<QMenu> mnReOpen_, mnfoReOpen_, mnFolderReOpen_;
    std::string openDialogFolder_;
};
