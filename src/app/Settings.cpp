// Reading and writing the settings file, table-driven so that both orders stay visible.
#include "app/Settings.h"

#include "platform/IniFile.h"

#include <algorithm>
#include <random>
#include <variant>
#include <vector>

namespace {

using Field = std::variant<std::string TSettings::*, int TSettings::*, bool TSettings::*,
                           TColor TSettings::*>;

struct Key {
    const char* section;
    const char* name;
    Field field;
};

#define K(sec, name)                                                                               \
    Key {                                                                                          \
        sec, #name, &TSettings::name                                                               \
    }

const std::vector<Key>& readOrder() {
    static const std::vector<Key> keys = {
        K("Tab", TabColorAct),
        K("Tab", TabColorDeAct),
        K("Tab", TabFontAct),
        K("Tab", TabFontDeAct),
        K("Tab", cbTabStyle),
        K("Tab", TabLen),
        K("Editor", FontColor),
        K("Editor", Color),
        K("Editor", FontName),
        K("Editor", FontSize),
        K("Editor", MarginTop),
        K("Editor", MarginLeft),
        K("Editor", MarginCharacter),
        K("Editor", MarginLine),
        K("Editor", RetMark),
        K("Editor", EofMark),
        K("Editor", underLine),
        K("Editor", Ruler),
        K("Editor", WrapByte),
        K("Editor", WrapDou),
        K("Set", OpenFolder),
        K("Set", CLine1),
        K("Set", CLine2),
        K("Set", JHanten),
        K("Set", isMaxSize),
        K("Set", fmTop),
        K("Set", fmLeft),
        K("Set", isZenkai),
        K("Set", fmHeight),
        K("Set", fmWidth),
        K("Set", FuncChk),
        K("Set", StatChk),
        K("Set", isWpLine),
        K("Set", Page),
        K("Set", MenuCount),
        K("Set", KnKakunin),
        K("Set", isWaYMD),
        K("Set", isYoubi),
        K("Info", vInfoChien),
        K("Set", isClick),
        K("Set", isBrowser),
        K("Set", Browser),
        K("Set", Curs),
        K("Set", isEditor),
        K("Set", Editor),
        K("Set", GEditor),
    };
    return keys;
}

// The close-time write; the window bounds are marked so that a maximised window skips them.
struct WriteKey {
    Key key;
    bool bounds;
};

const std::vector<WriteKey>& writeOrder() {
    static const std::vector<WriteKey> keys = {
        {K("Tab", TabColorAct), false},
        {K("Tab", TabColorDeAct), false},
        {K("Tab", TabFontAct), false},
        {K("Tab", TabFontDeAct), false},
        {K("Tab", cbTabStyle), false},
        {K("Tab", TabLen), false},
        {K("Editor", FontName), false},
        {K("Editor", FontSize), false},
        {K("Editor", FontColor), false},
        {K("Editor", Color), false},
        {K("Editor", MarginTop), false},
        {K("Editor", MarginLeft), false},
        {K("Editor", MarginCharacter), false},
        {K("Editor", MarginLine), false},
        {K("Editor", RetMark), false},
        {K("Editor", EofMark), false},
        {K("Editor", underLine), false},
        {K("Editor", Ruler), false},
        {K("Editor", WrapByte), false},
        {K("Editor", WrapDou), false},
        {K("Set", OpenFolder), false},
        {K("Set", isMaxSize), false},
        {K("Set", fmTop), true},
        {K("Set", fmLeft), true},
        {K("Set", fmHeight), true},
        {K("Set", fmWidth), true},
        {K("Set", FuncChk), false},
        {K("Set", StatChk), false},
        {K("Set", Page), false},
        {K("Set", MenuCount), false},
        {K("Set", KnKakunin), false},
        {K("Set", isWaYMD), false},
        {K("Set", isYoubi), false},
        {K("Info", vInfoChien), false},
        {K("Set", isClick), false},
        {K("Set", isBrowser), false},
        {K("Set", Browser), false},
        {K("Set", Curs), false},
        {K("Set", isEditor), false},
        {K("Set", Editor), false},
        {K("Set", GEditor), false},
    };
    return keys;
}

const std::vector<Key>& optionOrder() {
    static const std::vector<Key> keys = {
        K("Set", CLine1),   K("Set", CLine2),    K("Set", JHanten),   K("Set", isZenkai),
        K("Set", isWpLine), K("Set", KnKakunin), K("Set", MenuCount), K("Set", isWaYMD),
        K("Set", isYoubi),  K("Set", isClick),   K("Set", isBrowser), K("Set", Browser),
        K("Set", Curs),
    };
    return keys;
}

#undef K

void readKey(const TIniFile& ini, const Key& k, TSettings& s) {
    std::visit(
        [&](auto member) {
            auto& v = s.*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) {
                v = ini.ReadString(k.section, k.name, v);
            } else if constexpr (std::is_same_v<T, int>) {
                v = ini.ReadInteger(k.section, k.name, v);
            } else if constexpr (std::is_same_v<T, bool>) {
                v = ini.ReadBool(k.section, k.name, v);
            } else {
                TColor c = v;
                if (StringToColor(ini.ReadString(k.section, k.name, ColorToString(v)), c)) v = c;
            }
        },
        k.field);
}

bool writeKey(TIniFile& ini, const Key& k, const TSettings& s) {
    return std::visit(
        [&](auto member) {
            const auto& v = s.*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return ini.WriteString(k.section, k.name, v);
            else if constexpr (std::is_same_v<T, int>)
                return ini.WriteInteger(k.section, k.name, v);
            else if constexpr (std::is_same_v<T, bool>)
                return ini.WriteBool(k.section, k.name, v);
            else
                return ini.WriteString(k.section, k.name, ColorToString(v));
        },
        k.field);
}

} // namespace

