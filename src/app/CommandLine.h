// What the program says about itself on the command line: `--help` and `--version`, and the
// one-line answer when there is no display to show a window on.
#pragma once

#include <string>
#include <vector>

enum class TInfoRequest { None, Help, Version };

// `--help`/`-h` or `--version`/`-V` among the arguments (the first one named wins).
TInfoRequest FindInfoRequest(const std::vector<std::string>& args);

// The texts printed for them, in Japanese when the message locale is Japanese.
std::string HelpText(const std::string& program, bool japanese);
std::string VersionText();

// Whether the messages' locale (LC_ALL, LC_MESSAGES, LANG, in that order) is Japanese.
bool JapaneseMessages(const char* lcAll, const char* lcMessages, const char* lang);

// The line printed when neither an X11 nor a Wayland display is reachable; empty when a display
// (or a Qt platform chosen explicitly) is there.
std::string NoDisplayMessage(const char* display, const char* waylandDisplay,
                             const char* qtPlatform, bool japanese);
