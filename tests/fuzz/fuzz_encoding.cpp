// Fuzz target for the file encodings: a document that opens editable comes back byte for byte,
// and so do the editor's view of its text and its character table.
#include <string>

#include "text/DocumentCodec.h"

#include "FuzzCheck.h"

namespace {

void Check(const std::string& bytes, TEncoding e) {
    TDecodedDocument doc = DecodeDocument(bytes, e);
    if (!doc.readOnlyReason.empty()) return; // opens read-only: never written
    // Shift-JIS text loads as it is.
    FUZZ_CHECK(e != TEncoding::ShiftJis || doc.text.size() == bytes.size() ||
               bytes.find('\x1a') != std::string::npos);
    // Line ends as they were read: CR LF stays CR LF, lone CR and LF pass as they are.
    TFileFormat f = doc.format;
    f.lineEnd = TLineEndStyle::CrLf;
    TEncodeReport r;
    const std::string back = EncodeDocument(doc.text, f, doc.table.get(), &r);
    if (bytes.find('\x1a') != std::string::npos) return; // an end-of-file mark may be dropped
    FUZZ_CHECK(r.ok() && back == bytes);
    // The table as a recovery file keeps it: the same codes come back.
    if (doc.table) {
        const std::string saved = doc.table->Save();
        TCharTable back;
        FUZZ_CHECK(back.Restore(saved) && back.Save() == saved);
    }
    // The editor's view of the text and back: the same store bytes.
    if (doc.table && doc.text.size() < 4096) {
        const std::u16string u = DocumentToUtf16(doc.text, doc.table.get());
        TCharTable copy = *doc.table;
        Cp932Report rep;
        const std::string again = Utf16ToDocument(u, &copy, &rep);
        // Byte entries show as U+FFFD and cannot come back; everything else must, as the same
        // characters (a character of the NEC or IBM rows typed takes its first code).
        FUZZ_CHECK(u.find(u'\uFFFD') != std::u16string::npos || again == doc.text ||
                   DocumentToUtf16(again, &copy) == u);
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