TSettings DefaultSettings(const TEditorDisplay& d, const std::string& programFolder) {
    TSettings s;
    s.FontColor = d.FontColor;
    s.Color = d.Color;
    s.FontName = d.FontName;
    s.FontSize = d.FontSize;
    s.MarginTop = d.MarginTop;
    s.MarginLeft = d.MarginLeft;
    s.MarginCharacter = d.MarginCharacter;
    s.MarginLine = d.MarginLine;
    s.RetMark = d.RetMark;
    s.EofMark = d.EofMark;
    s.underLine = d.UnderLine;
    s.Ruler = d.Ruler;
    s.WrapByte = d.WrapByte;
    s.OpenFolder = programFolder;
    return s;
}

int DrawInfoChien() {
    static std::mt19937 gen{std::random_device{}()};
    return std::uniform_int_distribution<int>(1, 99)(gen);
}

void ReadSettings(const TIniFile& ini, TSettings& s, const std::function<int()>& draw) {
    for (const Key& k : readOrder())
        readKey(ini, k, s);
    if (s.vInfoChien < 0) s.vInfoChien = std::clamp(draw(), 1, 99);
    ClampSettings(s);
}

void ClampSettings(TSettings& s) {
    // A hand-edited or damaged file must not give an unusable window: every number is brought
    // into the range the program can show.
    s.TabLen = std::clamp(s.TabLen, 0, 1000);
    s.FontSize = std::clamp(s.FontSize, kMinFontSize, kMaxFontSize);
    for (int* m : {&s.MarginTop, &s.MarginLeft, &s.MarginCharacter, &s.MarginLine})
        *m = std::clamp(*m, 0, 100);
    if (s.WrapByte != -1) s.WrapByte = std::clamp(s.WrapByte, 20, 250);
    s.CLine1 = std::clamp(s.CLine1, 0, 1000);
    s.CLine2 = std::clamp(s.CLine2, 0, 1000);
    s.fmTop = std::clamp(s.fmTop, -kMaxWindowSide, kMaxWindowSide);
    s.fmLeft = std::clamp(s.fmLeft, -kMaxWindowSide, kMaxWindowSide);
    s.fmHeight = std::clamp(s.fmHeight, kMinWindowHeight, kMaxWindowSide);
    s.fmWidth = std::clamp(s.fmWidth, kMinWindowWidth, kMaxWindowSide);
    s.Page = std::clamp(s.Page, -1, 100000);
    s.MenuCount = std::clamp(s.MenuCount, 1, 30);
    s.vInfoChien = std::clamp(s.vInfoChien, 1, 9999);
    s.Curs = std::clamp(s.Curs, 0, 2);
}

bool WriteSettings(TIniFile& ini, const TSettings& s, const std::string& programFolder) {
    ini.BeginUpdate();
    bool ok = ini.WriteString("Header", "Version", kProgramVersion) &&
              ini.WriteString("Header", "Folder", programFolder);
    for (const WriteKey& w : writeOrder()) {
        if (!ok) break;
        if (w.bounds && s.isMaxSize) continue;
        ok = writeKey(ini, w.key, s);
    }
    // What was written before a failing key still reaches the file, as each write would have.
    bool written = ini.EndUpdate();
    return ok && written;
}

std::string TSettingsWriteReport::Failed(const std::string& path, const std::string& error) {
    if (told_) return {};
    told_ = true;
    return "設定ファイル [" + path + "] に書き込めません。\r\n" +
           (error.empty() ? "" : error + "\r\n") + "この後の設定の変更は保存されません。";
}

bool WriteOptionSettings(TIniFile& ini, const TSettings& s) {
    ini.BeginUpdate();
    bool ok = true;
    for (const Key& k : optionOrder())
        if (!(ok = writeKey(ini, k, s))) break;
    bool written = ini.EndUpdate();
    return ok && written;
}

void ApplyEditorSettings(const TSettings& s, TEditorDisplay& d) {
    d.FontName = s.FontName;
    d.FontSize = s.FontSize;
    d.FontColor = s.FontColor;
    d.Color = s.Color;
    // The property set clamps its margins to 0..100 and its wrap width to 20..250.
    d.MarginLeft = std::clamp(s.MarginLeft, 0, 100);
    d.MarginTop = std::clamp(s.MarginTop, 0, 100);
    d.MarginCharacter = std::clamp(s.MarginCharacter, 0, 100);
    d.MarginLine = std::clamp(s.MarginLine, 0, 100);
    d.RetMark = s.RetMark;
    d.EofMark = s.EofMark;
    d.UnderLine = s.underLine;
    d.Ruler = s.Ruler;
    d.WordWrap = s.WordWrap();
    d.ScrollBars = d.WordWrap ? TEditorDisplay::ssVertical : TEditorDisplay::ssBoth;
    d.WrapByte = std::clamp(s.WrapByte, 20, 250);
}

std::vector<std::string> SettingsReadOrder() {
    std::vector<std::string> out;
    for (const Key& k : readOrder())
        out.push_back(std::string(k.section) + "/" + k.name);
    return out;
}

std::vector<std::string> SettingsWriteOrder(bool maximised) {
    std::vector<std::string> out = {"Header/Version", "Header/Folder"};
    for (const WriteKey& w : writeOrder())
        if (!(w.bounds && maximised)) out.push_back(std::string(w.key.section) + "/" + w.key.name);
    return out;
}
