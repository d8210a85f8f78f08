// The main window's passes without its window: the first show (its steps run once, the setup
// question asked once), a close attempt (refused while an outside editor has a page's file) and
// the window's state taken into the settings before they are written.
#pragma once

#include "mainwindow/StartUpLayout.h"

#include <string>

struct TSettings;

struct TFirstShowPass {
    bool Run = false;          // the first show: reopen pages, activate the channel...
    std::string SetupQuestion; // to ask before the setup dialog; empty when none
};

// What a close attempt decides.
struct TClosePass {
    bool CanClose = true;
    std::string Refusal; // shown when the attempt is refused
};

class TWindowPasses {
  public:
    // cdRom, firstStart: where the settings were found (the setup question follows from them).
    TWindowPasses(bool cdRom, bool firstStart) : cdRom_(cdRom), first_(firstStart) {}
    // Every show asks; only the first one runs.
    TFirstShowPass Show();
    // A close attempt; the settings are written on every attempt, a refused one too.
    static TClosePass Close(bool externalEditorRunning);

  private:
    bool cdRom_, first_;
    bool shown_ = false;
};

// The window's state at a settings write: the bounds are kept only for a normal window (a
// maximised one keeps its last normal bounds), and the bars' shown states. Where the platform
// does not tell a window its place (Wayland), the place written before is kept.
void TakeWindowState(TSettings& s, bool maximised, const TBounds& normal, bool functionBar,
                     bool statusBar, bool placeKnown = true);
