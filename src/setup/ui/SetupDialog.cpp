// The setup dialog's window: built from its description, with the folder chooser, the copy
// progress and the setup run's window-side actions.
#include "setup/ui/SetupDialog.h"

#include "platform/ui/QtMessageSink.h"

#include "platform/Folders.h"
#include "setup/SetupFiles.h"
#include "setup/ui/CopyProgress.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

TSetupDialog::TSetupDialog(int mode, TSetupContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    setWindowTitle(QStringLiteral("トルモSetup"));
    setObjectName(QStringLiteral("fmKaSetup"));
    Model = std::make_unique<TSetupDialogModel>(
        WindowAsker(), mode, context_.programFolder, context_.dataFolder, context_.args,
        std::filesystem::path(ProgramFile()).filename().string());
    ChooseFolder = [this](const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(this, title, start);
    };
    Form = new TFormView(this, TLay::VBox, SetupDialogForm(), *Model);
    Form->Get<QToolButton>("FramSpeedBtn19")->setToolTip(QStringLiteral("フォルダを選択します"));
    Form->On("actions", [this] { showOptionGroup(); });
    Form->On("btnKiteichi", [this] { showOptionGroup(); });
    Form->On("FramSpeedBtn19", [this] {
        Model->SetupFolderChosen(ChooseFolder(QStringLiteral("フォルダを選択してください"),
                                              QString::fromStdString(Model->SetupFolderStart()))
                                     .toStdString());
    });
    Form->On("btnSetup", [this] {
        RunSetup(Model->Asker, Model->Request(CommonFilesFolder()), *this);
        if (!ending_) Model->ReadShortcutStates();
    });
    for (int which = 1; which <= 3; ++which)
        Form->On("btnDirCopy" + std::to_string(which), [this, which] {
            const QString chosen =
                ChooseFolder(QStringLiteral("フォルダを選択してください"),
                             QString::fromStdString(Model->CopyFolderStart(which)));
            Model->CopyFolderChosen(which, chosen.toStdString());
        });
    for (int which = 1; which <= 2; ++which)
        Form->On("btnCopy" + std::to_string(which) + "Go", [this, which] {
            TCopyProgress progress(QStringLiteral("データ退避"), this);
            std::string stamp;
            if (RunBackup(Model->Asker, Model->Text(Model->CopyEdit(which)),
                          TextsHome(Model->ProgramFolder), &progress, &stamp))
                Model->BackedUp(which, stamp);
        });
    Form->On("btnKaifukuGo", [this] {
        TCopyProgress progress(QStringLiteral("データ回復"), this);
        if (RunRestore(Model->Asker, Model->Text("edtCopy3"), TextsHome(Model->ProgramFolder),
                       &progress, Model->BackupFile, Model->Backup()))
            EndProgram();
    });
    Form->On("FramSpeedBtn1", [this] { accept(); });
    Form->Sync();
    showOptionGroup();
    // An installed program's texts are not beside it: the copy pages name where they are.
    if (IsInstalledProgram(Model->ProgramFolder)) {
        const QString files = QString::fromStdString(TextsHome(Model->ProgramFolder) + "Files");
        for (QLabel* l : findChildren<QLabel*>())
            l->setText(l->text().replace(QStringLiteral("トルモの起動フォルダの /Files"), files));
    }
    // The keyboard starts at the page's first choice, not in the read-only folder above it.
    for (QRadioButton* r :
         Form->Get<QStackedWidget>("PageControl1")->currentWidget()->findChildren<QRadioButton*>())
        if (r->isChecked() && r->isEnabled()) {
            r->setFocus();
            break;
        }
}

TSetupDialog::~TSetupDialog() = default;

void TSetupDialog::showOptionGroup() {
    Form->Widget("rgOption")
        ->setStyleSheet(Model->OptionGrey()
                            ? QStringLiteral("QGroupBox { color: rgb(128, 128, 128); }")
                            : QString());
}

void TSetupDialog::done(int r) {
    Model->Closing();
    QDialog::done(r);
}

void TSetupDialog::FocusSetupFolder() {
    Model->SetEnabled("edtSetup", true);
    Form->Sync();
    auto* edtSetup = Form->Get<QLineEdit>("edtSetup");
    edtSetup->selectAll();
    edtSetup->setFocus();
}

bool TSetupDialog::StartInstalled(const std::string& program, const std::string& folder) {
    return StartDetached({program}, folder);
}

void TSetupDialog::Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TSetupDialog::EndProgram() {
    ending_ = true;
    std::function<void()> end = context_.endProgram;
    QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    accept();
    if (end)
        QTimer::singleShot(0, end);
    else if (main)
        QTimer::singleShot(0, main, [main] { main->close(); });
}
