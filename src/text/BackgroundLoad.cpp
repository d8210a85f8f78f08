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
    if (fd_ >= 0) ::close(fd_);
}

bool TBackgroundLoad::Open(const std::string& path, size_t headBytes, std::string* error) {
    path_ = path;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        if (error) *error = Reason(path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error) *error = Reason(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    size_ = static_cast<size_t>(st.st_size);
    FMtimeNs = MtimeNs(st);
    cap_ = size_ + 1;
    try {
        // Not value-initialised: the pages of the buffer are touched only as the file is read.
        FBuf = std::shared_ptr<char[]>(new char[cap_]);
    } catch (const std::bad_alloc&) {
        if (error) *error = Reason(path, ENOMEM);
        return false;
    }
    AdviseHugePages(FBuf.get(), cap_);
    const size_t want = std::min(headBytes, cap_);
    while (read_ < want) {
        const ssize_t k = ::read(fd_, FBuf.get() + read_, want - read_);
        if (k < 0 && errno == EINTR) continue;
        if (k < 0) {
            if (error) *error = Reason(path, errno);
            return false;
        }
        if (k == 0) break;
        read_ += static_cast<size_t>(k);
    }
    progress_ = read_;
    return true;
}

void TBackgroundLoad::DecodeFrom(TEncoding e, size_t skip) {
    encoding_ = e;
    decoder_ = std::make_unique<TStoreDecoder>(e, nullptr);
    // A byte becomes two at the most (a byte that is not valid gets a table code).
    textCap_ = 2 * size_ + 64;
    FText = std::shared_ptr<char[]>(new char[textCap_]);
    AdviseHugePages(FText.get(), textCap_);
    decoded_ = std::min(skip, read_);
}

void TBackgroundLoad::DecodeRead(bool last) {
    std::string out;
    decoder_->Decode(std::string_view(FBuf.get() + decoded_, read_ - decoded_), last, out);
    decoded_ = read_;
    if (textLen_ + out.size() > textCap_) throw std::bad_alloc();
    std::memcpy(FText.get() + textLen_, out.data(), out.size());
    for (TPendingCode c : decoder_->TakePending()) {
        c.pos += textLen_;
        codes_.push_back(c);
    }
    textLen_ += out.size();
}

TDecodeOutcome TBackgroundLoad::Outcome() const {
    return decoder_ ? decoder_->Outcome() : TDecodeOutcome();
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
    wrap_ = ws;
    threads_ = threads;
    FWake = std::move(wake);
    // The head's complete lines now, on the caller's thread.
    if (decoder_) DecodeRead(false);
    const size_t end = PieceEnd(0, Have());
    Push(Cut(0, end), false); // the caller takes it at once
    cut_ = end;
    thread_ = std::thread([this] { Run(); });
}

TLoadPiece TBackgroundLoad::Cut(size_t from, size_t to) {
    TLoadPiece piece;
    piece.From = from;
    piece.To = to;
    TWrapSettings ws;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ws = wrap_;
        piece.Generation = generation_;
    }
    CutPiece(piece, ws, threads_);
    piece.LineEnds = CountLineEnds(std::string_view(Text() + from, to - from));
    while (!codes_.empty() && codes_.front().pos < to) {
        piece.Codes.push_back(codes_.front());
        codes_.pop_front();
    }
    return piece;
}

void TBackgroundLoad::CutPiece(TLoadPiece& piece, const TWrapSettings& ws, int threads) const {
    piece.Blocks = CutRows(Text() + piece.From, piece.To - piece.From, ws, threads);
}

int TBackgroundLoad::SetWrap(const TWrapSettings& ws) {
    std::lock_guard<std::mutex> lock(mutex_);
    wrap_ = ws;
    return ++generation_;
}

int TBackgroundLoad::Generation() {
    std::lock_guard<std::mutex> lock(mutex_);
    return generation_;
}

void TBackgroundLoad::Push(TLoadPiece&& piece, bool wake) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pieces_.push_back(std::move(piece));
    }
    ready_.notify_all();
    if (wake && FWake) FWake();
}

void TBackgroundLoad::Fail(const std::string& why) {
    error_ = why;
}

void TBackgroundLoad::Run() {
    char* p = FBuf.get();
    try {
        while (!stop_.load()) {
            // Read the next piece (or what is left).
            bool eof = false;
            const size_t want = std::min(cap_, read_ + pieceBytes_);
            while (read_ < want && !stop_.load()) {
                const ssize_t k = ::read(fd_, p + read_, want - read_);
                if (k < 0 && errno == EINTR) continue;
                if (k < 0) {
                    Fail(Reason(path_, errno));
                    eof = true;
                    break;
                }
                if (k == 0) {
                    eof = true;
                    break;
                }
                read_ += static_cast<size_t>(k);
                progress_.store(read_, std::memory_order_relaxed);
            }
            if (stop_.load()) break;
            if (read_ == cap_) {
                // More bytes than the file had when it was opened: it grew while being read.
                read_ = size_;
                eof = true;
                if (error_.empty()) Fail(ChangedWhileRead(path_));
            }
            if (eof) {
                struct stat st {};
                if (error_.empty() &&
                    (read_ != size_ || ::fstat(fd_, &st) != 0 ||
                     static_cast<size_t>(st.st_size) != size_ || MtimeNs(st) != FMtimeNs))
                    Fail(ChangedWhileRead(path_));
                if (decoder_) {
                    DecodeRead(true);
                    FBuf.reset(); // the file's bytes are not needed any more
                    p = nullptr;
                }
                // The last piece: the text ends at the end-of-file mark, if there is one.
                textLength_ =
                    std::max(cut_, TextLengthBeforeEofMark(std::string_view(Text(), Have())));
                Push(Cut(cut_, textLength_), true);
                cut_ = textLength_;
                break;
            }
            if (decoder_) DecodeRead(false);
            const size_t end = PieceEnd(cut_, Have());
            if (end == cut_) continue; // no complete line yet: read on
            Push(Cut(cut_, end), true);
            cut_ = end;
        }
    } catch (const ETextTooLarge& e) {
        Fail(path_ + ": " + e.what());
    } catch (const std::bad_alloc&) {
        Fail(Reason(path_, ENOMEM));
    }
    if (stop_.load() && error_.empty()) Fail(Reason(path_, ECANCELED));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    ready_.notify_all();
    if (FWake) FWake();
}

bool TBackgroundLoad::Take(TLoadPiece* out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (pieces_.empty()) return false;
    *out = std::move(pieces_.front());
    pieces_.pop_front();
    return true;
}

bool TBackgroundLoad::Ended() {
    std::lock_guard<std::mutex> lock(mutex_);
    return done_ && pieces_.empty();
}

void TBackgroundLoad::WaitForPiece() {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return done_ || !pieces_.empty(); });
}

void TBackgroundLoad::Cancel() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    pieces_.clear();
    done_ = true;
}
