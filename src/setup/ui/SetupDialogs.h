// The entry points of the setup and maintenance windows for the main window's その他 menu:
// setup, start-up methods and backup (TSetupDialog), options (TOptionsDialog), the release-age
// notice (TReleaseNotice), the about box (TAboutDialog) and the maker's web page.
#pragma once

#include "app/Settings.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

struct TSetupContext {
    std::string programFolder;     // the running program's folder, trailing "/"
    std::string dataFolder;        // the data folder, trailing "/"
    std::vector<std::string> args; // the command line ("/R" or "/X" first: no title)
    // Ends the program after a completed setup or restore; by default the parent's window is
    // closed the normal way (modified pages are offered for saving).
    std::function<void()> endProgram;
};

// TSetupDialog modally: mode 1 the setup page, 2 the start-up methods, anything else backup and
// restore.
void RunSetupDialog(QWidget* parent, int mode, const TSetupContext& context);

// TOptionsDialog modally on the window's settings. True when the values were applied (not
// cancelled); they have then been written to [Set] of settingsFile, and the caller re-applies them
// (the recent-list size, the date style ...).
bool RunOptionsDialog(QWidget* parent, TSettings& settings, const std::string& settingsFile,
                      const std::string& programFolder);

// TReleaseNotice modally; afterwards settings.vInfoChien holds the new postponement.
void RunInfoDialog(QWidget* parent, TSettings& settings);
// The check made each time the main window is activated: shows the notice when due, then
// corrects the postponement of a young version.
void CheckReleaseAge(QWidget* parent, TSettings& settings);

// TAboutDialog modally.
void RunAboutDialog(QWidget* parent);

// The maker's web page with the system's handler, when connected; otherwise the message that
// there is no connection. True when the page was opened.
bool OpenMakersWebPage();
// The connection test (replaceable for tests).
extern std::function<bool()> InternetConnected;
