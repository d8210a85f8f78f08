// The file commands in the main window: the handlers of re-read, rename, external editor and
// folder open, the その他 menu's dialogs and documents, the external editor's process and the
// dialogs the commands ask with. The decisions are TFileCommands'.
#pragma once

#include "mainwindow/FileCommands.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QProcess;
class TAddressClicks;
class TMainWindow;
class TPages;

class TFileCommandsWindow : public QObject, public TFileCommandHost {
    Q_OBJECT
  public:
    TFileCommandsWindow(TMainWindow& fm, TPages& pages);
    ~TFileCommandsWindow() override;

    TFileCommands& Commands() { return *core_; }

    // Dialogs of the setup and maintenance pieces; an item whose dialog is not given does
    // nothing. mode: 0 backup, 1 setup, 2 start-up methods. OpenOptions is true when the dialog
    // changed the window's Settings (not cancelled).
    std::function<void()> OpenAbout, OpenInfo;
    std::function<bool()> OpenOptions;
    std::function<void(int mode)> OpenSetup;

    // Wires the dialogs' items (call after setting the hooks).
    void UpdateDialogItems();

    // TFileCommandHost.
    TSaveDialogResult RunRenameDialog(const std::string& folder, const std::string& name) override;
    std::string RunFolderDialog(const std::string& start) override;
    bool StartEditor(const std::string& program, const std::vector<std::string>& args) override;
    void ClearPageText(int index) override;
    void InfoBox(const std::string& message) override;
    bool AskYesNoTitled(const std::string& message, bool defaultYes) override;
    void ShowJumpButtons() override;
    void SuspendPageUpdates(bool suspend) override;

  private:
    void showProgramProperties();
    void editorFinished();

    TMainWindow& fm_;
    TPages& pages_;
    std::unique_ptr<TFileCommands> core_;
    QPointer<QProcess> editor_;
    TAddressClicks* addresses_ = nullptr;
};
