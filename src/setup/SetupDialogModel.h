// The setup dialog without its window: its three pages as data (setup, start-up methods, backup
// and restore) and TSetupDialogModel, their rules: the option group that follows the action,
// the shortcut switches, the chosen folders, the restore that must be switched on, the request
// the setup run gets and the copy page's values kept beside the program.
#pragma once

#include "app/Form.h"
#include "setup/Backup.h"
#include "setup/Installer.h"

#include <algorithm>
#include <string>
#include <vector>

const TFormDesc& SetupDialogForm();

class TSetupDialogModel : public TFormModel {
  public:
    // mode 1 the setup page, 2 the start-up methods, anything else backup and restore; args the
    // command line ("/R" or "/X" first: no title). asker asks the page's questions.
    TSetupDialogModel(TAsker& asker, int mode, std::string programFolder,
                      const std::string& dataFolder, const std::vector<std::string>& args,
                      std::string programName);

    TAsker& Asker; // also for the setup, backup and restore runs of the dialog
    const std::string ProgramFolder, ProgramName, Title, BackupFile;
    TSpecialFolders Folders;
    // The option group is drawn grey.
    bool OptionGrey() const { return grey_; }

    void Changed(const std::string& name) override;
    void Clicked(const std::string& name) override;

    // Where FramSpeedBtn19's folder chooser opens: the folder chosen last while it exists, else
    // the program's folder.
    std::string SetupFolderStart() const;
    // FramSpeedBtn19's folder (empty: cancelled): edtSetup, with "Tolmo/" added when asked.
    void SetupFolderChosen(const std::string& chosen);
    // The copy folders (1, 2: destinations, 3: the restore source): where the chooser starts,
    // and the folder it gave.
    std::string CopyFolderStart(int which) const;
    void CopyFolderChosen(int which, const std::string& chosen);
    // A finished backup's stamp.
    void BackedUp(int which, const std::string& stamp) { SetText(CopyLabel(which), stamp); }
    static std::string CopyEdit(int which) { return "edtCopy" + std::to_string(which); }
    static std::string CopyLabel(int which) { return "lblCopy" + std::to_string(which); }

    TSetupAction Action() const { return static_cast<TSetupAction>(std::max(0, Int("actions"))); }
    // What btnSetup runs.
    TSetupRequest Request(const std::string& commonFilesFolder) const;
    TBackupSettings Backup() const;
    // Closing: the copy page's values are kept when that page was the one shown.
    void Closing() const;
    // The shortcut switches show whether each shortcut exists.
    void ReadShortcutStates();

  private:
    std::string lastSetupFolder_; // the setup folder chosen last
    void applyOptionRule();
    void defaults();
    bool grey_ = true;
};
