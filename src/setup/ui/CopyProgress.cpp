// Copy progress window and overwrite question.
#include "setup/ui/CopyProgress.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <climits>

namespace {
// A copy quicker than this shows no progress window at all.
constexpr qint64 kShowAfterMs = 300;
} // namespace

TCopyProgress::TCopyProgress(const QString& title, QWidget* owner) : title_(title), owner_(owner) {}

TCopyProgress::~TCopyProgress() {
    Finished();
}

bool TCopyProgress::Progress(const std::string& file, int done, int total) {
    if (cancelled_) return false;
    if (!dialog_) {
        dialog_ = new QProgressDialog(owner_);
        dialog_->setWindowTitle(title_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setCancelButtonText(QStringLiteral("キャンセル"));
        // Shown by Progress alone, never by the dialog's own timer (which would show it over a
        // question that is open meanwhile).
        dialog_->setMinimumDuration(INT_MAX);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        QObject::connect(dialog_, &QProgressDialog::canceled, [this] { cancelled_ = true; });
        started_.start();
    }
    dialog_->setMaximum(std::max(total, 1));
    dialog_->setValue(done);
    dialog_->setLabelText(QString::fromStdString(file));
    if (!dialog_->isVisible() && done < total && started_.elapsed() >= kShowAfterMs)
        dialog_->show();
    QApplication::processEvents();
    return !cancelled_;
}

TOverwriteAnswer TCopyProgress::AskOverwrite(const std::string& target) {
    if (dialog_) dialog_->hide();
    QMessageBox box(owner_);
    box.setWindowTitle(QStringLiteral("ファイル上書きの確認"));
    box.setIcon(QMessageBox::Question);
    box.setTextFormat(Qt::PlainText);
    box.setText(QStringLiteral("このファイルは既に存在します。\n%1\n\n上書きしますか？")
                    .arg(QString::fromStdString(target)));
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* all = box.addButton(QStringLiteral("すべて上書き(&A)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    // The time spent on the question does not count towards showing the progress.
    started_.start();
    if (box.clickedButton() == all) return TOverwriteAnswer::YesToAll;
    if (box.clickedButton() == no) return TOverwriteAnswer::No;
    if (box.clickedButton() == yes) return TOverwriteAnswer::Yes;
    return TOverwriteAnswer::Cancel;
}

void TCopyProgress::Finished() {
    if (!dialog_) return;
    dialog_->hide();
    delete dialog_;
    // The result message that follows goes over the owner, which is active again.
    if (owner_) owner_->activateWindow();
}
