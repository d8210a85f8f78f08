// Reading and writing a page's file in its own format, the questions about it and the remembered
// encodings of single files.
#include "mainwindow/pages/DocumentEncoding.h"

#include "platform/AtomicFile.h"
#include "platform/MemoryInfo.h"
#include "platform/MessageBox.h"
#include "text/EndOfFileMark.h"

#include <sys/stat.h>

#include <sstream>

namespace {

TFileFormat& newFormat() {
    static TFileFormat f;
    return f;
}

} // namespace

std::string TPageDocument::StatusText() const {
    return EncodingName(format.encoding, format.bom) + " / " + LineEndName(format.lineEnd);
}

TFileFormat NewPageFormat() {
    return newFormat();
}

void SetNewPageFormat(const TFileFormat& f) {
    newFormat() = f;
}

namespace {

// The text and its rows need about one and a half times the file.
bool fitsInMemory(int64_t size, int64_t avail) {
    return avail < 0 || size + size / 2 <= avail;
}

bool askOpenBinary(TAsker& asker, const std::string& path) {
    return asker.AskYesNo(
        "[" + path +
            "] はテキストではないファイル (バイナリ) のようです。\r\n"
            "開いてもいいですか？ (保存すると、編集した所以外もそのまま書き戻します)",
        false);
}

constexpr size_t kHeadBytes = size_t{4} << 20; // read before the first screen is shown

// The line ends of a load's head, counted on its characters: UTF-16 is read by code units, so
// that a byte 0x0D or 0x0A inside another character is not taken for a line end.
TLineEndCounts HeadLineEnds(std::string_view head, TEncoding e, std::size_t bom) {
    if (e != TEncoding::Utf16LE && e != TEncoding::Utf16BE) return CountLineEnds(head);
    std::string units;
    units.reserve(head.size() / 2);
    for (std::size_t i = bom; i + 1 < head.size(); i += 2) {
        const auto b0 = static_cast<unsigned char>(head[i]);
        const auto b1 = static_cast<unsigned char>(head[i + 1]);
        const unsigned lo = e == TEncoding::Utf16LE ? b0 : b1,
                       hi = e == TEncoding::Utf16LE ? b1 : b0;
        units += hi == 0 && (lo == '\r' || lo == '\n') ? static_cast<char>(lo) : 'x';
    }
    return CountLineEnds(units);
}

} // namespace

std::unique_ptr<TBackgroundLoad> OpenPageInBackground(TAsker& asker, const std::string& path,
                                                      const TEncoding* chosen, TFileFormat* format,
                                                      bool* declined) {
    *declined = false;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size < kBackgroundLoadBytes || !fitsInMemory(st.st_size, AvailableMemoryBytes()))
        return nullptr;
    auto load = std::make_unique<TBackgroundLoad>();
    if (!load->Open(path, kHeadBytes, nullptr)) return nullptr;
    const TDetection d = DetectEncoding(load->Head());
    // A head of plain ASCII decides nothing: the whole file is looked at.
    if (!chosen && !d.decided) return nullptr;
    const TEncoding e = chosen ? *chosen : d.encoding;
    // A decoded file needs its bytes and its text at once until the load ends.
    if (e != TEncoding::ShiftJis && !fitsInMemory(2 * st.st_size, AvailableMemoryBytes()))
        return nullptr;
    if (!chosen && d.binary && !askOpenBinary(asker, path)) {
        *declined = true;
        return nullptr;
    }
    *format = TFileFormat();
    format->encoding = e;
    std::size_t bom = 0;
    if (e != TEncoding::ShiftJis) {
        const std::string_view head = load->Head();
        if (e == TEncoding::Utf8 && head.starts_with("\xEF\xBB\xBF"))
            bom = 3;
        else if ((e == TEncoding::Utf16LE && head.starts_with("\xFF\xFE")) ||
                 (e == TEncoding::Utf16BE && head.starts_with("\xFE\xFF")))
            bom = 2;
        format->bom = bom > 0;
    }
    // The head's most frequent line end is the page's; lines that end otherwise keep their own.
    format->lineEnd = HeadLineEnds(load->Head(), e, bom).Main(NewPageFormat().lineEnd);
    if (e != TEncoding::ShiftJis) load->DecodeFrom(e, bom);
    return load;
}

