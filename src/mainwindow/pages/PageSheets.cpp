// The pages' controls for the page book: states, carets, files and the active page's status.
#include "mainwindow/pages/PageSheets.h"

#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/MainMenu.h"

TPageText* TPageSheets::TextOfPage(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    const TSheet& s = sheet(index);
    return s.focused ? s.focused : s.lower.get();
}

std::vector<TPageText*> TPageSheets::AllTexts() const {
    std::vector<TPageText*> out;
    for (const auto& s : sheets_) {
        if (s->lower) out.push_back(s->lower.get());
        if (s->upper) out.push_back(s->upper.get());
    }
    return out;
}

int TPageSheets::IndexOfPage(int id) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i]->id == id) return static_cast<int>(i);
    return -1;
}

TPageSheets::TSheet& TPageSheets::addSheet(std::unique_ptr<TSheet> s,
                                           std::unique_ptr<TPageText> lower) {
    s->id = nextId_++;
    s->lower = std::move(lower);
    s->focused = s->lower.get();
    sheets_.push_back(std::move(s));
    return *sheets_.back();
}

std::unique_ptr<TPageSheets::TSheet> TPageSheets::takeSheet(int index) {
    std::unique_ptr<TSheet> s = std::move(sheets_.at(static_cast<std::size_t>(index)));
    sheets_.erase(sheets_.begin() + index);
    return s;
}

void TPageSheets::moveSheet(int from, int to) {
    std::unique_ptr<TSheet> s = takeSheet(from);
    sheets_.insert(sheets_.begin() + to, std::move(s));
}

void TPageSheets::dropUpper(TSheet& s) {
    if (!s.upper) return;
    if (s.upper->Modified()) s.lower->SetModified(true);
    s.focused = s.lower.get();
    s.upper.reset();
}

// --- the book's questions --------------------------------------------------------------------

bool TPageSheets::LoadPageText(int index, const std::string& path, std::string* error) {
    const bool ok = sheet(index).lower->LoadFromFile(path, error);
    if (ok && OnFileRead) OnFileRead(index, path);
    if (ok && OnPageSettled) OnPageSettled();
    return ok;
}

bool TPageSheets::RereadPageText(int index, const std::string& path, std::string* error) {
    TPageText* t = TextOfPage(index);
    if (!t) return false;
    if (BeforeReread && IsModified(index)) BeforeReread(index);
    if (!t->Reread(path, error)) return false;
    if (OnFileRead) OnFileRead(index, path);
    if (OnPageSettled) OnPageSettled();
    return true;
}

bool TPageSheets::SavePageText(int index, const std::string& path, std::string* error) {
    TPageText* t = TextOfPage(index);
    // A file still loading is saved whole: the rest is read first.
    if (!t->WaitForWholeText()) {
        if (error) *error = "ページが閉じられました。";
        return false;
    }
    if (BeforeFileWrite && !BeforeFileWrite(index, path, error)) return false;
    if (!t->SaveToFile(path, error)) return false;
    if (OnFileWritten) OnFileWritten(index, path);
    if (OnPageSettled) OnPageSettled();
    return true;
}

bool TPageSheets::IsModified(int index) const {
    const TSheet& s = sheet(index);
    return s.lower->Modified() || (s.upper && s.upper->Modified());
}

void TPageSheets::SetModified(int index, bool modified) {
    TSheet& s = sheet(index);
    s.lower->SetModified(modified);
    if (s.upper) s.upper->SetModified(modified);
    if (index == ActivePage() && OnModifiedMark) OnModifiedMark(modified);
}

bool TPageSheets::IsReadOnly(int index) const {
    return TextOfPage(index)->ReadOnly();
}

void TPageSheets::SetReadOnly(int index, bool readOnly) {
    TSheet& s = sheet(index);
    s.lower->SetReadOnly(readOnly);
    if (s.upper) s.upper->SetReadOnly(readOnly);
}

void TPageSheets::GetCaret(int index, int* row, int* topRow) const {
    *row = sheet(index).lower->CaretRow();
    *topRow = sheet(index).lower->TopRow();
}

void TPageSheets::SetCaret(int index, int row, int topRow) {
    sheet(index).lower->SetTopRow(topRow);
    sheet(index).lower->SetCaretRow(row);
}

