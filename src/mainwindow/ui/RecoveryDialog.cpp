// The recovery dialog shown at start after a run that did not end normally.
#include "mainwindow/ui/RecoveryDialog.h"
#include "platform/ui/QtMessageSink.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

std::optional<std::vector<bool>> RunRecoveryDialog(QWidget* parent,
                                                   const std::vector<TRecoveryOffer>& offers) {
    QDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("fmRecovery"));
    dlg.setWindowTitle(QStringLiteral("復元 - ") + AppTitleText());
    auto* column = new QVBoxLayout(&dlg);
    column->addWidget(new QLabel(
        QStringLiteral("前回は正しく終了しなかったため、保存されていないページが残っています。\n"
                       "ページごとに「復元」か「破棄」を選んでください。復元したページは更新された"
                       "状態で開きます。")));
    auto* grid = new QGridLayout;
    const QStringList heads = {QStringLiteral("ファイル"), QStringLiteral("時刻"),
                               QStringLiteral("最初の違い"), QString(), QString()};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(heads[c])), 0, c);
    std::vector<QRadioButton*> keep;
    for (std::size_t i = 0; i < offers.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const QString text = QString::fromStdString(offers[i].line);
        auto* name = new QLabel(QString::fromStdString(offers[i].name));
        if (offers[i].fileChanged) {
            // Saving the restored text would write over what another program put there since.
            name->setText(name->text() + QString::fromUtf8(kRecoveryFileChangedMark));
            name->setStyleSheet(QStringLiteral("color: #B00000"));
            name->setObjectName(QStringLiteral("lblChanged%1").arg(i));
        }
        grid->addWidget(name, row, 0);
        grid->addWidget(new QLabel(QString::fromStdString(offers[i].time)), row, 1);
        auto* line = new QLabel(text.left(60));
        line->setToolTip(text);
        grid->addWidget(line, row, 2);
        auto* group = new QButtonGroup(&dlg);
        auto* yes = new QRadioButton(QStringLiteral("復元"));
        auto* no = new QRadioButton(QStringLiteral("破棄"));
        yes->setObjectName(QStringLiteral("rbRecover%1").arg(i));
        no->setObjectName(QStringLiteral("rbDiscard%1").arg(i));
        group->addButton(yes);
        group->addButton(no);
        yes->setChecked(true);
        grid->addWidget(yes, row, 3);
        grid->addWidget(no, row, 4);
        keep.push_back(yes);
    }
    column->addLayout(grid);
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("後で決める"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    column->addWidget(buttons);
    ok->setDefault(true); // only a button inside its dialog becomes the one Return presses
    ok->setFocus();
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<bool> result;
    for (QRadioButton* b : keep)
        result.push_back(b->isChecked());
    return result;
}
