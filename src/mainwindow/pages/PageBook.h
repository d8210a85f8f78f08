// The pages of the main window as documents: new, open, load, save, save as, close, close all,
// reorder and the start/exit passes, decided without a window. The window supplies the tab sheets,
// the editing controls and the dialogs through TPageHost; the open-file list is the page registry
// (record i belongs to page i).
#pragma once

#include "mainwindow/pages/MyFileList.h"
#include "mainwindow/pages/OpenMenuList.h"

#include <functional>
#include <string>
#include <vector>

// Result of the save dialog: accepted or cancelled, and the name in its file-name box.
struct TSaveDialogResult {
    bool accepted = false;
    std::string path;
};

// The answers of the question before a modified page goes: 保存, 破棄, キャンセル.
enum class TSaveChoice { Save, Discard, Cancel };

// What the window provides. Page indexes are tab positions.
class TPageHost {
  public:
    virtual ~TPageHost() = default;
    virtual int PageCount() const = 0;
    virtual int ActivePage() const = 0;
    // Makes the page current without the page-change handling.
    virtual void SetActivePage(int index) = 0;
    // Appends a tab sheet with one editing control; the property set and colouring definition
    // follow the path's extension.
    virtual void InsertPage(const std::string& caption, const std::string& path) = 0;
    virtual void SetPageCaption(int index, const std::string& caption) = 0;
    // Gives the page's controls the property set of the path's extension (after a save-as).
    virtual void ApplyPropertiesFor(int index, const std::string& path) = 0;
    virtual void RemovePage(int index) = 0;
    virtual void MovePage(int from, int to) = 0;
    // Reads the file into the page's control, which is not modified afterwards. On failure the
    // control keeps its text and *error says why.
    virtual bool LoadPageText(int index, const std::string& path, std::string* error) = 0;
    // Writes the page's text (Shift-JIS, CR LF) to the path, replacing the file only once the new
    // content is safely on disk.
    virtual bool SavePageText(int index, const std::string& path, std::string* error) = 0;
    virtual bool IsModified(int index) const = 0;
    virtual void SetModified(int index, bool modified) = 0;
    virtual bool IsReadOnly(int index) const = 0;
    virtual void SetReadOnly(int index, bool readOnly) = 0;
    virtual void GetCaret(int index, int* row, int* topRow) const = 0;
    virtual void SetCaret(int index, int row, int topRow) = 0;
    virtual bool IsSplit(int index) const = 0;
    virtual void Unsplit(int index) = 0;
    virtual void ShowJumpPanel(bool /*show*/) {}
    // Focus, status refresh (caption, modified mark, panels) after a page change or an operation.
    virtual void FocusActive() = 0;
    virtual void UpdatePageStatus() = 0;
    virtual void ShowProgress(const std::string& text) = 0; // status panel 6
    virtual void SuspendUpdates(bool suspend) = 0;
    // Dialogs.
    virtual bool AskYesNo(const std::string& message, bool defaultYes) = 0;
    // 保存 (the default) / 破棄 / キャンセル; Escape and closing the box are キャンセル.
    virtual TSaveChoice AskSaveDiscardCancel(const std::string& message) = 0;
    virtual void Notice(const std::string& message) = 0;
    virtual void ErrorBox(const std::string& message) = 0;
    virtual TSaveDialogResult RunSaveDialog(const std::string& folder, const std::string& name) = 0;
    // Open dialog in a folder; empty when cancelled.
    virtual std::string RunOpenDialog(const std::string& folder) = 0;
    virtual bool ExternalEditorRunning() const { return false; }
    virtual std::string CurrentDirectory() const = 0;
};

// Pages as the watchers beside the book see them: an id that stays with a page through moves
// and is never given again after it closes.
class TPageIds {
  public:
    virtual ~TPageIds() = default;
    virtual int PageId(int index) const = 0;
    // The page's tab position now; -1 once it has closed.
    virtual int IndexOfPage(int id) const = 0;
};

class TPageBook {
  public:
    TPageBook(TPageHost& host, TMyFileList& list) : host_(host), list_(list) {}

    // Settings the window hands over.
    std::string programFolder; // with trailing "/"
    bool knKakunin = true;     // save named pages without asking
    bool restoring = false;    // true while the open-file list is reopened
    bool firstShow = true;     // true until the end of the first show
    int pageToActivate = -1;   // [Set] Page
    bool deferLoad = false;    // pages opened meanwhile are read when they are first shown
    // The data folder (trailing "/"): Save As for a page without a file starts in its Files
    // folder, else in the home folder (never the program's own, unwritable when installed).
    std::string dataFolder;
    TOpenMenuList* recentFiles = nullptr;
    std::vector<TOpenMenuList*> recentFolders;
    // Long-path form of a command-line argument (identity when unset).
    std::function<std::string(const std::string&)> expandPath;
    // Holiday file named by a "/K" argument; empty when none or missing.
    std::string holidayFile;

    TMyFileList& List() { return list_; }
    std::string ActivePath() const;
    std::string PathOfPage(int index) const { return list_.PathOf(index); }
    bool IsUntitled(int index) const { return list_.GetField(index, ffName) == kUntitledName; }

    // Page operations.
    void NewPage(const std::string& path);
    bool OpenFile(const std::string& path);
    bool LoadFile(const std::string& path);
    bool SaveToPath(const std::string& path, bool ask);
    bool SaveAsDialog(const std::string& currentPath);
    bool ClosePagePrompt();
    // Closes the active page; false when its text could not be saved and the page was kept.
    bool ClosePage();
    bool CloseEveryPage(bool ask);
    void PageChange();
    void PageChanging();
    // Commands.
    void New();
    void Open();
    void Save();
    void SaveAs() { SaveAsDialog(ActivePath()); }
    // Tab mouse: right button on a tab (ctrl skips the question); drop of the active tab.
    void RightClickTab(int index, bool ctrl);
    void DropTab(int target);
    // The page a recovered text goes to: the page of its file when open (read when it was
    // restored unread), a new untitled page for an untitled text, else its file opened, or a
    // page of that name when the file has gone. Returns the page.
    int OpenRecoveredPage(const std::string& path);
    // Recent-list clicks.
    void OpenRecentFile(const std::string& path);
    void OpenInFolder(const std::string& folder);

    // Start-up: reopen the open-file list, then every argument (a path or an open-file record),
    // an untitled page when nothing opened, and the page to activate.
    void RestoreList();
    void OpenArgument(const std::string& text);
    void OpenArguments(const std::vector<std::string>& args);
    // Lines handed over by a second start.
    void OpenHandedOver(const std::vector<std::string>& lines);
    void FinishFirstShow();

    // Exit: records carets of loaded pages and offers to save every modified page. False when
    // closing is refused (an external editor runs, or the user cancelled a page's question).
    bool CloseQuery();
    // Records every loaded page's caret row and top row in its entry.
    void RecordCarets();

    // Texts.
    static std::string TabCaption(const std::string& path);
    static std::string CloseAllProgress(int remaining, int total);
    static bool IsUntitledSaveName(const std::string& name);
    // A path that is not absolute is taken relative to the program folder.
    static std::string ResolveAgainst(const std::string& path, const std::string& programFolder);

  private:
    // A modified page about to go (closed, or the program ends): saved (after the question when
    // ask), or let go; false when the user cancelled and the page stays.
    bool saveBeforeGoing(int index, const std::string& shown, bool ask);
    bool exitSavePrompt(int index);
    bool writeActive(const std::string& path);
    void addRecent(int index);
    TPageHost& host_;
    TMyFileList& list_;
    std::string saveDialogFolder_;
};

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
