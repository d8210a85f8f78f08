// The token colour dialog without its window: its controls as data and TTokenColorModel, which
// works on a copy of a colouring definition: the colour items in list order (the token kinds,
// then the bracket ranges) with their captions, the chosen item shown in the colour and style
// controls, and every change written to that item at once.
#pragma once

#include "app/Form.h"
#include "syntax/Fountain.h"

#include <memory>
#include <string>
#include <vector>

const TFormDesc& TokenColorForm();

// One token of the sample as the editor paints it: its row, first cell and width (a cell per
// byte), its colour item's colours (clNone: the editor's own) and style, and its characters
// (Shift-JIS) with their cells. Uncoloured tokens keep the editor's colours and font.
struct TSampleToken {
    int Row = 0, Cell = 0, Cells = 0;
    bool Colored = false;
    TColor Color = clNone, BkColor = clNone;
    TFontStyles Style = 0;
    std::vector<std::pair<int, std::string>> Chars;
};
std::vector<TSampleToken> SampleTokens(const TFountain& fountain,
                                       const std::vector<std::string>& rows);

class TTokenColorModel : public TFormModel {
  public:
    explicit TTokenColorModel(const TFountain& fountain);

    TFountain& Edited() { return *copy_; }
    // "トークンの色 - " and the definition's name without "Fountain1".
    std::string Title() const;
    // Sample rows (Shift-JIS) chosen by the definition's first extension.
    std::vector<std::string> SampleRows() const;

    struct Item {
        std::string caption;
        TFountainColor* color;
    };
    const std::vector<Item>& ItemList() const { return items_; }

    void Changed(const std::string& name) override;

  private:
    void showItem();
    std::unique_ptr<TFountain> copy_;
    std::vector<Item> items_;
};
