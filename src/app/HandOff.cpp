// Start-up hand-off between a second start and the running instance.
#include "app/HandOff.h"

#include "app/DataFolder.h"
#include "app/ShellUtil.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ostream>
#include <sys/stat.h>
#include <thread>

namespace {

// Diagnostics for the end-to-end tests: with TOLMO_TRACE_HANDOFF_TIMES naming a file, the
// messenger notes when its text was out and the running instance when it took it
// ("sent <ns>", "taken <ns>", wall clock).
void TraceTime(const char* what) {
    const char* path = std::getenv("TOLMO_TRACE_HANDOFF_TIMES");
    if (!path || !*path) return;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    std::ofstream(path, std::ios::app | std::ios::binary) << what << " " << ns << "\n";
}

} // namespace

namespace {

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

bool UserAreaEmpty(TCustomMemoryMap& map) {
    TMemoryMapLock lock(map);
    return map.Memory()[0] == '\0';
}

} // namespace

bool HandOffForbidden(const std::string& currentFolder, const std::string& programFolder) {
    return FileExists(currentFolder + kSetupHandOverMarker) ||
           FileExists(programFolder + kLocalFolderMarker);
}

bool IsMessengerStart(const std::string& currentFolder, const std::string& programFolder) {
    if (HandOffForbidden(currentFolder, programFolder)) return false;
    return TCustomMemMapEvt::FindResident(kHandOffMapName) >= 0;
}

THandOffText BuildHandOffText(const std::vector<std::string>& list, std::size_t userSize) {
    THandOffText out;
    for (const std::string& arg : list) {
        // An argument with a line end inside would arrive as two lines: it is never sent.
        if (arg.find_first_of("\r\n") != std::string::npos) break;
        if (out.text.size() + arg.size() + 3 > userSize) break;
        out.text += arg + "\r\n";
        ++out.count;
    }
    if (out.count == 0) out.text = "\r\n";
    out.text.push_back('\0');
    return out;
}

TMessengerResult SendHandOff(const std::vector<std::string>& list, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto tick = std::chrono::milliseconds(TCustomMemMapEvt::MinInterval);
    auto runningInstanceGone = [] { return TCustomMemMapEvt::FindResident(kHandOffMapName) < 0; };

    TMemMapEvt channel;
    channel.SetMapName(kHandOffMapName);
    channel.SetProcessMax(kMessengerProcessMax);
    channel.SetSize(kMessengerSize);
    channel.SetActive(true);
    const THandOffText hand = BuildHandOffText(list, static_cast<std::size_t>(channel.GetSize()));

    // Another messenger's text may still wait for the running instance: never overwrite it.
    for (bool written = false; !written;) {
        {
            TMemoryMapLock lock(channel);
            if (channel.Memory()[0] == '\0') {
                std::memcpy(channel.Memory(), hand.text.data(), hand.text.size());
                written = true;
            }
        }
        if (written) break;
        if (Clock::now() >= deadline || runningInstanceGone()) return {};
        std::this_thread::sleep_for(tick);
    }
    TraceTime("sent");
    channel.Update();

    TMessengerResult result;
    while (!(result.delivered = UserAreaEmpty(channel)) && Clock::now() < deadline &&
           !runningInstanceGone())
        std::this_thread::sleep_for(tick);
    if (!result.delivered) {
        // Take the text back unless it was consumed at the last moment (a different text there
        // means ours was taken and another messenger wrote since).
        TMemoryMapLock lock(channel);
        if (std::memcmp(channel.Memory(), hand.text.data(), hand.text.size()) == 0)
            channel.Memory()[0] = '\0';
        else
            result.delivered = true;
    }
    if (result.delivered)
        result.leftOut.assign(list.begin() + static_cast<std::ptrdiff_t>(hand.count), list.end());
    return result;
}

std::vector<std::string> BuildHandOffList(const std::vector<std::string>& args,
                                          const std::string& currentFolder) {
    std::vector<std::string> list;
    for (const std::string& arg : args) {
        std::string path = ExpandLongPath(arg);
        if (!path.empty() && path[0] != '/' && path.find_first_of("(,") == std::string::npos)
            path = IncludeTrailingChar(currentFolder, "/") + path;
        list.push_back(path);
    }
    return list;
}

