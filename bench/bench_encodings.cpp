// Opening and saving files in the encodings other than Shift-JIS, each beside glibc's iconv
// converting the same file to UTF-8 (or UTF-8 to the encoding) in the same run. The file is the
// generated memo text of 100 MB (Shift-JIS) written in each encoding.
//   BM_DecodeBaseline<enc>   read the file and iconv it to UTF-8 (one thread)
//   BM_Open<enc>Huge         a page's whole-file open: read, detect, decode on every core
//   BM_Decode<enc>OneThread  read and decode on one thread (the pace beside iconv's)
//   BM_EncodeBaseline<enc>   iconv the text's UTF-8 to the encoding (one thread)
//   BM_Encode<enc>Huge       the page's text written in the encoding (one thread)
// The one-thread readers and the writers keep their output buffer from one run to the next, as the
// baselines keep theirs (a save hands each block to the file and reuses the memory): the figures
// are the conversion's, not the first touch of new pages. BM_Open<enc>Huge makes a new text each
// time, as opening a file does.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <map>
#include <memory>

#include "MemoText.h"
#include "TempTextFile.h"
#include "mainwindow/pages/DocumentEncoding.h"
#include "platform/AtomicFile.h"

// Opening these files asks nothing; a question would go to stderr and take its default.
static TConsoleAsker quiet;

namespace {

constexpr size_t kBytes = 100u << 20;

const std::string& StoreText() {
    static const std::string s = [] {
        std::string t = MemoText(kBytes, 20261207);
        t.resize(t.rfind('\n') + 1);
        return t;
    }();
    return s;
}

struct EncodedFile {
    std::unique_ptr<TTempTextFile> file;
    std::string bytes;
};

const EncodedFile& FileIn(TEncoding e) {
    static std::map<TEncoding, EncodedFile> files;
    EncodedFile& f = files[e];
    if (!f.file) {
        for (auto& [k, v] : files)
            if (k != e) v = EncodedFile(); // one file at a time on disk and in memory
        f.file = std::make_unique<TTempTextFile>("memo.txt");
        f.bytes = EncodeDocument(StoreText(), {e, false, TLineEndStyle::Lf}, nullptr);
        f.file->Write(f.bytes, 1);
    }
    return f;
}

const char* IconvName(TEncoding e) {
    switch (e) {
    case TEncoding::EucJp:
        return "EUC-JP";
    case TEncoding::Iso2022Jp:
        return "ISO-2022-JP";
    case TEncoding::Utf16LE:
        return "UTF-16LE";
    default:
        return "UTF-8";
    }
}

// iconv over the whole input into out (sized for the worst case); false on a refusal.
bool IconvAll(const char* to, const char* from, const std::string& in, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.resize(in.size() * 2 + 64);
    char* src = const_cast<char*>(in.data());
    char* dst = out.data();
    size_t srcLeft = in.size(), dstLeft = out.size();
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1);
    out.resize(out.size() - dstLeft);
    iconv_close(cd);
    return ok;
}

void PerByte(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void DecodeBaseline(benchmark::State& state, TEncoding e) {
    const EncodedFile& f = FileIn(e);
    std::string bytes, out;
    for (auto _ : state) {
        if (!ReadWholeFile(f.file->path, bytes) || !IconvAll("UTF-8", IconvName(e), bytes, out))
            state.SkipWithError("iconv refused the file");
        benchmark::DoNotOptimize(out.data());
    }
    PerByte(state, f.bytes.size());
}

void Open(benchmark::State& state, TEncoding e) {
    const EncodedFile& f = FileIn(e);
    for (auto _ : state) {
        TDecodedDocument doc;
        std::string error;
        const TEncoding chosen = e; // as detection finds it; chosen keeps pure ASCII out of it
        if (!ReadPageDocument(quiet, f.file->path, &chosen, &doc, &error) ||
            !doc.readOnlyReason.empty())
            state.SkipWithError("the file did not open as it is");
        benchmark::DoNotOptimize(doc.text.data());
        state.PauseTiming();
        doc = TDecodedDocument();
        state.ResumeTiming();
    }
    PerByte(state, f.bytes.size());
}

void DecodeOneThread(benchmark::State& state, TEncoding e) {
    const EncodedFile& f = FileIn(e);
    std::string bytes, text;
    for (auto _ : state) {
        ReadWholeFile(f.file->path, bytes);
        TCharTable table;
        TStoreDecoder decoder(e, &table, 1);
        text.clear();
        decoder.Decode(bytes, true, text);
        benchmark::DoNotOptimize(text.data());
    }
    PerByte(state, f.bytes.size());
}

void EncodeBaseline(benchmark::State& state, TEncoding e) {
    const std::string utf8 =
        EncodeDocument(StoreText(), {TEncoding::Utf8, false, TLineEndStyle::Lf}, nullptr);
    std::string out;
    for (auto _ : state) {
        if (!IconvAll(IconvName(e), "UTF-8", utf8, out))
            state.SkipWithError("iconv refused the text");
        benchmark::DoNotOptimize(out.data());
    }
    PerByte(state, StoreText().size());
}

void Encode(benchmark::State& state, TEncoding e) {
    TDecodedDocument doc = DecodeDocument(FileIn(e).bytes, e);
    std::string out; // kept from one run to the next, as the baseline keeps its own
    for (auto _ : state) {
        out.clear();
        TStoreEncoder encoder(doc.format, doc.table.get());
        encoder.Encode(doc.text, true, out);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != FileIn(e).bytes) state.SkipWithError("the text was not written back as it was read");
    PerByte(state, StoreText().size());
}

} // namespace

#define ENCODING(Name, e)                                                                          \
    static void BM_DecodeBaseline##Name(benchmark::State& s) {                                     \
        DecodeBaseline(s, e);                                                                      \
    }                                                                                              \
    static void BM_Open##Name##Huge(benchmark::State& s) {                                         \
        Open(s, e);                                                                                \
    }                                                                                              \
    static void BM_Decode##Name##OneThread(benchmark::State& s) {                                  \
        DecodeOneThread(s, e);                                                                     \
    }                                                                                              \
    static void BM_EncodeBaseline##Name(benchmark::State& s) {                                     \
        EncodeBaseline(s, e);                                                                      \
    }                                                                                              \
    static void BM_Encode##Name##Huge(benchmark::State& s) {                                       \
        Encode(s, e);                                                                              \
    }                                                                                              \
    BENCHMARK(BM_DecodeBaseline##Name)                                                             \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(3)                                                                            \
        ->UseRealTime();                                                                           \
    BENCHMARK(BM_Open##Name##Huge)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();   \
    BENCHMARK(BM_Decode##Name##OneThread)                                                          \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(3)                                                                            \
        ->UseRealTime();                                                                           \
    BENCHMARK(BM_EncodeBaseline##Name)                                                             \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(3)                                                                            \
        ->UseRealTime();                                                                           \
    BENCHMARK(BM_Encode##Name##Huge)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

ENCODING(EucJp, TEncoding::EucJp)
ENCODING(Utf8, TEncoding::Utf8)
ENCODING(Iso2022Jp, TEncoding::Iso2022Jp)
ENCODING(Utf16, TEncoding::Utf16LE)

BENCHMARK_MAIN();
