// Where the program and the user's folders are. Every folder is returned with a trailing "/".
#pragma once

#include <string>

// Folder of the running executable (links resolved).
std::string ProgramFolder();
// Path of the running executable (links resolved).
std::string ProgramFile();
// $HOME (from the password database when unset).
std::string HomeFolder();
// $XDG_CONFIG_HOME, else ~/.config/ (a relative XDG value is ignored, as the standard says).
std::string ConfigHome();
// $XDG_DATA_HOME, else ~/.local/share/.
std::string DataHome();
// $XDG_STATE_HOME, else ~/.local/state/.
std::string StateHome();

// The folders the program asks the system for, answered with their Linux stand-ins.
std::string WindowsFolder();    // the home folder
std::string WindowsDriveRoot(); // the home folder
std::string
CommonFilesFolder(); // ConfigHome(): the normal data folder is CommonFilesFolder() + "Brix/Tolmo/"
std::string ProgramFilesFolder(); // DataHome()

// A companion file of the program (HDay.dat, ReadMe.txt): beside the program, else in the
// installed share folder (<prefix>/share/tolmo/ for a program in <prefix>/bin/). Empty when
// neither holds it.
std::string FindCompanionFile(const std::string& programFolder, const std::string& name);

// An installed program: one in <prefix>/bin/ beside its <prefix>/share/tolmo/ (what
// `make install` and the package make), not a build folder or a portable copy.
bool IsInstalledProgram(const std::string& programFolder);
// The folder holding the user's texts folder "Files" and its SafeGuard: the program folder of a
// portable copy; for an installed program, whose folder the user cannot write,
// $XDG_DATA_HOME/tolmo/ (else ~/.local/share/tolmo/).
std::string TextsHome(const std::string& programFolder);
