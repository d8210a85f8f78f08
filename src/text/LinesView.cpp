// TEditorStrings: logical lines computed from the rows on each access.
#include "text/LinesView.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

void TEditorStrings::CheckLine(int i) const {
    CheckListIndex(i, Count());
}

int TEditorStrings::Count() const {
    return FRows->LineCount();
}

// Rows of line i: returns their number and sets first.
int TEditorStrings::RowsOfLine(int i, int& first) const {
    first = FRows->LineToRow(i);
    return FRows->RowEnd(first) - first + 1;
}

std::string TEditorStrings::Get(int i) const {
    CheckLine(i);
    int first;
    int n = RowsOfLine(i, first);
    std::string s;
    for (int r = first; r < first + n; ++r)
        s.append(FRows->RowText(r));
    while (s.size() >= 2 && s[s.size() - 2] == '\r' && s.back() == '\n')
        s.resize(s.size() - 2);
    return s;
}

void TEditorStrings::Put(int i, std::string_view s) {
    CheckLine(i);
    int first;
    int n = RowsOfLine(i, first);
    std::string t(s);
    if (FRows->RowEndKind(first + n - 1) == reLineEnd) t += "\r\n";
    FRows->UpdateList(first, n, t);
}

void TEditorStrings::Insert(int i, std::string_view s) {
    if (i == Count()) {
        Add(s);
        return;
    }
    CheckLine(i);
    std::string t(s);
    t += "\r\n";
    FRows->UpdateList(FRows->LineToRow(i), 0, t);
}

int TEditorStrings::Add(std::string_view s) {
    int count = Count();
    int n = FRows->Count();
    std::string t;
    if (n == 0 || FRows->RowEndKind(n - 1) == reLineEnd) {
        t.assign(s);
        t += "\r\n";
        FRows->UpdateList(n, 0, t);
    } else {
        // The last line has no line end: it gets one and s follows without.
        int first = FRows->RowStart(n - 1);
        t = FRows->RowsText(first, n - 1);
        t += "\r\n";
        t.append(s);
        FRows->UpdateList(first, n - first, t);
    }
    return count;
}

void TEditorStrings::Delete(int i) {
    CheckLine(i);
    int first;
    int n = RowsOfLine(i, first);
    FRows->UpdateList(first, n, "");
}

void TEditorStrings::Clear() {
    FRows->Clear();
}

std::string TEditorStrings::Text() const {
    return FRows->Text();
}

void TEditorStrings::SetText(std::string_view s) {
    FRows->SetText(s);
}

void TEditorStrings::LoadFromFile(const std::string& fileName) {
    FRows->LoadFromFile(fileName);
}

void TEditorStrings::SaveToFile(const std::string& fileName) const {
    // Every byte is written, also a 0x1A inside the text (the next load keeps it, since text
    // follows it).
    const std::string text = Text();
    std::string tmp = fileName + ".tolmo-tmp";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw EFileError(fileName, "を作成できません。", errno);
    size_t done = 0;
    while (done < text.size()) {
        ssize_t k = ::write(fd, text.data() + done, text.size() - done);
        if (k < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            throw EFileError(fileName, "に書き込めません。", err);
        }
        done += static_cast<size_t>(k);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throw EFileError(fileName, "に書き込めません。", err);
    }
    if (std::rename(tmp.c_str(), fileName.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throw EFileError(fileName, "に書き込めません。", err);
    }
}

void TEditorStrings::Assign(const std::vector<std::string>& lines) {
    std::string t;
    for (const std::string& l : lines) {
        t += l;
        t += "\r\n";
    }
    BeginUpdate();
    FRows->SetText(t);
    EndUpdate();
    int n = FRows->Count();
    for (TScreenStringsClient* c : FRows->Clients())
        c->SetCaretPos(n, 0);
}

void TEditorStrings::Assign(const TEditorStrings& src) {
    if (&src == this) return;
    Assign(src.ToVector());
}

std::vector<std::string> TEditorStrings::ToVector() const {
    std::vector<std::string> v;
    int n = Count();
    v.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v.push_back(Get(i));
    return v;
}

void TEditorStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) {
        FRows->BeginUpdate();
        if (FEditor) FEditor->LinesUpdateBegin();
    }
}

void TEditorStrings::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0) return;
    if (FEditor) FEditor->LinesUpdateEnd();
    FRows->EndUpdate();
    for (TScreenStringsClient* c : FRows->Clients())
        c->ListReset();
}
