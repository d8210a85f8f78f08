// Addresses under the caret position, the pointer's hysteresis and the click rules.
#include "mainwindow/Addresses.h"

#include "editor/MouseGestures.h"

#include "platform/MessageBox.h"
#include "syntax/Fountain.h"
#include "text/RowStore.h"

#include <cstdlib>

TAddressToken AddressAtPixel(TEditorCore& c, const TEditorMetrics& m, int x, int y) {
    if (x < m.LeftMargin || y < m.TopMargin) return {};
    return AddressAtPos(c, PosAtPixel(c, m, x, y));
}

TAddressToken AddressAtPos(TEditorCore& c, TEditorPos pos) {
    const int rows = c.Rows().RowCount();
    if (pos.Row < 0 || pos.Row >= rows) return {};
    const std::string_view row = c.RowTextOf(pos.Row);
    const int off = c.OffsetOf(pos.Row, pos.Col);
    for (const TFountainToken& t : c.Coloring().Tokens(pos.Row)) {
        if (off < t.Start || off >= t.Start + t.Length) continue;
        if (t.Kind != toUrl && t.Kind != toMail) return {};
        std::string text(
            row.substr(static_cast<std::size_t>(t.Start), static_cast<std::size_t>(t.Length)));
        if (t.FullLength > t.Length && pos.Row + 1 < rows)
            text += std::string(c.RowTextOf(pos.Row + 1)
                                    .substr(0, static_cast<std::size_t>(t.FullLength - t.Length)));
        return {t.Kind, text};
    }
    return {};
}

TAddressPointer::Result TAddressPointer::Moved(const void* control, int x, int y,
                                               const std::function<bool()>& lookup) {
    Result r;
    if (last_ != control || std::abs(x - x_) >= 8 || std::abs(y - y_) >= 4) {
        const bool wasHand = last_ == control && hand_;
        last_ = control;
        x_ = x;
        y_ = y;
        hand_ = lookup();
        r.Left = wasHand && !hand_;
    }
    r.Hand = hand_;
    return r;
}

bool OpensAddress(bool single, bool isClick, int movedSincePress, int dragDistance) {
    if (single != isClick) return false;
    return !single || movedSincePress <= dragDistance;
}

std::string BrowserCheckMessage(TProgramCheck check) {
    switch (check) {
    case TProgramCheck::Blank:
        return "ブラウザが指定されていません。\r\n中止します。";
    case TProgramCheck::Missing:
        return "ブラウザが指定された場所に存在しません。\r\n中止します。";
    case TProgramCheck::Ok:
        break;
    }
    return {};
}

bool AddressProgram(TAsker& asker, const TSettings& settings, const std::string& path,
                    std::string* program) {
    program->clear();
    if (!settings.isBrowser) return true;
    const std::string problem = BrowserCheckMessage(CheckProgram(settings.Browser, program, path));
    if (problem.empty()) return true;
    asker.ShowMessage(problem);
    return false;
}