bool ReadPageDocument(TAsker& asker, const std::string& path, const TEncoding* chosen,
                      TDecodedDocument* doc, std::string* error, std::size_t* dropped) {
    // Refuse clearly before the machine runs out of memory half-way.
    struct stat st {};
    const int64_t avail = AvailableMemoryBytes();
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !fitsInMemory(st.st_size, avail)) {
        if (error)
            *error = "[" + path + "] は大きすぎるため開けません。\r\nファイルは " +
                     std::to_string(st.st_size >> 20) + " MB、使えるメモリは " +
                     std::to_string(avail >> 20) + " MB です。";
        return false;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    const TDetection d = DetectEncoding(bytes);
    TEncoding e = d.decided ? d.encoding : NewPageFormat().encoding;
    if (chosen) {
        e = *chosen;
    } else if (d.binary && !askOpenBinary(asker, path)) {
        if (error) error->clear();
        return false;
    }
    // A binary file keeps an end-of-file mark and what follows it too: every byte goes back.
    std::string tail;
    const std::size_t textBytes = TextLengthBeforeEofMark(bytes);
    if (d.binary && e == TEncoding::ShiftJis) tail = bytes.substr(textBytes);
    if (dropped) *dropped = tail.empty() ? bytes.size() - textBytes : 0;
    *doc = DecodeFileBytes(std::move(bytes), e, NewPageFormat().lineEnd);
    doc->text += tail;
    // A pure ASCII file written as UTF-8 with a BOM by the new-page format keeps having none.
    if (!d.decided && !chosen) doc->format.bom = false;
    return true;
}

bool WritePageDocument(const TRowTableSnapshot& text, const TPageDocument& d,
                       const TWriteBytes& write, std::string* error) {
    TEncodeReport r;
    const bool written =
        WriteDocumentBlocks(text, d.format, d.table.get(), d.ownLineEnds, write, &r);
    if (!r.ok()) {
        if (error)
            *error = EncodingName(d.format.encoding, d.format.bom) + " では表せない文字が " +
                     std::to_string(r.lost) +
                     " 文字あるため、保存しません。\r\n別の文字コードを選んで保存してください。";
        return false;
    }
    return written;
}

void TellWhatSaveLeavesOut(TAsker& asker, TPageDocument& d) {
    if (!d.droppedTail || d.droppedTailTold) return;
    asker.ShowMessage("このファイルの末尾にあった終端記号 (0x1A) とその後の改行 (合わせて " +
                      std::to_string(d.droppedTail) + " バイト) は、保存すると無くなります。");
    d.droppedTailTold = true;
}

void EnsureTableFor(TPageDocument& d, std::string_view storeText) {
    if (!UsesCharTable(d.format.encoding) || d.table) return;
    d.table = std::make_shared<TCharTable>();
    d.table->AdoptPlainCodes(storeText);
}

bool AskKeepAsUnicode(TAsker& asker, TPageDocument& d, std::string_view storeText) {
    const TEncoding e = d.format.encoding;
    if (e != TEncoding::ShiftJis && e != TEncoding::EucJp && e != TEncoding::Iso2022Jp) return true;
    const std::string name = e == TEncoding::ShiftJis ? "シフトJIS" : EncodingName(e) + " ";
    if (!asker.AskYesNo(name + "で表せない文字が入力されました。\r\n"
                               "このページを今後 UTF-8 で保存しますか？\r\n"
                               "(はい: 文字はそのまま保たれます。いいえ: 「?」に置き換えます)",
                        true))
        return false;
    d.format.encoding = TEncoding::Utf8;
    d.format.bom = false;
    EnsureTableFor(d, storeText);
    return true;
}

std::size_t TakeEnteringText(TAsker& asker, TPageDocument& d,
                             const std::function<std::string()>& storeText, std::u16string& text,
                             bool* switched) {
    *switched = false;
    const bool extended = d.table && d.table->ExtendedCodes();
    if (FitsEncoding(text, d.format.encoding, extended)) return 0;
    if (AskKeepAsUnicode(asker, d, storeText())) {
        *switched = true;
        return 0;
    }
    return ReplaceUnfitting(text, d.format.encoding, extended);
}

// ---- remembered choices ----

