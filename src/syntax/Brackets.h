// Bracket pairs of a colouring definition: text from a left string to a right string, across rows.
#pragma once

#include "syntax/TokenColors.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Errors of the colouring definitions, carrying the message the user sees.
class EFountainError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A collection item that carries one colour.
class TFountainColorItem {
  public:
    TFountainColorItem() = default;
    virtual ~TFountainColorItem() = default;
    TFountainColorItem(const TFountainColorItem&) = delete;
    TFountainColorItem& operator=(const TFountainColorItem&) = delete;

    TFountainColor& ItemColor() { return itemColor_; }
    const TFountainColor& ItemColor() const { return itemColor_; }

  protected:
    TFountainColor itemColor_;
};

class TFountainBracketItem : public TFountainColorItem {
  public:
    const std::string& LeftBracket() const { return left_; }
    const std::string& RightBracket() const { return right_; }
    void SetLeftBracket(const std::string& s);
    void SetRightBracket(const std::string& s);
    void Assign(const TFountainBracketItem& src);
    void SetOnChange(std::function<void()> f);

  private:
    void Changed() {
        if (onChange_) onChange_();
    }
    std::string left_, right_;
    std::function<void()> onChange_;
};

// At most 14 pairs: the open pair's index is saved in four bits of each row's data.
class TFountainBracketCollection {
  public:
    static constexpr int MaxItems = 14;

    TFountainBracketCollection() = default;
    virtual ~TFountainBracketCollection() = default;
    TFountainBracketCollection(const TFountainBracketCollection&) = delete;
    TFountainBracketCollection& operator=(const TFountainBracketCollection&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EFountainError when the collection already holds 14 pairs.
    TFountainBracketItem& Add();
    TFountainBracketItem& Add(const std::string& left, const std::string& right, TColor bk,
                              TColor color, TFontStyles style = 0);
    // Index outside 0..Count-1 throws std::out_of_range.
    TFountainBracketItem& Items(int i);
    const TFountainBracketItem& Items(int i) const;
    void Delete(int i);
    void Clear();
    // Copies every pair; the collection then has the source's number of pairs.
    void Assign(const TFountainBracketCollection& src);
    void SetOnChange(std::function<void()> f);

  protected:
    void Changed() {
        if (onChange_) onChange_();
    }

  private:
    void Hook(TFountainBracketItem& item);
    std::vector<std::unique_ptr<TFountainBracketItem>> items_;
    std::function<void()> onChange_;
};

// The editor's own bracket collection: setting a background, colour or style sets it on every pair.
class TEditorBracketCollection : public TFountainBracketCollection {
  public:
    void SetBkColor(TColor v);
    void SetColor(TColor v);
    void SetStyle(TFontStyles v);
};
