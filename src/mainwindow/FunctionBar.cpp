// Function-key layers and commands, bar and column geometry, jump marks.
#include "mainwindow/FunctionBar.h"

#include "mainwindow/StartUpLayout.h"
#include "platform/TextUtil.h"
#include "text/RowView.h"

#include <cstring>

TFunctionCommand FunctionKeyCommand(int k) {
    using F = TFunctionCommand;
    switch (k) {
    case 1:
        return F::Exit;
    case 2:
        return F::FindNext;
    case 5:
        return F::Split;
    case 10:
        return F::Save;
    case 11:
        return F::LineNumbers;
    case 12:
        return F::DisplaySettings;
    case 14:
        return F::FindPrevious;
    case 23:
        return F::JumpColumn;
    case 26:
        return F::Find;
    case 27:
        return F::Close;
    default:
        return F::None;
    }
}

TWindowCommand FunctionWindowCommand(TFunctionCommand c) {
    using F = TFunctionCommand;
    using W = TWindowCommand;
    switch (c) {
    case F::Exit:
        return W::Exit;
    case F::FindNext:
        return W::FindNext;
    case F::FindPrevious:
        return W::FindPrevious;
    case F::Find:
        return W::Find;
    case F::Split:
        return W::Split;
    case F::Save:
        return W::Save;
    case F::Close:
        return W::Close;
    case F::DisplaySettings:
        return W::DisplaySettings;
    case F::None:
    case F::JumpColumn:
    case F::LineNumbers:
        break;
    }
    return W::None;
}

bool ResetsCaptions(TFunctionCommand c) {
    return c == TFunctionCommand::FindNext || c == TFunctionCommand::FindPrevious ||
           c == TFunctionCommand::Find;
}

TFunctionKeyBar::TFunctionKeyBar() : captions_(FunctionKeyCaptions()) {
    captions_.resize(37);
    SetModified(false);
}

void TFunctionKeyBar::SetModified(bool modified) {
    modified_ = modified;
    captions_[10] = modified ? "更新" : "";
}

void TFunctionKeyBar::SetJumpOn(bool on) {
    captions_[23] = on ? "Ｏｆｆ" : "Ｏｎ";
}

bool TFunctionKeyBar::KeyDown(bool shift, bool ctrl, bool barShown) {
    if (!barShown) return false;
    const int old = layer_;
    if (shift) layer_ = 1;
    if (ctrl) layer_ = 2;
    return layer_ != old;
}

bool TFunctionKeyBar::KeyUp(bool shift, bool ctrl) {
    if (layer_ == 0 || shift || ctrl) return false;
    layer_ = 0;
    return true;
}

bool TFunctionKeyBar::Reset() {
    const bool changed = layer_ != 0;
    layer_ = 0;
    return changed;
}

std::string TFunctionKeyBar::ButtonCaption(int i) const {
    if (i == 10 && modified_) return "更新";
    return captions_[static_cast<size_t>(layer_ * 12 + i)];
}

int TFunctionKeyBar::ClickedKey(int i, bool shift, bool ctrl) {
    return (shift ? 12 : ctrl ? 24 : 0) + i;
}

TFunctionBarLayout FunctionBarLayout(int W, int H) {
    TFunctionBarLayout l;
    const int w = (W - 30) / 3 + 1;
    const int left = 0;
    for (int g = 0; g < 3; ++g)
        l.Groups[static_cast<size_t>(g)] = {left + g * (w + 10), 1, w, H - 2};
    const int b = w / 4;
    for (int i = 0; i < 4; ++i)
        l.Buttons[static_cast<size_t>(i)] = {i * b, 0, b, H - 4};
    return l;
}

TJumpColumnLayout JumpColumnLayout(int H) {
    TJumpColumnLayout l;
    const int e = H - 480;
    const int k = e / 10;
    const int m = (e % 10) / 2;
    l.First = {0, 0, 34, 69 + m};
    l.Digits = {0, 73 + m, 34, 334 + 10 * k};
    l.Last = {0, 409 + m + 10 * k, 34, 69 + m};
    const int h = (l.Digits.Height - 4) / 10;
    for (int i = 0; i < 10; ++i)
        l.Digit[static_cast<size_t>(i)] = {0, 2 + i * h, 34, h};
    return l;
}

namespace {

// Delphi's StrToIntDef(Trim(s), 0) for the two bytes after the marker.
int NumberOrZero(std::string_view s) {
    const std::string t = Trim(s);
    if (t.empty()) return 0;
    size_t i = 0;
    bool neg = false;
    if (t[0] == '-' || t[0] == '+') {
        neg = t[0] == '-';
        i = 1;
    }
    if (i == t.size()) return 0;
    int v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return 0;
        v = v * 10 + (t[i] - '0');
    }
    return neg ? -v : v;
}

} // namespace

int JumpMarkDigit(std::string_view line) {
    size_t skip;
    if (!line.empty() && line[0] == '&')
        skip = 1;
    else if (line.size() >= 2 && line[0] == '\x81' && line[1] == '\x95')
        skip = 2;
    else
        return -1;
    const std::string_view rest = line.substr(skip, 2); // never beyond the line
    int n = NumberOrZero(rest);
    if (n == 0 && rest.size() == 2 && rest[0] == '\x82') {
        const unsigned char c = static_cast<unsigned char>(rest[1]);
        if (c >= 0x4F && c <= 0x58) n = c - 0x4F; // "０".."９"
    }
    return n >= 0 && n <= 9 ? n : -1;
}

std::array<int, 10> ScanJumpMarks(const TRowView& rows) {
    std::array<int, 10> lines;
    lines.fill(-1);
    const int n = rows.RowCount();
    int line = 0;
    bool lineStart = true;
    for (int r = 0; r < n; ++r) {
        if (lineStart) {
            const std::string_view t = rows.RowText(r);
            if (!t.empty() && (t[0] == '&' || t[0] == '\x81')) {
                const int d = JumpMarkDigit(t);
                if (d >= 0) lines[static_cast<size_t>(d)] = line;
            }
        }
        lineStart = rows.RowEndKind(r) != reWrapped; // a wrapped row continues its line
        if (lineStart) ++line;
    }
    return lines;
}

std::array<int, 10> ScanJumpMarks(std::string_view text) {
    std::array<int, 10> lines;
    lines.fill(-1);
    const char* data = text.data();
    const size_t size = text.size();
    int line = 0;
    size_t pos = 0;
    while (pos < size) {
        const char* p = data + pos;
        const size_t left = size - pos;
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', left));
        const size_t lim = nl ? static_cast<size_t>(nl - p) : left;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', lim));
        const size_t end = cr ? static_cast<size_t>(cr - p) : lim;
        if (*p == '&' || *p == '\x81') {
            const int d = JumpMarkDigit(std::string_view(p, end));
            if (d >= 0) lines[static_cast<size_t>(d)] = line;
        }
        ++line;
        if (cr) {
            pos += end + 1;
            if (pos < size && data[pos] == '\n') ++pos;
        } else if (nl) {
            pos += lim + 1;
        } else {
            break;
        }
    }
    return lines;
}

int JumpTopRow(int R, int visibleRows, int cline1, int cline2, bool jhanten, bool shift) {
    return (shift != jhanten) ? R - visibleRows + cline2 : R - cline1;
}

TJumpButtonColors JumpButtonColors(bool marked) {
    if (marked) return {0xFF00FF, 0x008000, false};
    return {0xFF0000, 0, true};
}
