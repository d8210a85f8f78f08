// The pages' recovery files: timed writes, the offer at start and the unattended end.
#include "mainwindow/pages/RecoveryPages.h"

#include "mainwindow/pages/DocumentEncoding.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"

#include <ctime>

TRecoveryPages::~TRecoveryPages() {
    writer_.reset(); // finishes what is queued
    // A normal end: the user answered for every page, nothing is left to recover but the texts
    // re-reads replaced, which stay for the next start.
    if (keep_) return;
    if (replaced_.empty()) {
        session_.Finish();
        return;
    }
    for (const auto& [id, state] : states_)
        if (state.Written) session_.Remove(id);
}

void TRecoveryPages::KeepReplaced(int index) {
    if (!writer_ || ending_ || index < 0 || index >= host_.PageCount()) return;
    TRecoveryRecord meta;
    TRowTableSnapshot text;
    if (!Capture || !Capture(index, true, meta, text)) return;
    const int id = idOf(index);
    fill(index, meta);
    replaced_[id] = session_.ReplacedFileFor(id);
    writer_->Post(replaced_[id], std::move(meta), std::move(text));
    writer_->Flush();
}

void TRecoveryPages::Saved(int index) {
    if (!writer_ || index < 0 || index >= host_.PageCount()) return;
    const auto it = replaced_.find(ids_.PageId(index));
    if (it == replaced_.end()) return;
    writer_->Remove(it->second);
    replaced_.erase(it);
}

void TRecoveryPages::fill(int index, TRecoveryRecord& meta) const {
    meta.Path = book_.PathOfPage(index);
    meta.Time = static_cast<std::int64_t>(std::time(nullptr));
    if (const TDiskStamp base = BaseOf ? BaseOf(index) : TDiskStamp(); base.exists) {
        meta.FileSize = base.size;
        meta.FileTimeNs = base.mtimeNs;
    }
}

bool TRecoveryPages::Open(const std::string& root) {
    std::string error;
    if (!session_.Open(root, &error)) {
        asker_.ShowMessage("復元用のフォルダを使えません。\r\n" + error +
                           "\r\n保存していない内容は、異常終了に備えて書き残されません。");
        return false;
    }
    writer_ = std::make_unique<TRecoveryWriter>();
    return true;
}

int TRecoveryPages::idOf(int index) {
    const int id = ids_.PageId(index);
    states_.try_emplace(id);
    return id;
}

void TRecoveryPages::Edited(int index, std::int64_t nowMs) {
    if (ending_ || index < 0 || !writer_) return;
    states_[idOf(index)].Clock.Edited(nowMs);
}

void TRecoveryPages::writeRecovery(int index, int id, bool wait) {
    TRecoveryRecord meta;
    TRowTableSnapshot text;
    if (!writer_ || !Capture || !Capture(index, wait, meta, text)) return;
    fill(index, meta);
    writer_->Post(session_.FileFor(id), std::move(meta), std::move(text));
    states_[id].MarkWritten();
    if (wait) writer_->Flush();
}

void TRecoveryPages::Tick(std::int64_t nowMs) {
    if (!writer_ || ending_) return;
    for (int i = 0; i < host_.PageCount(); ++i) {
        const int id = idOf(i);
        switch (states_[id].Tick(host_.IsModified(i), nowMs)) {
        case TRecoveryPageState::TAction::Remove:
            writer_->Remove(session_.FileFor(id));
            break;
        case TRecoveryPageState::TAction::Write:
            writeRecovery(i, id, false);
            break;
        case TRecoveryPageState::TAction::None:
            break;
        }
    }
    // Closed pages.
    for (auto it = states_.begin(); it != states_.end();) {
        if (ids_.IndexOfPage(it->first) >= 0) {
            ++it;
            continue;
        }
        if (it->second.Written) writer_->Remove(session_.FileFor(it->first));
        it = states_.erase(it);
    }
    for (const std::string& e : writer_->TakeErrors())
        if (Status) Status("復元ファイルを書けません: " + e);
}

