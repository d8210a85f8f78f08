// Named shared block with per-process slots and change counters, on POSIX files and OFD locks.
//
// Lock file (map name + "Semaphore"), one byte per lock, all open-file-description locks so that
// two components in one process behave like two processes and a dead holder loses them at once:
//   byte 0        the semaphore (exclusive; Lock/Unlock)
//   byte 1        "a user has the block open" (shared, held while open)
//   bytes 2..17   slot i is alive (exclusive, held by the slot's owner)
//   bytes 18..33  slot i belongs to a resident, a full instance of the program (exclusive)
// The block file is created and removed only under the semaphore, so the first opener fixes its
// size and slot maximum and the last one to close removes it.
#include "app/MemoryMap.h"

#include <atomic>
#include <bit>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/futex.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr off_t kSemaphoreByte = 0;
constexpr off_t kUsersByte = 1;
constexpr off_t kSlotByte = 2;
constexpr off_t kResidentByte = 18;
constexpr char kSignature[10] = "MemMapEvt";
constexpr const char* kMappingError = "CreateFileMapping:Mapping Error ";
constexpr const char* kFlushError = "FlushViewOfFile:Flush Error";

std::string SystemMessage(int err) {
    return std::strerror(err);
}

[[noreturn]] void MappingError(const std::string& why) {
    throw EMemoryMap(kMappingError + why);
}

bool SetLock(int fd, short type, off_t byte, bool wait) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    for (;;) {
        if (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0) return true;
        if (errno != EINTR) return false;
    }
}

// True when some other open file description holds a lock on the byte.
bool LockedByOthers(int fd, off_t byte) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    if (fcntl(fd, F_OFD_GETLK, &fl) != 0) return false;
    return fl.l_type != F_UNLCK;
}

