// Files in every encoding and line-end style through detection, the row store and back: the same
// bytes come out; the JIS-variant mapping, the character table's limits and detection.
#include "text/DocumentCodec.h"
#include "text/RowStore.h"

#include <gtest/gtest.h>

#include <string>
#include <unicode/ucnv.h>

namespace {

// The bytes of UTF-8 text in another encoding, through ICU directly.
std::string InEncoding(const std::string& utf8, const char* name) {
    UErrorCode err = U_ZERO_ERROR;
    std::string out(utf8.size() * 4 + 16, '\0');
    const int32_t n = ucnv_convert(name, "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                   utf8.data(), static_cast<int32_t>(utf8.size()), &err);
    EXPECT_TRUE(U_SUCCESS(err)) << name;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string WithLineEnds(std::string s, const char* le) {
    std::string out;
    for (char c : s)
        if (c == '\n')
            out += le;
        else
            out += c;
    return out;
}

// Open as the page does (detect, decode, into the row store) and save without an edit.
std::string OpenAndSave(const std::string& bytes, TDecodedDocument* docOut = nullptr) {
    const TDetection d = DetectEncoding(bytes);
    TDecodedDocument doc = DecodeFileBytes(std::string(bytes), d.encoding); // as a page reads
    TEditorScreenStrings store;
    store.SetWordWrap(true);
    store.SetText(doc.text);
    std::string out = EncodeDocument(store.Text(), doc.format, doc.table.get());
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
                std::string bytes = k.bom + InEncoding(WithLineEnds(text, le), k.icu);
                if (std::string(k.icu).starts_with("UTF-16") && k.bom.empty()) continue;
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
    const std::string samples[] = {
        "ok \xFF\xFE\xC3( broken \xE3\x81\n\xE3\x81\x82 end \xE3\x81", // UTF-8, cut at the end
        std::string("\xFF\xFE"
                    "a\0\x00\xD8"
                    "b\0\x3D\xD8\x00\xDE"
                    "c",
                    13), // UTF-16LE, lone high
        std::string("\xFF\xFE"
                    "a\0b",
                    5),                     // odd length
        "\xA4\xA2\xA4\xA4 \xA4 \xFF\xFE\n", // EUC-JP, bad bytes
        "",
        "\xEF\xBB\xBF",                 // a BOM alone
        std::string("\xFE\xFF\x00", 3), // a BOM and an odd byte
    };
    const TEncoding encodings[] = {TEncoding::Utf8,   TEncoding::Utf16LE, TEncoding::Utf16LE,
                                   TEncoding::EucJp,  TEncoding::Utf8,    TEncoding::Utf8,
                                   TEncoding::Utf16BE};
    for (std::size_t i = 0; i < std::size(samples); ++i) {
        TDecodedDocument doc = DecodeDocument(samples[i], encodings[i]);
        EXPECT_TRUE(doc.readOnlyReason.empty()) << i << doc.readOnlyReason;
        TEditorScreenStrings store;
        store.SetText(doc.text);
        EXPECT_EQ(EncodeDocument(store.Text(), doc.format, doc.table.get()), samples[i]) << i;
    }
    // The bytes are shown as replacement characters, never silently as something else.
    TDecodedDocument doc = DecodeDocument("a\xFF"
                                          "b",
                                          TEncoding::Utf8);
    EXPECT_EQ(DocumentToUtf16(doc.text, doc.table.get()), u"a\uFFFDb");
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
    // What CP932 cannot hold is still counted.
    EXPECT_EQ(Utf8ToCp932("a😀", &r), "a?");
    EXPECT_EQ(r.failures, 1u);
    // A document with a table keeps the typed character itself and writes it back.
    TCharTable table;
    const std::string s = Utf8ToDocument("〜", &table, &r);
    EXPECT_TRUE(TCharTable::IsTableCode(static_cast<unsigned char>(s[0]),
                                        static_cast<unsigned char>(s[1])));
    EXPECT_EQ(EncodeDocument(s, {TEncoding::Utf8, false, TLineEndStyle::Lf}, &table), "〜");
    EXPECT_EQ(EncodeDocument(s, {TEncoding::ShiftJis, false, TLineEndStyle::Lf}, &table), "?");
    EXPECT_TRUE(NeedsMoreThanCp932(u"😀") && !NeedsMoreThanCp932(u"〜あ¥"));
}

TEST(DocumentCodec, TableLimits) {
    // One code per distinct character, from the user-defined area first.
    TCharTable t;
    EXPECT_EQ(t.CodeFor(U'😀'), 0xF040u);
    EXPECT_EQ(t.CodeFor(U'😀'), 0xF040u);
    EXPECT_EQ(t.CodeForBytes("\xFF"), 0xF041u);
    // As many distinct characters as there are codes open; one more opens read-only.
    std::string utf8;
    for (char32_t c = 0x20000; c < 0x20000 + TCharTable::Capacity(); ++c) {
        char b[4] = {
            static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        utf8.append(b, 4);
    }
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
    auto enc = [](const std::string& b) { return DetectEncoding(b).encoding; };
    EXPECT_EQ(enc("\xEF\xBB\xBFx"), TEncoding::Utf8);
    EXPECT_EQ(enc(std::string("\xFF\xFE", 2)), TEncoding::Utf16LE);
    EXPECT_EQ(enc("\xFE\xFF"), TEncoding::Utf16BE);
    EXPECT_EQ(enc("plain あ text"), TEncoding::Utf8);
    EXPECT_FALSE(DetectEncoding("pure ascii\r\n").decided);
    EXPECT_TRUE(DetectEncoding(std::string("\x7F"
                                           "ELF\0\0\0",
                                           7))
                    .binary);
    // A few kana: EUC-JP hiragana are valid Shift-JIS half-width katakana too.
    EXPECT_EQ(enc("\xA4\xA2\xA4\xA4\xA4\xA6"), TEncoding::EucJp);
    EXPECT_EQ(enc("\x82\xA0\x82\xA2\x82\xA4"), TEncoding::ShiftJis);
    EXPECT_EQ(enc(InEncoding("漢字と仮名のまじった文です。", "windows-31j")), TEncoding::ShiftJis);
    EXPECT_EQ(enc("\xB1\xB2\xB3"), TEncoding::ShiftJis); // half-width katakana (odd length)
    EXPECT_EQ(enc(InEncoding("日本語", "ISO-2022-JP")), TEncoding::Iso2022Jp);
    // A UTF-8 character cut by the end of the first megabyte is not a fault.
    std::string big(1 << 20, 'a');
    big.replace(big.size() - 1, 1, "\xE3");
    EXPECT_EQ(enc(big + "\x81\x82"), TEncoding::Utf8);
    // Non-ASCII text after the first megabyte still decides.
    EXPECT_EQ(enc(std::string(3 << 20, 'a') + "\xA4\xA2\xA4\xA4"), TEncoding::EucJp);
}
