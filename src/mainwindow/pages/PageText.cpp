// Reading a page's file into its control's core, and the page's text for the status bar.
#include "mainwindow/pages/PageText.h"

#include "editor/EditorCore.h"
#include "editor/PropertySet.h"
#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/EditorActions.h"
#include "platform/Cp932.h"
#include "platform/MessageBox.h"
#include "syntax/Fountain.h"
#include "text/CharTable.h"
#include "text/RowCut.h"
#include "text/RowStore.h"

#include <algorithm>

bool LoadPageFile(TAsker& asker, TEditorCore& c, TPageDocument& doc, const std::string& path,
                  const TEncoding* chosen, const TTakeText& take, const TBeginLoad& begin,
                  std::string* error) {
    TDecodedDocument d;
    std::size_t dropped = 0;
    try {
        bool declined = false;
        TFileFormat format;
        std::unique_ptr<TBackgroundLoad> background =
            OpenPageInBackground(asker, path, chosen, &format, &declined);
        if (declined) {
            if (error) *error = "読み込みを取りやめました。";
            return false;
        }
        if (background) {
            if (auto store = c.SharedStore())
                store->ExpectFileLineEnds(LineEndBytesOf(format.lineEnd));
            begin(std::move(background), format);
            return true;
        }
        if (!ReadPageDocument(asker, path, chosen, &d, error, &dropped)) {
            if (error && error->empty()) *error = "読み込みを取りやめました。";
            return false;
        }
        // The page keeps what it had when the rows cannot be made.
        auto store = c.SharedStore();
        std::shared_ptr<TCharTable> oldTable = store ? store->CharTable() : nullptr;
        if (store) store->SetCharTable(d.table);
        if (store) store->ExpectFileLineEnds(LineEndBytesOf(d.format.lineEnd));
        try {
            take(std::move(d.text));
        } catch (...) {
            if (store) store->SetCharTable(oldTable);
            throw;
        }
    } catch (const ETextTooLarge& e) {
        if (error) *error = "[" + path + "]\r\n" + e.what();
        return false;
    } catch (const std::bad_alloc&) {
        if (error) *error = "[" + path + "]\r\nメモリが足りないため、このファイルを開けません。";
        return false;
    }
    const bool hadReason = !doc.readOnlyReason.empty();
    doc.format = d.format;
    doc.table = d.table;
    doc.lineEnds = d.lineEnds;
    doc.ownLineEnds = true;
    doc.droppedTail = dropped;
    doc.droppedTailTold = false;
    doc.readOnlyReason = d.readOnlyReason;
    c.Modified = false;
    if (hadReason && d.readOnlyReason.empty()) c.SetReadOnly(false);
    if (!d.readOnlyReason.empty()) {
        c.SetReadOnly(true);
        asker.ShowMessage("[" + path + "]\r\n" + d.readOnlyReason +
                          "\r\n内容を失わないよう、読み取り専用で開きます。");
    }
    return true;
}

bool BeginBackgroundDocument(TEditorCore& c, TPageDocument& doc, const TFileFormat& format) {
    const bool hadReason = !doc.readOnlyReason.empty();
    doc.format = format;
    doc.table = UsesCharTable(format.encoding) ? std::make_shared<TCharTable>() : nullptr;
    doc.lineEnds = TLineEndCounts();
    doc.ownLineEnds = true;
    doc.droppedTail = 0;
    doc.readOnlyReason.clear();
    if (auto store = c.SharedStore()) store->SetCharTable(doc.table);
    return hadReason;
}

bool EndBackgroundDocument(TPageDocument& doc, const TLineEndCounts& counts,
                           const std::string& error) {
    doc.lineEnds = counts; // the format keeps the head's line end: the rows are told apart by it
    if (error.empty()) return false;
    doc.readOnlyReason = error;
    return true;
}

std::string LoadEndMessage(const std::string& path, const std::string& error) {
    if (error.empty()) return {};
    return "[" + path + "]を読み込めません。\r\n" + error +
           "\r\n内容を失わないよう、読み取り専用で開きます。";
}