void TEncodingChoices::Load(const std::string& file) {
    file_ = file;
    byPath_.clear();
    std::string bytes;
    if (!ReadWholeFile(file, bytes)) return;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        TEncoding e;
        bool bom;
        if (ParseEncodingName(line.substr(0, tab), &e, &bom)) byPath_[line.substr(tab + 1)] = e;
    }
}

bool TEncodingChoices::Save() const {
    if (file_.empty()) return false;
    std::string out;
    for (const auto& [path, e] : byPath_)
        out += EncodingName(e) + "\t" + path + "\n";
    return WriteFileAtomic(file_, out);
}

bool TEncodingChoices::Find(const std::string& path, TEncoding* e) const {
    auto it = byPath_.find(path);
    if (it == byPath_.end()) return false;
    *e = it->second;
    return true;
}

void TEncodingChoices::Set(const std::string& path, TEncoding e) {
    if (path.find_first_of("\r\n") != std::string::npos) return; // cannot be a list line
    byPath_[path] = e;
}

void TEncodingChoices::Forget(const std::string& path) {
    byPath_.erase(path);
}

TEncodingChoices& EncodingChoices() {
    static TEncodingChoices c;
    return c;
}

void DescribeForRecovery(const TPageDocument& d, TRecoveryRecord& r) {
    r.Encoding = EncodingName(d.format.encoding, d.format.bom);
    r.LineEnd = LineEndName(d.format.lineEnd);
    r.Table = d.table ? d.table->Save() : std::string();
}

namespace {

std::shared_ptr<TCharTable> recoveredTable(const TRecoveryRecord& r, bool* ok) {
    auto table = std::make_shared<TCharTable>();
    *ok = table->Restore(r.Table);
    return table;
}

} // namespace

bool RestoreFromRecovery(const TRecoveryRecord& r, TPageDocument& d) {
    SetEncodingByName(r.Encoding, d.format);
    SetLineEndByName(r.LineEnd, d.format);
    bool ok = true;
    d.table = UsesCharTable(d.format.encoding) ? recoveredTable(r, &ok) : nullptr;
    if (d.table && !ok) d.table->AdoptPlainCodes(r.Text);
    d.lineEnds = {};
    d.readOnlyReason.clear();
    return ok;
}

std::string RecoveryOfferLine(const TRecoveryRecord& r, std::string_view disk, bool haveDisk) {
    TPageDocument d;
    RestoreFromRecovery(r, d);
    const std::string mine = DocumentToUtf8(r.Text, d.table.get());
    std::string theirs;
    if (haveDisk) {
        const TDecodedDocument file = DecodeDocument(disk, d.format.encoding);
        theirs = DocumentToUtf8(file.text, file.table.get());
    }
    return FirstDifferentLine(mine, theirs, haveDisk);
}

bool SetPageFormat(TPageDocument& d, const TFileFormat& f) {
    if (f == d.format) return false;
    if (f.lineEnd != d.format.lineEnd) d.ownLineEnds = false;
    d.format = f;
    d.lineEnds = {};
    return true;
}

std::vector<TEncoding> ReopenEncodings() {
    std::vector<TEncoding> out;
    for (const TFileFormat& f : ChoosableEncodings())
        if (!(f.bom && f.encoding == TEncoding::Utf8)) out.push_back(f.encoding);
    return out;
}

void RememberEncodingChoice(const std::string& path, const TEncoding* e) {
    if (e)
        EncodingChoices().Set(path, *e);
    else
        EncodingChoices().Forget(path);
    EncodingChoices().Save();
}

TEncodingMenuState EncodingMenuState(const TPageDocument& d, bool named, bool readOnly) {
    return {named, !readOnly, EncodingName(d.format.encoding, d.format.bom),
            LineEndName(d.format.lineEnd)};
}

std::vector<std::string> FormatChoiceNames(bool encodings) {
    std::vector<std::string> names;
    if (encodings)
        for (const TFileFormat& f : ChoosableEncodings())
            names.push_back(EncodingName(f.encoding, f.bom));
    else
        for (TLineEndStyle l : {TLineEndStyle::CrLf, TLineEndStyle::Lf, TLineEndStyle::Cr})
            names.push_back(LineEndName(l));
    return names;
}

bool ApplyFormatChoice(const std::string& name, TFileFormat& f) {
    return SetEncodingByName(name, f) || SetLineEndByName(name, f);
}