std::optional<int> RunMessengerStart(const std::vector<std::string>& args,
                                     const std::string& currentFolder,
                                     const std::string& programFolder, std::ostream& err,
                                     int timeoutMs) {
    if (!IsMessengerStart(currentFolder, programFolder)) return std::nullopt;
    std::vector<std::string> list = BuildHandOffList(args, currentFolder);
    const std::size_t files = list.size();
    if (const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
        token && *token && std::string_view(token).find_first_of(",\r\n") == std::string::npos) {
        list.push_back(std::string(kActivationTokenLine) + token);
        if (BuildHandOffText(list, std::min(kMessengerSize, kReceiverSize)).count != list.size())
            list.pop_back();
    }
    TMessengerResult result;
    try {
        result = SendHandOff(list, timeoutMs);
    } catch (const std::exception& e) {
        err << ChannelFailureText(e) << "\n";
        return std::nullopt;
    }
    if (!result.delivered) return std::nullopt;
    list.resize(files);
    if (result.leftOut.empty()) return 0;
    err << "The running Tolmo was handed the first " << list.size() - result.leftOut.size()
        << " of " << list.size()
        << " files; the command line is too long for the rest, which were not opened:\n";
    for (const std::string& path : result.leftOut)
        err << "  " << path << "\n";
    return 1;
}

std::optional<std::string> ConsumeHandOff(TCustomMemoryMap& map) {
    if (!map.GetActive()) return std::nullopt;
    TMemoryMapLock lock(map);
    char* area = map.Memory();
    if (area[0] == '\0') return std::nullopt;
    const std::size_t size = static_cast<std::size_t>(map.GetSize());
    std::string text(area, strnlen(area, size));
    area[0] = '\0';
    return text;
}

std::vector<std::string> SplitHandOffLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        if (i > start) lines.emplace_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return lines;
}

std::optional<std::string> ActivationTokenOf(std::string_view line) {
    if (!line.starts_with(kActivationTokenLine) || line.find(',') != std::string_view::npos)
        return std::nullopt;
    return std::string(line.substr(kActivationTokenLine.size()));
}

bool IsHandOffSwitch(std::string_view line) {
    return line.find("/J") != std::string_view::npos || line.find("/F") != std::string_view::npos ||
           line == "/C";
}

TOpenRequest ParseOpenRequest(const std::string& text) {
    TOpenRequest request;
    if (text.find(',') == std::string::npos) {
        request.path = text;
        return request;
    }
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        request.fields.push_back(text.substr(start, comma - start));
    request.fields.push_back(text.substr(start));
    request.path = request.fields[1] + request.fields[0];
    return request;
}

void SetupMainChannel(TMemMapEvt& channel) {
    channel.SetActive(false);
    channel.SetMapName(kHandOffMapName);
    channel.SetProcessMax(kReceiverProcessMax);
    channel.SetSize(kReceiverSize);
    channel.SetResident(true);
}

void THandOffReceiver::Attach(TCustomMemMapEvt& channel) {
    channel.OnEnter = [this](TCustomMemMapEvt& sender, std::uint16_t slot) {
        // Another full instance (local-folder mode) is no messenger and brings nothing forward.
        if (slot != sender.OwnSlot() && !sender.SlotIsResident(slot) && OnArrive) OnArrive();
    };
    auto take = [this](TCustomMemMapEvt& sender, std::uint16_t slot) {
        if (slot != sender.OwnSlot()) Receive(sender);
    };
    channel.OnUpdate = take;
    channel.OnExit = take;
}

namespace {

// Diagnostics for the end-to-end tests: with TOLMO_TRACE_HANDOFF naming a file, every
// handed-over line is appended to it as it arrives.
void TraceHandOff(const std::vector<std::string>& lines) {
    const char* path = std::getenv("TOLMO_TRACE_HANDOFF");
    if (!path || !*path) return;
    std::ofstream out(path, std::ios::app | std::ios::binary);
    for (const std::string& line : lines)
        out << line << "\n";
}

} // namespace

void THandOffReceiver::Receive(TCustomMemMapEvt& channel) {
    std::optional<std::string> text = ConsumeHandOff(channel);
    if (!text) return;
    TraceTime("taken");
    std::vector<std::string> lines;
    for (std::string& line : SplitHandOffLines(*text)) {
        if (std::optional<std::string> token = ActivationTokenOf(line)) {
            token_ = std::move(*token);
            TraceHandOff({"activation token " + token_});
        } else if (!IsHandOffSwitch(line)) {
            lines.push_back(DecodeSpaceToken(line, false));
        }
    }
    if (OnArrive) OnArrive();
    if (!lines.empty()) TraceHandOff(lines);
    if (!lines.empty() && OnOpen) OnOpen(lines);
}
