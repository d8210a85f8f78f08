// The options dialog's window: built from its description, with the file chooser and its keys.
#include "setup/ui/OptionsDialog.h"

#include "editor/ui/QtConversions.h"
#include "platform/Folders.h"
#include "platform/ui/QtMessageSink.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPushButton>

TOptionsDialog::TOptionsDialog(TSettings& settings, std::string settingsFile,
                               std::string programFolder, QWidget* parent)
    : QDialog(parent), Model(WindowAsker(), settings, std::move(settingsFile),
                             std::move(programFolder), ProgramFile()) {
    setWindowTitle(AppTitleText());
    setObjectName(QStringLiteral("fmSet"));
    ChooseFile = [this](const QString& title, const QString& folder, const QString& file) {
        QFileDialog dlg(this, title, folder);
        dlg.setFileMode(QFileDialog::ExistingFile);
        if (!file.isEmpty()) dlg.selectFile(file);
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    Form = new TFormView(this, TLay::VBox, OptionsDialogForm(), Model);
    Form->Sync();
    Form->On("btnBrowser", [this] { browse("edtBrowser"); });
    Form->On("btnEditor", [this] { browse("edtEditor"); });
    Form->On("BitBtn1", [this] { accept(); });
    Form->On("btnCancel", [this] {
        cancelled_ = true;
        reject();
    });
    qApp->installEventFilter(this);
}

void TOptionsDialog::browse(const std::string& edit) {
    const TOptionsDialogModel::TBrowseStart start = Model.BrowseStart(edit);
    const QString chosen =
        ChooseFile(QStringLiteral("ファイル名を選択してください。"),
                   QString::fromStdString(start.folder), QString::fromStdString(start.preset));
    if (chosen.isEmpty()) return;
    Model.SetText(edit, chosen.toStdString());
    Form->Sync();
}

void TOptionsDialog::done(int r) {
    qApp->removeEventFilter(this);
    if (!cancelled_) Model.Apply();
    QDialog::done(r);
}

void TOptionsDialog::keyPressEvent(QKeyEvent* e) {
    // Escape is the Cancel button (the close box saves like OK).
    if (e->key() == Qt::Key_Escape) {
        Form->Get<QPushButton>("btnCancel")->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TOptionsDialog::eventFilter(QObject* o, QEvent* e) {
    // The form sees the keys before its controls.
    if (e->type() == QEvent::KeyPress && isActiveWindow()) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (Model.FormKey(ToTableKey(k->key(), k->modifiers()), ToTableModifiers(k->modifiers()))) {
            Form->Sync();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
