// TBackgroundLoad: a large file shown from its first screen on while the rest is read and cut into
// rows on a thread of its own. The head is read and cut at once; the rest comes in pieces that end
// after a line end, each handed over whole and in order, so the rows taken never hold half a line.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "text/DocumentCodec.h"
#include "text/LineBreaking.h"
#include "text/RowTable.h"

// The rows of one piece of the file, in order.
struct TLoadPiece {
    std::vector<TRowBlock> Blocks;
    TLineEndCounts LineEnds;
    std::vector<TPendingCode> Codes; // of a decoded file: table codes to give (GiveCodes)
    size_t From = 0, To = 0;         // its bytes in the buffer
    int Generation = 0;              // of the wrap settings it was cut with
};

class TBackgroundLoad {
  public:
    TBackgroundLoad() = default;
    ~TBackgroundLoad(); // cancels the thread and waits for it
    TBackgroundLoad(const TBackgroundLoad&) = delete;
    TBackgroundLoad& operator=(const TBackgroundLoad&) = delete;

    // Opens a regular file and reads its first headBytes. False with the reason in *error
    // ("path: reason") when it cannot be opened or read, or is not a regular file.
    bool Open(const std::string& path, size_t headBytes, std::string* error);
    // The file's size when it was opened, and the head read so far.
    size_t FileSize() const { return size_; }
    std::string_view Head() const {
        return FBuf ? std::string_view(FBuf.get(), read_) : std::string_view();
    }
    // The buffer the rows point into (one chunk, filled as the file is read; of the file's size,
    // or room for the decoded text of a decoded file).
    const std::shared_ptr<char[]>& Buffer() const { return FText ? FText : FBuf; }
    // Decodes the file from the encoding as it is read (after Open, before Start; skip: the
    // byte-order mark's length): the rows then point into a buffer of the decoded text, and the
    // one who takes a piece gives its Codes their table codes before the rows are used.
    void DecodeFrom(TEncoding e, size_t skip);
    // After Ended(), for a decoded file: what decoding found.
    TDecodeOutcome Outcome() const;
    TEncoding Encoding() const { return encoding_; }

    // Bytes read and cut at a time after the head (before Start).
    void SetPieceBytes(size_t n) { pieceBytes_ = n > 0 ? n : 1; }
    // Cuts the head into rows (the first piece, ready at once) and starts the thread that reads
    // and cuts the rest. wake is called on that thread after each piece and at the end; it must
    // only post a call to Take to the thread that owns the rows. threads: see CutRows.
    void Start(const TWrapSettings& ws, std::function<void()> wake, int threads = 0);
    // New wrap settings for the pieces not yet cut; returns their generation. Pieces of an older
    // generation are cut again by the one who takes them (CutPiece).
    int SetWrap(const TWrapSettings& ws);
    int Generation();
    // The rows of a piece's bytes with the given settings.
    void CutPiece(TLoadPiece& piece, const TWrapSettings& ws, int threads) const;
    // Moves the next ready piece into *out; false when none is ready.
    bool Take(TLoadPiece* out);
    // The thread has finished and every piece was taken.
    bool Ended();
    // Waits until a piece is ready or the thread has ended.
    void WaitForPiece();
    // Stops the thread at its next piece and waits for it; the pieces not yet taken are dropped.
    void Cancel();

    // After Ended(): the length of the text (the file up to an end-of-file mark), and an error
    // ("path: reason") when the file could not be read to its end or changed while it was read.
    size_t TextLength() const { return textLength_; }
    const std::string& Error() const { return error_; }
    // Bytes read so far, for a progress display (any thread).
    size_t BytesRead() const { return progress_.load(std::memory_order_relaxed); }

  private:
    void Run();
    void Push(TLoadPiece&& piece, bool wake);
    // Cuts [from, to) into a piece with the newest settings.
    TLoadPiece Cut(size_t from, size_t to);
    void Fail(const std::string& why);
    // Where the rows of data [from, have) may end: just after the last line end whose line is
    // complete and cannot be the end-of-file mark's; `from` when there is none yet.
    size_t PieceEnd(size_t from, size_t have) const;

    // The text the rows point into and its length so far (the file itself unless decoded).
    const char* Text() const { return FText ? FText.get() : FBuf.get(); }
    size_t Have() const { return FText ? textLen_ : read_; }
    // Decodes what was read since the last call.
    void DecodeRead(bool last);

    std::string path_;
    std::unique_ptr<TStoreDecoder> decoder_;
    TEncoding encoding_ = TEncoding::ShiftJis;
    std::shared_ptr<char[]> FText; // the decoded text
    size_t textCap_ = 0, textLen_ = 0;
    size_t decoded_ = 0;             // bytes of the file handed to the decoder
    std::deque<TPendingCode> codes_; // given out with the pieces that hold them
    int fd_ = -1;
    std::shared_ptr<char[]> FBuf;
    size_t cap_ = 0;  // the buffer's size: the file's size and one byte to see it grow
    size_t size_ = 0; // the file's size at Open
    int64_t FMtimeNs = 0;
    size_t read_ = 0; // bytes read (written by the thread once it runs)
    size_t cut_ = 0;  // bytes cut into rows
    size_t pieceBytes_ = size_t{32} << 20;
    TWrapSettings wrap_;
    int threads_ = 0;
    std::function<void()> FWake;

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<TLoadPiece> pieces_; // guarded by mutex_
    int generation_ = 0;            // guarded by mutex_, as wrap_
    bool done_ = false;             // guarded by mutex_
    std::atomic<bool> stop_{false};
    std::atomic<size_t> progress_{0};
    size_t textLength_ = 0;
    std::string error_;
};
