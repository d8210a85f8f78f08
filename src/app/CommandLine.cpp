// The command line's own switches --help and --version, and the message for a missing display.
#include "app/CommandLine.h"

#include "app/Settings.h"

#include <string_view>

namespace {
bool Set(const char* v) {
    return v != nullptr && *v != '\0';
}
} // namespace

TInfoRequest FindInfoRequest(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") return TInfoRequest::Help;
        if (a == "--version" || a == "-V") return TInfoRequest::Version;
    }
    return TInfoRequest::None;
}

std::string HelpText(const std::string& program, bool japanese) {
    if (japanese)
        return "使い方: " + program +
               " [ファイル...]\n"
               "日本語のテキストのためのメモ帳エディター「トルモ -Tolmo-」を起動します。\n"
               "指定したファイルはタブのページとして開きます。既にトルモが動いているときは、\n"
               "ファイルをそのトルモに渡して終わります。\n"
               "\n"
               "  /K<フォルダ>    祝日ファイル HDay.dat をこのフォルダから読みます\n"
               "  -h, --help      この説明を表示して終わります\n"
               "  -V, --version   版を表示して終わります\n"
               "\n"
               "設定は ~/.config/Brix/Tolmo/Tolmo.ini にあります。詳しくは man tolmo。\n";
    return "Usage: " + program +
           " [FILE...]\n"
           "Starts Tolmo, the memo editor for Japanese plain text. Each FILE opens as a page\n"
           "(a tab). When Tolmo is already running, the files are handed to it and this start\n"
           "ends.\n"
           "\n"
           "  /K<folder>      read the holiday list HDay.dat from this folder\n"
           "  -h, --help      show this help and exit\n"
           "  -V, --version   show the version and exit\n"
           "\n"
           "Settings live in ~/.config/Brix/Tolmo/Tolmo.ini. See man tolmo.\n";
}

std::string VersionText() {
    std::string_view v = kProgramVersion;
    if (v.substr(0, 3) == "Ver") v.remove_prefix(3);
    return "tolmo " + std::string(v) + "\n";
}

bool JapaneseMessages(const char* lcAll, const char* lcMessages, const char* lang) {
    const char* chosen = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : lang;
    return Set(chosen) && std::string_view(chosen).substr(0, 2) == "ja";
}

std::string NoDisplayMessage(const char* display, const char* waylandDisplay,
                             const char* qtPlatform, bool japanese) {
    if (Set(display) || Set(waylandDisplay) || Set(qtPlatform)) return {};
    return japanese ? "tolmo: 画面がありません (DISPLAY も WAYLAND_DISPLAY も設定されていません)。"
                      "デスクトップのセッションから起動してください。\n"
                    : "tolmo: no display to show a window on (neither DISPLAY nor "
                      "WAYLAND_DISPLAY is set); start it from a desktop session.\n";
}
