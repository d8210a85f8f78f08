// Assign and comparison of the view settings objects; each Assign notifies the owner once.
#include "editor/ViewSettings.h"

void TEditorMargin::Assign(const TEditorMargin& s) {
    if (*this == s) return;
    character_ = s.character_;
    FLeft = s.FLeft;
    FLine = s.FLine;
    FTop = s.FTop;
    Changed();
}

bool TEditorMargin::operator==(const TEditorMargin& o) const {
    return character_ == o.character_ && FLeft == o.FLeft && FLine == o.FLine && FTop == o.FTop;
}

void TEditorMark::Assign(const TEditorMark& s) {
    if (*this == s) return;
    color_ = s.color_;
    visible_ = s.visible_;
    Changed();
}

TEditorMarks::TEditorMarks() {
    Wire();
}

// A change of any one mark is a change of the marks as a whole.
void TEditorMarks::Wire() {
    for (TEditorMark* m : {&EofMark, &RetMark, &WrapMark, &HideMark, &Underline})
        m->OnChange = [this] { Changed(); };
}

void TEditorMarks::Assign(const TEditorMarks& s) {
    if (this == &s || *this == s) return;
    auto keep = OnChange;
    OnChange = nullptr;
    EofMark.Assign(s.EofMark);
    RetMark.Assign(s.RetMark);
    WrapMark.Assign(s.WrapMark);
    HideMark.Assign(s.HideMark);
    Underline.Assign(s.Underline);
    OnChange = keep;
    Changed();
}

bool TEditorMarks::operator==(const TEditorMarks& o) const {
    return EofMark == o.EofMark && RetMark == o.RetMark && WrapMark == o.WrapMark &&
           HideMark == o.HideMark && Underline == o.Underline;
}

void TEditorRuler::Assign(const TEditorRuler& s) {
    if (*this == s) return;
    bkColor_ = s.bkColor_;
    color_ = s.color_;
    edge_ = s.edge_;
    gaugeRange_ = s.gaugeRange_;
    FMarkColor = s.FMarkColor;
    visible_ = s.visible_;
    Changed();
}

bool TEditorRuler::operator==(const TEditorRuler& o) const {
    return bkColor_ == o.bkColor_ && color_ == o.color_ && edge_ == o.edge_ &&
           gaugeRange_ == o.gaugeRange_ && FMarkColor == o.FMarkColor && visible_ == o.visible_;
}

void TEditorLeftbar::Assign(const TEditorLeftbar& s) {
    if (*this == s) return;
    bkColor_ = s.bkColor_;
    color_ = s.color_;
    column_ = s.column_;
    edge_ = s.edge_;
    FLeftMargin = s.FLeftMargin;
    FRightMargin = s.FRightMargin;
    FShowNumber = s.FShowNumber;
    showNumberMode_ = s.showNumberMode_;
    visible_ = s.visible_;
    FZeroBase = s.FZeroBase;
    FZeroLead = s.FZeroLead;
    Changed();
}

bool TEditorLeftbar::operator==(const TEditorLeftbar& o) const {
    return bkColor_ == o.bkColor_ && color_ == o.color_ && column_ == o.column_ &&
           edge_ == o.edge_ && FLeftMargin == o.FLeftMargin && FRightMargin == o.FRightMargin &&
           FShowNumber == o.FShowNumber && showNumberMode_ == o.showNumberMode_ &&
           visible_ == o.visible_ && FZeroBase == o.FZeroBase && FZeroLead == o.FZeroLead;
}

void TEditorImagebar::Assign(const TEditorImagebar& s) {
    if (*this == s) return;
    digitWidth_ = s.digitWidth_;
    FLeftMargin = s.FLeftMargin;
    FMarkWidth = s.FMarkWidth;
    FRightMargin = s.FRightMargin;
    visible_ = s.visible_;
    Changed();
}

bool TEditorImagebar::operator==(const TEditorImagebar& o) const {
    return digitWidth_ == o.digitWidth_ && FLeftMargin == o.FLeftMargin &&
           FMarkWidth == o.FMarkWidth && FRightMargin == o.FRightMargin && visible_ == o.visible_;
}

void TEditorSpeed::Assign(const TEditorSpeed& s) {
    if (*this == s) return;
    caretVerticalAc_ = s.caretVerticalAc_;
    initBracketsFull_ = s.initBracketsFull_;
    FPageVerticalRange = s.FPageVerticalRange;
    FPageVerticalRangeAc = s.FPageVerticalRangeAc;
    Changed();
}

bool TEditorSpeed::operator==(const TEditorSpeed& o) const {
    return caretVerticalAc_ == o.caretVerticalAc_ && initBracketsFull_ == o.initBracketsFull_ &&
           FPageVerticalRange == o.FPageVerticalRange &&
           FPageVerticalRangeAc == o.FPageVerticalRangeAc;
}