std::string LoadProgressText(const TEditorCore& c) {
    const TEditorScreenStrings& rows = c.Rows();
    if (!rows.LoadPending() || rows.LoadSize() == 0) return {};
    const auto percent = static_cast<int>(static_cast<double>(rows.LoadedBytes()) * 100.0 /
                                          static_cast<double>(rows.LoadSize()));
    return "読み込み中… " + std::to_string(std::min(percent, 100)) + "%";
}

TPageCaretInfo CaretInfoOf(const TEditorCore& c) {
    const TCaretLine l = CaretLineOf(c);
    return {c.Row(), c.Col(), l.Line, l.Char};
}

void ClearPageText(TEditorCore& c) {
    c.SelectAll();
    c.DeleteSelection(); // one undo step; SetSelText ignores an empty text
}

void ReplacePageText(TEditorCore& c, const std::string& text) {
    const TEditorSelectionMode mode = c.SelectionMode();
    const int row = c.Row(), col = c.Col();
    c.SetSelectionMode(smLine);
    c.SelectAll();
    if (text.empty())
        c.DeleteSelection();
    else
        c.SetSelText(text);
    c.SetSelectionMode(mode);
    c.SetCaret(std::min(row, c.MaxRow()), col); // the caret stays where the user was typing
}

bool MoveTableCodes(std::string& cp932, const TCharTable& from, TCharTable& into) {
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto lead = static_cast<unsigned char>(cp932[i]);
        if (!IsDBCSLeadByte(lead) || i + 1 >= cp932.size()) continue;
        const auto trail = static_cast<unsigned char>(cp932[i + 1]);
        if (TCharTable::IsTableCode(lead, trail)) {
            const TCharTableEntry* e = from.Entry(static_cast<unsigned>(lead) << 8 | trail);
            const unsigned code = !e      ? 0
                                  : e->ch ? into.CodeFor(e->ch)
                                          : into.CodeForBytes(e->bytes);
            if (code == 0) return false;
            cp932[i] = static_cast<char>(code >> 8);
            cp932[i + 1] = static_cast<char>(code & 0xFF);
        }
        ++i;
    }
    return true;
}

void SetCaretRowClamped(TEditorCore& c, int row) {
    c.SetRow(std::max(0, std::min(row, c.MaxRow())));
}

void SetTopRowClamped(TEditorCore& c, int row) {
    c.SetTopRow(std::max(0, std::min(row, c.MaxRow())));
}

// --- TPageText -------------------------------------------------------------------------------

bool TPageText::loadFile(const std::string& path, const TEncoding* chosen, std::string* error) {
    return LoadPageFile(
        asker(), core(), *doc_, path, chosen,
        [this](std::string&& text) { takeText(std::move(text)); },
        [this, &path](std::unique_ptr<TBackgroundLoad> load, const TFileFormat& format) {
            beginBackground(path, std::move(load), format);
        },
        error);
}

bool TPageText::LoadFromFile(const std::string& path, std::string* error) {
    TEncoding chosen;
    const bool has = EncodingChoices().Find(path, &chosen);
    return loadFile(path, has ? &chosen : nullptr, error);
}

bool TPageText::Reread(const std::string& path, std::string* error) {
    TEditorCore& c = core();
    if (c.ReadOnly() || c.Rows().LoadPending()) return LoadFromFile(path, error);
    TEncoding chosen;
    const bool has = EncodingChoices().Find(path, &chosen);
    TDecodedDocument d;
    std::size_t dropped = 0;
    try {
        if (!ReadPageDocument(asker(), path, has ? &chosen : nullptr, &d, error, &dropped)) {
            if (error && error->empty()) *error = "読み込みを取りやめました。";
            return false;
        }
    } catch (const std::bad_alloc&) {
        if (error) *error = "[" + path + "]\r\nメモリが足りないため、このファイルを開けません。";
        return false;
    }
    // Lines that keep their own ends are known only to a text cut from a file: a file whose
    // line ends are mixed is read as a whole (its re-read is then not an undo step, the text
    // it replaces is still kept in the recovery folder).
    if (d.lineEnds.Mixed()) return LoadFromFile(path, error);
    // The text it replaces stays in the undo history with its own codes: the new text's
    // characters join the page's table instead of replacing it.
    std::shared_ptr<TCharTable> table = d.table;
    if (doc_->table && !doc_->table->Empty()) {
        auto both = std::make_shared<TCharTable>(*doc_->table);
        if (d.table && !MoveTableCodes(d.text, *d.table, *both)) return LoadFromFile(path, error);
        table = both;
    }
    if (auto store = c.SharedStore()) store->SetCharTable(table);
    ReplacePageText(c, d.text);
    doc_->format = d.format;
    doc_->table = table;
    doc_->lineEnds = d.lineEnds;
    doc_->ownLineEnds = true;
    doc_->droppedTail = dropped;
    doc_->droppedTailTold = false;
    doc_->readOnlyReason = d.readOnlyReason;
    c.Modified = false;
    if (!d.readOnlyReason.empty()) {
        c.SetReadOnly(true);
        asker().ShowMessage("[" + path + "]\r\n" + d.readOnlyReason +
                            "\r\n内容を失わないよう、読み取り専用で開きます。");
    }
    FormatChanged();
    return true;
}

