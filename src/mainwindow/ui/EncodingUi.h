// The page's encoding and line ends for the user: a status panel beyond the design's seven, the
// menu that reopens a page in a chosen encoding or changes what saving writes, and the format
// choices of the save dialog.
#pragma once

#include <functional>

class QFileDialog;
class TMainWindow;
class TPages;
class TEditorPageEditor;

// Adds the panel and the menu to the main window, reads the format of new pages from the
// settings file and the remembered encodings of single files from the data folder.
void AttachEncodingUi(TMainWindow& fm, TPages& pages);

// Puts an encoding and a line-end box into a (non-native) save dialog, preset from the page;
// the returned function stores the choice in the page (call it when the dialog was accepted).
std::function<void()> AddFormatChoices(QFileDialog& d, TEditorPageEditor* page);