std::optional<std::int64_t> TRecoveryPages::NextTick() const {
    if (!writer_ || ending_) return std::nullopt;
    std::optional<std::int64_t> next;
    for (const auto& [id, state] : states_)
        if (state.Clock.Pending())
            next = std::min(next.value_or(state.Clock.DueAt()), state.Clock.DueAt());
    return next;
}

void TRecoveryPages::WriteAllNow() {
    if (!writer_) return;
    for (int i = 0; i < host_.PageCount(); ++i)
        if (host_.IsModified(i)) writeRecovery(i, idOf(i), false);
    writer_->Flush();
}

void TRecoveryPages::EndWithoutQuestions() {
    if (ending_) return;
    for (int i = 0; i < host_.PageCount(); ++i) {
        if (!host_.IsModified(i)) continue;
        const int id = idOf(i);
        std::string error;
        if (SavesAtUnattendedEnd(book_.knKakunin, book_.IsUntitled(i), host_.IsReadOnly(i)) &&
            host_.SavePageText(i, book_.PathOfPage(i), &error)) {
            host_.SetModified(i, false);
            if (writer_ && states_[id].Written) writer_->Remove(session_.FileFor(id));
            continue;
        }
        if (!writer_) continue; // nowhere to keep it: the close will ask after all
        writeRecovery(i, id, false);
        // The recovery file holds the text now; the close that follows asks nothing about it.
        host_.SetModified(i, false);
        keep_ = true;
    }
    if (writer_) writer_->Flush();
    ending_ = true;
    if (SaveSettings) SaveSettings();
}

bool TRecoveryPages::restore(const TRecoveryCandidate& c, std::int64_t nowMs) {
    const int index = book_.OpenRecoveredPage(c.Record.Path);
    if (index < 0 || !Restore || !Restore(index, c.Record)) return false;
    host_.SetModified(index, true);
    if (SetBase && c.Record.FileSize >= 0) {
        TDiskStamp base;
        base.exists = true;
        base.size = c.Record.FileSize;
        base.mtimeNs = c.Record.FileTimeNs;
        SetBase(index, base);
    }
    host_.UpdatePageStatus();
    // Written at the next tick: the clock says its edit is long past.
    states_[idOf(index)].Clock.Edited(nowMs - TRecoveryClock::kMaxMs);
    return true;
}

void TRecoveryPages::Offer(const std::string& root, std::int64_t nowMs) {
    if (!writer_) return;
    TRecoveryOrphans orphans;
    orphans.Collect(root);
    if (!orphans.Damaged.empty()) {
        std::string list;
        for (const std::string& f : orphans.Damaged)
            list += "\r\n" + f;
        asker_.ShowMessage("壊れていて読めない復元ファイルを次の場所に移しました。" + list);
    }
    std::vector<TRecoveryOffer> offers;
    for (const TRecoveryCandidate& c : orphans.Pages) {
        std::string disk;
        const bool haveDisk = c.Record.Path != kUntitledName && ReadWholeFile(c.Record.Path, disk);
        offers.push_back({c.Record.Path, RecoveryTimeText(c.Record.Time),
                          RecoveryOfferLine(c.Record, disk, haveDisk), FileMovedOnSince(c.Record)});
    }
    const std::optional<std::vector<bool>> choice =
        offers.empty() || !Choose ? std::nullopt : Choose(offers);
    if (!choice) {
        orphans.Finish(); // decided later: the files wait for the next start
        return;
    }
    for (std::size_t k = 0; k < orphans.Pages.size(); ++k) {
        if (k < choice->size() && (*choice)[k] && !restore(orphans.Pages[k], nowMs)) continue;
        TRecoveryOrphans::Drop(orphans.Pages[k]);
    }
    orphans.Finish();
    WriteAllNow(); // the recovered texts are safe in this run's files before the old ones go
}

std::string RecoveryTimeText(std::int64_t secondsSince1970) {
    const std::time_t t = static_cast<std::time_t>(secondsSince1970);
    std::tm tm{};
    char text[32] = "";
    if (localtime_r(&t, &tm)) std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &tm);
    return text;
}
