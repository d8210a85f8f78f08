// Window placement and the other start-up tables of the main window.
#include "mainwindow/StartUpLayout.h"

#include "app/Settings.h"
#include "platform/Folders.h"

#include <algorithm>
#include <filesystem>

int RoundHalfEven(long long num, long long den) {
    long long q = num / den, r = num % den;
    if (r < 0) { // floor division
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return static_cast<int>(q);
}

TBarHeights FitToCaptionHeight(int h) {
    switch (h) {
    case 19:
        return {true, 20, 27};
    case 23:
    case 26:
        return {true, 22, 27};
    case 25:
        return {true, 24, 27};
    case 30:
        return {true, 24, 29};
    case 32:
        return {true, 26, 31};
    case 36:
        return {true, 24, 31};
    case 37:
        return {true, 28, 33};
    case 45:
        return {true, 30, 33};
    default:
        return {};
    }
}

TBounds PlaceMainWindow(TSettings& s, const TWorkArea& area, int designWidth, int designHeight) {
    if (area.height < s.fmHeight || s.fmHeight < kMinWindowHeight) s.fmHeight = designHeight;
    if (area.width < s.fmWidth || s.fmWidth < kMinWindowWidth) s.fmWidth = designWidth;
    TBounds b;
    b.width = s.fmWidth;
    b.height = s.fmHeight;
    const int centredTop = RoundHalfEven(area.height - s.fmHeight, 2);
    const int centredLeft = RoundHalfEven(area.width - s.fmWidth, 2);
    if (s.isZenkai) {
        // The saved place is kept while at least a quarter of the window stays inside.
        int top = area.height > s.fmTop - area.top + RoundHalfEven(designHeight, 4)
                      ? s.fmTop - area.top
                      : centredTop;
        int left = area.width > s.fmLeft - area.left + RoundHalfEven(designWidth, 4)
                       ? s.fmLeft - area.left
                       : centredLeft;
        b.top = std::max(top, 0);
        b.left = std::max(left, 0);
    } else {
        // On a work area smaller than the window the title bar stays reachable.
        b.top = std::max(centredTop, 0);
        b.left = std::max(centredLeft, 0);
    }
    b.top += area.top;
    b.left += area.left;
    return b;
}

std::vector<std::string> FunctionKeyCaptions() {
    static const std::string text = ",終了,下候補,,,分割,,,,,更新,行番号,表示設定,,上候補,,,,,,,,,"
                                    "Ｏｎ,,,検索,閉じる,,,,,,,,,　";
    std::vector<std::string> out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t comma = text.find(',', pos);
        out.push_back(text.substr(pos, comma - pos));
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return out;
}

std::string FindHolidayFile(const std::string& programFolder,
                            const std::string& programFilesFolder) {
    std::error_code ec;
    // Beside the program, or in the share folder of an installed program.
    if (std::string companion = FindCompanionFile(programFolder, "HDay.dat"); !companion.empty())
        return companion;
    for (const std::string& p :
         {programFilesFolder + "Brix/Pelva/HDay.dat", programFilesFolder + "Brix/Norik/HDay.dat"})
        if (std::filesystem::is_regular_file(p, ec)) return p;
    return {};
}

std::string SetupQuestion(bool cdRom, bool firstStart) {
    if (!cdRom && !firstStart) return {};
    return "「トルモ -Tolmo-」Ver1.7.1.1 のセットアップを今すぐ行いますか？\r\n\r\n"
           "[はい]----セットアップフォーム表示\r\n"
           "[いいえ]--「トルモ -Tolmo-」の通常起動\r\n\r\n"
           "この確認は、初回起動時１回しか表示されません。\r\n"
           "[いいえ]の場合は、「トルモ -Tolmo-」から通常のセットアップを行ってください。";
}
