// The pages' files on disk: changes by other programs, and the questions they lead to.
#include "mainwindow/DiskWatchBook.h"

#include "platform/MessageBox.h"

TDiskWatchBook::Entry* TDiskWatchBook::entryOf(int id) {
    for (Entry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

void TDiskWatchBook::Record(int index, const std::string& path) {
    if (index < 0 || index >= host_.PageCount()) return;
    const int id = ids_.PageId(index);
    Entry* e = entryOf(id);
    if (!e) e = &entries_.emplace_back();
    e->id = id;
    e->path = path;
    e->stamp = StampOf(path);
    e->pending = TDiskChange::None;
    if (Unwatch) Unwatch(path);
    if (e->stamp.exists && Watch) Watch(path);
}

void TDiskWatchBook::Check() {
    std::erase_if(entries_, [this](const Entry& e) { return ids_.IndexOfPage(e.id) < 0; });
    for (Entry& e : entries_) {
        // The page now shows another file (save as, a re-used untitled page): not ours to judge.
        if (book_.PathOfPage(ids_.IndexOfPage(e.id)) != e.path) continue;
        const TDiskStamp now = StampOf(e.path);
        if (now.exists && Watch) Watch(e.path);
        const TDiskChange c = CompareStamps(e.stamp, now);
        if (c != TDiskChange::None && e.pending == TDiskChange::None) e.pending = c;
    }
}

void TDiskWatchBook::Focused(int index) {
    if (Asking() || index < 0 || index >= host_.PageCount()) return;
    const int id = ids_.PageId(index);
    if (const Entry* e = entryOf(id); e && e->pending != TDiskChange::None) ask(id);
}

void TDiskWatchBook::ask(int id) {
    asking_ = true;
    Entry& entry = *entryOf(id);
    const std::string path = entry.path;
    const TDiskChange change = entry.pending;
    entry.pending = TDiskChange::None;
    if (change == TDiskChange::Deleted) {
        // The page keeps its text; saving it writes the file again after a question.
        ShowMessage(DeletedNotice(path));
        if (const int now = ids_.IndexOfPage(id); now >= 0) host_.SetModified(now, true);
    } else {
        const bool reload =
            host_.AskYesNo(ReloadQuestion(path), !host_.IsModified(ids_.IndexOfPage(id)));
        const int now = ids_.IndexOfPage(id); // the question let other events through
        std::string error;
        if (now >= 0 && reload) {
            if (host_.LoadPageText(now, path, &error))
                host_.SetModified(now, false);
            else
                host_.ErrorBox("[" + path + "]を読み込めません。\r\n" + error);
        } else if (now >= 0) {
            // The page's text stays and differs from the file: it is modified, and the user has
            // seen the change, so saving it later asks no more. Events that came while the
            // question was up are answered by it too.
            host_.SetModified(now, true);
            if (Entry* e = entryOf(id)) {
                e->stamp = StampOf(path);
                e->pending = TDiskChange::None;
            }
        }
        host_.UpdatePageStatus();
    }
    asking_ = false;
}

bool TDiskWatchBook::BeforeWrite(int index, const std::string& path, std::string* error) {
    Entry* e = index >= 0 && index < host_.PageCount() ? entryOf(ids_.PageId(index)) : nullptr;
    if (!e || e->path != path) return true; // a new name: the save dialog asked already
    const TDiskChange c = CompareStamps(e->stamp, StampOf(path));
    if (c == TDiskChange::None) return true;
    const bool yes = !quiet_ && (c == TDiskChange::Deleted
                                     ? host_.AskYesNo(SaveDeletedQuestion(path), true)
                                     : host_.AskYesNo(OverwriteChangedQuestion(path), false));
    if (!yes && error) *error = kSaveDeclined;
    if (yes) e->pending = TDiskChange::None;
    return yes;
}