// A file in the private folder: never through a link, never someone else's, always 0600.
int OpenPrivate(const std::string& path, int flags) {
    int fd = open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        close(fd);
        errno = EACCES;
        return -1;
    }
    if ((st.st_mode & 077) != 0 && fchmod(fd, 0600) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::uint16_t Load16(const char* p) {
    std::uint16_t v =
        std::atomic_ref<std::uint16_t>(*reinterpret_cast<std::uint16_t*>(const_cast<char*>(p)))
            .load(std::memory_order_acquire);
    if constexpr (std::endian::native == std::endian::big)
        v = static_cast<std::uint16_t>((v << 8) | (v >> 8));
    return v;
}

void Store16(char* p, std::uint16_t v) {
    if constexpr (std::endian::native == std::endian::big)
        v = static_cast<std::uint16_t>((v << 8) | (v >> 8));
    std::atomic_ref<std::uint16_t>(*reinterpret_cast<std::uint16_t*>(p))
        .store(v, std::memory_order_release);
}

std::uint32_t Load32(const char* p) {
    unsigned char b[4];
    std::memcpy(b, p, 4);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
}

void Store32(char* p, std::uint32_t v) {
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::memcpy(p, b, 4);
}

// The block's first word counts its changes; users of the channel sleep on it (a futex on the
// shared file mapping, so it reaches every process that maps the block).
std::uint32_t* ChangeWordOf(char* view) {
    return reinterpret_cast<std::uint32_t*>(view);
}

void FutexWake(std::uint32_t* word) {
    syscall(SYS_futex, word, FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

bool MakePrivateFolder(const std::string& dir, bool parents) {
    if (parents) {
        for (std::size_t i = 1; i < dir.size(); ++i)
            if (dir[i] == '/') mkdir(dir.substr(0, i).c_str(), 0700);
    }
    return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace

std::string MemoryMapFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    bool fromEnv = runtime && runtime[0] == '/';
    std::string dir = fromEnv ? std::string(runtime) : "/tmp/tolmo-" + std::to_string(geteuid());
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (!MakePrivateFolder(dir, fromEnv)) MappingError(SystemMessage(errno) + ": " + dir);
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0) MappingError(SystemMessage(errno) + ": " + dir);
    if (!S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & 077) != 0)
        MappingError("フォルダ " + dir + " はこのユーザーだけのものではありません");
    return dir + "/";
}

// ---------------------------------------------------------------- TCustomMemoryMap

TCustomMemoryMap::TCustomMemoryMap() = default;

TCustomMemoryMap::~TCustomMemoryMap() {
    try {
        TCustomMemoryMap::Close();
    } catch (...) {
    }
}

void TCustomMemoryMap::SetActive(bool value) {
    if (value)
        Open();
    else
        Close();
}

void TCustomMemoryMap::SetMapName(const std::string& value) {
    // "/" would leave the private folder, so it is refused like "\".
    if (value.find_first_of("\\/") != std::string::npos)
        throw EMemoryMap(std::string("MapName do not use '\\':") + ClassName() + ":SetMapName");
    if (value == mapName_) return;
    mapName_ = value;
    Reopen();
}

int TCustomMemoryMap::GetSize() const {
    return view_ ? static_cast<int>(Load32(view_ + 4)) : size_;
}

void TCustomMemoryMap::SetSize(int value) {
    int max = MaxUserSize();
    if (value < 1 || value > max)
        throw EMemoryMap("Size max over(1 to" + std::to_string(max) + ").:SetSize");
    size_ = value;
    if (GetActive()) {
        Reopen();
        if (static_cast<int>(Load32(view_ + 4)) != value)
            throw EMemoryMap("Other process Allready Opened Memory Map");
    }
}

void TCustomMemoryMap::Reopen() {
    if (!GetActive()) return;
    Close();
    Open();
}

void TCustomMemoryMap::Lock() {
    if (lockDepth_ == 0 && lockFd_ >= 0) {
        if (!SetLock(lockFd_, F_WRLCK, kSemaphoreByte, true))
            throw EMemoryMap("Lock:" + SystemMessage(errno));
    }
    ++lockDepth_;
}

void TCustomMemoryMap::Unlock() {
    if (lockDepth_ <= 0) return;
    if (--lockDepth_ == 0 && lockFd_ >= 0) SetLock(lockFd_, F_UNLCK, kSemaphoreByte, false);
}

void TCustomMemoryMap::Flush(const char* failure, bool evtError) {
    if (msync(view_, viewLen_, MS_ASYNC) == 0) return;
    if (evtError) throw EMemMapEvt(failure);
    throw EMemoryMap(failure);
}

void TCustomMemoryMap::Update() {
    if (!view_ || readOnly_) return;
    TMemoryMapLock lock(*this);
    Flush(kFlushError, false);
}

bool TCustomMemoryMap::StaleBlock(std::size_t) const {
    return true;
}

bool TCustomMemoryMap::OthersAlive() const {
    return LockedByOthers(lockFd_, kUsersByte);
}

void TCustomMemoryMap::MapOpened(bool created) {
    if (created) {
        Store32(view_, 0);
        Store32(view_ + 4, static_cast<std::uint32_t>(size_));
        Flush(kFlushError, false);
    }
}

void TCustomMemoryMap::Open() {
    Close();
    if (mapName_.empty()) throw EMemoryMap("MapName not exists.");
    const std::string folder = MemoryMapFolder();
    const std::string blockPath = folder + mapName_;
    blockPath_ = blockPath;
    lockFd_ = OpenPrivate(folder + mapName_ + "Semaphore", O_RDWR | O_CREAT);
    if (lockFd_ < 0) MappingError(SystemMessage(errno));
    try {
        TMemoryMapLock lock(*this);
        int mode = readOnly_ ? O_RDONLY : O_RDWR;
        mapFd_ = OpenPrivate(blockPath, mode);
        struct stat st {};
        if (mapFd_ >= 0 && fstat(mapFd_, &st) == 0 && !OthersAlive() &&
            StaleBlock(static_cast<std::size_t>(st.st_size))) {
            // Left behind by users that all died: replace it, as the system would have dropped it.
            unlink(blockPath.c_str());
            close(mapFd_);
            mapFd_ = -1;
        } else if (mapFd_ < 0 && errno != ENOENT) {
            MappingError(SystemMessage(errno));
        }
        existed_ = mapFd_ >= 0;
        if (!existed_) {
            if (readOnly_) MappingError(SystemMessage(ENOENT));
            mapFd_ = OpenPrivate(blockPath, O_RDWR | O_CREAT | O_EXCL);
            if (mapFd_ < 0) MappingError(SystemMessage(errno));
            if (ftruncate(mapFd_, static_cast<off_t>(size_) + headerSize_) != 0) {
                int err = errno;
                unlink(blockPath.c_str());
                MappingError(SystemMessage(err));
            }
        }
        if (fstat(mapFd_, &st) != 0) MappingError(SystemMessage(errno));
        viewLen_ = static_cast<std::size_t>(st.st_size);
        void* view = viewLen_ == 0
                         ? MAP_FAILED
                         : mmap(nullptr, viewLen_, PROT_READ | (readOnly_ ? 0 : PROT_WRITE),
                                MAP_SHARED, mapFd_, 0);
        if (view == MAP_FAILED) MappingError(SystemMessage(viewLen_ == 0 ? EINVAL : errno));
        view_ = static_cast<char*>(view);
        SetLock(lockFd_, F_RDLCK, kUsersByte, false);
        MapOpened(!existed_);
    } catch (...) {
        CloseHandles();
        throw;
    }
}

void TCustomMemoryMap::Close() {
    if (!view_) {
        CloseHandles();
        return;
    }
    int unmapResult = 0;
    {
        TMemoryMapLock lock(*this);
        MapClosing();
        SetLock(lockFd_, F_UNLCK, kUsersByte, false);
        if (!OthersAlive() && !readOnly_) unlink(blockPath_.c_str());
        unmapResult = munmap(view_, viewLen_);
        view_ = nullptr;
    }
    CloseHandles();
    if (unmapResult != 0) throw EMemoryMap("UnmapViewOfFile:UnMapping Error");
}

void TCustomMemoryMap::CloseHandles() {
    if (view_) munmap(view_, viewLen_);
    view_ = nullptr;
    viewLen_ = 0;
    if (mapFd_ >= 0) close(mapFd_);
    if (lockFd_ >= 0) close(lockFd_); // drops every lock this component held
    mapFd_ = lockFd_ = -1;
    lockDepth_ = 0;
}

// ---------------------------------------------------------------- TCustomMemMapEvt

TCustomMemMapEvt::TCustomMemMapEvt() {
    headerSize_ = HeaderSize;
}

TCustomMemMapEvt::~TCustomMemMapEvt() {
    try {
        TCustomMemMapEvt::Close();
    } catch (...) {
    }
}

int TCustomMemMapEvt::GetProcessMax() const {
    return view_ ? Load16(view_ + 20) : processMax_;
}

void TCustomMemMapEvt::SetProcessMax(int value) {
    if (value < 1 || value > MaxSlots)
        throw EMemMapEvt("Process max over(1 to" + std::to_string(MaxSlots) + "). :SetProcessMax");
    if (value == processMax_) return;
    processMax_ = value;
    if (GetActive()) {
        Close();
        Open();
    }
}

void TCustomMemMapEvt::SetCheckInterval(int value) {
    checkInterval_ = value < 0 ? 0 : (value > 65535 ? 65535 : value);
    if (timerOn_) StartTimer();
}

int TCustomMemMapEvt::EffectiveInterval() const {
    return checkInterval_ < MinInterval ? MinInterval : checkInterval_;
}

void TCustomMemMapEvt::SetTimer(IMemMapTimer* timer) {
    StopTimer();
    timer_ = timer;
    if (view_) StartTimer();
}

void TCustomMemMapEvt::SetWakeHandler(std::function<void()> wake) {
    StopTimer();
    FWake = std::move(wake);
    if (view_) StartTimer();
}

std::uint32_t TCustomMemMapEvt::ChangeCount() const {
    return view_ ? std::atomic_ref<std::uint32_t>(*ChangeWordOf(view_))
                       .load(std::memory_order_acquire)
                 : 0;
}

void TCustomMemMapEvt::Signal() {
    if (!view_ || GetReadOnly()) return;
    std::atomic_ref<std::uint32_t>(*ChangeWordOf(view_)).fetch_add(1, std::memory_order_acq_rel);
    FutexWake(ChangeWordOf(view_));
}

void TCustomMemMapEvt::WaitLoop(std::uint32_t seen) {
    std::uint32_t* word = ChangeWordOf(view_);
    std::atomic_ref<std::uint32_t> count(*word);
    while (!waitStop_.load()) {
        const std::uint32_t now = count.load(std::memory_order_acquire);
        if (now != seen) {
            seen = now;
            FWake();
            continue;
        }
        // Returns at once when the word moved since it was read, or when woken.
        syscall(SYS_futex, word, FUTEX_WAIT, now, nullptr, nullptr, 0);
    }
    FWaitEnded = true;
}

void TCustomMemMapEvt::StartTimer() {
    timerOn_ = view_ != nullptr;
    if (!timerOn_) return;
    if (FWake) {
        if (waiter_.joinable()) return;
        waitStop_ = false;
        FWaitEnded = false;
        // One count behind: the first round polls at once and sees who is there already.
        waiter_ = std::thread(&TCustomMemMapEvt::WaitLoop, this, ChangeCount() - 1);
        return;
    }
    if (timer_) timer_->Start(EffectiveInterval());
}

void TCustomMemMapEvt::StopTimer() {
    if (waiter_.joinable()) {
        waitStop_ = true;
        // The waiter may have read the flag just before it went to sleep: wake it until it ends
        // (the other users' waiters wake too, find the word unchanged and sleep again).
        while (!FWaitEnded.load()) {
            FutexWake(ChangeWordOf(view_));
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        waiter_.join();
    }
    if (timer_ && timerOn_) timer_->Stop();
    timerOn_ = false;
}

std::uint16_t TCustomMemMapEvt::BlockMask() const {
    return view_ ? Load16(view_ + 22) : 0;
}

std::uint16_t TCustomMemMapEvt::BlockCounter(int slot) const {
    return view_ && slot >= 0 && slot < MaxSlots ? Load16(view_ + 24 + 2 * slot) : 0;
}

bool TCustomMemMapEvt::StaleBlock(std::size_t fileSize) const {
    // Only a block of this channel (or one whose creator died before writing its header) is
    // replaced; anything else under the name is someone else's and reported as a format error.
    if (fileSize < static_cast<std::size_t>(HeaderSize)) return true;
    char header[HeaderSize];
    if (pread(mapFd_, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header)) return true;
    if (std::memcmp(header + 8, kSignature, sizeof kSignature) == 0) return true;
    for (char c : header)
        if (c != 0) return false;
    return true;
}

void TCustomMemMapEvt::MapOpened(bool created) {
    const std::string formatError = "'" + GetMapName() + "' Format differ. : MapFileOpen";
    if (created) {
        TCustomMemoryMap::MapOpened(true);
        std::memset(view_ + 8, 0, HeaderSize - 8);
        std::memcpy(view_ + 8, kSignature, sizeof kSignature);
        Store16(view_ + 20, static_cast<std::uint16_t>(processMax_));
    } else {
        if (viewLen_ < static_cast<std::size_t>(HeaderSize) ||
            std::memcmp(view_ + 8, kSignature, sizeof kSignature) != 0)
            throw EMemMapEvt(formatError);
        std::uint16_t max = Load16(view_ + 20);
        if (max < 1 || max > MaxSlots || Load32(view_ + 4) > viewLen_ - HeaderSize)
            throw EMemMapEvt(formatError);
    }
    if (GetReadOnly()) return;
    FreeDeadSlots();
    const int max = Load16(view_ + 20);
    std::uint16_t mask = Load16(view_ + 22);
    for (int i = 0; i < max; ++i) {
        std::uint16_t bit = 0x8000 >> i;
        if ((mask & bit) || !SetLock(lockFd_, F_WRLCK, kSlotByte + i, false)) continue;
        FOwnSlot = static_cast<std::uint16_t>(i);
        if (resident_) SetLock(lockFd_, F_WRLCK, kResidentByte + i, false);
        Store16(view_ + 22, mask | bit);
        Flush(kFlushError, true);
        Signal();
        return;
    }
    throw EMemMapEvt("ProcessMax(" + std::to_string(max) + ") over.");
}

void TCustomMemMapEvt::FreeDeadSlots() {
    std::uint16_t mask = Load16(view_ + 22);
    for (int i = 0; i < MaxSlots; ++i) {
        std::uint16_t bit = 0x8000 >> i;
        if ((mask & bit) && !LockedByOthers(lockFd_, kSlotByte + i)) mask &= ~bit;
    }
    Store16(view_ + 22, mask);
}

void TCustomMemMapEvt::MapClosing() {
    if (FOwnSlot == NoSlot) return;
    Store16(view_ + 22, Load16(view_ + 22) & ~(0x8000 >> FOwnSlot));
    Signal();
    SetLock(lockFd_, F_UNLCK, kResidentByte + FOwnSlot, false);
    SetLock(lockFd_, F_UNLCK, kSlotByte + FOwnSlot, false);
    FOwnSlot = NoSlot;
}

void TCustomMemMapEvt::Open() {
    StopTimer();
    FLastMask = 0;
    std::memset(FLastCounters, 0, sizeof FLastCounters);
    try {
        TCustomMemoryMap::Open();
    } catch (...) {
        FOwnSlot = NoSlot;
        throw;
    }
    StartTimer();
}

void TCustomMemMapEvt::Close() {
    StopTimer();
    TCustomMemoryMap::Close();
    FOwnSlot = NoSlot;
    FLastMask = 0;
    std::memset(FLastCounters, 0, sizeof FLastCounters);
}

void TCustomMemMapEvt::Update() {
    if (!view_ || GetReadOnly()) return;
    TMemoryMapLock lock(*this);
    Flush(kFlushError, true);
    if (FOwnSlot != NoSlot) {
        char* counter = view_ + 24 + 2 * FOwnSlot;
        Store16(counter, static_cast<std::uint16_t>((Load16(counter) + 1) % 10000));
    }
    Flush(kFlushError, true);
    Signal();
}

void TCustomMemMapEvt::DoUpdate(std::uint16_t slot) {
    if (OnUpdate) OnUpdate(*this, slot);
}

void TCustomMemMapEvt::DoEnter(std::uint16_t slot) {
    if (OnEnter) OnEnter(*this, slot);
}

void TCustomMemMapEvt::DoExit(std::uint16_t slot) {
    if (OnExit) OnExit(*this, slot);
}

void TCustomMemMapEvt::Poll() {
    if (polling_) {
        FPollAgain = true;
        return;
    }
    // A timer is stopped while the handlers run (they may run a nested event loop); a waiter
    // goes on, and a Poll it asks for meanwhile runs after them.
    const bool timer = !FWake;
    if (timer) StopTimer();
    struct Restart {
        TCustomMemMapEvt& self;
        bool timer;
        ~Restart() {
            self.polling_ = false;
            if (timer && self.view_) self.StartTimer();
        }
    } restart{*this, timer};
    polling_ = true;
    do {
        FPollAgain = false;
        PollOnce();
    } while (FPollAgain && view_);
}

void TCustomMemMapEvt::PollOnce() {
    if (!view_) return;
    int max = Load16(view_ + 20);
    if (max > MaxSlots) max = MaxSlots;
    // All counters are read before the mask and before any handler runs. A process sets its bit
    // before it counts its first update, so a counter read while the bit is still clear predates
    // that update. Read slot by slot after the mask, a process that entered and updated while a
    // handler of a lower slot ran would have its update recorded as seen and never raised.
    std::uint16_t counters[MaxSlots];
    for (int i = 0; i < max; ++i)
        counters[i] = BlockCounter(i);
    const std::uint16_t mask = BlockMask();
    for (int i = 0; i < max && view_; ++i) {
        const std::uint16_t bit = 0x8000 >> i;
        const std::uint16_t counter = counters[i];
        const bool entered = (mask & bit) && !(FLastMask & bit);
        const bool updated = (mask & bit) && counter != FLastCounters[i];
        const bool exited = !(mask & bit) && (FLastMask & bit);
        // What was seen is recorded before the handlers run, so a handler that raises does not
        // make the next tick report the same change again.
        FLastCounters[i] = counter;
        FLastMask = static_cast<std::uint16_t>((FLastMask & ~bit) | (mask & bit));
        const auto slot = static_cast<std::uint16_t>(i);
        if (entered) DoEnter(slot);
        if (updated && view_) DoUpdate(slot);
        if (exited) DoExit(slot);
    }
}

bool TCustomMemMapEvt::SlotIsResident(int slot) const {
    return lockFd_ >= 0 && slot >= 0 && slot < MaxSlots &&
           LockedByOthers(lockFd_, kResidentByte + slot);
}

int TCustomMemMapEvt::FindResident(const std::string& mapName) {
    if (mapName.empty() || mapName.find_first_of("\\/") != std::string::npos) return -1;
    try {
        int fd = OpenPrivate(MemoryMapFolder() + mapName + "Semaphore", O_RDWR);
        if (fd < 0) return -1;
        int found = -1;
        for (int i = 0; i < MaxSlots && found < 0; ++i)
            if (LockedByOthers(fd, kResidentByte + i)) found = i;
        close(fd);
        return found;
    } catch (const EMemoryMap&) {
        return -1;
    }
}

std::string ChannelFailureText(const std::exception& e) {
    const std::string what = e.what();
    const auto starts = [&what](std::string_view head) { return what.rfind(head, 0) == 0; };
    const std::string head = "起動中のトルモとの連絡に使う共有メモリ";
    if (starts(kMappingError))
        return head + "を開けません。\r\n" + what.substr(std::strlen(kMappingError));
    if (starts(kFlushError)) return head + "に書き込めません。";
    if (starts("UnmapViewOfFile:")) return head + "を閉じられません。";
    if (starts("Lock:")) return head + "をロックできません。\r\n" + what.substr(5);
    if (starts("Other process Allready Opened"))
        return head + "は、他のプロセスが別の大きさで開いています。";
    if (starts("MapName not exists.")) return head + "の名前がありません。";
    if (starts("MapName do not use")) return head + "の名前に \\ は使えません。";
    if (starts("Size max over")) return head + "の大きさが範囲を超えています。";
    if (starts("Process max over") || starts("ProcessMax("))
        return head + "を使うプロセスの数が上限を超えています。";
    if (what.find("Format differ.") != std::string::npos)
        return head + "の形式が違います（別の版のトルモが使っています）。";
    return what;
}
