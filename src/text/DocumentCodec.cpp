// Detection, decoding into the row store's CP932 bytes with the document's character table, and
// encoding back in the file's own format.
#include "text/DocumentCodec.h"
#include "text/Utf8Sequence.h"

#include "text/EndOfFileMark.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace {

// ---- names ----

struct NamedEncoding {
    TEncoding e;
    bool bom;
    const char* name;
};
constexpr NamedEncoding kNames[] = {
    {TEncoding::ShiftJis, false, "Shift-JIS"},    {TEncoding::Utf8, false, "UTF-8"},
    {TEncoding::Utf8, true, "UTF-8 BOM"},         {TEncoding::Utf16LE, true, "UTF-16LE"},
    {TEncoding::Utf16BE, true, "UTF-16BE"},       {TEncoding::EucJp, false, "EUC-JP"},
    {TEncoding::Iso2022Jp, false, "ISO-2022-JP"},
};

std::string squeeze(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '-' && c != '_' && c != ' ')
            out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

// ---- writing code points ----

void putUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void putUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

void putCode(std::string& out, unsigned code) {
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

} // namespace

// ---- names ----

std::string EncodingName(TEncoding e, bool bom) {
    for (const NamedEncoding& n : kNames)
        if (n.e == e && (n.bom == bom || (e != TEncoding::Utf8))) return n.name;
    return "Shift-JIS";
}

std::string LineEndName(TLineEndStyle l) {
    switch (l) {
    case TLineEndStyle::Lf:
        return "LF";
    case TLineEndStyle::Cr:
        return "CR";
    default:
        return "CRLF";
    }
}

bool ParseEncodingName(std::string_view name, TEncoding* e, bool* bom) {
    const std::string n = squeeze(name);
    for (const NamedEncoding& k : kNames)
        if (squeeze(k.name) == n) {
            *e = k.e;
            *bom = k.bom;
            return true;
        }
    if (n == "SJIS" || n == "SHIFTJIS" || n == "CP932") {
        *e = TEncoding::ShiftJis;
        *bom = false;
        return true;
    }
    return false;
}

bool SetEncodingByName(std::string_view name, TFileFormat& f) {
    return ParseEncodingName(name, &f.encoding, &f.bom);
}

bool SetLineEndByName(std::string_view name, TFileFormat& f) {
    return ParseLineEndName(name, &f.lineEnd);
}

bool ParseLineEndName(std::string_view name, TLineEndStyle* l) {
    const std::string n = squeeze(name);
    if (n == "CRLF" || n == "CR+LF") {
        *l = TLineEndStyle::CrLf;
    } else if (n == "LF") {
        *l = TLineEndStyle::Lf;
    } else if (n == "CR") {
        *l = TLineEndStyle::Cr;
    } else {
        return false;
    }
    return true;
}

const std::vector<TFileFormat>& ChoosableEncodings() {
    static const std::vector<TFileFormat> all = [] {
        std::vector<TFileFormat> v;
        for (const NamedEncoding& n : kNames)
            v.push_back({n.e, n.bom, TLineEndStyle::CrLf});
        return v;
    }();
    return all;
}

// ---- detection ----

namespace {

constexpr std::size_t kDetectWindow = 1 << 20;

// How plausible the bytes are as Japanese text in one encoding: invalid sequences, and a score
// that favours kana, common kanji and punctuation over rare codes and half-width katakana.
struct Plausibility {
    std::size_t invalid = 0;
    double score = 0;
};

Plausibility scoreShiftJis(std::string_view s, bool cut) {
    Plausibility p;
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = b[i];
        if (c < 0x80) continue;
        if (IsHalfKana(c)) {
            p.score += 0.1;
            continue;
        }
        if (!IsDBCSLeadByte(c)) {
            ++p.invalid;
            continue;
        }
        if (i + 1 >= n) { // a lone lead byte: fine only where the window cuts the text
            if (!cut) ++p.invalid;
            break;
        }
        const unsigned char t = b[++i];
        if (!IsDBCSTrailByte(t)) {
            ++p.invalid;
            continue;
        }
        const unsigned code = static_cast<unsigned>(c) << 8 | t;
        if ((code >= 0x829F && code <= 0x82F1) || (code >= 0x8340 && code <= 0x8396))
            p.score += 2;
        else if ((code >= 0x8140 && code <= 0x81AC) || (code >= 0x889F && code <= 0x9872))
            p.score += 1;
        else if (Cp932CodeChar(code))
            p.score += 0.3;
        else
            ++p.invalid;
    }
    return p;
}

