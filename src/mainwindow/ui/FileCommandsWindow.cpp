// The file commands' menu items, dialogs and the external editor's process.
#include "mainwindow/ui/FileCommandsWindow.h"

#include "platform/ui/QtMessageSink.h"

#include "app/ShellUtil.h"
#include "app/ui/FileDialogColumns.h"
#include "app/ui/QtText.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/AddressClicks.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "platform/Folders.h"
#include "setup/ui/SetupDialogs.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileDialog>
#include <QProcess>
#include <QTabWidget>
#include <QUrl>

namespace {

const char* const kFileManager = "org.freedesktop.FileManager1";

// True when a file manager answers on the session bus (running or startable).
bool fileManagerAvailable() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    if (bus.interface()->isServiceRegistered(QString::fromLatin1(kFileManager))) return true;
    QDBusMessage m = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames"));
    QDBusMessage r = bus.call(m, QDBus::Block, 2000);
    return r.type() == QDBusMessage::ReplyMessage && !r.arguments().isEmpty() &&
           r.arguments().first().toStringList().contains(QString::fromLatin1(kFileManager));
}

} // namespace

TFileCommandsWindow::TFileCommandsWindow(TMainWindow& fm, TPages& pages)
    : QObject(&fm), fm_(fm), pages_(pages) {
    core_ = std::make_unique<TFileCommands>(pages.Book(), pages, *this, fm.Settings);
    core_->dataFolder = fm.DataFolder;
    core_->searchPath = qEnvironmentVariable("PATH").toStdString();
    fm.FileManager = [] {
        static const bool available = fileManagerAvailable(); // asked once, when first needed
        return available;
    };
    TFileCommands& c = *core_;
    using W = TWindowCommand;
    fm.WireCommands(TCommandPart::Files,
                    {{W::Rename, [&c] { c.Rename(); }},
                     {W::OpenFolder, [&c] { c.FolderOpen(); }},
                     {W::Reread, [&c] { c.ReRead(); }},
                     {W::ExternalEditor, [&c] { c.StartExternalEdit(); }},
                     {W::ProgramProperties, [this] { showProgramProperties(); }},
                     {W::WebSite, [] { OpenMakersWebPage(); }}, // tells when there is no connection
                     {W::ReadMe, [&c] { c.OpenReadMe(); }}});
    addresses_ = new TAddressClicks(fm, this);
    pages.OpenFolderHook = [&c](const std::string& folder) { c.FolderReOpen(folder); };
}

TFileCommandsWindow::~TFileCommandsWindow() {
    // An editor still running belongs to the user now: a QProcess would kill it on destruction.
    if (editor_ && editor_->state() != QProcess::NotRunning) {
        editor_->disconnect(this);
        editor_->setParent(nullptr);
        editor_ = nullptr; // left running on purpose
    }
}

void TFileCommandsWindow::UpdateDialogItems() {
    using W = TWindowCommand;
    fm_.WireCommands(TCommandPart::Dialogs,
                     {{W::About,
                       [this] {
                           if (OpenAbout) OpenAbout();
                       }},
                      {W::Information,
                       [this] {
                           if (OpenInfo) OpenInfo();
                       }},
                      {W::Options,
                       [this] {
                           const TSettings before = fm_.Settings;
                           if (OpenOptions && OpenOptions()) emit fm_.OptionsApplied(before);
                       }},
                      // The backup saves the pages first; backup and setup read the settings.
                      {W::Backup,
                       [this] {
                           if (!OpenSetup || !core_->SaveBeforeBackup()) return;
                           fm_.WriteSettings();
                           OpenSetup(0);
                       }},
                      {W::Setup,
                       [this] {
                           if (!OpenSetup) return;
                           fm_.WriteSettings();
                           OpenSetup(1);
                       }},
                      {W::StartUpMethods, [this] {
                           if (OpenSetup) OpenSetup(2);
                       }}});
}

// --- commands -----------------------------------------------------------------------------

void TFileCommandsWindow::showProgramProperties() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            QString::fromLatin1(kFileManager), QStringLiteral("/org/freedesktop/FileManager1"),
            QString::fromLatin1(kFileManager), QStringLiteral("ShowItemProperties"));
        m << QStringList{QUrl::fromLocalFile(QStr(ProgramFile())).toString()} << QString();
        if (bus.call(m, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage) return;
    }
    WindowAsker().ShowMessage(
        "プロパティを表示できるファイルマネージャーがないため、\r\nこの機能は使えません。\r\n"
        "中止します。");
}

// --- TFileCommandHost ---------------------------------------------------------------------

TSaveDialogResult TFileCommandsWindow::RunRenameDialog(const std::string& folder,
                                                       const std::string& name) {
    QFileDialog d(&fm_, QStringLiteral("新しいファイル名を指定してください。"));
    d.setObjectName(QStringLiteral("RenameDialog"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, true); // the command asks itself
    d.setDefaultSuffix(QStringLiteral("txt"));
    d.setNameFilters({QStringLiteral("テキスト( *.txt) (*.txt)"),
                      QStringLiteral("すべてのファイル( *.* ) (*)")});
    d.selectNameFilter(QStringLiteral("すべてのファイル( *.* ) (*)"));
    d.setDirectory(QStr(folder));
    d.selectFile(QStr(name));
    FitFileColumns(d);
    TSaveDialogResult r;
    r.accepted = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
    if (r.accepted) r.path = d.selectedFiles().first().toStdString();
    return r;
}

std::string TFileCommandsWindow::RunFolderDialog(const std::string& start) {
    const QString folder = QFileDialog::getExistingDirectory(
        &fm_, QStringLiteral("フォルダを選択してください。"), QStr(start));
    return folder.toStdString();
}

bool TFileCommandsWindow::StartEditor(const std::string& program,
                                      const std::vector<std::string>& args) {
    auto* p = new QProcess(this);
    p->setProgram(QStr(program));
    QStringList list;
    for (const std::string& a : args)
        list << QStr(a);
    p->setArguments(list); // the path is one argument, whatever it holds
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->setInputChannelMode(QProcess::ForwardedInputChannel);
    p->start();
    if (!p->waitForStarted(10000)) {
        delete p;
        return false;
    }
    editor_ = p;
    fm_.ExternalEditorFile = core_->ExternalEditPath();
    // The window goes on working; the process tells its end itself.
    connect(p, &QProcess::finished, this, &TFileCommandsWindow::editorFinished);
    return true;
}

void TFileCommandsWindow::editorFinished() {
    if (editor_) editor_->deleteLater();
    editor_ = nullptr;
    core_->ExternalEditEnded();
    fm_.ExternalEditorFile.clear();
}

void TFileCommandsWindow::ClearPageText(int index) {
    if (TEditorPageEditor* e = pages_.EditorOfPage(index)) e->ClearText();
}

void TFileCommandsWindow::InfoBox(const std::string& message) {
    WindowAsker().InfoBox(message, kAppTitle);
}

bool TFileCommandsWindow::AskYesNoTitled(const std::string& message, bool defaultYes) {
    return WindowAsker().AskYesNoTitled(message, kAppTitle, defaultYes);
}

void TFileCommandsWindow::ShowJumpButtons() {
    pages_.ShowJumpPanel(true);
}

void TFileCommandsWindow::SuspendPageUpdates(bool suspend) {
    pages_.PageControl1()->setUpdatesEnabled(!suspend);
}
