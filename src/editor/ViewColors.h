// The editor's View: the settings of its built-in colouring (colour items, brackets, comment
// and quotation strings, URL and mail recognition). Select and Hit colour selections and
// search hits whichever colouring is in use.
#pragma once

#include "editor/EditorColors.h"
#include "editor/SettingsNotify.h"

#include <string>
#include <vector>

// One colour item: background, text colour and style; clNone stands for the editor's own.
struct TEditorColorItem {
    TColor BkColor = edc::clNone;
    TColor Color = edc::clNone;
    TEditorFontStyles Style = 0;
    bool operator==(const TEditorColorItem&) const = default;
    bool IsDefault() const { return BkColor == edc::clNone && Color == edc::clNone && !Style; }
};

struct TEditorViewColors {
    TEditorColorItem Ank, Comment, DBCS, Hit, Int, Mail, Reserve;
    TEditorColorItem Select{edc::clNavy, edc::clWhite, 0};
    TEditorColorItem Str, Symbol, Url;
    bool operator==(const TEditorViewColors&) const = default;
};

struct TEditorBracketItem {
    std::string LeftBracket, RightBracket; // CP932
    TEditorColorItem ItemColor;
    bool operator==(const TEditorBracketItem&) const = default;
};

class TEditorViewInfo : public TEditorNotify {
  public:
    static constexpr int MaxBrackets = 14; // the row state keeps the bracket index in 4 bits

    const TEditorViewColors& Colors() const { return colors_; }
    const std::vector<TEditorBracketItem>& Brackets() const { return brackets_; }
    const std::string& Commenter() const { return FCommenter; }
    const std::string& HexPrefix() const { return FHexPrefix; }
    const std::string& Quotation() const { return quotation_; }
    bool ControlCode() const { return controlCode_; }
    bool Mail() const { return FMail; }
    bool Url() const { return FUrl; }

    void SetColors(const TEditorViewColors& c) { Set(colors_, c); }
    // More than MaxBrackets pairs cannot be kept in a row's state: the surplus is refused.
    bool SetBrackets(const std::vector<TEditorBracketItem>& b);
    void SetCommenter(const std::string& s) { Set(FCommenter, s); }
    void SetHexPrefix(const std::string& s) { Set(FHexPrefix, s); }
    void SetQuotation(const std::string& s) { Set(quotation_, s); }
    void SetControlCode(bool v) { Set(controlCode_, v); }
    void SetMail(bool v) { Set(FMail, v); }
    void SetUrl(bool v) { Set(FUrl, v); }

    void Assign(const TEditorViewInfo& s);
    bool operator==(const TEditorViewInfo& o) const;

  private:
    TEditorViewColors colors_;
    std::vector<TEditorBracketItem> brackets_;
    std::string FCommenter, FHexPrefix, quotation_;
    bool controlCode_ = false, FMail = false, FUrl = false;
};