Plausibility scoreEucJp(std::string_view s, bool cut) {
    Plausibility p;
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    auto euc = [](unsigned char x) { return x >= 0xA1 && x <= 0xFE; };
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = b[i];
        if (c < 0x80) continue;
        if (c == 0x8E) { // half-width katakana
            if (i + 1 >= n) {
                if (!cut) ++p.invalid;
                break;
            }
            const unsigned char t = b[++i];
            if (t >= 0xA1 && t <= 0xDF)
                p.score += 0.1;
            else
                ++p.invalid;
        } else if (c == 0x8F) { // JIS X 0212
            if (i + 2 >= n) {
                if (!cut) ++p.invalid;
                break;
            }
            if (euc(b[i + 1]) && euc(b[i + 2]))
                p.score += 0.2;
            else
                ++p.invalid;
            i += 2;
        } else if (euc(c)) {
            if (i + 1 >= n) {
                if (!cut) ++p.invalid;
                break;
            }
            const unsigned char t = b[++i];
            if (!euc(t)) {
                ++p.invalid;
                continue;
            }
            if (c == 0xA4 || c == 0xA5)
                p.score += 2;
            else if (c == 0xA1 || (c >= 0xB0 && c <= 0xCF))
                p.score += 1;
            else
                p.score += 0.3;
        } else {
            ++p.invalid;
        }
    }
    return p;
}

bool hasJisEscape(std::string_view s) {
    for (std::size_t i = s.find('\x1b'); i != std::string_view::npos; i = s.find('\x1b', i + 1)) {
        const std::string_view r = s.substr(i + 1, 3);
        if (r.starts_with("$B") || r.starts_with("$@") || r.starts_with("(J") ||
            r.starts_with("(I") || r.starts_with("$(D"))
            return true;
    }
    return false;
}

bool validUtf8Window(std::string_view s, bool cut, bool* multi) {
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    *multi = false;
    for (std::size_t i = 0; i < n;) {
        if (b[i] < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        ReadUtf8Sequence(b, n, i, &len);
        if (!len) {
            // A sequence cut by the end of the window is not a fault.
            if (cut && n - i < 4) return true;
            return false;
        }
        *multi = true;
        i += len;
    }
    return true;
}

} // namespace

TDetection DetectEncoding(std::string_view bytes) {
    TDetection d;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        d.encoding = TEncoding::Utf8;
        d.bom = true;
        return d;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        d.encoding = TEncoding::Utf16LE;
        d.bom = true;
        return d;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        d.encoding = TEncoding::Utf16BE;
        d.bom = true;
        return d;
    }
    const std::string_view first = bytes.substr(0, 8192);
    d.binary = first.find('\0') != std::string_view::npos;
    // The first megabyte decides; when it is all ASCII, the rest is looked at as well.
    std::string_view window = bytes.substr(0, kDetectWindow);
    std::size_t firstHigh = std::string_view::npos;
    for (std::size_t i = 0; i < window.size(); ++i)
        if (static_cast<unsigned char>(window[i]) >= 0x80) {
            firstHigh = i;
            break;
        }
    if (firstHigh == std::string_view::npos && bytes.size() > window.size()) {
        for (std::size_t i = window.size(); i < bytes.size(); ++i)
            if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
                firstHigh = i;
                break;
            }
        if (firstHigh != std::string_view::npos)
            window = bytes.substr(firstHigh & ~std::size_t(0xFFF), kDetectWindow);
    }
    if (firstHigh == std::string_view::npos) {
        // Seven-bit throughout: the escapes of JIS may come anywhere.
        if (hasJisEscape(bytes)) {
            d.encoding = TEncoding::Iso2022Jp;
            return d;
        }
        d.decided = false;
        return d;
    }
    bool multi = false;
    bool cut = window.data() + window.size() < bytes.data() + bytes.size();
    if (cut && !multi) {
        // A character cut by the end of the window is read whole.
        const std::size_t start = static_cast<std::size_t>(window.data() - bytes.data());
        window = bytes.substr(start, window.size() + 3);
        cut = window.data() + window.size() < bytes.data() + bytes.size();
    }
    if (validUtf8Window(window, cut, &multi) && multi) {
        d.encoding = TEncoding::Utf8;
        return d;
    }
    const Plausibility sj = scoreShiftJis(window, cut);
    const Plausibility eu = scoreEucJp(window, cut);
    if (eu.invalid < sj.invalid || (eu.invalid == sj.invalid && eu.score > sj.score))
        d.encoding = TEncoding::EucJp;
    else
        d.encoding = TEncoding::ShiftJis;
    return d;
}

