// The main window's print commands: 印刷 (mnInsatsu, Ctrl+P) on the active page's text and
// 選択範囲印刷 (mnIchiIn) on its selection, with the printer settings kept in "PropPrn".
#pragma once

#include "print/StringsPrinter.h"

#include <QObject>

class TMainWindow;
class TPrintLines;
class TWindowCommands;

class TPrintCommands : public QObject {
    Q_OBJECT
  public:
    // Sets the handlers of the two items.
    TPrintCommands(TMainWindow& fm, TWindowCommands& commands);

    // The main window's printer (StringsPrinter1), configured values until settings are read.
    TStringsPrinter StringsPrinter1 = TStringsPrinter::Configured();

    bool PrintPages();
    bool PrintSelectedText();

  private:
    // The print dialog on these lines, with the active page's file for the header keywords.
    bool runDialog(const TPrintLines& lines);
    void loadSettings();
    void storeSettings();
    TMainWindow& fm_;
    TWindowCommands& commands_;
};
