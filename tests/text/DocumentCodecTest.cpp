// Every encoding through the row store and back byte for byte; JIS variants, the table, detection.
#include "text/DocumentCodec.h"
#include "text/RowStore.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <string>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace {

// A conversion by glibc's iconv; false when iconv refuses the input.
bool Iconv(const char* to, const char* from, const std::string& in, std::string* out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buf(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size(), dstLeft = buf.size();
    char* dst = buf.data();
    bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) &&
              iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    buf.resize(buf.size() - dstLeft);
    *out = buf;
    return ok;
}

// The bytes of UTF-8 text in another encoding: the Japanese ones through glibc, the rest through
// ICU directly.
std::string InEncoding(const std::string& utf8, const char* name) {
    if (std::string(name) == "EUC-JP" || std::string(name) == "ISO-2022-JP") {
        std::string out;
        EXPECT_TRUE(Iconv((std::string(name) + "//TRANSLIT").c_str(), "UTF-8", utf8, &out));
        return out;
    }
    UErrorCode err = U_ZERO_ERROR;
    std::string out(utf8.size() * 4 + 16, '\0');
    const int32_t n = ucnv_convert(name, "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                   utf8.data(), static_cast<int32_t>(utf8.size()), &err);
    EXPECT_TRUE(U_SUCCESS(err)) << name;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string WithLineEnds(const std::string& s, const char* le) {
    std::string out;
    for (char c : s)
        out += c == '\n' ? std::string(le) : std::string(1, c);
    return out;
}

// Open as the page does (detect, decode, into the row store) and save without an edit.
std::string OpenAndSave(const std::string& bytes, TDecodedDocument* docOut = nullptr) {
    const TDetection d = DetectEncoding(bytes);
    TDecodedDocument doc = DecodeFileBytes(std::string(bytes), d.encoding); // as a page reads
    TEditorScreenStrings store;
    store.SetWordWrap(true);
    store.SetText(doc.text);
    const std::string text = store.Text();
    std::string out = EncodeDocument(text, doc.format, doc.table.get());
    // Written block by block (as a save streams it), cutting characters and line ends anywhere.
    TStoreEncoder encoder(doc.format, doc.table.get());
    std::string blocks;
    for (std::size_t at = 0; at < text.size(); at += 7)
        encoder.Encode(std::string_view(text).substr(at, 7), at + 7 >= text.size(), blocks);
    EXPECT_EQ(blocks, text.empty() ? blocks : out);
    if (docOut) *docOut = std::move(doc);
    return out;
}

const std::string kJapanese = "メモ:あいう漢字、〜 ～ ¥ − — ‖ ¢ £ ¬ ｶﾅ\\~\n2行目\tタブ";
const std::string kBeyondCp932 = "絵文字😀 é Ω 丂 \xEE\x80\x80 中国话"; // 丂: JIS X 0212

} // namespace

TEST(DocumentCodec, EveryEncodingAndLineEndRoundTrips) {
    struct Kind {
        const char* icu;
        std::string bom;
        bool holdsBeyond; // the encoding holds the characters beyond CP932
    };
    const Kind kinds[] = {{"UTF-8", "", true},
                          {"UTF-8", "\xEF\xBB\xBF", true},
                          {"UTF-16LE", "\xFF\xFE", true},
                          {"UTF-16BE", "\xFE\xFF", true},
                          {"EUC-JP", "", false},
                          {"ISO-2022-JP", "", false},
                          {"windows-31j", "", false}};
    for (const Kind& k : kinds)
        for (const char* le : {"\r\n", "\n", "\r"})
            for (bool finalEnd : {true, false}) {
                std::string text = kJapanese + "\n";
                if (k.holdsBeyond) text += kBeyondCp932 + "\n";
                if (std::string(k.icu) == "EUC-JP") text += "丂\n";
                text += "last";
                if (finalEnd) text += "\n";
                const std::string bytes = k.bom + InEncoding(WithLineEnds(text, le), k.icu);
                TDecodedDocument doc;
                const std::string saved = OpenAndSave(bytes, &doc);
                EXPECT_EQ(saved, bytes)
                    << k.icu << " bom " << k.bom.size() << " le " << le << " final " << finalEnd;
                EXPECT_TRUE(doc.readOnlyReason.empty()) << k.icu << ": " << doc.readOnlyReason;
                EXPECT_FALSE(doc.lineEnds.Mixed());
            }
}

TEST(DocumentCodec, EditsChangeOnlyTheirBytes) {
    const std::string bytes = "\xEF\xBB\xBF" + WithLineEnds(kBeyondCp932 + "\n" + kJapanese, "\n");
    TDecodedDocument doc = DecodeDocument(bytes, TEncoding::Utf8);
    TEditorScreenStrings store;
    store.SetText(doc.text);
    // Type "〜" and an emoji at the start of the second line, as the editor converts them.
    Cp932Report report;
    const std::string typed = Utf8ToDocument("〜🎌", doc.table.get(), &report);
    EXPECT_TRUE(report.ok());
    store.UpdateList(1, 1, typed + std::string(store.RowText(1)) + "\r\n");
    const std::string saved = EncodeDocument(store.Text(), doc.format, doc.table.get());
    const std::size_t lf = bytes.find('\n');
    EXPECT_EQ(saved, bytes.substr(0, lf + 1) + "〜🎌" + bytes.substr(lf + 1));
}

TEST(DocumentCodec, InvalidBytesAreKeptByteForByte) {
    using namespace std::string_literals;
    const std::pair<std::string, TEncoding> samples[] = {
        // UTF-8 cut at the end; UTF-16LE with a lone high surrogate, of odd length.
        {"ok \xFF\xFE\xC3( broken \xE3\x81\n\xE3\x81\x82 end \xE3\x81", TEncoding::Utf8},
        {"\xFF\xFEz\0\x00\xD8z\0\x3D\xD8\x00\xDEz"s, TEncoding::Utf16LE},
        {"\xFF\xFEz\0z"s, TEncoding::Utf16LE},
        {"\xA4\xA2\xA4\xA4 \xA4 \xFF\xFE\n", TEncoding::EucJp},
        {"", TEncoding::Utf8},
        {"\xEF\xBB\xBF", TEncoding::Utf8}, // a BOM alone, and one with an odd byte
        {"\xFE\xFF\0"s, TEncoding::Utf16BE},
    };
    for (const auto& [bytes, encoding] : samples) {
        TDecodedDocument doc = DecodeDocument(bytes, encoding);
        EXPECT_TRUE(doc.readOnlyReason.empty()) << bytes << doc.readOnlyReason;
        TEditorScreenStrings store;
        store.SetText(doc.text);
        EXPECT_EQ(EncodeDocument(store.Text(), doc.format, doc.table.get()), bytes);
    }
    // The bytes are shown as replacement characters, never silently as something else.
    TDecodedDocument doc = DecodeDocument("a\xFFz", TEncoding::Utf8);
    EXPECT_EQ(DocumentToUtf16(doc.text, doc.table.get()), u"a\uFFFDz");
}

TEST(DocumentCodec, MixedLineEndsSaveInTheMostFrequentStyle) {
    TDecodedDocument doc = DecodeDocument("a\nb\r\nc\nd\re\n", TEncoding::ShiftJis);
    EXPECT_TRUE(doc.lineEnds.Mixed());
    EXPECT_EQ(doc.format.lineEnd, TLineEndStyle::Lf);
    TEditorScreenStrings store;
    store.SetText(doc.text);
    EXPECT_EQ(EncodeDocument(store.Text(), doc.format, nullptr), "a\nb\nc\nd\ne\n");
    // A tie keeps CR LF; no line end at all keeps the style for new pages.
    EXPECT_EQ(CountLineEnds("a\r\nb\n").Main(TLineEndStyle::Cr), TLineEndStyle::CrLf);
    EXPECT_EQ(DecodeDocument("abc", TEncoding::Utf8, TLineEndStyle::Lf).format.lineEnd,
              TLineEndStyle::Lf);
}

TEST(DocumentCodec, JisVariantsMapToTheirCp932Codes) {
    Cp932Report r;
    EXPECT_EQ(Utf8ToCp932("〜‖−¢£¬—", &r),
              "\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA\x81\x5C");
    EXPECT_TRUE(r.ok());
    // The yen sign and the overline keep their look in their full-width forms.
    EXPECT_EQ(Utf8ToCp932("¥‾", &r), "\x81\x8F\x81\x50");
    // A document with a table keeps the typed character itself and writes it back.
    TCharTable table;
    const std::string s = Utf8ToDocument("〜", &table, &r);
    EXPECT_TRUE(TCharTable::IsTableCode(static_cast<unsigned char>(s[0]),
                                        static_cast<unsigned char>(s[1])));
    EXPECT_EQ(EncodeDocument(s, {TEncoding::Utf8, false, TLineEndStyle::Lf}, &table), "〜");
    EXPECT_EQ(EncodeDocument(s, {TEncoding::ShiftJis, false, TLineEndStyle::Lf}, &table),
              "\x81\x60");
    EXPECT_TRUE(NeedsMoreThanCp932(u"😀") && !NeedsMoreThanCp932(u"〜あ¥"));
    // EUC-JP and ISO-2022-JP pages write the JIS forms, typed or read from a UTF-8 file, to the
    // codes a Shift-JIS page gives them.
    TDecodedDocument utf8 = DecodeDocument("〜−‖¢£¬―—～\n", TEncoding::Utf8);
    const std::string typed = Utf8ToDocument("〜−‖¢£¬―—", utf8.table.get(), &r);
    for (TEncoding e : {TEncoding::EucJp, TEncoding::Iso2022Jp}) {
        const std::string want =
            e == TEncoding::EucJp
                ? "\xA1\xC1\xA1\xDD\xA1\xC2\xA1\xF1\xA1\xF2\xA2\xCC\xA1\xBD\xA1\xBD"
                : "\x1B$B!A!]!B!q!r\"L!=!=\x1B(B";
        TEncodeReport lost;
        EXPECT_EQ(EncodeDocument(typed, {e, false, TLineEndStyle::Lf}, utf8.table.get(), &lost),
                  want);
        EXPECT_TRUE(lost.ok());
        EXPECT_EQ(EncodeDocument(utf8.text, {e, false, TLineEndStyle::Lf}, utf8.table.get()),
                  e == TEncoding::EucJp ? want + "\xA1\xC1\n"
                                        : want.substr(0, want.size() - 3) + "!A\x1B(B\n");
    }
}

// Every code of JIS X 0208 against glibc's tables: what glibc reads, the page reads as the same
// character (or CP932's form of it) and writes back; what glibc writes for a character, the page
// writes for it typed; the codes glibc refuses (the NEC and IBM rows) are kept as they were read
// but never given to a typed character unless the file has them.
TEST(DocumentCodec, JisCodesAgreeWithIconv) {
    int strict = 0;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1)
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const std::string euc{static_cast<char>(j1 | 0x80), static_cast<char>(j2 | 0x80)};
            const std::string at = std::to_string(j1) + "," + std::to_string(j2);
            std::string utf8;
            TDecodedDocument doc = DecodeDocument(euc, TEncoding::EucJp);
            ASSERT_TRUE(doc.readOnlyReason.empty()) << at;
            ASSERT_EQ(EncodeDocument(doc.text, doc.format, doc.table.get()), euc) << at;
            const std::u16string shown = DocumentToUtf16(doc.text, doc.table.get());
            if (!Iconv("UTF-8", "EUC-JP", euc, &utf8)) {
                if (doc.extendedCodes) {
                    // Typed into a page without such codes: written in a form glibc reads, or
                    // refused at once when glibc has none.
                    std::string strictForm, read;
                    TDecodedDocument fresh = DecodeDocument("x", TEncoding::EucJp);
                    const std::string typed = Utf16ToDocument(shown, fresh.table.get());
                    const std::string written =
                        EncodeDocument(typed, fresh.format, fresh.table.get());
                    if (FitsEncoding(shown, TEncoding::EucJp, false))
                        EXPECT_TRUE(Iconv("UTF-8", "EUC-JP", written, &read)) << at;
                    else
                        EXPECT_FALSE(Iconv("EUC-JP", "UTF-8",
                                           DocumentToUtf8(doc.text, doc.table.get()), &strictForm))
                            << at;
                    EXPECT_TRUE(FitsEncoding(shown, TEncoding::EucJp, true)) << at;
                } else {
                    EXPECT_EQ(shown, u"\uFFFD") << at; // kept as bytes
                }
                continue;
            }
            ++strict;
            EXPECT_FALSE(doc.extendedCodes) << at;
            // Read: the same character, or the form CP932 has for it.
            const std::string read = DocumentToUtf8(doc.text, doc.table.get());
            if (read != utf8) {
                std::u16string u = icu::UnicodeString::fromUTF8(utf8).getTerminatedBuffer();
                ASSERT_EQ(u.size(), 1u) << at;
                const unsigned code = static_cast<unsigned char>(doc.text[0]) << 8 |
                                      static_cast<unsigned char>(doc.text[1]);
                EXPECT_EQ(Cp932VariantCode(u[0]), code) << at << " " << read << " " << utf8;
            }
            // Typed into pages of both encodings: glibc's bytes.
            const std::u16string typed = icu::UnicodeString::fromUTF8(utf8).getTerminatedBuffer();
            TDecodedDocument page = DecodeDocument("x", TEncoding::EucJp);
            const std::string text = Utf16ToDocument(typed, page.table.get());
            for (TEncoding e : {TEncoding::EucJp, TEncoding::Iso2022Jp}) {
                std::string want;
                ASSERT_TRUE(
                    Iconv(e == TEncoding::EucJp ? "EUC-JP" : "ISO-2022-JP", "UTF-8", utf8, &want));
                EXPECT_TRUE(FitsEncoding(typed, e, false)) << at;
                TEncodeReport r;
                EXPECT_EQ(EncodeDocument(text, {e, false, TLineEndStyle::Lf}, page.table.get(), &r),
                          want)
                    << at;
                TDecodedDocument back = DecodeDocument(want, e);
                EXPECT_TRUE(back.readOnlyReason.empty()) << at;
            }
        }
    EXPECT_EQ(strict, 6879); // the characters of JIS X 0208
    // ① in a page whose file has no such codes: asked for, and "?" when the user declines.
    std::u16string circled = u"a①";
    EXPECT_EQ(ReplaceUnfitting(circled, TEncoding::Iso2022Jp, false), 1u);
    EXPECT_EQ(circled, u"a?");
    EXPECT_TRUE(FitsEncoding(u"丂", TEncoding::EucJp, false));
    EXPECT_FALSE(FitsEncoding(u"😀", TEncoding::EucJp, true));
    EXPECT_FALSE(FitsEncoding(u"ｶ", TEncoding::Iso2022Jp, false));
}

