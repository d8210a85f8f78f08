// Print commands of the main window.
#include "mainwindow/ui/PrintCommands.h"

#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/WindowCommands.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "platform/ui/QtMessageSink.h"
#include "print/StorePrintLines.h"
#include "print/ui/PrintDialog.h"

#include <filesystem>
#include <string>

TPrintCommands::TPrintCommands(TMainWindow& fm, TWindowCommands& commands)
    : QObject(&fm), fm_(fm), commands_(commands) {
    fm.WireCommands(TCommandPart::Print,
                    {{TWindowCommand::Print, [this] { PrintPages(); }},
                     {TWindowCommand::PrintSelection, [this] { PrintSelectedText(); }}});
}

void TPrintCommands::loadSettings() {
    std::error_code ec;
    if (fm_.SettingsFile.empty() || !std::filesystem::exists(fm_.SettingsFile, ec)) return;
    TIniFile ini(fm_.SettingsFile);
    ReadPrinterFromIni(StringsPrinter1, ini);
}

void TPrintCommands::storeSettings() {
    if (fm_.SettingsFile.empty()) return;
    TIniFile ini(fm_.SettingsFile);
    if (!WritePrinterToIni(StringsPrinter1, ini))
        WindowAsker().ShowMessage("印刷の設定を保存できませんでした。\r\n" + ini.LastError());
}

bool TPrintCommands::runDialog(const TPrintLines& lines) {
    // The header's %f and %F print the page's own file; the stored value is kept as it was.
    const std::string stored = StringsPrinter1.FileName();
    StringsPrinter1.SetFileName(commands_.ActivePagePath());
    const bool printed = TPrintDialog::Execute(StringsPrinter1, &lines, &fm_);
    StringsPrinter1.SetFileName(stored);
    return printed;
}

bool TPrintCommands::PrintPages() {
    TEditor* e = commands_.ActiveEditor();
    if (!e || !e->WaitForLoad()) return false; // the whole text is printed
    loadSettings();
    if (!e->Core().SharedStore()) return false;
    TStorePrintLines lines(e->Core().SharedStore());
    if (!runDialog(lines)) return false;
    storeSettings();
    return true;
}

bool TPrintCommands::PrintSelectedText() {
    TEditor* e = commands_.ActiveEditor();
    if (!e || !e->Core().Selected()) return false;
    loadSettings();
    TEditorCore& c = e->Core();
    TTextPrintLines lines(c.SelText(), c.SharedStore() ? c.SharedStore()->CharTable() : nullptr);
    if (!runDialog(lines)) return false;
    storeSettings();
    // After printing a selection, the selection goes and the caret stays at its end.
    c.SetSelStart(c.SelStart() + c.SelLength());
    return true;
}
