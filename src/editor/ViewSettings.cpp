// Assign and comparison of the view settings objects; each Assign notifies the owner once.
#include "editor/ViewSettings.h"

void TEditorMargin::Assign(const TEditorMargin& s) {
    if (*this == s) return;
    character_ = s.character_;
    left_ = s.left_;
    line_ = s.line_;
    top_ = s.top_;
    Changed();
}

bool TEditorMargin::operator==(const TEditorMargin& o) const {
    return character_ == o.character_ && left_ == o.left_ && line_ == o.line_ && top_ == o.top_;
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
    markColor_ = s.markColor_;
    visible_ = s.visible_;
    Changed();
}

bool TEditorRuler::operator==(const TEditorRuler& o) const {
    return bkColor_ == o.bkColor_ && color_ == o.color_ && edge_ == o.edge_ &&
           gaugeRange_ == o.gaugeRange_ && markColor_ == o.markColor_ && visible_ == o.visible_;
}

void TEditorLeftbar::Assign(const TEditorLeftbar& s) {
    if (*this == s) return;
    bkColor_ = s.bkColor_;
    color_ = s.color_;
    column_ = s.column_;
    edge_ = s.edge_;
    leftMargin_ = s.leftMargin_;
    rightMargin_ = s.rightMargin_;
    showNumber_ = s.showNumber_;
    showNumberMode_ = s.showNumberMode_;
    visible_ = s.visible_;
    zeroBase_ = s.zeroBase_;
    zeroLead_ = s.zeroLead_;
    Changed();
}

bool TEditorLeftbar::operator==(const TEditorLeftbar& o) const {
    return bkColor_ == o.bkColor_ && color_ == o.color_ && column_ == o.column_ &&
           edge_ == o.edge_ && leftMargin_ == o.leftMargin_ && rightMargin_ == o.rightMargin_ &&
           showNumber_ == o.showNumber_ && showNumberMode_ == o.showNumberMode_ &&
           visible_ == o.visible_ && zeroBase_ == o.zeroBase_ && zeroLead_ == o.zeroLead_;
}

void TEditorImagebar::Assign(const TEditorImagebar& s) {
    if (*this == s) return;
    digitWidth_ = s.digitWidth_;
    leftMargin_ = s.leftMargin_;
    markWidth_ = s.markWidth_;
    rightMargin_ = s.rightMargin_;
    visible_ = s.visible_;
    Changed();
}

bool TEditorImagebar::operator==(const TEditorImagebar& o) const {
    return digitWidth_ == o.digitWidth_ && leftMargin_ == o.leftMargin_ &&
           markWidth_ == o.markWidth_ && rightMargin_ == o.rightMargin_ && visible_ == o.visible_;
}

void TEditorSpeed::Assign(const TEditorSpeed& s) {
    if (*this == s) return;
    caretVerticalAc_ = s.caretVerticalAc_;
    initBracketsFull_ = s.initBracketsFull_;
    pageVerticalRange_ = s.pageVerticalRange_;
    pageVerticalRangeAc_ = s.pageVerticalRangeAc_;
    Changed();
}

bool TEditorSpeed::operator==(const TEditorSpeed& o) const {
    return caretVerticalAc_ == o.caretVerticalAc_ && initBracketsFull_ == o.initBracketsFull_ &&
           pageVerticalRange_ == o.pageVerticalRange_ &&
           pageVerticalRangeAc_ == o.pageVerticalRangeAc_;
}
