// Fuzz target for the file encodings: arbitrary bytes are detected and decoded as every encoding
// into the row store's CP932 bytes with the document's table, encoded back and compared: a
// document that opens editable must come back byte for byte. The editor's conversions of the
// decoded text (to Unicode and back through the table) must keep every character too, and so must
// the table saved and restored.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/DocumentCodec.h"

namespace {

void Fail(const char* what, TEncoding e) {
    std::fprintf(stderr, "%s (%s)\n", what, EncodingName(e).c_str());
    std::abort();
}

void Check(const std::string& bytes, TEncoding e) {
    TDecodedDocument doc = DecodeDocument(bytes, e);
    if (!doc.readOnlyReason.empty()) return; // opens read-only: never written
    if (doc.text.size() != bytes.size() && bytes.find('\x1a') == std::string::npos &&
        e == TEncoding::ShiftJis)
        Fail("Shift-JIS text changed on loading", e);
    // Line ends as they were read: CR LF stays CR LF, lone CR and LF pass as they are.
    TFileFormat f = doc.format;
    f.lineEnd = TLineEndStyle::CrLf;
    TEncodeReport r;
    const std::string back = EncodeDocument(doc.text, f, doc.table.get(), &r);
    if (bytes.find('\x1a') != std::string::npos) return; // an end-of-file mark may be dropped
    if (!r.ok()) Fail("characters lost on saving", e);
    if (back != bytes) Fail("round trip changed the bytes", e);
    // The table as a recovery file keeps it: the same codes come back.
    if (doc.table) {
        const std::string saved = doc.table->Save();
        TCharTable back;
        if (!back.Restore(saved) || back.Save() != saved) Fail("table not restored", e);
    }
    // The editor's view of the text and back: the same store bytes.
    if (doc.table && doc.text.size() < 4096) {
        const std::u16string u = DocumentToUtf16(doc.text, doc.table.get());
        TCharTable copy = *doc.table;
        Cp932Report rep;
        const std::string again = Utf16ToDocument(u, &copy, &rep);
        // Byte entries show as U+FFFD and cannot come back; everything else must.
        if (u.find(u'\uFFFD') == std::u16string::npos && again != doc.text)
            Fail("editor conversion changed the text", e);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const TDetection d = DetectEncoding(bytes);
    Check(bytes, d.encoding);
    for (TEncoding e : {TEncoding::ShiftJis, TEncoding::Utf8, TEncoding::Utf16LE,
                        TEncoding::Utf16BE, TEncoding::EucJp, TEncoding::Iso2022Jp})
        if (e != d.encoding) Check(bytes, e);
    return 0;
}
