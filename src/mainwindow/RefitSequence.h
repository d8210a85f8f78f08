// When the window-width wrap of the memo editors is worked out again, and when the settings
// panel's preview is dropped. A resize of the page control queues one refit of the active
// editor (its own resize comes after the page control's); a page change drops an open panel's
// preview when it leaves the page the preview is drawn on, and after a resize refits every
// memo editor once the layouts have settled.
#pragma once

class TRefitSequence {
  public:
    explicit TRefitSequence(int activePage = -1) : last_(activePage) {}

    // The page control changed size: true when a refit of the active editor is to be queued
    // (one at a time; RefitRan ends it).
    bool Resized();
    void RefitRan() { pending_ = false; }

    struct TPageStep {
        bool CancelPanel = false; // the preview's page was left
        bool RefitAll = false;    // queue a refit of every memo editor
    };
    TPageStep PageChanged(int activePage, bool panelOpen);
    // The panel opened on this page.
    void Opened(int activePage) { last_ = activePage; }

  private:
    int last_;
    bool resized_ = false; // the window changed size since the last page change
    bool pending_ = false; // a refit of the active editor is queued
};
