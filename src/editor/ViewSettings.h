// View settings of an editor: margins, marks, ruler, left bar, image bar and speed, each with
// its defaults and clamps.
#pragma once

#include "editor/EditorColors.h"
#include "editor/SettingsNotify.h"

// Margins around the text in pixels; every value is clamped to 0..100.
class TEditorMargin : public TEditorNotify {
  public:
    int Character() const { return character_; }
    int Left() const { return left_; }
    int Line() const { return line_; }
    int Top() const { return top_; }
    void SetCharacter(int v) { Set(character_, ClampInt(v, 0, 100)); }
    void SetLeft(int v) { Set(left_, ClampInt(v, 0, 100)); }
    void SetLine(int v) { Set(line_, ClampInt(v, 0, 100)); }
    void SetTop(int v) { Set(top_, ClampInt(v, 0, 100)); }
    void Assign(const TEditorMargin& s);
    bool operator==(const TEditorMargin& o) const;

  private:
    int character_ = 0, left_ = 19, line_ = 0, top_ = 2;
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
    TColor MarkColor() const { return markColor_; }
    bool Visible() const { return visible_; }
    void SetBkColor(TColor c) { Set(bkColor_, c); }
    void SetColor(TColor c) { Set(color_, c); }
    void SetEdge(bool v) { Set(edge_, v); }
    // 8..10, rounded down to an even number: only 8 and 10 occur.
    void SetGaugeRange(int v) { Set(gaugeRange_, ClampInt(v, 8, 10) & ~1); }
    void SetMarkColor(TColor c) { Set(markColor_, c); }
    void SetVisible(bool v) { Set(visible_, v); }
    void Assign(const TEditorRuler& s);
    bool operator==(const TEditorRuler& o) const;

  private:
    TColor bkColor_ = edc::clSilver, color_ = edc::clBlack, markColor_ = edc::clBlack;
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
    int LeftMargin() const { return leftMargin_; }
    int RightMargin() const { return rightMargin_; }
    bool ShowNumber() const { return showNumber_; }
    TEditorShowNumberMode ShowNumberMode() const { return showNumberMode_; }
    bool Visible() const { return visible_; }
    bool ZeroBase() const { return zeroBase_; }
    bool ZeroLead() const { return zeroLead_; }
    void SetBkColor(TColor c) { Set(bkColor_, c); }
    void SetColor(TColor c) { Set(color_, c); }
    void SetColumn(int v) { Set(column_, ClampInt(v, 1, 8)); }
    void SetEdge(bool v) { Set(edge_, v); }
    void SetLeftMargin(int v) { Set(leftMargin_, ClampInt(v, 0, 100)); }
    void SetRightMargin(int v) { Set(rightMargin_, ClampInt(v, 0, 100)); }
    void SetShowNumber(bool v) { Set(showNumber_, v); }
    void SetShowNumberMode(TEditorShowNumberMode m) { Set(showNumberMode_, m); }
    void SetVisible(bool v) { Set(visible_, v); }
    void SetZeroBase(bool v) { Set(zeroBase_, v); }
    void SetZeroLead(bool v) { Set(zeroLead_, v); }
    void Assign(const TEditorLeftbar& s);
    bool operator==(const TEditorLeftbar& o) const;

  private:
    TColor bkColor_ = edc::clSilver, color_ = edc::clBlack;
    int column_ = 4, leftMargin_ = 8, rightMargin_ = 4;
    bool edge_ = true, showNumber_ = true, visible_ = false, zeroBase_ = false, zeroLead_ = false;
    TEditorShowNumberMode showNumberMode_ = nmRow;
};

class TEditorImagebar : public TEditorNotify {
  public:
    int DigitWidth() const { return digitWidth_; }
    int LeftMargin() const { return leftMargin_; }
    int MarkWidth() const { return markWidth_; }
    int RightMargin() const { return rightMargin_; }
    bool Visible() const { return visible_; }
    void SetDigitWidth(int v) { Set(digitWidth_, ClampInt(v, 0, 100)); }
    void SetLeftMargin(int v) { Set(leftMargin_, ClampInt(v, 0, 100)); }
    void SetMarkWidth(int v) { Set(markWidth_, ClampInt(v, 0, 100)); }
    void SetRightMargin(int v) { Set(rightMargin_, ClampInt(v, 0, 100)); }
    void SetVisible(bool v) { Set(visible_, v); }
    void Assign(const TEditorImagebar& s);
    bool operator==(const TEditorImagebar& o) const;

  private:
    int digitWidth_ = 8, leftMargin_ = 2, markWidth_ = 0, rightMargin_ = 2;
    bool visible_ = true;
};

class TEditorSpeed : public TEditorNotify {
  public:
    int CaretVerticalAc() const { return caretVerticalAc_; }
    bool InitBracketsFull() const { return initBracketsFull_; }
    int PageVerticalRange() const { return pageVerticalRange_; }
    int PageVerticalRangeAc() const { return pageVerticalRangeAc_; }
    // A count below 1 would stall the caret or the page keys; 1 is the least that moves.
    void SetCaretVerticalAc(int v) { Set(caretVerticalAc_, v < 1 ? 1 : v); }
    void SetInitBracketsFull(bool v) { Set(initBracketsFull_, v); }
    void SetPageVerticalRange(int v) { Set(pageVerticalRange_, v < 1 ? 1 : v); }
    void SetPageVerticalRangeAc(int v) { Set(pageVerticalRangeAc_, v < 1 ? 1 : v); }
    void Assign(const TEditorSpeed& s);
    bool operator==(const TEditorSpeed& o) const;

  private:
    int caretVerticalAc_ = 2, pageVerticalRange_ = 2, pageVerticalRangeAc_ = 2;
    bool initBracketsFull_ = false;
};
