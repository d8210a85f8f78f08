// The release-age notice, the about box and the maker's web page.
#include "setup/ui/InfoDialogs.h"

#include "app/ShellUtil.h"
#include "app/ui/Browser.h"
#include "app/ui/QtText.h"
#include "editor/ui/QtConversions.h"
#include "platform/MessageBox.h"
#include "platform/ui/Connection.h"
#include "platform/ui/QtMessageSink.h"
#include "setup/ReleaseAge.h"
#include "setup/ui/OptionsDialog.h"
#include "setup/ui/SetupDialog.h"
#include "setup/ui/SetupDialogs.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

const char* const kNoConnection =
    "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n"
    "実行してください。\r\n\r\n中止します。";

} // namespace

std::function<bool()> InternetConnected = IsInternetConnected;

bool OpenMakersWebPage() {
    if (!InternetConnected || !InternetConnected()) {
        WindowAsker().ShowMessage(kNoConnection);
        return false;
    }
    if (OpenInBrowser(QStr(MakersWebPage()))) return true;
    WindowAsker().ShowMessage(kBrowserStartError);
    return false;
}

// The program's name in large bold letters.
static void ShowNameLarge(TFormView* form) {
    QWidget* name = form->Widget("lblName");
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
}

TReleaseNotice::TReleaseNotice(TSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(AppTitleText());
    setObjectName(QStringLiteral("fmInfo"));
    Form = new TFormView(this, TLay::VBox, InfoDialogForm(), Model);
    ShowNameLarge(Form);
    Form->On("btnClose", [this] { accept(); });
    Form->On("btnWeb", [this] {
        if (OpenMakersWebPage()) {
            web_ = true;
            accept();
        }
    });
}

void TReleaseNotice::done(int r) {
    settings_.vInfoChien = Model.Close(settings_.vInfoChien, web_);
    QDialog::done(r);
}

TAboutDialog::TAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(AppTitleText());
    setObjectName(QStringLiteral("fmAbout"));
    Form = new TFormView(this, TLay::VBox, AboutDialogForm(), Model);
    ShowNameLarge(Form);
    Form->On("FramSpeedBtn1", [this] { accept(); });
    qApp->installEventFilter(this);
}

bool TAboutDialog::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !isActiveWindow()) return QDialog::eventFilter(o, e);
    auto* k = static_cast<QKeyEvent*>(e);
    const TAboutDialogModel::TKeyResult r =
        Model.Key(ToTableKey(k->key(), {}), ToTableModifiers(k->modifiers()));
    Form->Sync();
    if (r == TAboutDialogModel::krClose) {
        qApp->removeEventFilter(this);
        accept();
    }
    return r != TAboutDialogModel::krNone;
}

void RunSetupDialog(QWidget* parent, int mode, const TSetupContext& context) {
    TSetupDialog dlg(mode, context, parent);
    dlg.setWindowTitle(AppTitleText());
    dlg.exec();
}

bool RunOptionsDialog(QWidget* parent, TSettings& settings, const std::string& settingsFile,
                      const std::string& programFolder) {
    TOptionsDialog dlg(settings, settingsFile, programFolder, parent);
    dlg.exec();
    return !dlg.Cancelled();
}

void RunInfoDialog(QWidget* parent, TSettings& settings) {
    TReleaseNotice dlg(settings, parent);
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
    TAboutDialog dlg(parent);
    dlg.exec();
}