bool TPageSheets::IsSplit(int index) const {
    return sheet(index).upper != nullptr;
}

void TPageSheets::ApplyPropertiesFor(int index, const std::string& path) {
    TSheet& s = sheet(index);
    s.lower->ApplyPropertiesFor(path);
    if (s.upper) s.upper->ApplyPropertiesFor(path);
}

// --- the active page's status ----------------------------------------------------------------

void TPageSheets::SetRowColMode(bool rowCol) {
    rowCol_ = rowCol;
    UpdateCaretPanel();
}

void TPageSheets::UpdateCaretPanel() {
    if (const TPageText* t = TextOfPage(ActivePage()))
        setPanel(0, CaretPanelText(t->CaretInfo(), rowCol_));
}

void TPageSheets::ShowPageStatus() {
    TPageText* t = TextOfPage(ActivePage());
    if (!t) return;
    if (OnModifiedMark) OnModifiedMark(t->Modified());
    setPanel(2, OverwritePanelText(t->Overwrite()));
    setPanel(5, BoxPanelText(t->BoxSelection()));
    UpdateCaretPanel();
    setPanel(1, ReadOnlyPanelText(t->ReadOnly()));
    if (OnPageStatus) OnPageStatus(t);
    if (OnStatusRefreshed) OnStatusRefreshed();
}

void TPageSheets::ShowModePanels() {
    if (const TPageText* t = TextOfPage(ActivePage())) {
        setPanel(1, ReadOnlyPanelText(t->ReadOnly()));
        setPanel(2, OverwritePanelText(t->Overwrite()));
    }
}

void TPageSheets::Clear() {
    if (TPageText* t = TextOfPage(ActivePage())) t->ClearText();
}

void TPageSheets::CaretMoved(const TPageText* t) {
    if (t == TextOfPage(ActivePage())) UpdateCaretPanel();
}

void TPageSheets::Changed(const TSheet& s, const TPageText* t) {
    if (t == TextOfPage(ActivePage()) && OnModifiedMark) OnModifiedMark(t->Modified());
    for (int i = 0; i < PageCount(); ++i)
        if (&sheet(i) == &s && OnTextChanged) OnTextChanged(i);
}

void TPageSheets::Focused(TSheet& s, TPageText* t) {
    s.focused = t;
    if (t == TextOfPage(ActivePage())) UpdatePageStatus();
}

void TPageSheets::SelectionModeChanged(const TPageText* t) {
    if (t == TextOfPage(ActivePage())) setPanel(5, BoxPanelText(t->BoxSelection()));
}

void TPageSheets::LoadProgressed(const TPageText* t) {
    if (t != TextOfPage(ActivePage())) return;
    const std::string text = t->LoadProgressText();
    ShowProgress(text);
    if (text.empty()) UpdatePageStatus(); // ended: line ends, read-only
}

// --- the active page's encoding --------------------------------------------------------------

void TPageSheets::ReopenActive(const TPageBook& book, const TEncoding* e) {
    const int index = ActivePage();
    TPageText* t = TextOfPage(index);
    if (!t || book.IsUntitled(index)) return;
    const std::string path = book.ActivePath();
    if (IsModified(index) &&
        !AskYesNo("[ " + path + "] は更新されています。\r\n変更を捨てて開き直しますか？", false))
        return;
    RememberEncodingChoice(path, e);
    std::string error;
    if (!(e ? t->ReloadAs(path, *e, &error) : t->LoadFromFile(path, &error))) {
        if (!error.empty()) ErrorBox("[" + path + "]を読み込めません。\r\n" + error);
        return;
    }
    // The page now holds the file as it is on disk: the watch must not offer that change again.
    if (OnFileRead) OnFileRead(index, path);
    if (OnPageSettled) OnPageSettled();
    SetModified(index, false);
    UpdatePageStatus();
}

void TPageSheets::ChangeActiveFormat(const std::function<void(TFileFormat&)>& change) {
    const int index = ActivePage();
    TPageText* t = TextOfPage(index);
    TPageDocument* d = t ? t->Document() : nullptr;
    if (!d || t->ReadOnly()) return;
    TFileFormat f = d->format;
    change(f);
    if (!SetPageFormat(*d, f)) return;
    t->FormatChanged();
    SetModified(index, true);
    UpdatePageStatus();
}
