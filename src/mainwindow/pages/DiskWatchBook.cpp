// The pages' files on disk: changes by other programs, the bar that tells of them and the
// questions before a save.
#include "mainwindow/pages/DiskWatchBook.h"

TDiskNotice DiskNoticeFor(TDiskChange change, const std::string& path) {
    TDiskNotice n;
    n.change = change;
    if (change == TDiskChange::Changed) {
        n.text = "[ " + path + "] は他のプログラムで変更されました。";
        n.canReread = true;
    } else if (change == TDiskChange::Deleted) {
        n.text = "[ " + path + "] は他のプログラムで削除されました。ページの内容は残っています。";
    }
    return n;
}

TDiskWatchBook::Entry* TDiskWatchBook::entryOf(int id) {
    for (Entry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

const TDiskWatchBook::Entry* TDiskWatchBook::entryOfIndex(int index) const {
    if (index < 0 || index >= host_.PageCount()) return nullptr;
    const int id = ids_.PageId(index);
    for (const Entry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

void TDiskWatchBook::show(Entry& e, TDiskNotice notice) {
    if (e.notice == notice) return;
    e.notice = std::move(notice);
    const int index = ids_.IndexOfPage(e.id);
    if (index >= 0 && ShowNotice) ShowNotice(index, e.notice);
}

void TDiskWatchBook::Record(int index, const std::string& path) {
    if (index < 0 || index >= host_.PageCount()) return;
    const int id = ids_.PageId(index);
    Entry* e = entryOf(id);
    if (!e) e = &entries_.emplace_back();
    e->id = id;
    e->path = path;
    e->base = e->seen = StampOf(path);
    show(*e, {});
    if (Unwatch) Unwatch(path);
    if (e->base.exists && Watch) Watch(path);
}

void TDiskWatchBook::RecordBase(int index, const TDiskStamp& known) {
    if (index < 0 || index >= host_.PageCount()) return;
    Entry* e = entryOf(ids_.PageId(index));
    if (!e) { // the page's file had gone
        Record(index, book_.PathOfPage(index));
        e = entryOf(ids_.PageId(index));
    }
    // Only size and time are known of the old file: the same size and time are the same file.
    if (!e->base.exists || e->base.size != known.size || e->base.mtimeNs != known.mtimeNs)
        e->base = known;
}

TDiskStamp TDiskWatchBook::Base(int index) const {
    const Entry* e = entryOfIndex(index);
    return e && e->path == book_.PathOfPage(index) ? e->base : TDiskStamp();
}

const TDiskNotice& TDiskWatchBook::NoticeOf(int index) const {
    static const TDiskNotice none;
    const Entry* e = entryOfIndex(index);
    return e ? e->notice : none;
}

void TDiskWatchBook::Check() {
    std::erase_if(entries_, [this](const Entry& e) { return ids_.IndexOfPage(e.id) < 0; });
    for (Entry& e : entries_) {
        const int index = ids_.IndexOfPage(e.id);
        // The page now shows another file (save as, a re-used untitled page): not ours to judge.
        if (book_.PathOfPage(index) != e.path) {
            show(e, {});
            continue;
        }
        const TDiskStamp now = StampOf(e.path);
        if (now.exists && Watch) Watch(e.path);
        const TDiskChange c = CompareStamps(e.seen, now);
        if (c == TDiskChange::None) continue;
        e.seen = now;
        // The page's text no longer matches a file that went: saving it writes the file again.
        if (c == TDiskChange::Deleted) host_.SetModified(index, true);
        if (quiet_) continue;
        show(e, DiskNoticeFor(c, e.path));
        host_.UpdatePageStatus();
    }
}

void TDiskWatchBook::Answer(int index, bool reread) {
    if (index < 0 || index >= host_.PageCount()) return;
    Entry* e = entryOf(ids_.PageId(index));
    if (!e || e->notice.change == TDiskChange::None) return;
    const std::string path = e->path;
    if (reread && e->notice.canReread) {
        std::string error;
        if (Reread && Reread(index, path, &error)) {
            host_.SetModified(index, false);
        } else {
            host_.ErrorBox("[" + path + "]を読み込めません。\r\n" + error);
            return; // the bar stays: the user may try again or edit on
        }
        if ((e = entryOf(ids_.PageId(index)))) show(*e, {});
    } else {
        if (e->notice.change == TDiskChange::Changed) {
            // The page's text stays and differs from the file: it is modified, and the user has
            // seen the change, so saving it later asks no more.
            host_.SetModified(index, true);
            e->base = e->seen;
        }
        show(*e, {});
    }
    host_.UpdatePageStatus();
}

bool TDiskWatchBook::BeforeWrite(int index, const std::string& path, std::string* error) {
    Entry* e = index >= 0 && index < host_.PageCount() ? entryOf(ids_.PageId(index)) : nullptr;
    if (!e || e->path != path) return true; // a new name: the save dialog asked already
    const TDiskChange c = CompareStamps(e->base, StampOf(path));
    if (c == TDiskChange::None) return true;
    const bool yes = !quiet_ && (c == TDiskChange::Deleted
                                     ? host_.AskYesNo(SaveDeletedQuestion(path), true)
                                     : host_.AskYesNo(OverwriteChangedQuestion(path), false));
    if (!yes && error) *error = kSaveDeclined;
    return yes;
}
