// Colouring speed: InitBrackets over every row of 10 MB of HTML and of Pascal, beside a scan of
// the same bytes for line ends and a walk of the rows without parsing; the same over 100 MB of
// wrapped memo text with the built-in definition as the default editor settings make it; and the
// rows re-parsed after an edit in the middle of a 1-million-row text.
#include "MemoText.h"
#include "editor/ProgramPropertySets.h"
#include "editor/RowColoring.h"
#include "platform/Cp932.h"
#include "syntax/RowStateParser.h"
#include "syntax/SyntaxInstances.h"
#include "text/RowStore.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr size_t kTenMB = 10u << 20;

std::string Repeat(const std::vector<std::string>& lines, size_t bytes) {
    std::string s;
    s.reserve(bytes + 256);
    for (size_t i = 0; s.size() < bytes; ++i)
        s += lines[i % lines.size()];
    return s;
}

const std::string& HtmlText() {
    static const std::string text = Repeat(
        {"<p class=\"note\">Some text &amp; more <a href=\"http://example.com/x\">link</a></p>\r\n",
         Utf8ToCp932("<td width=100 align=center>日本語のテキスト、カタカナ１２３</td>\r\n"),
         "<!-- a comment\r\n", "   that spans rows -->\r\n",
         "Plain words with mail me@example.com and www.example.jp/page?x=1\r\n",
         "\t<img src=a.gif alt='picture'>&#160;&nbsp;<br>\r\n"},
        kTenMB);
    return text;
}

const std::string& PascalText() {
    static const std::string text =
        Repeat({"procedure TForm1.Button1Click(Sender: TObject);\r\n", "var\r\n",
                "  I, Count: Integer; { loop counter }\r\n", "begin\r\n",
                "  for I := 0 to 12 do Count := Count + $1F * 12.5e+3; // sum\r\n",
                Utf8ToCp932("  ShowMessage('It''s 日本語 text');\r\n"), "  (* a comment\r\n",
                "     over two rows *)\r\n", "  asm\r\n", "    MOV EAX, 1\r\n", "  end;\r\n",
                "end;\r\n", "property Foo: Integer read FFoo write SetFoo;\r\n"},
               kTenMB);
    return text;
}

// A row store holding text, parsing every row with the fountain (or with nothing).
struct Store {
    Store(const std::string& text, const TFountain* fountain, const TEditorProp* prop = nullptr) {
        rows.SetParseAllWithoutEditor(true);
        if (prop) {
            rows.SetWrapOption(prop->WrapOption);
            rows.SetWordWrap(prop->WordWrap);
        }
        if (fountain) rows.ParserFactory = [fountain] { return CreateRowStateParser(*fountain); };
        rows.SetText(text);
    }
    TEditorScreenStrings rows;
};

void RunInitBrackets(benchmark::State& state, const std::string& text, const TFountain* f,
                     const TEditorProp* prop = nullptr) {
    Store s(text, f, prop);
    for (auto _ : state) {
        s.rows.InitBrackets();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["rows"] = s.rows.Count();
}

void BM_ScanLineEndsHTML(benchmark::State& state) {
    const std::string& text = HtmlText();
    for (auto _ : state) {
        size_t n = 0;
        const char* p = text.data();
        const char* end = p + text.size();
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))))) {
            ++n;
            ++p;
        }
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_WalkRowsNoParserHTML(benchmark::State& state) {
    RunInitBrackets(state, HtmlText(), nullptr);
}

void BM_ParseHTML(benchmark::State& state) {
    static auto f = CreateHTMLFountain1();
    RunInitBrackets(state, HtmlText(), f.get());
}

void BM_ParsePascal(benchmark::State& state) {
    static auto f = CreateDelphiFountain1();
    RunInitBrackets(state, PascalText(), f.get());
}

const std::string& Memo() {
    static const std::string text = MemoText(100u << 20);
    return text;
}

// The editor's default settings: word wrap, URLs and mail addresses coloured.
const TEditorProp& DefaultProp() {
    static const TEditorProp p = MakeEditorProp_Default();
    return p;
}

void BM_WalkRowsNoParserMemo(benchmark::State& state) {
    RunInitBrackets(state, Memo(), nullptr, &DefaultProp());
}

void BM_ParseMemo(benchmark::State& state) {
    static TEditorFountain f;
    ViewInfoToFountain(DefaultProp().View, DefaultProp().ReserveWordList, f);
    RunInitBrackets(state, Memo(), &f, &DefaultProp());
}

// Counts the rows handed to the parser.
struct CountingParser : TRowStateParser {
    CountingParser(const TFountain& f, int64_t& n) : inner(f), calls(n) {}
    void ParseRow(std::string_view text, TRowEnd re, std::string_view next,
                  TRowParserState& st) override {
        ++calls;
        inner.ParseRow(text, re, next, st);
    }
    TFountainRowParser inner;
    int64_t& calls;
};

void BM_EditMiddleOfMillionRows(benchmark::State& state) {
    static auto f = CreateDelphiFountain1();
    static int64_t parsed = 0;
    std::string text;
    for (int i = 0; i < 1000000; ++i)
        text += (i % 7 == 3) ? "{ note }\r\n" : "x := x + 1;\r\n";
    TEditorScreenStrings rows;
    rows.SetParseAllWithoutEditor(true);
    rows.ParserFactory = [] { return std::make_unique<CountingParser>(*f, parsed); };
    rows.SetText(text);
    const int mid = rows.Count() / 2;
    parsed = 0;
    bool flip = false;
    for (auto _ : state) {
        rows.UpdateList(mid, 1, (flip = !flip) ? "y := 2;\r\n" : "x := x + 1;\r\n");
    }
    state.counters["rows_reparsed_per_edit"] =
        static_cast<double>(parsed) / static_cast<double>(state.iterations());
    state.counters["rows"] = rows.Count();
}

} // namespace

BENCHMARK(BM_ScanLineEndsHTML)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkRowsNoParserHTML)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseHTML)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkRowsNoParserMemo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ParseMemo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EditMiddleOfMillionRows)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
