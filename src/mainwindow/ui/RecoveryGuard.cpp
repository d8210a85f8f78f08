// The recovery files' timer, the pages' texts and controls for them, and the start-up offer.
#include "mainwindow/ui/RecoveryGuard.h"

#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/RecoveryDialog.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/ui/QtMessageSink.h"

#include <QTimer>

TRecoveryGuard::TRecoveryGuard(TMainWindow& window, TSharedObjects& dt, TPages& pages)
    : QObject(&window), core_(WindowAsker(), pages, pages, pages.Book()) {
    if (!core_.Open(RecoveryRoot())) return;
    clock_.start();
    core_.Capture = [&pages](int index, bool wait, TRecoveryRecord& meta, TRowTableSnapshot& text) {
        const TPageText* t = pages.TextOfPage(index);
        return t && t->CaptureForRecovery(wait, meta, text);
    };
    core_.Restore = [&pages](int index, const TRecoveryRecord& r) {
        TPageText* t = pages.TextOfPage(index);
        if (t) t->RestoreFromRecovery(r);
        return t != nullptr;
    };
    core_.Choose = [&window](const std::vector<TRecoveryOffer>& offers) {
        return RunRecoveryDialog(&window, offers);
    };
    core_.Status = [&pages](const std::string& text) {
        if (pages.SetStatusPanel) pages.SetStatusPanel(6, text);
    };
    core_.SaveSettings = [&window, &dt] {
        window.WriteSettings(true);
        if (dt.SaveFileList) dt.SaveFileList();
    };
    pages.BeforeReread = [this](int index) { core_.KeepReplaced(index); };
    pages.OnFileWritten = [this](int index, const std::string&) { core_.Saved(index); };
    pages.OnTextChanged = [this](int index) {
        core_.Edited(index, clock_.elapsed());
        arm();
    };
    pages.OnPageSettled = [this] { arm(true); };
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        core_.Tick(clock_.elapsed());
        arm();
    });
    // After the pages of the open-file list are back, the pages of a crashed run are offered.
    window.OnFirstShow = [this, firstShow = window.OnFirstShow] {
        if (firstShow) firstShow();
        QTimer::singleShot(0, this, [this] {
            core_.Offer(RecoveryRoot(), clock_.elapsed());
            arm();
        });
    };
}

void TRecoveryGuard::arm(bool soon) {
    const std::optional<std::int64_t> next = core_.NextTick();
    if (!soon && !next) return;
    const std::int64_t wait = soon ? 0 : std::max<std::int64_t>(0, *next - clock_.elapsed());
    // An earlier wake-up already set stays; a later one never replaces it.
    if (timer_.isActive() && timer_.remainingTime() <= wait) return;
    timer_.start(static_cast<int>(std::min<std::int64_t>(wait, 60000)));
}
