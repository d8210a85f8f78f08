// The file commands' menu items, dialogs and the external editor's process.
#include "mainwindow/ui/FileCommandsWindow.h"

#include "app/ShellUtil.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/EditorActions.h"
#include "mainwindow/ui/AddressClicks.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "platform/Folders.h"
#include "setup/ui/SetupDialogs.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTabWidget>
#include <QUrl>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QMenu* menuNamed(TfmEditor& fm, const char* name) {
    for (QAction* a : fm.menuBar()->actions())
        if (a->menu() && a->menu()->objectName() == QLatin1String(name)) return a->menu();
    return nullptr;
}

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

// What the menu rules look at here: the active page and the external editor.
TCommandState menuState(TPages& pages, const TSettings& settings, TFileCommands& files) {
    TCommandState s;
    const int i = pages.ActivePage();
    s.PageCount = pages.PageCount();
    if (auto* page = dynamic_cast<TEditorPageEditor*>(pages.ActivePageEditor());
        page && page->Editor())
        FillEditorState(s, page->Editor()->Core());
    s.Modified = i >= 0 && pages.IsModified(i); // either control of a split page
    s.ExternalEditorSet = settings.isEditor;
    s.ExternalEditorRunning = files.ExternalEditRunning();
    return s;
}

} // namespace

TFileCommandsWindow::TFileCommandsWindow(TfmEditor& fm, TPages& pages)
    : QObject(&fm), fm_(fm), pages_(pages) {
    core_ = std::make_unique<TFileCommands>(pages.Book(), pages, *this, fm.Settings);
    core_->dataFolder = fm.DataFolder;
    core_->searchPath = qEnvironmentVariable("PATH").toStdString();
    buildItems();
    addresses_ = new TAddressClicks(fm, this);
    pages.OpenFolderHook = [this](const QString& folder) {
        core_->FolderReOpen(folder.toStdString());
    };
}

TFileCommandsWindow::~TFileCommandsWindow() {
    // An editor still running belongs to the user now: a QProcess would kill it on destruction.
    if (editor_ && editor_->state() != QProcess::NotRunning) {
        editor_->disconnect(this);
        editor_->setParent(nullptr);
        editor_ = nullptr; // left running on purpose
    }
}

QAction* TFileCommandsWindow::item(const char* menu, const char* name, const QString& caption,
                                   const QKeySequence& key) {
    QAction* a = fm_.findChild<QAction*>(QString::fromLatin1(name));
    if (!a) {
        QMenu* m = menuNamed(fm_, menu);
        a = m ? m->addAction(caption) : new QAction(caption, &fm_);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) a->setShortcut(key);
    }
    a->setShortcutContext(Qt::WindowShortcut);
    fm_.addAction(a); // hidden items keep their keys
    return a;
}

