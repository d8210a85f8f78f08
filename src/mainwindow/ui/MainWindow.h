// The main window TMainWindow: from its creation (data folder, settings, placement) to closing
// (settings written). Pages, menus and panels hang off the fields set up here.
#pragma once

#include "app/Settings.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/WindowPasses.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QString;
class QStatusBar;
class QTabWidget;
class QWidget;
class TSharedObjects;
class TMemMapEvt1;
class TMenuView;

// What process entry knows when it creates the main window.
struct TStartUpInfo {
    std::string programFolder;     // with a trailing "/"
    std::vector<std::string> args; // command-line arguments 1 to the last
};

class TMainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The design size of the window.
    static constexpr int kDesignWidth = 779;
    static constexpr int kDesignHeight = 575;

    TMainWindow(TSharedObjects& dt, TStartUpInfo info, QWidget* parent = nullptr); // FormCreate
    ~TMainWindow() override;                                                       // FormDestroy

    // Start-up fields.
    const TStartUpInfo StartUp;
    std::string DataFolder;   // folder of Tolmo.ini and Tolmo.rec, trailing "/"
    std::string SettingsFile; // DataFolder + "Tolmo.ini"
    std::string HolidayFile;
    std::string ProgramFilesFolder;
    std::string ExternalEditorFile; // non-empty while an external editor runs; blocks closing
    // Every value of the settings file; the rest of the program reads these.
    TSettings Settings;
    // The status bar shows screen rows and columns (else logical lines and characters).
    bool StatusShowsRows = false;

    // Components.
    QWidget* pnlFunction = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QWidget* pnlLeft = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWidget* tsTab = nullptr;
    QWidget* tsMemo = nullptr;
    QWidget* pnlClient = nullptr;
    TMenuView* Menus = nullptr;        // the main menu, built from its table
    TMemMapEvt1* MemMapEvt1 = nullptr; // channel "Tolmo2005", activated at the first show

    // Reads every settings key into Settings (called once while the window is created).
    void ReadSettings();
    // Takes the window's state into Settings and writes the settings file (false on failure); the
    // first failure is told in a message box unless quiet (an end without questions).
    bool WriteSettings(bool quiet = false);

    // Adds a sunken panel to the status bar (permanent: at its right end).
    QLabel* AddStatusPanel(const QString& name, const TStatusPanelDesign& design, int stretch = 0,
                           bool permanent = false);

    // The window-layout toggles behind the window menu's items.
    void ToggleFunctionBar();
    void ToggleStatusBar();

    // Wires every command of a part of the window and enables their items; their keys then run
    // them through the menus' rules. A part that leaves one of its commands out stops the program
    // (see TCommandHandlers::Wire).
    void WireCommands(TCommandPart part,
                      std::initializer_list<std::pair<TWindowCommand, std::function<void()>>> list);
    // Whether a file manager answers on the session bus (the file-property item needs one).
    std::function<bool()> FileManager;

    // The first show and close attempts (a test with its pages in place passes the first show).
    TWindowPasses& Passes() { return *passes_; }

    // Hooks for the pieces built on this window.
    std::function<void()> OnFirstShow; // reopen pages, open the command line, channel
    // Offers modified pages for saving; false: the user cancelled and the window stays.
    std::function<bool()> OnCloseQueryPages;
    std::function<void()> OnSetupRequested; // the setup dialog
    std::function<void()> OnActivated;      // FormActivate: the release-age check
    // MemMapEvt1Exit: the lines a second start handed over (switches removed, blanks decoded),
    // each a path or an open-file record to open, in order.
    std::function<void(const std::vector<std::string>& lines)> OnHandOffLines;

  signals:
    // The options dialog changed Settings (before: the values it started from); the pieces
    // that keep a copy of a value take the new one.
    void OptionsApplied(const TSettings& before);

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    TSettingsWriteReport settingsReport_;
    void buildComponents();
    void fitBarsToCaption();
    void placeWindow();
    void FormShow();

    TSharedObjects& dt_;
    std::unique_ptr<TWindowPasses> passes_; // first show and close attempts
};
