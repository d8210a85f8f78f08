// Search and replace on the editing control's core: the editor's Search (start rules, buffers,
// the hit shown by HitStyle, the caret scrolled into view) and the replace target the main
// window's Replace command drives.
#pragma once

#include "editor/EditorCore.h"
#include "search/FindReplaceCommands.h"

#include <functional>
#include <string>
#include <string_view>

// The editor's Search: false without rows or when nothing is found (caret and selection stay);
// otherwise the selection or hit is removed, the caret placed at the match, the match shown as
// HitStyle says, and the caret scrolled into view.
bool EditorCoreSearch(TEditorCore& editor, std::string_view pattern, TSearchOptions options);

// The Replace command's target on one editor. Find shows the not-found message captioned with
// the main window's title; the questions go to OnConfirm (every question answered All without
// one).
class TEditorReplaceTarget : public TReplaceTarget {
  public:
    TEditorReplaceTarget(TAsker& asker, TEditorCore& editor, std::string caption)
        : asker_(asker), editor_(editor), caption_(std::move(caption)) {}

    std::function<TReplaceAnswer(const std::string& prompt)> OnConfirm;

    bool Find(const TSearchCommandState& state) override;
    TReplaceAnswer Confirm(const std::string& prompt) override;
    bool HitStyleIsCaret() const override { return editor_.GetHitStyle() == hsCaret; }
    void SetHitStyleCaret(bool caret) override { editor_.SetHitStyle(caret ? hsCaret : hsDraw); }
    std::ptrdiff_t SelStart() const override { return editor_.SelStart(); }
    std::ptrdiff_t SelLength() const override { return editor_.SelLength(); }
    std::ptrdiff_t HitLength() const override { return editor_.HitSelLength(); }
    void SetSelStart(std::ptrdiff_t pos) override { editor_.SetSelStart(pos); }
    void SetSelLength(std::ptrdiff_t len) override { editor_.SetSelLength(len); }
    void SetSelText(const std::string& text) override { editor_.SetSelText(text); }
    void SelectHit() override { editor_.SelectHit(); }
    TCharTable* CharTable() const override;

  private:
    TAsker& asker_;
    TEditorCore& editor_;
    std::string caption_;
    TSearchBytesCache searchBytes_;
};