TEST(DocumentCodec, TableLimits) {
    // One code per distinct character, from the user-defined area first.
    TCharTable t;
    EXPECT_EQ(t.CodeFor(U'😀'), 0xF040u);
    EXPECT_EQ(t.CodeFor(U'😀'), 0xF040u);
    EXPECT_EQ(t.CodeForBytes("\xFF"), 0xF041u);
    // As many distinct characters as there are codes open; one more opens read-only.
    std::string utf8;
    for (UChar32 c = 0x20000; c < 0x20000 + static_cast<UChar32>(TCharTable::Capacity()); ++c)
        icu::UnicodeString(c).toUTF8String(utf8);
    TDecodedDocument full;
    EXPECT_EQ(OpenAndSave(utf8, &full), utf8);
    EXPECT_TRUE(full.readOnlyReason.empty());
    TDecodedDocument over = DecodeDocument(utf8 + "\xF0\xAA\x80\x80", TEncoding::Utf8);
    EXPECT_FALSE(over.readOnlyReason.empty());
    // Every table code is a two-byte character the editor steps over as one.
    for (unsigned i = 0xF040; i <= 0xF9FC; ++i)
        if (TCharTable::IsTableCode(i)) {
            ASSERT_TRUE(IsDBCSLeadByte(static_cast<unsigned char>(i >> 8)));
            ASSERT_TRUE(IsDBCSTrailByte(static_cast<unsigned char>(i & 0xFF)));
        }
    // A Shift-JIS page switched to a table keeps its user-defined characters.
    TCharTable plain;
    plain.AdoptPlainCodes("\xF0\x40x");
    EXPECT_EQ(plain.Entry(0xF040)->ch, U'\uE000');
    EXPECT_EQ(plain.CodeFor(U'😀'), 0xF041u);
    // Restored with a gap (round trips are the encoding fuzzer's check): every code means what it
    // meant, and new codes do not clash.
    plain.AdoptPlainCodes("\xF0\xFC");
    TCharTable gap;
    ASSERT_TRUE(gap.Restore(plain.Save()));
    EXPECT_EQ(gap.Entry(0xF041)->ch, U'😀');
    EXPECT_EQ(gap.Entry(0xF042), nullptr);
    EXPECT_EQ(gap.CodeFor(U'é'), 0xF042u);
    // A damaged list leaves the table as it was.
    for (const char* bad :
         {"F040=", "4142=41", "F040=41;F040=42", "F040=41;F041=41", "F040=#ZZ", "F040=D800"}) {
        TCharTable t2;
        t2.CodeFor(U'x');
        EXPECT_FALSE(t2.Restore(bad)) << bad;
        EXPECT_EQ(t2.Size(), 1u) << bad;
    }
}

