// Recovery files of the main window's pages: the timer, the start-up offer and the unattended end.
#include "mainwindow/ui/RecoveryGuard.h"

#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/RecoveryDialog.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"

#include <QDateTime>
#include <QTabWidget>
#include <QTimer>

#include <ctime>

TRecoveryGuard::TRecoveryGuard(TfmEditor& window, TdtEditor& dt, TPages& pages)
    : QObject(&window), window_(window), dt_(dt), pages_(pages) {
    std::string error;
    if (!session_.Open(RecoveryRoot(), &error)) {
        ShowMessage("復元用のフォルダを使えません。\r\n" + error +
                    "\r\n保存していない内容は、異常終了に備えて書き残されません。");
        return;
    }
    writer_ = std::make_unique<TRecoveryWriter>();
    clock_.start();
    pages_.OnTextChanged = [this](int index) {
        if (ending_ || index < 0) return;
        states_[idOf(index)].Clock.Edited(clock_.elapsed());
    };
    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &TRecoveryGuard::Tick);
    timer_->start();
    // After the pages of the open-file list are back, the pages of a crashed run are offered.
    auto firstShow = window_.OnFirstShow;
    window_.OnFirstShow = [this, firstShow] {
        if (firstShow) firstShow();
        QTimer::singleShot(0, this, &TRecoveryGuard::OfferRecovery);
    };
}

TRecoveryGuard::~TRecoveryGuard() {
    writer_.reset(); // finishes what is queued
    // A normal end: the user answered for every page, nothing is left to recover. After an
    // unattended end the files stay for the next start.
    if (!keep_) session_.Finish();
}

int TRecoveryGuard::idOf(int index) {
    QWidget* sheet = pages_.PageControl1()->widget(index);
    for (auto& [id, st] : states_)
        if (st.sheet == sheet) return id;
    const int id = nextId_++;
    states_[id].sheet = sheet;
    return id;
}

void TRecoveryGuard::writePage(int index, int id, bool wait) {
    TEditorPageEditor* e = pages_.EditorOfPage(index);
    if (!e || !writer_) return;
    // A page still loading is written once it has all its text (unless the end is waiting).
    if (!wait && e->Editor()->Core().Rows().LoadPending()) return;
    TRecoveryRecord meta;
    meta.Path = pages_.Book().PathOfPage(index);
    meta.Time = static_cast<std::int64_t>(std::time(nullptr));
    meta.CaretRow = e->CaretRow();
    if (const TPageDocument* d = e->Document()) DescribeForRecovery(*d, meta);
    writer_->Post(session_.FileFor(id), std::move(meta),
                  e->Editor()->Core().SharedStore()->Snapshot());
    states_[id].MarkWritten();
    if (wait) writer_->Flush();
}

void TRecoveryGuard::Tick() {
    if (!writer_ || ending_) return;
    const std::int64_t now = clock_.elapsed();
    for (int i = 0; i < pages_.PageCount(); ++i) {
        const int id = idOf(i);
        switch (states_[id].Tick(pages_.IsModified(i), now)) {
        case TRecoveryPageState::TAction::Remove:
            writer_->Remove(session_.FileFor(id));
            break;
        case TRecoveryPageState::TAction::Write:
            writePage(i, id, false);
            break;
        case TRecoveryPageState::TAction::None:
            break;
        }
    }
    // Closed pages.
    for (auto it = states_.begin(); it != states_.end();) {
        if (it->second.sheet) {
            ++it;
            continue;
        }
        if (it->second.Written) writer_->Remove(session_.FileFor(it->first));
        it = states_.erase(it);
    }
    for (const std::string& e : writer_->TakeErrors())
        if (pages_.SetStatusPanel)
            pages_.SetStatusPanel(6, QString::fromStdString("復元ファイルを書けません: " + e));
}

void TRecoveryGuard::WriteAllNow() {
    if (!writer_) return;
    for (int i = 0; i < pages_.PageCount(); ++i)
        if (pages_.IsModified(i)) writePage(i, idOf(i), false);
    writer_->Flush();
}

void TRecoveryGuard::EndWithoutQuestions() {
    if (ending_) return;
    const bool saveNamed = pages_.Book().knKakunin;
    for (int i = 0; i < pages_.PageCount(); ++i) {
        if (!pages_.IsModified(i)) continue;
        const int id = idOf(i);
        const std::string path = pages_.Book().PathOfPage(i);
        std::string error;
        if (SavesAtUnattendedEnd(saveNamed, pages_.Book().IsUntitled(i), pages_.IsReadOnly(i)) &&
            pages_.SavePageText(i, path, &error)) {
            pages_.SetModified(i, false);
            if (writer_ && states_[id].Written) writer_->Remove(session_.FileFor(id));
            continue;
        }
        if (!writer_) continue; // nowhere to keep it: the close will ask after all
        writePage(i, id, false);
        // The recovery file holds the text now; the close that follows asks nothing about it.
        pages_.SetModified(i, false);
        keep_ = true;
    }
    if (writer_) writer_->Flush();
    ending_ = true;
    window_.WriteSettings();
    if (dt_.SaveFileList) dt_.SaveFileList();
}

bool TRecoveryGuard::restore(const TRecoveryCandidate& c) {
    const TRecoveryRecord& r = c.Record;
    const int index = pages_.Book().OpenRecoveredPage(r.Path);
    TEditorPageEditor* e = pages_.EditorOfPage(index);
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
    pages_.SetModified(index, true);
    pages_.UpdatePageStatus();
    states_[idOf(index)].Clock.Edited(clock_.elapsed() - TRecoveryClock::kMaxMs);
    return true;
}

void TRecoveryGuard::OfferRecovery() {
    if (!writer_) return;
    TRecoveryOrphans orphans;
    orphans.Collect(RecoveryRoot());
    if (!orphans.Damaged.empty()) {
        std::string list;
        for (const std::string& f : orphans.Damaged)
            list += "\r\n" + f;
        ShowMessage("壊れていて読めない復元ファイルを次の場所に移しました。" + list);
    }
    if (orphans.Pages.empty()) {
        orphans.Finish();
        return;
    }
    std::vector<TRecoveryOffer> offers;
    for (const TRecoveryCandidate& c : orphans.Pages) {
        TRecoveryOffer o;
        o.name = QString::fromStdString(c.Record.Path);
        o.time = QDateTime::fromSecsSinceEpoch(c.Record.Time).toString("yyyy/MM/dd hh:mm:ss");
        std::string disk;
        const bool haveDisk = c.Record.Path != kUntitledName && ReadWholeFile(c.Record.Path, disk);
        o.line = QString::fromStdString(RecoveryOfferLine(c.Record, disk, haveDisk));
        offers.push_back(o);
    }
    const std::optional<std::vector<bool>> choice = RunRecoveryDialog(&window_, offers);
    if (!choice) {
        orphans.Finish(); // decided later: the files wait for the next start
        return;
    }
    for (std::size_t k = 0; k < orphans.Pages.size(); ++k) {
        if ((*choice)[k] && !restore(orphans.Pages[k])) continue;
        TRecoveryOrphans::Drop(orphans.Pages[k]);
    }
    orphans.Finish();
    WriteAllNow(); // the recovered texts are safe in this run's files before the old ones go
}