void TFileCommandsWindow::buildItems() {
    // File menu.
    QAction* rename = item("mnFile", "mnRename", QStringLiteral("名称変更(&R)"));
    connect(rename, &QAction::triggered, this, &TFileCommandsWindow::mnRenameClick);
    QAction* folderOpen = item("mnFile", "mnFolderOpen", QStringLiteral("フォルダOpen(&F)"));
    folderOpen->setVisible(false);
    connect(folderOpen, &QAction::triggered, this, &TFileCommandsWindow::mnFolderOpenClick);

    // Edit menu.
    mnSaiYomikomi_ = item("mnEdit", "mnSaiYomikomi", QStringLiteral("再読込 [編集取消] (&O)"));
    connect(mnSaiYomikomi_, &QAction::triggered, this, &TFileCommandsWindow::mnSaiYomikomiClick);
    if (QMenu* edit = menuNamed(fm_, "mnEdit")) {
        mnEditorLine_ = fm_.findChild<QAction*>(QStringLiteral("mnEditorLine"));
        if (!mnEditorLine_) {
            mnEditorLine_ = edit->addSeparator();
            mnEditorLine_->setObjectName(QStringLiteral("mnEditorLine"));
        }
    }
    mnEditor_ = item("mnEdit", "mnEditor", QStringLiteral("エディタを起動(&E)"),
                     QKeySequence(QStringLiteral("Ctrl+Alt+E")));
    connect(mnEditor_, &QAction::triggered, this, &TFileCommandsWindow::mnEditorClick);
    if (QMenu* edit = menuNamed(fm_, "mnEdit"))
        connect(edit, &QMenu::aboutToShow, this, [this] {
            const TCommandState s = menuState(pages_, fm_.Settings, *core_);
            for (auto [a, name] :
                 {std::pair{mnSaiYomikomi_, "mnSaiYomikomi"}, std::pair{mnEditor_, "mnEditor"},
                  std::pair{mnEditorLine_, "mnEditorLine"}}) {
                if (!a) continue;
                const TMenuItemView v = MenuItemView(name, s);
                a->setEnabled(v.Enabled);
                a->setVisible(v.Visible);
            }
        });
    // Outside the open menu the key reaches the command, which refuses a second edit itself.
    if (QMenu* edit = menuNamed(fm_, "mnEdit"))
        connect(edit, &QMenu::aboutToHide, this, [this] { mnEditor_->setEnabled(true); });
    mnEditor_->setVisible(fm_.Settings.isEditor);
    if (mnEditorLine_) mnEditorLine_->setVisible(fm_.Settings.isEditor);

    // その他.
    mnAbout_ = item("mnSonota", "mnAbout", QStringLiteral("バージョン情報(&A)"));
    connect(mnAbout_, &QAction::triggered, this, [this] {
        if (OpenAbout) OpenAbout();
    });
    mnProperty_ = item("mnSonota", "mnProperty", QStringLiteral("プロパティ表示(&R)"));
    connect(mnProperty_, &QAction::triggered, this, &TFileCommandsWindow::mnPropertyClick);
    mnInfo_ =
        fm_.mnInfo ? fm_.mnInfo : item("mnSonota", "mnInfo", QStringLiteral("インフォメーション"));
    mnInfo_->setVisible(false);
    connect(mnInfo_, &QAction::triggered, this, [this] {
        if (OpenInfo) OpenInfo();
    });
    mnTolmo_ = item("mnSonota", "mnTolmo", QStringLiteral("トルモの公式サイトを開く"));
    connect(mnTolmo_, &QAction::triggered, this, &TFileCommandsWindow::mnTolmoClick);
    mnSet_ = item("mnSonota", "mnSet", QStringLiteral("オプション設定(&O)"));
    connect(mnSet_, &QAction::triggered, this, [this] {
        const TSettings before = fm_.Settings;
        if (OpenOptions && OpenOptions()) emit fm_.OptionsApplied(before);
    });
    connect(&fm_, &TfmEditor::OptionsApplied, this, [this] {
        mnEditor_->setVisible(fm_.Settings.isEditor);
        if (mnEditorLine_) mnEditorLine_->setVisible(fm_.Settings.isEditor);
    });
    mnReadMe_ = item("mnSonota", "mnReadMe", QStringLiteral("ReadMe.txt 表示"));
    connect(mnReadMe_, &QAction::triggered, this, &TFileCommandsWindow::mnReadMeClick);
    mnKidou_ = item("mnSonota", "mnKidou", QStringLiteral("起動方法"));
    connect(mnKidou_, &QAction::triggered, this, &TFileCommandsWindow::mnKidouClick);
    mnSetup_ = item("mnSonota", "mnSetup", QStringLiteral("セットアップ"));
    connect(mnSetup_, &QAction::triggered, this, &TFileCommandsWindow::mnSetupClick);
    mnBackup_ = item("mnSonota", "mnBackup", QStringLiteral("バックアップ＆リストア"));
    connect(mnBackup_, &QAction::triggered, this, &TFileCommandsWindow::mnBackupClick);
    if (QMenu* other = menuNamed(fm_, "mnSonota")) {
        // The character count sits between the options and the read-me file.
        if (QAction* count = fm_.findChild<QAction*>(QStringLiteral("mnMojisuu"));
            count && other->actions().contains(mnReadMe_)) {
            other->removeAction(count);
            other->insertAction(mnReadMe_, count);
        }
        connect(other, &QMenu::aboutToShow, this, &TFileCommandsWindow::mnSonotaClick);
    }
    UpdateDialogItems();
    mnReadMe_->setEnabled(core_->ReadMeAvailable());
}