// ---- line ends ----

TLineEndStyle TLineEndCounts::Main(TLineEndStyle fallback) const {
    if (None()) return fallback;
    if (crlf >= lf && crlf >= cr) return TLineEndStyle::CrLf;
    if (lf >= cr) return TLineEndStyle::Lf;
    return TLineEndStyle::Cr;
}

TLineEndCounts CountLineEnds(std::string_view text) {
    TLineEndCounts c;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const void* hitLf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        const char* stop = hitLf ? static_cast<const char*>(hitLf) : end;
        // Lone CRs before the LF.
        for (const char* q =
                 static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)));
             q; q = static_cast<const char*>(
                    std::memchr(q + 1, '\r', static_cast<std::size_t>(stop - q - 1)))) {
            if (q + 1 == stop && hitLf)
                ++c.crlf;
            else
                ++c.cr;
            if (q + 1 >= stop) break;
        }
        if (!hitLf) break;
        if (!(stop > p && stop[-1] == '\r')) ++c.lf;
        p = stop + 1;
    }
    return c;
}

// ---- decoding ----

std::string ReadOnlyReason(const TDecodeOutcome& o, TEncoding encoding) {
    if (o.full)
        return "この文書には、トルモが区別して保てる数 (" + std::to_string(TCharTable::Capacity()) +
               ") より多くの種類の特殊な文字が含まれています。";
    if (!o.exact)
        return "この文書は " + EncodingName(encoding) + " として読み込んだとおりに書き戻せません。";
    return {};
}

TDecodedDocument DecodeDocument(std::string_view bytes, TEncoding encoding,
                                TLineEndStyle newLineEnd) {
    TDecodedDocument doc;
    doc.format.encoding = encoding;
    std::string_view body = bytes;
    if (encoding == TEncoding::Utf8 && body.starts_with("\xEF\xBB\xBF")) {
        doc.format.bom = true;
        body.remove_prefix(3);
    } else if ((encoding == TEncoding::Utf16LE && body.starts_with("\xFF\xFE")) ||
               (encoding == TEncoding::Utf16BE && body.starts_with("\xFE\xFF"))) {
        doc.format.bom = true;
        body.remove_prefix(2);
    }
    if (encoding == TEncoding::ShiftJis) {
        doc.text.assign(body);
    } else {
        doc.table = std::make_shared<TCharTable>();
        TStoreDecoder decoder(encoding, doc.table.get());
        decoder.Decode(body, true, doc.text);
        const TDecodeOutcome& o = decoder.Outcome();
        doc.extendedCodes = o.extended;
        doc.readOnlyReason = ReadOnlyReason(o, encoding);
    }
    doc.text.resize(TextLengthBeforeEofMark(doc.text));
    doc.lineEnds = CountLineEnds(doc.text);
    doc.format.lineEnd = doc.lineEnds.Main(newLineEnd);
    return doc;
}

TDecodedDocument DecodeFileBytes(std::string&& bytes, TEncoding encoding,
                                 TLineEndStyle newLineEnd) {
    if (encoding != TEncoding::ShiftJis)
        return DecodeDocument(std::string_view(bytes), encoding, newLineEnd);
    TDecodedDocument doc = DecodeDocument(std::string_view(), encoding, newLineEnd);
    doc.text = std::move(bytes);
    doc.text.resize(TextLengthBeforeEofMark(doc.text));
    doc.lineEnds = CountLineEnds(doc.text);
    doc.format.lineEnd = doc.lineEnds.Main(newLineEnd);
    return doc;
}

