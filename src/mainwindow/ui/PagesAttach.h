// Puts the pages into the main window: PageControl1 in the client area, the File menu's commands
// and the split, the status panels the pages refresh, the open-file list kept by the data module,
// the first show and the close of the pages, and the opening of handed-over lines.
#pragma once

class TSharedObjects;
class TMainWindow;
class TPages;

// Call once, after the main window is created and before it is shown.
TPages* AttachPages(TMainWindow& fm, TSharedObjects& dt);
