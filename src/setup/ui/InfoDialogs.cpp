// The release-age notice, the about box and the maker's web page.
#include "setup/ui/InfoDialogs.h"

#include "platform/MessageBox.h"
#include "platform/ui/Connection.h"
#include "platform/ui/QtMessageSink.h"
#include "setup/ReleaseAge.h"
#include "setup/ui/OptionsDialog.h"
#include "setup/ui/SetupDialog.h"
#include "setup/ui/SetupDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

const char* const kNoConnection =
    "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n"
    "実行してください。\r\n\r\n中止します。";

} // namespace

std::function<bool()> InternetConnected = IsInternetConnected;

bool OpenMakersWebPage() {
    if (!InternetConnected || !InternetConnected()) {
        ShowMessage(kNoConnection);
        return false;
    }
    return QDesktopServices::openUrl(QUrl(q(MakersWebPage())));
}

TfmInfo::TfmInfo(TSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("トルモ -Tolmo-"));
    setObjectName(QStringLiteral("fmInfo"));
    auto* name = new QLabel(QStringLiteral("トルモ"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    lblVersion = new QLabel(q(kProgramVersion));
    lblInfo = new QLabel(MessageTextToQt(NoticeText(kProgramVersion, Today() - ReleaseDay())));
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    btnWeb = new QPushButton(QStringLiteral("[ トルモ ]公式Ｗｅｂ"));
    btnClose = new QPushButton(QStringLiteral("閉じる(&C)"));
    btnClose->setDefault(true);
    auto* head = new QHBoxLayout;
    head->addWidget(name);
    head->addWidget(new QLabel(QStringLiteral("- Tolmo -")));
    head->addStretch(1);
    head->addWidget(lblVersion);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnWeb);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto* v = new QVBoxLayout(this);
    v->addLayout(head);
    v->addWidget(lblInfo);
    v->addLayout(buttons);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnWeb, &QPushButton::clicked, this, [this] {
        if (OpenMakersWebPage()) {
            web_ = true;
            accept();
        }
    });
}

void TfmInfo::done(int r) {
    settings_.vInfoChien = PostponementOnClose(Today(), ReleaseDay(), settings_.vInfoChien, web_);
    QDialog::done(r);
}

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("トルモ -Tolmo-"));
    setObjectName(QStringLiteral("fmAbout"));
    auto* name = new QLabel(QStringLiteral("トルモ"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    auto* kind = new QLabel(QStringLiteral("Text Editor"));
    kind->setEnabled(false);
    lbl_Version = new QLabel(q(VersionNumber(kProgramVersion)));
    lblVerKaku = new QLabel(q(BuildCode(ReleaseDay())));
    lblVerKaku->setObjectName(QStringLiteral("lblVerKaku"));
    lblVerKaku->setVisible(false);
    FramSpeedBtn1 = new QPushButton(QStringLiteral("OK"));
    FramSpeedBtn1->setDefault(true);
    auto* g = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    head->addWidget(name);
    head->addWidget(new QLabel(QStringLiteral("- Tolmo -")));
    head->addStretch(1);
    g->addLayout(head);
    g->addWidget(kind);
    auto* version = new QHBoxLayout;
    version->addWidget(new QLabel(QStringLiteral("Version :")));
    version->addWidget(lbl_Version);
    version->addStretch(1);
    version->addWidget(lblVerKaku);
    g->addLayout(version);
    auto* author = new QHBoxLayout;
    author->addWidget(new QLabel(QStringLiteral("Author  :")));
    author->addWidget(new QLabel(q(AuthorLine())));
    author->addStretch(1);
    g->addLayout(author);
    g->addWidget(FramSpeedBtn1, 0, Qt::AlignRight);
    connect(FramSpeedBtn1, &QPushButton::clicked, this, &QDialog::accept);
    qApp->installEventFilter(this);
}

bool TfmAbout::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !isActiveWindow()) return QDialog::eventFilter(o, e);
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Shift || k->key() == Qt::Key_Control) return false;
    const bool ctrlShift = (k->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) ==
                           (Qt::ControlModifier | Qt::ShiftModifier);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        qApp->removeEventFilter(this);
        accept();
        return true;
    }
    if (ctrlShift && k->key() == Qt::Key_V) {
        armed_ = true;
        return true;
    }
    if (armed_ && ctrlShift && k->key() == Qt::Key_J) lblVerKaku->setVisible(true);
    armed_ = false;
    return false;
}

void RunSetupDialog(QWidget* parent, int mode, const TSetupContext& context) {
    TfmKaSetup dlg(mode, context, parent);
    dlg.setWindowTitle(QStringLiteral("トルモ -Tolmo-"));
    dlg.exec();
}

bool RunOptionsDialog(QWidget* parent, TSettings& settings, const std::string& settingsFile,
                      const std::string& programFolder) {
    TfmSet dlg(settings, settingsFile, programFolder, parent);
    dlg.exec();
    return !dlg.Cancelled();
}

void RunInfoDialog(QWidget* parent, TSettings& settings) {
    TfmInfo dlg(settings, parent);
    dlg.exec();
}

void CheckReleaseAge(QWidget* parent, TSettings& settings) {
    static bool showing = false; // activation comes back while the notice itself is open
    if (showing) return;
    const int32_t today = Today();
    if (NoticeDue(today, ReleaseDay(), settings.vInfoChien)) {
        showing = true;
        RunInfoDialog(parent, settings);
        showing = false;
    }
    settings.vInfoChien = PostponementAfterCheck(today, ReleaseDay(), settings.vInfoChien);
}

void RunAboutDialog(QWidget* parent) {
    TfmAbout dlg(parent);
    dlg.exec();
}
