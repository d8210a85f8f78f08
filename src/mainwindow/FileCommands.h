// The file commands of the main window, decided without a window: re-read, rename, the external
// editor, opening every memo of a folder and the read-me file. The window supplies the dialogs and
// the editor process through TFileCommandHost; pages and files go through TPageBook and TPageHost.
#pragma once

#include "app/Settings.h"
#include "mainwindow/pages/PageBook.h"

#include <string>
#include <vector>

class TFileCommandHost {
  public:
    virtual ~TFileCommandHost() = default;
    // The rename dialog (title "新しいファイル名を指定してください。", default extension "txt").
    virtual TSaveDialogResult RunRenameDialog(const std::string& folder,
                                              const std::string& name) = 0;
    // The folder dialog ("フォルダを選択してください。"); empty when cancelled.
    virtual std::string RunFolderDialog(const std::string& start) = 0;
    // Starts the external editor with an argument vector (no shell). Its end is reported to
    // TFileCommands::ExternalEditEnded. False when it cannot start.
    virtual bool StartEditor(const std::string& program, const std::vector<std::string>& args) = 0;
    virtual void ClearPageText(int index) = 0;
    // Information box with the application title as caption.
    virtual void InfoBox(const std::string& message) = 0;
    // Yes/No question with the application title as caption.
    virtual bool AskYesNoTitled(const std::string& message, bool defaultYes) = 0;
    // Shows the jump buttons of the active page.
    virtual void ShowJumpButtons() = 0;
    // Stops and resumes the drawing of the pages (not of the status bar) while many open.
    virtual void SuspendPageUpdates(bool /*suspend*/) {}
};

// The chosen rename path with a doubled extension removed: "memo.txt.txt" -> "memo.txt" (the
// extension compared without letter case). Dots elsewhere stay ("v1.2/memo.txt", "a.b.txt").
std::string RemoveDoubledExtension(const std::string& path);
// Where the safety copy of an externally edited file goes: beside the file as name + ".tx$"
// (its extension replaced), or in the data folder when the file's folder is not writable.
std::string SafetyCopyPath(const std::string& filePath, const std::string& dataFolder);
// The "*.txt" files of a folder (extension without letter case, regular files and links to them),
// full paths sorted by name: the order a file manager lists them in.
std::vector<std::string> MemoFilesOf(const std::string& folder);
// Status text while a folder opens: " " + " %3d /%3d" (open pages, files) + " " + one ">" per
// file opened so far.
std::string FolderOpenProgress(int openPages, int files, int opened);

inline constexpr const char* kReadMeName = "ReadMe.txt";

class TFileCommands {
  public:
    TFileCommands(TPageBook& book, TPageHost& host, TFileCommandHost& window,
                  const TSettings& settings)
        : book_(book), host_(host), window_(window), settings_(settings) {}

    std::string dataFolder;     // for the safety copy when a file's folder is write-protected
    std::string searchPath;     // $PATH, for program names without a folder
    std::string lastFolder;     // the folder last opened with the folder command
    bool removableCheck = true; // asks for media on removable drives

    // mnSaiYomikomi: the page's file again, or (untitled) an empty page after two questions.
    bool ReRead();
    // mnRename: renames the active page's file on disk and follows it in the page.
    bool Rename();

    // mnEditor: saves a modified page, writes the safety copy, makes the page read-only and starts
    // the editor on the file. False when refused or the editor could not start.
    bool StartExternalEdit();
    // The editor has ended: the page becomes writable and is read again, the safety copy goes.
    void ExternalEditEnded();
    bool ExternalEditRunning() const { return !mark_.empty(); }
    const std::string& ExternalEditPath() const { return mark_; }
    const std::string& SafetyCopy() const { return safety_; }

    // mnFolderOpen: a folder chosen in the dialog; every memo file after one question.
    bool FolderOpen();
    // A recent-folder item: every page closed first, then every memo file without a question.
    bool FolderReOpen(const std::string& folder);

    // mnReadMe: enabled when the read-me file is beside the program.
    bool ReadMeAvailable() const;
    bool OpenReadMe();

    // mnBackup's first step: offers to save a modified page. False when its save failed.
    bool SaveBeforeBackup();

  private:
    bool openFolderFiles(bool asking);
    void endExternalEdit(int index);

    TPageBook& book_;
    TPageHost& host_;
    TFileCommandHost& window_;
    const TSettings& settings_;
    std::string mark_, safety_;
    bool wasReadOnly_ = false;
};
