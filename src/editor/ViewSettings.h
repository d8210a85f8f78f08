// View settings of an editor: margins, marks, ruler, left bar, image bar and speed, each with
// its defaults and clamps.
#pragma once

#include "editor/EditorColors.h"
#include "editor/SettingsNotify.h"

// Margins around the text in pixels; every value is clamped to 0..100.
class TEditorMargin : public TEditorNotify {
  public:
    int Character() const { return character_; }
    int Left() const { return FLeft; }
    int Line() const { return FLine; }
    int Top() const { return FTop; }
    void SetCharacter(int v) { Set(character_, ClampInt(v, 0, 100)); }
    void SetLeft(int v) { Set(FLeft, ClampInt(v, 0, 100)); }
    void SetLine(int v) { Set(FLine, ClampInt(v, 0, 100)); }
    void SetTop(int v) { Set(FTop, ClampInt(v, 0, 100)); }
    void Assign(const TEditorMargin& s);
    bool operator==(const TEditorMargin& o) const;

  private:
    int character_ = 0, FLeft = 19, FLine = 0, FTop = 2;
};

class TEditorMark : public TEditorNotify {
  public:
    TColor Color() const { return color_; }
    bool Visible() const { return visible_; }
    void SetColor(TColor c) { Set(color_, c); }
    void SetVisible(bool v) { Set(visible_, v); }
    void Assign(const TEditorMark& s);
    bool operator==(const TEditorMark& o) const {
        return color_ == o.color_ && visible_ == o.visible_;
    }

  private:
    TColor color_ = edc::clGray;
    bool visible_ = false;
};

// The five marks drawn after row ends and under the caret row.
class TEditorMarks : public TEditorNotify {
  public:
    TEditorMarks();
    TEditorMarks(const TEditorMarks& s) : TEditorMarks() { Assign(s); }
    TEditorMarks& operator=(const TEditorMarks& s) {
        Assign(s);
        return *this;
    }
    TEditorMark EofMark, RetMark, WrapMark, HideMark, Underline;
    void Assign(const TEditorMarks& s);
    bool operator==(const TEditorMarks& o) const;

  private:
    void Wire();
};

class TEditorRuler : public TEditorNotify {
  public:
    TColor BkColor() const { return bkColor_; }
    TColor Color() const { return color_; }
    bool Edge() const { return edge_; }
    int GaugeRange() const { return gaugeRange_; }
    TColor MarkColor() const { return FMarkColor; }
    bool Visible() const { return visible_; }
    void SetBkColor(TColor c) { Set(bkColor_, c); }
    void SetColor(TColor c) { Set(color_, c); }
    void SetEdge(bool v) { Set(edge_, v); }
    // 8..10, rounded down to an even number: only 8 and 10 occur.
    void SetGaugeRange(int v) { Set(gaugeRange_, ClampInt(v, 8, 10) & ~1); }
    void SetMarkColor(TColor c) { Set(FMarkColor, c); }
    void SetVisible(bool v) { Set(visible_, v); }
    void Assign(const TEditorRuler& s);
    bool operator==(const TEditorRuler& o) const;

  private:
    TColor bkColor_ = edc::clSilver, color_ = edc::clBlack, FMarkColor = edc::clBlack;
    bool edge_ = true, visible_ = false;
    int gaugeRange_ = 10;
};

enum TEditorShowNumberMode { nmRow, nmLine };

class TEditorLeftbar : public TEditorNotify {
  public:
    TColor BkColor() const { return bkColor_; }
    TColor Color() const { return color_; }
    int Column() const { return column_; }
    bool Edge() const { return edge_; }
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
    bool ShowNumber() const { return FShowNumber; }
    TEditorShowNumberMode ShowNumberMode() const { return showNumberMode_; }
    bool Visible() const { return visible_; }
    bool ZeroBase() const { return FZeroBase; }
    bool ZeroLead() const { return FZeroLead; }
    void SetBkColor(TColor c) { Set(bkColor_, c); }
    void SetColor(TColor c) { Set(color_, c); }
    void SetColumn(int v) { Set(column_, ClampInt(v, 1, 8)); }
    void SetEdge(bool v) { Set(edge_, v); }
    void SetLeftMargin(int v) { Set(FLeftMargin, ClampInt(v, 0, 100)); }
    void SetRightMargin(int v) { Set(FRightMargin, ClampInt(v, 0, 100)); }
    void SetShowNumber(bool v) { Set(FShowNumber, v); }
    void SetShowNumberMode(TEditorShowNumberMode m) { Set(showNumberMode_, m); }
    void SetVisible(bool v) { Set(visible_, v); }
    void SetZeroBase(bool v) { Set(FZeroBase, v); }
    void SetZeroLead(bool v) { Set(FZeroLead, v); }
    void Assign(const TEditorLeftbar& s);
    bool operator==(const TEditorLeftbar& o) const;

  private:
    TColor bkColor_ = edc::clSilver, color_ = edc::clBlack;
    int column_ = 4, FLeftMargin = 8, FRightMargin = 4;
    bool edge_ = true, FShowNumber = true, visible_ = false, FZeroBase = false, FZeroLead = false;
    TEditorShowNumberMode showNumberMode_ = nmRow;
};

class TEditorImagebar : public TEditorNotify {
  public:
    int DigitWidth() const { return digitWidth_; }
    int LeftMargin() const { return FLeftMargin; }
    int MarkWidth() const { return FMarkWidth; }
    int RightMargin() const { return FRightMargin; }
    bool Visible() const { return visible_; }
    void SetDigitWidth(int v) { Set(digitWidth_, ClampInt(v, 0, 100)); }
    void SetLeftMargin(int v) { Set(FLeftMargin, ClampInt(v, 0, 100)); }
    void SetMarkWidth(int v) { Set(FMarkWidth, ClampInt(v, 0, 100)); }
    void SetRightMargin(int v) { Set(FRightMargin, ClampInt(v, 0, 100)); }
    void SetVisible(bool v) { Set(visible_, v); }
    void Assign(const TEditorImagebar& s);
    bool operator==(const TEditorImagebar& o) const;

  private:
    int digitWidth_ = 8, FLeftMargin = 2, FMarkWidth = 0, FRightMargin = 2;
    bool visible_ = true;
};

class TEditorSpeed : public TEditorNotify {
  public:
    int CaretVerticalAc() const { return caretVerticalAc_; }
    bool InitBracketsFull() const { return initBracketsFull_; }
    int PageVerticalRange() const { return FPageVerticalRange; }
    int PageVerticalRangeAc() const { return FPageVerticalRangeAc; }
    // A count below 1 would stall the caret or the page keys; 1 is the least that moves.
    void SetCaretVerticalAc(int v) { Set(caretVerticalAc_, v < 1 ? 1 : v); }
    void SetInitBracketsFull(bool v) { Set(initBracketsFull_, v); }
    void SetPageVerticalRange(int v) { Set(FPageVerticalRange, v < 1 ? 1 : v); }
    void SetPageVerticalRangeAc(int v) { Set(FPageVerticalRangeAc, v < 1 ? 1 : v); }
    void Assign(const TEditorSpeed& s);
    bool operator==(const TEditorSpeed& o) const;

  private:
    int caretVerticalAc_ = 2, FPageVerticalRange = 2, FPageVerticalRangeAc = 2;
    bool initBracketsFull_ = false;
};
