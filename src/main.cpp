// Process entry: a full instance creates the data module and the main window and runs the event
// loop; a second start hands its command line to the running instance and ends.
#include "app/CommandLine.h"
#include "app/HandOff.h"
#include "app/ShellUtil.h"
#include "app/ui/Application.h"
#include "app/ui/SessionEnd.h"
#include "mainwindow/pages/DocumentEncoding.h"
#include "mainwindow/ui/CommandSurface.h"
#include "mainwindow/ui/DiskWatch.h"
#include "mainwindow/ui/DisplayCommands.h"
#include "mainwindow/ui/EncodingUi.h"
#include "mainwindow/ui/FileCommandsWindow.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/PagesAttach.h"
#include "mainwindow/ui/PrintCommands.h"
#include "mainwindow/ui/RecoveryGuard.h"
#include "mainwindow/ui/SharedObjects.h"
#include "mainwindow/ui/WindowCommands.h"
#include "platform/ui/QtMessageSink.h"
#include "setup/ui/SetupDialogs.h"

#include <QSessionManager>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace {

// Looks for a running instance and, when this start is only a messenger, hands the command line
// over to it (the channel "Tolmo2005"). The exit code when this process must end here; nothing
// when it runs as a full instance.
std::optional<int> HandOffToRunningInstance(const TStartUpInfo& info) {
    std::error_code ec;
    const std::string current =
        IncludeTrailingChar(std::filesystem::current_path(ec).string(), "/");
    return RunMessengerStart(info.args, current, info.programFolder, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version, and a missing display, are answered before anything needs a window.
    {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const bool japanese = JapaneseMessages(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                               std::getenv("LANG"));
        switch (FindInfoRequest(args)) {
        case TInfoRequest::Help:
            std::cout << HelpText(std::filesystem::path(argv[0]).filename().string(), japanese);
            return 0;
        case TInfoRequest::Version:
            std::cout << VersionText();
            return 0;
        case TInfoRequest::None:
            break;
        }
        const std::string noDisplay =
            NoDisplayMessage(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                             std::getenv("QT_QPA_PLATFORM"), japanese);
        if (!noDisplay.empty()) {
            std::cerr << noDisplay;
            return 1;
        }
    }
    // The application object; the window layer asks the core's questions in Qt boxes.
    TApplication app(argc, argv);
    TQtAsker boxes;
    TScopedWindowAsker windowAsker(&boxes);

    // The program folder and the arguments as given.
    TStartUpInfo info;
    info.programFolder = IncludeTrailingChar(ExcludeTrailingChar(ProgramFolder(), "/"), "/");
    for (int i = 1; i < argc; ++i)
        info.args.emplace_back(argv[i]);

    // A second start hands its command line to the running instance and ends here.
    if (std::optional<int> code = HandOffToRunningInstance(info)) return *code;

    // A full instance: the data module first, then the main window; the event loop shows it.
    TSharedObjects dtEditor;
    int result = 0;
    {
        TMainWindow fmEditor(dtEditor, info);
        TPages* pages = AttachPages(fmEditor, dtEditor);
        AttachEncodingUi(fmEditor, *pages);
        auto* commands = new TWindowCommands(fmEditor, *pages);         // owned by the window
        auto* fileCommands = new TFileCommandsWindow(fmEditor, *pages); // owned by the window
        new TPrintCommands(fmEditor, *commands);                        // owned by the window
        new TDisplayCommands(fmEditor, dtEditor, *pages);               // owned by the window
        // The menus' rules, the keys, the bars and the panels.
        new TCommandSurface(fmEditor, *pages, *commands); // owned by the window
        // Unsaved pages are kept in recovery files; a signal or the end of the desktop session
        // ends the program without a question.
        auto* recovery = new TRecoveryGuard(fmEditor, dtEditor, *pages); // owned by the window
        // Files changed by other programs are offered for re-reading, and never overwritten
        // without a question.
        auto* diskWatch = new TDiskWatch(*pages, &fmEditor);
        // A recovery file remembers the file its page's text was made from, so that a restored
        // page's first save asks when the file changed since.
        recovery->Core().BaseOf = [diskWatch](int index) { return diskWatch->Book().Base(index); };
        recovery->Core().SetBase = [diskWatch](int index, const TDiskStamp& base) {
            diskWatch->Book().RecordBase(index, base);
        };
        const auto endWithoutQuestions = [recovery, diskWatch] {
            diskWatch->SetQuiet();
            recovery->EndWithoutQuestions();
        };
        TSessionEnd sessionEnd(&fmEditor);
        sessionEnd.BeforeClose = endWithoutQuestions;
        QObject::connect(&app, &QGuiApplication::commitDataRequest, recovery,
                         [endWithoutQuestions, &fmEditor](QSessionManager&) {
                             endWithoutQuestions();
                             fmEditor.close();
                         });
        // The first-run setup question and the release-age notice of each activation.
        fmEditor.OnSetupRequested = [&fmEditor] {
            RunSetupDialog(&fmEditor, 1,
                           {fmEditor.StartUp.programFolder, fmEditor.DataFolder,
                            fmEditor.StartUp.args, nullptr});
        };
        fmEditor.OnActivated = [&fmEditor] { CheckReleaseAge(&fmEditor, fmEditor.Settings); };
        // The その他 menu's dialogs: backup (0), setup (1) and start-up methods (2), the options,
        // the release-age notice and the about box.
        fileCommands->OpenSetup = [&fmEditor](int mode) {
            RunSetupDialog(&fmEditor, mode,
                           {fmEditor.StartUp.programFolder, fmEditor.DataFolder,
                            fmEditor.StartUp.args, nullptr});
        };
        fileCommands->OpenOptions = [&fmEditor] {
            if (!RunOptionsDialog(&fmEditor, fmEditor.Settings, fmEditor.SettingsFile,
                                  fmEditor.StartUp.programFolder))
                return false;
            SetNewPageFormat(ReadNewPageFormat(fmEditor.SettingsFile));
            return true;
        };
        fileCommands->OpenInfo = [&fmEditor] { RunInfoDialog(&fmEditor, fmEditor.Settings); };
        fileCommands->OpenAbout = [&fmEditor] { RunAboutDialog(&fmEditor); };
        fileCommands->UpdateDialogItems();
        // Every command of the table has its handler now: a part left unwired is a fault of the
        // build, not something to show as a dead item.
        if (!fmEditor.Menus->Handlers().Unwired().empty())
            throw std::logic_error("a part of the window's commands is not wired");
        fmEditor.show();
        result = app.exec();
    } // The main window goes first, then the data module.
    return result;
}
