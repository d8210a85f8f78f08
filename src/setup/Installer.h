// Setup without its window: the option rules of the setup page, the setup run (checks, install
// copy, shortcuts, hand-over to the installed copy) and the shortcut page's switches.
#pragma once

#include "platform/MessageBox.h"
#include "setup/SpecialFolders.h"

#include <string>

enum class TSetupAction { NewSetup, Overwrite, SubSetup, OptionSetup };

// What the option group shows for an action (the defaults unless options are chosen freely).
struct TSetupOptionState {
    bool enabled = false; // cbDeskTop, cbStartMenu, cbProgram and edtSetup can be changed
    bool grey = true;     // rgOption drawn grey
    bool desktop = false, startMenu = true, program = true;
};
TSetupOptionState OptionStateFor(TSetupAction action);

inline constexpr const char* kCompanionReadMe = "ReadMe.txt";
inline constexpr const char* kCompanionHolidays = "HDay.dat";
inline constexpr const char* kFirstDataName = "ToFirst.dat";
// Shortcut names: the desktop's, and the start menu's and program menu's.
inline constexpr const char* kDesktopShortcutName = "トルモ";
inline constexpr const char* kMenuShortcutName = "トルモ -Tolmo-";

// The window-side actions the setup run needs.
class TSetupHost {
  public:
    virtual ~TSetupHost() = default;
    virtual void FocusSetupFolder() = 0; // select and focus edtSetup
    virtual bool StartInstalled(const std::string& program, const std::string& folder) = 0;
    virtual void Wait(int milliseconds) = 0; // lets the window paint
    virtual void EndProgram() = 0;
};

struct TSetupRequest {
    std::string sourceFolder; // the running program's folder, trailing "/"
    std::string programName;  // its file name ("tolmo")
    std::string targetText;   // the text of edtSetup
    TSetupAction action = TSetupAction::NewSetup;
    bool desktop = false, startMenu = true, program = true;
    std::string title; // "「トルモ -Tolmo-」 Ver1.7.1.1 ", empty with /R or /X
    TSpecialFolders folders;
    std::string commonFilesFolder; // the data folder lies below it ("Brix/Tolmo/")
};

// btnSetup: every question, check and message, the install copy and the hand-over. True when
// the setup was completed (the host has then been asked to end the program).
bool RunSetup(TAsker& asker, const TSetupRequest& r, TSetupHost& host);

// The shortcut page: the three places and their switches.
enum class TShortcutPlace { Desktop, StartMenu, ProgramMenu };
std::string ShortcutFolder(const TSpecialFolders& f, TShortcutPlace place);
std::string ShortcutName(TShortcutPlace place);
bool ShortcutOn(const TSpecialFolders& f, TShortcutPlace place);
// The On button clicked: asks, creates the shortcut to program; the state afterwards.
bool SwitchShortcutOn(TAsker& asker, const TSpecialFolders& f, TShortcutPlace place,
                      const std::string& program);
// The Off button clicked: asks, deletes the shortcuts; the state afterwards (true: still on).
bool SwitchShortcutOff(TAsker& asker, const TSpecialFolders& f, TShortcutPlace place);