TEST(DocumentCodec, Detection) {
    const std::string mega(1 << 20, 'a');
    const std::pair<std::string, TEncoding> cases[] = {
        {"\xEF\xBB\xBFx", TEncoding::Utf8},
        {"\xFF\xFE", TEncoding::Utf16LE},
        {"\xFE\xFF", TEncoding::Utf16BE},
        {"plain あ text", TEncoding::Utf8},
        // A few kana: EUC-JP hiragana are valid Shift-JIS half-width katakana too.
        {"\xA4\xA2\xA4\xA4\xA4\xA6", TEncoding::EucJp},
        {"\x82\xA0\x82\xA2\x82\xA4", TEncoding::ShiftJis},
        {InEncoding("漢字と仮名のまじった文です。", "windows-31j"), TEncoding::ShiftJis},
        {"\xB1\xB2\xB3", TEncoding::ShiftJis}, // half-width katakana (odd length)
        {InEncoding("日本語", "ISO-2022-JP"), TEncoding::Iso2022Jp},
        // A UTF-8 character cut by the end of the first megabyte is not a fault; non-ASCII text
        // after the first megabyte still decides.
        {mega.substr(1) + "\xE3\x81\x82", TEncoding::Utf8},
        {mega + mega + mega + "\xA4\xA2\xA4\xA4", TEncoding::EucJp},
        {mega + mega.substr(0, 200000) + InEncoding("日本語", "ISO-2022-JP"), TEncoding::Iso2022Jp},
    };
    for (const auto& [bytes, encoding] : cases)
        EXPECT_EQ(DetectEncoding(bytes).encoding, encoding) << bytes.substr(0, 20);
    EXPECT_FALSE(DetectEncoding("pure ascii\r\n").decided);
    EXPECT_TRUE(DetectEncoding(std::string("\177ELF\0\0\0", 7)).binary);
}
