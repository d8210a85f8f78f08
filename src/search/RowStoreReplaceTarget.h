// Find and replace straight on a row store, without an editor window: the caret, selection and
// hit are text positions (line ends counting 2). Used to replace in a text that no page shows,
// and by the tests and benchmarks of the replace loop.
#pragma once

#include "search/FindReplaceCommands.h"
#include "search/RowSearch.h"
#include "text/RowStore.h"

#include <functional>
#include <string>

class TRowStoreReplaceTarget : public TReplaceTarget {
  public:
    explicit TRowStoreReplaceTarget(TEditorScreenStrings& store) : store_(store) {}

    // Answers the questions; without one every question is answered All.
    std::function<TReplaceAnswer(const std::string& prompt)> OnConfirm;
    int NotFound = 0; // Find calls that found nothing (the main window shows its message)

    bool Find(const TSearchCommandState& state) override;
    TReplaceAnswer Confirm(const std::string& prompt) override;
    bool HitStyleIsCaret() const override { return caretStyle_; }
    void SetHitStyleCaret(bool caret) override { caretStyle_ = caret; }
    std::ptrdiff_t SelStart() const override { return caret_; }
    std::ptrdiff_t SelLength() const override { return sel_; }
    std::ptrdiff_t HitLength() const override { return hit_; }
    void SetSelStart(std::ptrdiff_t pos) override;
    void SetSelLength(std::ptrdiff_t len) override { sel_ = std::max<std::ptrdiff_t>(len, 0); }
    void SetSelText(const std::string& replacement) override;
    TCharTable* CharTable() const override { return store_.CharTable().get(); }

    // The text position and its row and byte offset.
    TSearchPos PosOf(std::ptrdiff_t pos) const;

  private:
    TEditorScreenStrings& store_;
    std::ptrdiff_t caret_ = 0, sel_ = 0, hit_ = 0;
    bool caretStyle_ = false;
};
