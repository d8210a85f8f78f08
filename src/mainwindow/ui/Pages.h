// The pages of the main window: PageControl1 with one tab sheet and one editing control per file,
// the recent-list menus, the split view, and the start and exit passes of the
// pages. The rules live in TPageBook; this class gives them tab sheets, controls and dialogs.
#pragma once

#include "mainwindow/pages/PageSheets.h"
#include "mainwindow/RecentLists.h"
#include "mainwindow/ui/EditorPageEditor.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QSplitter;
class QTabWidget;
class QWidget;
class TIniFile;
class TPageTabBar;

class TPages : public QObject, public TPageSheets {
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
    // The menus the recent lists fill: files, folders to open in, folders to open whole.
    void SetRecentMenus(QMenu* files, QMenu* folders, QMenu* folderAll);

    // The three recent lists on data folder + "Tolmo.rec", all limited to menuCount; written
    // when the pages go.
    void CreateRecentLists(const std::string& recordFile, int menuCount);
    TRecentLists& Recent() { return recent_; }

    // Start: reads the open-file list from the settings file, reopens its pages, opens the
    // arguments, makes sure a page exists and activates the remembered page.
    void FirstShow(TIniFile& settings, const std::vector<std::string>& args);
    // Exit: carets recorded, modified pages offered for saving. False: closing refused.
    bool CloseQuery();
    // Writes the open-file list into the settings file it was read from; on failure shows
    // "ファイルリスト保存エラー..." and returns false.
    bool SaveFileList();

    TEditorPageEditor* ActivePageEditor() const { return EditorOfPage(ActivePage()); }
    TEditorPageEditor* EditorOfPage(int index) const {
        return static_cast<TEditorPageEditor*>(TextOfPage(index));
    }
    void ToggleSplit();

    // Hooks for the window.
    std::function<bool()> ExternalEditorRunningHook;
    std::function<void(bool show)> JumpPanelHook;
    std::function<void(const std::string& folder)> OpenFolderHook; // a recent whole folder

    // TPageHost.
    int ActivePage() const override;
    void SetActivePage(int index) override;
    void InsertPage(const std::string& caption, const std::string& path) override;
    void SetPageCaption(int index, const std::string& caption) override;
    void RemovePage(int index) override;
    void MovePage(int from, int to) override;
    bool LoadPageText(int index, const std::string& path, std::string* error) override;
    void Unsplit(int index) override;
    void ShowJumpPanel(bool show) override;
    void FocusActive() override;
    void UpdatePageStatus() override;
    void ShowProgress(const std::string& text) override;
    void SuspendUpdates(bool suspend) override;
    bool AskYesNo(const std::string& message, bool defaultYes) override;
    TSaveChoice AskSaveDiscardCancel(const std::string& message) override;
    void Notice(const std::string& message) override;
    void ErrorBox(const std::string& message) override;
    TSaveDialogResult RunSaveDialog(const std::string& folder, const std::string& name) override;
    std::string RunOpenDialog(const std::string& folder) override;
    bool ExternalEditorRunning() const override;
    std::string CurrentDirectory() const override;

  private:
    struct Sheet : TSheet {
        QWidget* widget = nullptr;
        QSplitter* splitter = nullptr;
    };
    void hookEditor(TEditorPageEditor* e, TSheet& sheet);
    void rebuildRecentMenu(int kind);

    QWidget* window_;
    TMyFileList& list_;
    TPageEditorFactory factory_;
    TPageBook book_;
    QTabWidget* pageControl_;
    TPageTabBar* tabBar_;
    int switching_ = 0; // programmatic switches in progress
    TRecentLists recent_;
    std::array<QPointer<QMenu>, 3> recentMenus_;
    std::string openDialogFolder_;
};
