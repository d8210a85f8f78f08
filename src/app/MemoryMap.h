// Named shared block with per-process slots and change counters: TCustomMemoryMap ->
// TCustomMemMapEvt
// -> TMemMapEvt. The block is a file mapped shared in a folder only this user can enter; its
// "semaphore" and each slot's liveness are fcntl locks that the kernel drops when the holder dies.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

class EMemoryMap : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class EMemMapEvt : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Folder that holds the blocks: $XDG_RUNTIME_DIR, else /tmp/tolmo-<uid> (created 0700). A folder
// owned by someone else or open to others is refused with EMemoryMap.
std::string MemoryMapFolder();

// What the user is told of a failure of the channel (the exceptions keep their fixed texts).
std::string ChannelFailureText(const std::exception& e);

// A periodic callback that drives a channel's poll (for a channel without a wake handler).
class IMemMapTimer {
  public:
    virtual ~IMemMapTimer() = default;
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
};

class TCustomMemoryMap {
  public:
    TCustomMemoryMap();
    virtual ~TCustomMemoryMap();
    TCustomMemoryMap(const TCustomMemoryMap&) = delete;
    TCustomMemoryMap& operator=(const TCustomMemoryMap&) = delete;

    virtual void Update();
    virtual void Lock();
    virtual void Unlock();
    virtual void Open();
    virtual void Close();

    bool GetActive() const { return view_ != nullptr; }
    void SetActive(bool value);
    const std::string& GetMapName() const { return mapName_; }
    void SetMapName(const std::string& value);
    // User-area size: the block's own value while open.
    int GetSize() const;
    void SetSize(int value);
    // Start of the user area, nullptr when closed.
    char* Memory() const { return view_ ? view_ + headerSize_ : nullptr; }
    bool Existed() const { return existed_; }
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    int LockDepth() const { return lockDepth_; }

  protected:
    virtual const char* ClassName() const { return "TCustomMemoryMap"; }
    virtual int MaxUserSize() const { return 16777216 - headerSize_; }
    // Called with the semaphore held, after the block is mapped: lay out or check the header.
    virtual void MapOpened(bool created);
    // Called with the semaphore held, before the view is unmapped.
    virtual void MapClosing() {}
    // Whether anyone (this component excluded) has the block open; asked under the semaphore.
    bool OthersAlive() const;
    // Whether an existing block file with nobody using it may be replaced by a new one.
    virtual bool StaleBlock(std::size_t fileSize) const;
    void Flush(const char* failure, bool evtError);

    int headerSize_ = 8;
    char* view_ = nullptr;
    std::size_t viewLen_ = 0;
    int lockFd_ = -1; // map name + "Semaphore"; byte 0 is the semaphore
    int mapFd_ = -1;

  private:
    void CloseHandles();
    void Reopen();

    int lockDepth_ = 0;
    std::string mapName_;
    std::string blockPath_;
    int size_ = 256;
    bool existed_ = false;
    bool readOnly_ = false;
};

class TCustomMemMapEvt : public TCustomMemoryMap {
  public:
    using TEvent = std::function<void(TCustomMemMapEvt& sender, std::uint16_t slot)>;
    static constexpr int HeaderSize = 56;
    static constexpr int MaxSlots = 16;
    static constexpr std::uint16_t NoSlot = 65535;
    static constexpr int MinInterval = 10; // the poll never runs more often, whatever is asked

    TCustomMemMapEvt();
    ~TCustomMemMapEvt() override;

    void Update() override;
    void Open() override;
    void Close() override;

    // Compare the slots with what was seen last and fire the events. A Poll asked for while
    // the handlers run (a nested event loop) runs again after them.
    void Poll();

    int GetProcessMax() const;
    void SetProcessMax(int value);
    int GetCheckInterval() const { return checkInterval_; }
    void SetCheckInterval(int value);
    // The interval the timer really runs at: CheckInterval, but never below MinInterval.
    int EffectiveInterval() const;
    std::uint16_t OwnSlot() const { return FOwnSlot; }
    void SetTimer(IMemMapTimer* timer);
    // Instead of a timer: while the channel is open a thread of its own sleeps on the block's
    // change word and calls wake after every change another user (or this one) made: a slot
    // taken or given up, an update counted. wake runs on that thread and must only post a Poll
    // to the owner's thread. Nothing runs while the block stays as it is. Empty: no thread.
    void SetWakeHandler(std::function<void()> wake);
    bool Waiting() const { return waiter_.joinable(); }
    // The block's change word (offset 0): counts every change of the mask and the counters.
    std::uint32_t ChangeCount() const;
    // A resident marks its slot as held by a full instance of the program (see FindResident).
    void SetResident(bool value) { resident_ = value; }

    // Block header, read without the lock (as the poll does).
    std::uint16_t BlockMask() const;
    std::uint16_t BlockCounter(int slot) const;

    // Whether another component holds the slot as a resident.
    bool SlotIsResident(int slot) const;

    // The lowest slot of the named block held by a live resident, or -1. Creates nothing but the
    // folder and the lock file; a block left behind by a crashed process never counts.
    static int FindResident(const std::string& mapName);

    TEvent OnUpdate, OnEnter, OnExit;

  protected:
    const char* ClassName() const override { return "TCustomMemMapEvt"; }
    virtual void DoUpdate(std::uint16_t slot);
    virtual void DoEnter(std::uint16_t slot);
    virtual void DoExit(std::uint16_t slot);
    void MapOpened(bool created) override;
    void MapClosing() override;
    bool StaleBlock(std::size_t fileSize) const override;

  private:
    void FreeDeadSlots();
    void StartTimer();
    void StopTimer();
    void Signal(); // the change word counts one, its sleepers wake
    void WaitLoop(std::uint32_t seen);
    void PollOnce();

    int processMax_ = 2;
    std::uint16_t FOwnSlot = NoSlot;
    int checkInterval_ = 1;
    std::uint16_t FLastMask = 0;
    std::uint16_t FLastCounters[MaxSlots] = {};
    IMemMapTimer* timer_ = nullptr;
    bool timerOn_ = false;
    bool resident_ = false;
    bool polling_ = false, FPollAgain = false;
    std::function<void()> FWake;
    std::thread waiter_;
    std::atomic<bool> waitStop_{false}, FWaitEnded{false};
};

class TMemMapEvt : public TCustomMemMapEvt {
  public:
    void Update() override { TCustomMemMapEvt::Update(); }
    void Lock() override { TCustomMemMapEvt::Lock(); }
    void Unlock() override { TCustomMemMapEvt::Unlock(); }

  protected:
    const char* ClassName() const override { return "TMemMapEvt"; }
};

// Holds the lock of a block for a scope.
class TMemoryMapLock {
  public:
    explicit TMemoryMapLock(TCustomMemoryMap& map) : map_(map) { map_.Lock(); }
    ~TMemoryMapLock() { map_.Unlock(); }
    TMemoryMapLock(const TMemoryMapLock&) = delete;
    TMemoryMapLock& operator=(const TMemoryMapLock&) = delete;

  private:
    TCustomMemoryMap& map_;
};
