// The recovery files' timer, the pages' texts and controls for them, and the start-up offer.
#include "mainwindow/ui/RecoveryGuard.h"

#include "editor/ui/EditorWidget.h"
#include "mainwindow/DocumentEncoding.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/RecoveryDialog.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/MessageBox.h"

#include <QTimer>

TRecoveryGuard::TRecoveryGuard(TfmEditor& window, TdtEditor& dt, TPages& pages)
    : QObject(&window), core_(pages, pages, pages.Book()) {
    if (!core_.Open(RecoveryRoot())) return;
    clock_.start();
    core_.Capture = [&pages](int index, bool wait, TRecoveryRecord& meta, TRowTableSnapshot& text) {
        TEditorPageEditor* e = pages.EditorOfPage(index);
        if (!e || (!wait && e->Editor()->Core().Rows().LoadPending())) return false;
        meta.CaretRow = e->CaretRow();
        if (const TPageDocument* d = e->Document()) DescribeForRecovery(*d, meta);
        text = e->Editor()->Core().SharedStore()->Snapshot();
        return true;
    };
    core_.Restore = [&pages](int index, const TRecoveryRecord& r) {
        TEditorPageEditor* e = pages.EditorOfPage(index);
        if (!e) return false;
        if (TPageDocument* d = e->Document()) {
            if (!RestoreFromRecovery(r, *d))
                ShowMessage("[" + r.Path +
                            "] の復元ファイルの文字の表が壊れています。\r\n"
                            "一部の文字が正しく表示されないことがあります。");
            e->FormatChanged();
        }
        e->Editor()->SetText(r.Text);
        e->SetCaretRow(r.CaretRow);
        return true;
    };
    core_.Choose = [&window](const std::vector<TRecoveryOffer>& offers) {
        return RunRecoveryDialog(&window, offers);
    };
    core_.Status = [&pages](const std::string& text) {
        if (pages.SetStatusPanel) pages.SetStatusPanel(6, text);
    };
    core_.SaveSettings = [&window, &dt] {
        window.WriteSettings();
        if (dt.SaveFileList) dt.SaveFileList();
    };
    pages.OnTextChanged = [this](int index) { core_.Edited(index, clock_.elapsed()); };
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { core_.Tick(clock_.elapsed()); });
    timer->start(1000);
    // After the pages of the open-file list are back, the pages of a crashed run are offered.
    window.OnFirstShow = [this, firstShow = window.OnFirstShow] {
        if (firstShow) firstShow();
        QTimer::singleShot(0, this, [this] { core_.Offer(RecoveryRoot(), clock_.elapsed()); });
    };
}
