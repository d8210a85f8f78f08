// Bracket pairs and their collection.
#include "syntax/Brackets.h"

void TFountainBracketItem::SetLeftBracket(const std::string& s) {
    if (s == left_) return;
    left_ = s;
    Changed();
}

void TFountainBracketItem::SetRightBracket(const std::string& s) {
    if (s == right_) return;
    right_ = s;
    Changed();
}

void TFountainBracketItem::Assign(const TFountainBracketItem& src) {
    if (&src == this) return;
    bool changed = left_ != src.left_ || right_ != src.right_;
    left_ = src.left_;
    right_ = src.right_;
    itemColor_.Assign(src.itemColor_); // notifies on its own when the colour changed
    if (changed) Changed();
}

void TFountainBracketItem::SetOnChange(std::function<void()> f) {
    onChange_ = f;
    itemColor_.SetOnChange(std::move(f));
}

void TFountainBracketCollection::Hook(TFountainBracketItem& item) {
    item.SetOnChange([this] { Changed(); });
}

TFountainBracketItem& TFountainBracketCollection::Add() {
    if (Count() >= MaxItems)
        throw EFountainError("TFountainBracketCollection\r\nYou can not add item over " +
                             std::to_string(MaxItems));
    items_.push_back(std::make_unique<TFountainBracketItem>());
    Hook(*items_.back());
    Changed();
    return *items_.back();
}

TFountainBracketItem& TFountainBracketCollection::Add(const std::string& left,
                                                      const std::string& right, TColor bk,
                                                      TColor color, TFontStyles style) {
    TFountainBracketItem& item = Add();
    item.SetLeftBracket(left);
    item.SetRightBracket(right);
    item.ItemColor().SetBkColor(bk);
    item.ItemColor().SetColor(color);
    item.ItemColor().SetStyle(style);
    return item;
}

TFountainBracketItem& TFountainBracketCollection::Items(int i) {
    if (i < 0 || i >= Count()) throw std::out_of_range("bracket index out of range");
    return *items_[static_cast<size_t>(i)];
}

const TFountainBracketItem& TFountainBracketCollection::Items(int i) const {
    if (i < 0 || i >= Count()) throw std::out_of_range("bracket index out of range");
    return *items_[static_cast<size_t>(i)];
}

void TFountainBracketCollection::Delete(int i) {
    Items(i);
    items_.erase(items_.begin() + i);
    Changed();
}

void TFountainBracketCollection::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TFountainBracketCollection::Assign(const TFountainBracketCollection& src) {
    if (&src == this) return;
    auto saved = std::move(onChange_); // one notification for the whole copy
    items_.clear();
    for (const auto& s : src.items_) {
        items_.push_back(std::make_unique<TFountainBracketItem>());
        items_.back()->Assign(*s);
        Hook(*items_.back());
    }
    onChange_ = std::move(saved);
    Changed();
}

void TFountainBracketCollection::SetOnChange(std::function<void()> f) {
    onChange_ = std::move(f);
}

void TEditorBracketCollection::SetBkColor(TColor v) {
    for (int i = 0; i < Count(); ++i)
        Items(i).ItemColor().SetBkColor(v);
}

void TEditorBracketCollection::SetColor(TColor v) {
    for (int i = 0; i < Count(); ++i)
        Items(i).ItemColor().SetColor(v);
}

void TEditorBracketCollection::SetStyle(TFontStyles v) {
    for (int i = 0; i < Count(); ++i)
        Items(i).ItemColor().SetStyle(v);
}