// ---- encoding ----

std::string EncodeDocument(std::string_view s, const TFileFormat& format, const TCharTable* table,
                           TEncodeReport* report) {
    std::string out;
    if (format.encoding == TEncoding::ShiftJis && format.lineEnd == TLineEndStyle::CrLf &&
        (!table || table->Empty())) {
        out.assign(s);
        if (report) *report = TEncodeReport();
        return out;
    }
    TStoreEncoder encoder(format, table);
    encoder.Encode(s, true, out);
    if (report) report->lost = encoder.Lost();
    return out;
}

std::string EncodeStoreText(std::string&& s, const TFileFormat& format, const TCharTable* table,
                            TEncodeReport* report) {
    if (format.encoding == TEncoding::ShiftJis && format.lineEnd == TLineEndStyle::CrLf &&
        (!table || table->Empty())) {
        if (report) *report = TEncodeReport();
        return std::move(s);
    }
    return EncodeDocument(std::string_view(s), format, table, report);
}

// ---- conversions for the editor ----

std::u16string DocumentToUtf16(std::string_view s, const TCharTable* table) {
    if (!table || table->Empty()) return Cp932ToUtf16(s);
    std::u16string out;
    std::size_t from = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (!IsDBCSLeadByte(c) || i + 1 >= s.size()) continue;
        const unsigned code = static_cast<unsigned>(c) << 8 | static_cast<unsigned char>(s[i + 1]);
        const TCharTableEntry* e = TCharTable::IsTableCode(code) ? table->Entry(code) : nullptr;
        if (e) {
            out += Cp932ToUtf16(s.substr(from, i - from));
            putUtf16(out, e->bytes.empty() ? e->ch : U'\uFFFD');
            from = i + 2;
        }
        ++i;
    }
    out += Cp932ToUtf16(s.substr(from));
    return out;
}

std::string DocumentToUtf8(std::string_view s, const TCharTable* table) {
    const std::u16string u = DocumentToUtf16(s, table);
    std::string out;
    out.reserve(u.size() * 3);
    for (std::size_t i = 0; i < u.size(); ++i) {
        char32_t c = u[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < u.size() && u[i + 1] >= 0xDC00 &&
            u[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00);
            ++i;
        }
        putUtf8(out, c);
    }
    return out;
}

namespace {

template <typename CodeOf>
std::string toDocument(std::u16string_view text, Cp932Report* report, CodeOf codeOf) {
    if (report) *report = {};
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t at = i;
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        unsigned code = Cp932ExactCode(c);
        if (TCharTable::IsTableCode(code)) code = 0; // private use: through the table
        if (!code) code = codeOf(c);
        if (!code) code = Cp932VariantCode(c);
        if (code) {
            putCode(out, code);
            continue;
        }
        out.push_back('?');
        if (report) {
            if (report->failures == 0) report->firstFailure = at;
            ++report->failures;
        }
    }
    return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string u;
    u.reserve(utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t len = 0;
        const char32_t cp = ReadUtf8Sequence(s, utf8.size(), i, &len);
        if (!len) {
            u.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        putUtf16(u, cp);
        i += len;
    }
    return u;
}

} // namespace

std::string Utf16ToDocument(std::u16string_view text, TCharTable* table, Cp932Report* report) {
    if (!table) return Utf16ToCp932(text, report);
    return toDocument(text, report, [table](char32_t c) { return table->CodeFor(c); });
}

std::string Utf8ToDocument(std::string_view utf8, TCharTable* table, Cp932Report* report) {
    return Utf16ToDocument(utf8ToUtf16(utf8), table, report);
}

std::string Utf8ToDocumentLookup(std::string_view utf8, const TCharTable* table,
                                 Cp932Report* report) {
    if (!table) return Utf8ToCp932(utf8, report);
    return toDocument(utf8ToUtf16(utf8), report, [table](char32_t c) { return table->Find(c); });
}

bool NeedsMoreThanCp932(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u < 0x80) continue;
        if (u >= 0xD800 && u <= 0xDFFF) return true; // outside the BMP: never in CP932
        if (!Cp932ExactCode(u) && !Cp932VariantCode(u)) return true;
    }
    return false;
}
