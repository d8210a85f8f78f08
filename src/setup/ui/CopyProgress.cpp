// Copy progress window and overwrite question.
#include "setup/ui/CopyProgress.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

TCopyProgress::TCopyProgress(const QString& title, QWidget* parent) : QProgressDialog(parent) {
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setCancelButtonText(QStringLiteral("キャンセル"));
    setMinimumDuration(300);
    setAutoClose(false);
    setAutoReset(false);
}

bool TCopyProgress::Progress(const std::string& file, int done, int total) {
    setMaximum(std::max(total, 1));
    setValue(done);
    setLabelText(QString::fromStdString(file));
    QApplication::processEvents();
    return !wasCanceled();
}

TOverwriteAnswer TCopyProgress::AskOverwrite(const std::string& target) {
    QMessageBox box(this);
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
    if (box.clickedButton() == all) return TOverwriteAnswer::YesToAll;
    if (box.clickedButton() == no) return TOverwriteAnswer::No;
    if (box.clickedButton() == yes) return TOverwriteAnswer::Yes;
    return TOverwriteAnswer::Cancel;
}
