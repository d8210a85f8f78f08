// The background load of a large file: head first, then pieces cut on every core, in order.
#include "text/BackgroundLoad.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "platform/AtomicFile.h"
#include "text/EndOfFileMark.h"
#include "text/RowCut.h"

namespace {

std::string Reason(const std::string& path, int err) {
    return path + ": " + std::strerror(err);
}

// The file's size or time changed between opening it and reading its last byte: what was read
// may be a mixture of two versions.
std::string ChangedWhileRead(const std::string& path) {
    return path + ": 読み込みの途中でファイルが変更されました。";
}

bool IsLineEndByte(char c) {
    return c == '\r' || c == '\n';
}

int64_t MtimeNs(const struct stat& st) {
    return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

} // namespace

TBackgroundLoad::~TBackgroundLoad() {
    Cancel();
    if (FFd >= 0) ::close(FFd);
}

bool TBackgroundLoad::Open(const std::string& path, size_t headBytes, std::string* error) {
    FPath = path;
    FFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (FFd < 0) {
        if (error) *error = Reason(path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(FFd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error) *error = Reason(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    FSize = static_cast<size_t>(st.st_size);
    FMtimeNs = MtimeNs(st);
    FCap = FSize + 1;
    try {
        // Not value-initialised: the pages of the buffer are touched only as the file is read.
        FBuf = std::shared_ptr<char[]>(new char[FCap]);
    } catch (const std::bad_alloc&) {
        if (error) *error = Reason(path, ENOMEM);
        return false;
    }
    AdviseHugePages(FBuf.get(), FCap);
    const size_t want = std::min(headBytes, FCap);
    while (FRead < want) {
        const ssize_t k = ::read(FFd, FBuf.get() + FRead, want - FRead);
        if (k < 0 && errno == EINTR) continue;
        if (k < 0) {
            if (error) *error = Reason(path, errno);
            return false;
        }
        if (k == 0) break;
        FRead += static_cast<size_t>(k);
    }
    FProgress = FRead;
    return true;
}

void TBackgroundLoad::DecodeFrom(TEncoding e, size_t skip) {
    FEncoding = e;
    FDecoder = std::make_unique<TStoreDecoder>(e, nullptr);
    // A byte becomes two at the most (a byte that is not valid gets a table code).
    FTextCap = 2 * FSize + 64;
    FText = std::shared_ptr<char[]>(new char[FTextCap]);
    AdviseHugePages(FText.get(), FTextCap);
    FDecoded = std::min(skip, FRead);
}

void TBackgroundLoad::DecodeRead(bool last) {
    std::string out;
    FDecoder->Decode(std::string_view(FBuf.get() + FDecoded, FRead - FDecoded), last, out);
    FDecoded = FRead;
    if (FTextLen + out.size() > FTextCap) throw std::bad_alloc();
    std::memcpy(FText.get() + FTextLen, out.data(), out.size());
    for (TPendingCode c : FDecoder->TakePending()) {
        c.pos += FTextLen;
        FCodes.push_back(c);
    }
    FTextLen += out.size();
}

TDecodeOutcome TBackgroundLoad::Outcome() const {
    return FDecoder ? FDecoder->Outcome() : TDecodeOutcome();
}

size_t TBackgroundLoad::PieceEnd(size_t from, size_t have) const {
    const char* p = Text();
    // The last byte is left out: a CR there may be the first half of a CR LF.
    if (have < from + 2) return from;
    const size_t span = have - 1 - from;
    const void* lf = ::memrchr(p + from, '\n', span);
    const void* cr = ::memrchr(p + from, '\r', span);
    const char* hit = std::max(static_cast<const char*>(lf), static_cast<const char*>(cr));
    if (!hit) return from;
    size_t end = static_cast<size_t>(hit - p) + 1;
    if (p[end - 1] == '\r' && p[end] == '\n') ++end;
    // A 0x1A followed only by line ends may be the end-of-file mark: its line waits for the
    // last piece, which knows whether anything follows.
    size_t t = end;
    while (t > from && IsLineEndByte(p[t - 1]))
        --t;
    if (t > from && p[t - 1] == '\x1a') {
        const size_t mark = t - 1;
        const void* lf2 = ::memrchr(p + from, '\n', mark - from);
        const void* cr2 = ::memrchr(p + from, '\r', mark - from);
        const char* h2 = std::max(static_cast<const char*>(lf2), static_cast<const char*>(cr2));
        if (!h2) return from;
        end = static_cast<size_t>(h2 - p) + 1;
        if (p[end - 1] == '\r' && p[end] == '\n') ++end;
    }
    return end;
}

void TBackgroundLoad::Start(const TWrapSettings& ws, std::function<void()> wake, int threads) {
    FWrap = ws;
    FThreads = threads;
    FWake = std::move(wake);
    // The head's complete lines now, on the caller's thread.
    if (FDecoder) DecodeRead(false);
    const size_t end = PieceEnd(0, Have());
    Push(Cut(0, end), false); // the caller takes it at once
    FCut = end;
    FThread = std::thread([this] { Run(); });
}

TLoadPiece TBackgroundLoad::Cut(size_t from, size_t to) {
    TLoadPiece piece;
    piece.From = from;
    piece.To = to;
    TWrapSettings ws;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        ws = FWrap;
        piece.Generation = FGeneration;
    }
    CutPiece(piece, ws, FThreads);
    piece.LineEnds = CountLineEnds(std::string_view(Text() + from, to - from));
    while (!FCodes.empty() && FCodes.front().pos < to) {
        piece.Codes.push_back(FCodes.front());
        FCodes.pop_front();
    }
    return piece;
}

void TBackgroundLoad::CutPiece(TLoadPiece& piece, const TWrapSettings& ws, int threads) const {
    piece.Blocks = CutRows(Text() + piece.From, piece.To - piece.From, ws, threads);
}

int TBackgroundLoad::SetWrap(const TWrapSettings& ws) {
    std::lock_guard<std::mutex> lock(FMutex);
    FWrap = ws;
    return ++FGeneration;
}

int TBackgroundLoad::Generation() {
    std::lock_guard<std::mutex> lock(FMutex);
    return FGeneration;
}

void TBackgroundLoad::Push(TLoadPiece&& piece, bool wake) {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FPieces.push_back(std::move(piece));
    }
    FReady.notify_all();
    if (wake && FWake) FWake();
}

void TBackgroundLoad::Fail(const std::string& why) {
    FError = why;
}

void TBackgroundLoad::Run() {
    char* p = FBuf.get();
    try {
        while (!FStop.load()) {
            // Read the next piece (or what is left).
            bool eof = false;
            const size_t want = std::min(FCap, FRead + FPieceBytes);
            while (FRead < want && !FStop.load()) {
                const ssize_t k = ::read(FFd, p + FRead, want - FRead);
                if (k < 0 && errno == EINTR) continue;
                if (k < 0) {
                    Fail(Reason(FPath, errno));
                    eof = true;
                    break;
                }
                if (k == 0) {
                    eof = true;
                    break;
                }
                FRead += static_cast<size_t>(k);
                FProgress.store(FRead, std::memory_order_relaxed);
            }
            if (FStop.load()) break;
            if (FRead == FCap) {
                // More bytes than the file had when it was opened: it grew while being read.
                FRead = FSize;
                eof = true;
                if (FError.empty()) Fail(ChangedWhileRead(FPath));
            }
            if (eof) {
                struct stat st {};
                if (FError.empty() &&
                    (FRead != FSize || ::fstat(FFd, &st) != 0 ||
                     static_cast<size_t>(st.st_size) != FSize || MtimeNs(st) != FMtimeNs))
                    Fail(ChangedWhileRead(FPath));
                if (FDecoder) {
                    DecodeRead(true);
                    FBuf.reset(); // the file's bytes are not needed any more
                    p = nullptr;
                }
                // The last piece: the text ends at the end-of-file mark, if there is one.
                FTextLength =
                    std::max(FCut, TextLengthBeforeEofMark(std::string_view(Text(), Have())));
                Push(Cut(FCut, FTextLength), true);
                FCut = FTextLength;
                break;
            }
            if (FDecoder) DecodeRead(false);
            const size_t end = PieceEnd(FCut, Have());
            if (end == FCut) continue; // no complete line yet: read on
            Push(Cut(FCut, end), true);
            FCut = end;
        }
    } catch (const ETextTooLarge& e) {
        Fail(FPath + ": " + e.what());
    } catch (const std::bad_alloc&) {
        Fail(Reason(FPath, ENOMEM));
    }
    if (FStop.load() && FError.empty()) Fail(Reason(FPath, ECANCELED));
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FDone = true;
    }
    FReady.notify_all();
    if (FWake) FWake();
}

bool TBackgroundLoad::Take(TLoadPiece* out) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FPieces.empty()) return false;
    *out = std::move(FPieces.front());
    FPieces.pop_front();
    return true;
}

bool TBackgroundLoad::Ended() {
    std::lock_guard<std::mutex> lock(FMutex);
    return FDone && FPieces.empty();
}

void TBackgroundLoad::WaitForPiece() {
    std::unique_lock<std::mutex> lock(FMutex);
    FReady.wait(lock, [this] { return FDone || !FPieces.empty(); });
}

void TBackgroundLoad::Cancel() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    std::lock_guard<std::mutex> lock(FMutex);
    FPieces.clear();
    FDone = true;
}
