// TfmKaSetup: the setup page, the start-up methods page and the backup and restore page, of
// which one is shown (the page tabs are hidden).
#pragma once

#include "setup/Backup.h"
#include "setup/Installer.h"
#include "setup/ui/SetupDialogs.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QToolButton;

class TfmKaSetup : public QDialog, private TSetupHost {
    Q_OBJECT
  public:
    TfmKaSetup(int mode, TSetupContext context, QWidget* parent = nullptr);
    ~TfmKaSetup() override;

    QStackedWidget* PageControl1;
    QWidget *tsSetup, *tsKidou, *tsCopy;
    // Setup page.
    QLabel* Label15;
    QPushButton *btnSetup, *btnKiteichi;
    QToolButton* FramSpeedBtn19;
    QLineEdit *edtKidouS, *edtSetup;
    QRadioButton *rbNewSetup, *rbUwagaki, *rbNewSubSetup, *rbOpSetup;
    QGroupBox* rgOption;
    QCheckBox *cbDeskTop, *cbStartMenu, *cbProgram;
    // Start-up methods page.
    QLineEdit* edtKidou;
    QPushButton* btnAllKaijo;
    QRadioButton *DesktopOn, *DesktopOff, *StartMenuOn, *StartMenuOff, *ProgramOn, *ProgramOff;
    QPlainTextEdit* MeCopy;
    // Backup and restore page.
    QTabWidget* PageControl2;
    QLineEdit *edtCopy1, *edtCopy2, *edtCopy3;
    QPushButton *btnDirCopy1, *btnDirCopy2, *btnDirCopy3, *btnCopy1Go, *btnCopy2Go;
    QLabel *lblCopy1, *lblCopy2, *lblKaifuku1, *lblKaifuku2, *lblKaifuku3;
    QPushButton *btnKaifukuOk, *btnKaifukuGo;
    QPushButton* FramSpeedBtn1;

    // The folder chooser (replaceable for tests): title, start folder; empty on Cancel.
    std::function<QString(const QString&, const QString&)> ChooseFolder;

  protected:
    void done(int r) override;

  private:
    QWidget* buildSetupPage();
    QWidget* buildKidouPage();
    QWidget* buildCopyPage();
    void applyOptionRule();
    void readShortcutStates();
    void shortcutClicked(TShortcutPlace place, bool on);
    void setupClicked();
    void browseSetupFolder();
    void browseCopyFolder(int which);
    void copyGo(int which);
    void restoreGo();
    void enableRestore(bool on);
    TSetupAction action() const;
    TBackupSettings backupSettings() const;

    // TSetupHost
    void FocusSetupFolder() override;
    bool StartInstalled(const std::string& program, const std::string& folder) override;
    void Wait(int milliseconds) override;
    void EndProgram() override;

    TSetupContext context_;
    std::string programName_;
    std::string title_;
    TSpecialFolders folders_;
    std::string backupFile_;
    QString lastFolder_;
    bool ending_ = false;
    bool updatingShortcuts_ = false;
};