void TFileCommandsWindow::UpdateDialogItems() {
    mnAbout_->setEnabled(static_cast<bool>(OpenAbout));
    mnSet_->setEnabled(static_cast<bool>(OpenOptions));
    mnInfo_->setEnabled(static_cast<bool>(OpenInfo));
    for (QAction* a : {mnKidou_, mnSetup_, mnBackup_})
        a->setEnabled(static_cast<bool>(OpenSetup));
}

void TFileCommandsWindow::mnSonotaClick() {
    if (QAction* count = fm_.findChild<QAction*>(QStringLiteral("mnMojisuu")))
        count->setEnabled(
            MenuItemView("mnMojisuu", menuState(pages_, fm_.Settings, *core_)).Enabled);
    mnReadMe_->setEnabled(core_->ReadMeAvailable());
    static const bool fileManager = fileManagerAvailable();
    mnProperty_->setVisible(fileManager);
    UpdateDialogItems();
}

// --- commands -----------------------------------------------------------------------------

void TFileCommandsWindow::mnSaiYomikomiClick() {
    core_->ReRead();
}

void TFileCommandsWindow::mnRenameClick() {
    core_->Rename();
}

void TFileCommandsWindow::mnEditorClick() {
    core_->StartExternalEdit();
}

void TFileCommandsWindow::mnFolderOpenClick() {
    core_->FolderOpen();
}

void TFileCommandsWindow::mnReadMeClick() {
    core_->OpenReadMe();
}

void TFileCommandsWindow::mnPropertyClick() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            QString::fromLatin1(kFileManager), QStringLiteral("/org/freedesktop/FileManager1"),
            QString::fromLatin1(kFileManager), QStringLiteral("ShowItemProperties"));
        m << QStringList{QUrl::fromLocalFile(q(ProgramFile())).toString()} << QString();
        if (bus.call(m, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage) return;
    }
    ShowMessage("Windows2000 の一部及び、WindowsXP以降でない場合、\r\nこの機能は使えません。\r\n"
                "中止します。");
}

void TFileCommandsWindow::mnTolmoClick() {
    OpenMakersWebPage(); // tells the user when there is no connection
}

void TFileCommandsWindow::mnBackupClick() {
    if (!OpenSetup) return;
    if (!core_->SaveBeforeBackup()) return;
    fm_.WriteSettings();
    OpenSetup(0);
}

void TFileCommandsWindow::mnSetupClick() {
    if (!OpenSetup) return;
    fm_.WriteSettings();
    OpenSetup(1);
}

void TFileCommandsWindow::mnKidouClick() {
    if (OpenSetup) OpenSetup(2);
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
    d.setDirectory(q(folder));
    d.selectFile(q(name));
    TSaveDialogResult r;
    r.accepted = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
    if (r.accepted) r.path = d.selectedFiles().first().toStdString();
    return r;
}

std::string TFileCommandsWindow::RunFolderDialog(const std::string& start) {
    const QString folder = QFileDialog::getExistingDirectory(
        &fm_, QStringLiteral("フォルダを選択してください。"), q(start));
    return folder.toStdString();
}

bool TFileCommandsWindow::StartEditor(const std::string& program,
                                      const std::vector<std::string>& args) {
    auto* p = new QProcess(this);
    p->setProgram(q(program));
    QStringList list;
    for (const std::string& a : args)
        list << q(a);
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
    if (TPageEditor* e = pages_.EditorOfPage(index)) e->ClearText();
}

void TFileCommandsWindow::InfoBox(const std::string& message) {
    ::InfoBox(message, kAppTitle);
}

bool TFileCommandsWindow::AskYesNoTitled(const std::string& message, bool defaultYes) {
    return ::AskYesNoTitled(message, kAppTitle, defaultYes);
}

void TFileCommandsWindow::ShowJumpButtons() {
    pages_.ShowJumpPanel(true);
}

void TFileCommandsWindow::SuspendPageUpdates(bool suspend) {
    pages_.PageControl1()->setUpdatesEnabled(!suspend);
}
