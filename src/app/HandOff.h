// Start-up hand-off: a second start of the program (the messenger) passes its command line
// through the channel "Tolmo2005" to the full instance that runs already, which opens the lines.
//
// The messenger writes its text only into an empty user area, marks it with Update and keeps its
// slot until the running instance has consumed it, so no poll interval can miss it; the running
// instance reads and clears the text under the lock, so each hand-off is taken exactly once. When
// nobody consumes it in time, the messenger takes it back and opens the files itself.
#pragma once

#include "app/MemoryMap.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr const char* kHandOffMapName = "Tolmo2005";
inline constexpr int kMessengerProcessMax = 3;
inline constexpr int kMessengerSize = 272;
inline constexpr int kReceiverProcessMax = 10;
inline constexpr int kReceiverSize = 256;
inline constexpr int kHandOffWaitMs = 5000;

// A marker file that makes every start a full instance: "Tolmo2Ju.$$$" in the current folder
// (setup starting the installed copy) or "localfol.myc" in the program folder. Folders end in "/".
bool HandOffForbidden(const std::string& currentFolder, const std::string& programFolder);

// This start is a messenger: a full instance runs (a live slot of "Tolmo2005" held by a resident)
// and no marker forbids the hand-off.
bool IsMessengerStart(const std::string& currentFolder, const std::string& programFolder);

// The text for a user area of the given size: each argument followed by CR LF, then one zero
// byte. Arguments are taken in order up to the first that does not fit; none is ever cut. With
// nothing to hand over the text is a bare CR LF, which only asks the running instance to come
// forward.
struct THandOffText {
    std::string text;      // including the closing zero byte
    std::size_t count = 0; // arguments it holds
};
THandOffText BuildHandOffText(const std::vector<std::string>& list, std::size_t userSize);

struct TMessengerResult {
    bool delivered = false;           // the running instance took the text
    std::vector<std::string> leftOut; // arguments that did not fit the block (when delivered)
};

// The messenger's side. The list holds the arguments in long-path form. Waits at most timeoutMs
// for a free user area and then for the running instance to consume the text; an unconsumed text
// is taken back (delivered false: the caller starts as a full instance with the whole list).
TMessengerResult SendHandOff(const std::vector<std::string>& list, int timeoutMs = kHandOffWaitMs);

// The messenger's list: each argument through ExpandLongPath. A relative path that names no file
// yet is made absolute against the current folder, since the running instance has another one.
std::vector<std::string> BuildHandOffList(const std::vector<std::string>& args,
                                          const std::string& currentFolder);

// Process entry for a possible second start (args without the program name; folders end in
// "/"). Returns the exit code when this process handed its command line over and must end
// without a window (non-zero, with a note on err, when some arguments did not fit); nothing
// when it must start as a full instance that opens its arguments itself: no instance runs, a
// marker forbids the hand-off, the channel failed (its error goes to err) or the running
// instance did not take the text in time.
std::optional<int> RunMessengerStart(const std::vector<std::string>& args,
                                     const std::string& currentFolder,
                                     const std::string& programFolder, std::ostream& err,
                                     int timeoutMs = kHandOffWaitMs);

// Reads the user area as a zero-terminated text and clears it, both under the lock. Nothing
// (and nothing cleared) when the area is empty.
std::optional<std::string> ConsumeHandOff(TCustomMemoryMap& map);

// The line that carries the messenger's window-activation token (the launcher's
// XDG_ACTIVATION_TOKEN), so that the running instance may come to the front on Wayland. It rides
// along only when the whole command line fits with it.
inline constexpr std::string_view kActivationTokenLine = "?xdg-activation-token=";
std::optional<std::string> ActivationTokenOf(std::string_view line);

// Lines of a hand-off text; CR LF, LF and CR end a line, empty lines are dropped.
std::vector<std::string> SplitHandOffLines(std::string_view text);

// "/J" or "/F" anywhere in the line, or the line "/C": a switch, never opened as a file.
bool IsHandOffSwitch(std::string_view line);

// What a handed-over line or a command-line argument opens: one field is a path; more fields
// are an open-file record, whose page is field 1 (folder) + field 0 (name).
struct TOpenRequest {
    std::string path;
    std::vector<std::string> fields; // all fields of a record; empty for a plain path
    bool IsRecord() const { return !fields.empty(); }
};
TOpenRequest ParseOpenRequest(const std::string& text);

// Prepares the main window's channel MemMapEvt1: "Tolmo2005", ten slots, 256 bytes, marked as
// a full instance so that later starts hand over to it. It stays closed until activated.
void SetupMainChannel(TMemMapEvt& channel);

// The running instance's side: reacts to the channel's events (ignoring its own slot).
//   OnArrive: a messenger came, with or without arguments; the main window comes forward
//             (another full instance entering is no messenger).
//   OnOpen:   the handed-over lines, switches removed, blanks decoded, in order.
class THandOffReceiver {
  public:
    std::function<void()> OnArrive;
    std::function<void(const std::vector<std::string>& lines)> OnOpen;
    // The activation token of the latest hand-off (empty when it brought none), read once.
    std::string TakeActivationToken() { return std::exchange(token_, {}); }

    // Installs the handlers on the channel; the receiver must outlive the channel's use.
    void Attach(TCustomMemMapEvt& channel);
    // Takes a waiting hand-off, if any (what MemMapEvt1Exit does for another slot).
    void Receive(TCustomMemMapEvt& channel);

  private:
    std::string token_;
};
