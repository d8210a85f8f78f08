// The main window's first show, close attempt and state written with the settings.
#include "mainwindow/WindowPasses.h"

#include "app/Settings.h"

TFirstShowPass TWindowPasses::Show() {
    TFirstShowPass p;
    if (shown_) return p;
    shown_ = true;
    p.Run = true;
    p.SetupQuestion = SetupQuestion(cdRom_, first_);
    return p;
}

TClosePass TWindowPasses::Close(bool externalEditorRunning) {
    if (!externalEditorRunning) return {};
    return {false, "外部エディタを起動中です。\r\n終了処理を中止いたします。"};
}

void TakeWindowState(TSettings& s, bool maximised, const TBounds& normal, bool functionBar,
                     bool statusBar, bool placeKnown) {
    s.isMaxSize = maximised;
    if (!maximised) {
        if (placeKnown) {
            s.fmTop = normal.top;
            s.fmLeft = normal.left;
        }
        s.fmHeight = normal.height;
        s.fmWidth = normal.width;
    }
    s.FuncChk = functionBar;
    s.StatChk = statusBar;
}