bool TPageText::ReloadAs(const std::string& path, TEncoding e, std::string* error) {
    return loadFile(path, &e, error);
}

bool TPageText::FileBytes(std::string* bytes, std::string* error) {
    bytes->clear();
    return WritePageDocument(
        core().SharedStore()->Snapshot(), *doc_,
        [bytes](std::string_view b) {
            bytes->append(b);
            return true;
        },
        error);
}

bool TPageText::SaveToFile(const std::string& path, std::string* error) {
    TellWhatSaveLeavesOut(asker(), *doc_);
    const TRowTableSnapshot text = core().SharedStore()->Snapshot();
    return SaveDocumentFile(
        path,
        [&](const TWriteBytes& write, std::string* why) {
            return WritePageDocument(text, *doc_, write, why);
        },
        error);
}

void TPageText::ClearText() {
    ClearPageText(core());
}

std::string TPageText::LoadProgressText() const {
    return ::LoadProgressText(core());
}

bool TPageText::Modified() const {
    return core().Modified;
}

void TPageText::SetModified(bool modified) {
    core().Modified = modified;
}

bool TPageText::ReadOnly() const {
    return core().ReadOnly();
}

void TPageText::SetReadOnly(bool readOnly) {
    core().SetReadOnly(readOnly);
}

bool TPageText::Overwrite() const {
    return core().OverWrite();
}

bool TPageText::BoxSelection() const {
    return core().SelectionMode() == smBox;
}

int TPageText::CaretRow() const {
    return core().Row();
}

int TPageText::TopRow() const {
    return core().TopRow();
}

void TPageText::SetCaretRow(int row) {
    SetCaretRowClamped(core(), row);
}

void TPageText::SetTopRow(int row) {
    SetTopRowClamped(core(), row);
}

TPageCaretInfo TPageText::CaretInfo() const {
    return CaretInfoOf(core());
}

void TPageText::ApplyPropertiesFor(const std::string& path) {
    sets_.ForPath(path).AssignTo(core());
    core().SetFountain(sets_.FountainForPath(path));
}

void TPageText::ShareLookWith(TEditorCore& partner) const {
    // The new control takes the first one's properties (the main form's own set EditorProp1).
    TEditorProp EditorProp1;
    EditorProp1.Assign(core());
    EditorProp1.AssignTo(partner);
    partner.SetFountain(core().Fountain());
    partner.SetReadOnly(core().ReadOnly());
}

void TPageText::FormatChanged() {
    if (UsesCharTable(doc_->format.encoding) && !doc_->table) EnsureTableFor(*doc_, core().Text());
    if (auto store = core().SharedStore()) store->SetCharTable(doc_->table);
}

bool TPageText::CaptureForRecovery(bool wait, TRecoveryRecord& meta,
                                   TRowTableSnapshot& text) const {
    if (!wait && core().Rows().LoadPending()) return false;
    meta.CaretRow = CaretRow();
    DescribeForRecovery(*doc_, meta);
    text = core().SharedStore()->Snapshot();
    return true;
}

void TPageText::RestoreFromRecovery(const TRecoveryRecord& r) {
    if (!::RestoreFromRecovery(r, *doc_))
        asker().ShowMessage("[" + r.Path +
                            "] の復元ファイルの文字の表が壊れています。\r\n"
                            "一部の文字が正しく表示されないことがあります。");
    FormatChanged();
    takeText(std::string(r.Text));
    SetCaretRow(r.CaretRow);
}
