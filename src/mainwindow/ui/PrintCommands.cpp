// Print commands of the main window.
#include "mainwindow/ui/PrintCommands.h"

#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/WindowCommands.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "print/StorePrintLines.h"
#include "print/ui/PrintDialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <filesystem>
#include <functional>
#include <string>

namespace {

// The window's command surface takes the handlers of its items where it offers that; otherwise
// the two items are added to the File menu here, after the recent-files menu.
template <typename Window>
bool HookIntoCommandSurface(Window& fm, std::function<void()> print, std::function<void()> sel) {
    if constexpr (requires { fm.SetMenuHandler(std::string(), std::function<void()>()); }) {
        fm.SetMenuHandler("mnInsatsu", std::move(print));
        fm.SetMenuHandler("mnIchiIn", std::move(sel));
        return true;
    } else {
        return false;
    }
}

} // namespace

TPrintCommands::TPrintCommands(TfmEditor& fm, TWindowCommands& commands)
    : QObject(&fm), fm_(fm), commands_(commands) {
    if (HookIntoCommandSurface(
            fm, [this] { mnInsatsuClick(); }, [this] { mnIchiInClick(); }))
        return;
    QMenu* file = fm.menuBar()->findChild<QMenu*>("mnFile");
    mnInsatsu = new QAction("印刷(&P)", &fm);
    mnInsatsu->setObjectName("mnInsatsu");
    mnInsatsu->setShortcut(QKeySequence("Ctrl+P"));
    mnInsatsu->setShortcutContext(Qt::WindowShortcut);
    mnIchiIn = new QAction("選択範囲印刷", &fm);
    mnIchiIn->setObjectName("mnIchiIn");
    if (file) {
        QAction* before = nullptr;
        const QList<QAction*> items = file->actions();
        for (int i = 0; i + 1 < items.size(); ++i)
            if (items[i]->menu() && items[i]->menu()->objectName() == "mnReOpen")
                before = items[i + 1];
        file->insertActions(before, {mnInsatsu, mnIchiIn});
        connect(file, &QMenu::aboutToShow, this, [this] {
            TEditor* e = commands_.ActiveEditor();
            mnIchiIn->setEnabled(e && e->Core().Selected());
            mnInsatsu->setEnabled(e != nullptr);
        });
        connect(file, &QMenu::aboutToHide, this, [this] {
            mnIchiIn->setEnabled(true);
            mnInsatsu->setEnabled(true);
        });
    } else {
        fm.addAction(mnInsatsu);
        fm.addAction(mnIchiIn);
    }
    connect(mnInsatsu, &QAction::triggered, this, [this] { mnInsatsuClick(); });
    connect(mnIchiIn, &QAction::triggered, this, [this] { mnIchiInClick(); });
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
        ShowMessage("印刷の設定を保存できませんでした。\r\n" + ini.LastError());
}

bool TPrintCommands::mnInsatsuClick() {
    TEditor* e = commands_.ActiveEditor();
    if (!e || !e->WaitForLoad()) return false; // the whole text is printed
    loadSettings();
    if (!e->Core().SharedStore()) return false;
    TStorePrintLines lines(e->Core().SharedStore());
    if (!TFormStringsPrint::Execute(StringsPrinter1, &lines, &fm_)) return false;
    storeSettings();
    return true;
}

bool TPrintCommands::mnIchiInClick() {
    TEditor* e = commands_.ActiveEditor();
    if (!e || !e->Core().Selected()) return false;
    loadSettings();
    TEditorCore& c = e->Core();
    TTextPrintLines lines(c.SelText(), c.SharedStore() ? c.SharedStore()->CharTable() : nullptr);
    if (!TFormStringsPrint::Execute(StringsPrinter1, &lines, &fm_)) return false;
    storeSettings();
    // After printing a selection, the selection goes and the caret stays at its end.
    c.SetSelStart(c.SelStart() + c.SelLength());
    return true;
}
