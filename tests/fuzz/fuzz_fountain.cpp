// Every parser on arbitrary bytes and saved states: tokens in order, inside the text, sane states.
#include "syntax/MemoSyntax.h"
#include "syntax/RowTokens.h"
#include "syntax/SyntaxInstances.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct Fountains {
    TEditorFountain editor, plain; // every option set; URLs and mail addresses only
    std::unique_ptr<TDelphiFountain> delphi = CreateDelphiFountain1();
    std::unique_ptr<THTMLFountain> html = CreateHTMLFountain1();
    Fountains() {
        editor.SetCommenter("//");
        editor.SetHexPrefix("0x");
        editor.SetQuotation("'");
        editor.SetControlCode(true);
        editor.SetMail(true);
        editor.SetUrl(true);
        editor.SetReserveWordList({"begin", "end", "if"});
        editor.Brackets().Add("(*", "*)", clNone, clRed);
        editor.Brackets().Add("[", "", clNone, clRed);
        editor.Brackets().Add("<<", ">>", clNone, clRed);
        plain.SetMail(true);
        plain.SetUrl(true);
    }
};

// The built-in definition's parser stepping through every token of a row.
struct SteppingParser : TEditorParser {
    using TEditorParser::TEditorParser;
    const std::array<bool, 256>* SkipGuard() const override { return nullptr; }
};

// The row walk steps over tokens that cannot reach the next row: it hands on what stepping every
// token does, whether the next row lies apart or right after the row in memory.
void CheckWalkSteps(const TEditorFountain& f, std::string_view row, std::string_view next,
                    const TFountainState& st, TRowEnd rowEnd) {
    auto walk = f.CreateParser();
    SteppingParser step(&f);
    TFountainState a = st, b = st, c = st;
    walk->ParseRow(a, row, next, rowEnd);
    step.ParseRow(b, row, next, rowEnd);
    FUZZ_CHECK(a == b);
    std::string joined = std::string(row) + std::string(next);
    walk->ParseRow(c, std::string_view(joined).substr(0, row.size()),
                   std::string_view(joined).substr(row.size()), rowEnd);
    FUZZ_CHECK(c == b);
}

// Steps through every token of text and checks the invariants.
void StepAll(TFountainParser& p, std::string_view text, const TFountainState& st) {
    p.NewData(text, st);
    int prevEnd = 0;
    for (size_t n = 0;; ++n) {
        FUZZ_CHECK(n <= text.size() + 1);
        int k = p.NextToken();
        if (k == toEof) break;
        FUZZ_CHECK(p.SourcePos() >= prevEnd);
        FUZZ_CHECK(p.TokenLength() > 0);
        FUZZ_CHECK(static_cast<size_t>(p.SourcePos() + p.TokenLength()) <= text.size());
        prevEnd = p.SourcePos() + p.TokenLength();
        (void)p.TokenColor();
        (void)p.TokenString();
    }
    FUZZ_CHECK(p.NextToken() == toEof); // stays at the end
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Fountains f;
    if (size >= 1 && data[0] >= 0xF0) { // the stored form of a definition
        std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
        TEditorFountain e;
        auto d = CreateDelphiFountain1();
        auto h = CreateHTMLFountain1();
        for (TFountain* x : std::initializer_list<TFountain*>{&e, d.get(), h.get()})
            if (x->TryLoadFromBytes(bytes)) FUZZ_CHECK(x->TryLoadFromBytes(x->SaveToBytes()));
        return 0;
    }
    if (size < 8) return 0;
    const TFountain* fountains[3] = {&f.editor, f.delphi.get(), f.html.get()};
    const TFountain& fountain = *fountains[data[0] % 3];
    TFountainState st;
    st.PrevRowEnd = data[1] & 3;
    st.BracketIndex = static_cast<int8_t>(data[2]);
    st.FromBytes(data + 3);
    TRowEnd rowEnd = static_cast<TRowEnd>(data[1] >> 2 & 3);
    data += 8;
    size -= 8;

    // The row and, after the first 0xFF byte, the next row; each in an exact-size buffer so that
    // any read past them is caught.
    const void* sep = std::memchr(data, 0xFF, size);
    size_t rowLen = sep ? static_cast<size_t>(static_cast<const uint8_t*>(sep) - data) : size;
    size_t nextLen = sep ? size - rowLen - 1 : 0;
    std::unique_ptr<char[]> row(new char[rowLen + 1]), next(new char[nextLen + 1]);
    std::memcpy(row.get(), data, rowLen);
    if (nextLen) std::memcpy(next.get(), data + rowLen + 1, nextLen);
    std::string_view rowV(row.get(), rowLen), nextV(next.get(), nextLen);

    auto p = fountain.CreateParser();
    StepAll(*p, rowV, st);
    std::string joined = std::string(rowV) + std::string(nextV);
    StepAll(*p, joined, st);

    TRowTokens rt(fountain);
    rt.Start(rowV, nextV, st);
    TFountainToken t;
    int prevEnd = 0;
    while (rt.Next(t)) {
        FUZZ_CHECK(t.Start >= prevEnd && t.Length > 0 && t.Length <= t.FullLength);
        FUZZ_CHECK(static_cast<size_t>(t.Start + t.Length) <= rowLen);
        prevEnd = t.Start + t.Length;
    }

    TFountainState out = st;
    p->ParseRow(out, rowV, nextV, rowEnd);
    FUZZ_CHECK(out.BracketIndex >= -1 && out.BracketIndex < fountain.Brackets().Count());
    FUZZ_CHECK(out.PrevRowEnd == rowEnd);
    if (out.Remain)
        FUZZ_CHECK(out.Token != 0 &&
                   (out.Remain == TFountainState::RemainRun || out.Remain <= nextLen));
    // The state handed on is a valid start for the next row.
    StepAll(*p, nextV, out);
    if (&fountain == &f.editor) {
        CheckWalkSteps(f.editor, rowV, nextV, st, rowEnd);
        CheckWalkSteps(f.plain, rowV, nextV, st, rowEnd);
    }
    return 0;
}
