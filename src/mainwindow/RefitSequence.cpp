// The order of the window-width refits and the preview's page.
#include "mainwindow/RefitSequence.h"

bool TRefitSequence::Resized() {
    resized_ = true;
    if (pending_) return false;
    pending_ = true;
    return true;
}

TRefitSequence::TPageStep TRefitSequence::PageChanged(int activePage, bool panelOpen) {
    TPageStep step;
    step.CancelPanel = panelOpen && activePage != last_;
    last_ = activePage;
    step.RefitAll = resized_;
    resized_ = false;
    return step;
}
