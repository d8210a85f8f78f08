// Value types shared by the editor and its property sets: font, hit style, scroll bars and a
// sorted string list (the wrap options are TEditorWrapOption of the row store).
#pragma once

#include "editor/EditorColors.h"
#include "text/LineBreaking.h"

#include <string>
#include <string_view>
#include <vector>

enum TEditorHitStyle { hsSelect, hsDraw, hsCaret };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

inline constexpr int SHIFTJIS_CHARSET = 128;
inline constexpr int DEFAULT_CHARSET = 1;

// A font as the settings name it. The face name is kept as given ("FixedSys", "ＭＳ ゴシック");
// the drawing layer asks fontconfig for the best match. Height < 0 is the character height in
// pixels, > 0 the cell height.
struct TEditorFont {
    std::string Name = "FixedSys"; // UTF-8
    int Height = -12;
    TColor Color = edc::clWindowText;
    int Charset = DEFAULT_CHARSET;
    TEditorFontStyles Style = 0;
    bool operator==(const TEditorFont&) const = default;
};

// A sorted list without duplicates; entries compare with ASCII letter case ignored, as the
// file-extension and reserved-word lookups do.
class TSortedNames {
  public:
    bool Add(std::string_view s); // false when already present
    bool Remove(std::string_view s);
    bool Contains(std::string_view s) const;
    int IndexOf(std::string_view s) const;
    void Clear() { items_.clear(); }
    void Assign(const std::vector<std::string>& items);
    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    bool operator==(const TSortedNames&) const = default;
    static int Compare(std::string_view a, std::string_view b);

  private:
    std::vector<std::string> items_;
};
