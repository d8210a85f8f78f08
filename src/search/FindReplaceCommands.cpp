// Find and Replace command logic (see HTSearchCommands.h).
#include "search/FindReplaceCommands.h"

#include "platform/Cp932.h"
#include "platform/MessageBox.h"
#include "text/CharTable.h"
#include "text/DocumentCodec.h"

#include <algorithm>
#include <optional>

bool PrepareFindNext(TSearchCommandState& state, bool forward) {
    if (state.Text.empty()) return false;
    if (forward)
        state.Options |= soDown;
    else
        state.Options &= static_cast<TSearchOptions>(~soDown);
    return true;
}

std::string SearchNotFoundMessage(std::string_view text) {
    std::string m = "検索文字列  ' ";
    m.append(text).append(" '").append("\r\n").append("は見つかりませんでした。");
    return m;
}

std::string ReplacePromptMessage(std::string_view text, std::string_view replacement) {
    std::string m = " ";
    m.append(text).append(" ").append("  を").append("\r\n").append(" ");
    m.append(replacement).append(" ").append("  に 置き換えますか？");
    return m;
}

bool SearchTextBytes(std::string_view utf8, std::string& bytes) {
    Cp932Report report;
    bytes = Utf8ToCp932(utf8, &report);
    return report.ok();
}

bool SearchTextBytes(std::string_view utf8, std::string& bytes, const TCharTable* table) {
    if (!table) return SearchTextBytes(utf8, bytes);
    Cp932Report report;
    bytes = Utf8ToDocumentLookup(utf8, table, &report);
    return report.ok();
}

std::string ReplacementBytes(std::string_view utf8, TCharTable* table) {
    return Utf8ToDocument(utf8, table);
}

bool RunFind(TAsker& asker, const TSearchCommandState& state, std::string_view caption,
             const std::function<bool(const std::string& pattern, TSearchOptions options)>& search,
             const TCharTable* table, TSearchBytesCache* cache) {
    if (state.Text.empty()) return false;
    TSearchBytesCache own;
    TSearchBytesCache& c = cache ? *cache : own;
    const std::size_t tableSize = table ? table->Size() : 0;
    if (!c.Made || c.Text != state.Text || c.Table != table || c.TableSize != tableSize) {
        c.Ok = SearchTextBytes(state.Text, c.Bytes, table);
        c.Text = state.Text;
        c.Table = table;
        c.TableSize = tableSize;
        c.Made = true;
    }
    if (c.Ok && search(c.Bytes, state.Options)) return true;
    asker.InfoBox(SearchNotFoundMessage(state.Text), caption);
    return false;
}

void ReplaceHit(TReplaceTarget& target, const std::string& replacement, bool backward) {
    const std::ptrdiff_t start = backward ? target.SelStart() : 0;
    if (target.HitLength() > 0) target.SelectHit();
    target.SetSelText(replacement);
    if (backward) target.SetSelStart(start);
}

namespace {

// Puts back a caret hit style however the loop ends.
class HitStyleGuard {
  public:
    explicit HitStyleGuard(TReplaceTarget& t) : t_(t), caret_(t.HitStyleIsCaret()) {
        if (caret_) t_.SetHitStyleCaret(false);
    }
    ~HitStyleGuard() {
        if (caret_) t_.SetHitStyleCaret(true);
    }
    HitStyleGuard(const HitStyleGuard&) = delete;
    HitStyleGuard& operator=(const HitStyleGuard&) = delete;

  private:
    TReplaceTarget& t_;
    bool caret_;
};

} // namespace

TReplaceResult RunReplace(TReplaceTarget& target, TSearchCommandState& state) {
    TReplaceResult result;
    if (state.Text.empty()) return result;
    HitStyleGuard guard(target);
    const std::string prompt = ReplacePromptMessage(state.Text, state.Replacement);
    // Made at the first replacement (it may give the document's table new characters), then
    // the same for every hit.
    std::optional<std::string> bytes;
    for (;;) {
        if (!target.Find(state)) break;
        bool replace = true;
        if (state.Options & soReplaceConfirm) {
            switch (target.Confirm(prompt)) {
            case TReplaceAnswer::Cancel:
                result.Cancelled = true;
                return result;
            case TReplaceAnswer::No:
                replace = false;
                break;
            case TReplaceAnswer::Yes:
                break;
            case TReplaceAnswer::All:
                state.Options =
                    static_cast<TSearchOptions>((state.Options | soReplaceAll) & ~soReplaceConfirm);
                break;
            }
        }
        if (replace) {
            if (!bytes) bytes = ReplacementBytes(state.Replacement, target.CharTable());
            ReplaceHit(target, *bytes, !(state.Options & soDown));
            ++result.Replaced;
        }
        if (!(state.Options & soReplaceAll)) break;
    }
    return result;
}

TScreenPoint ConfirmBoxPos(TScreenPoint caret, int rowHeight, int boxWidth, int boxHeight,
                           const TScreenRect& screen) {
    TScreenPoint p;
    p.Y = caret.Y - rowHeight - boxHeight;
    if (p.Y < screen.Top) p.Y = caret.Y + rowHeight;
    p.X = caret.X + 2;
    if (p.X + boxWidth > screen.Right - 4) p.X = screen.Right - 4 - boxWidth;
    p.X = std::max(p.X, screen.Left);
    return p;
}
