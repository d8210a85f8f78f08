// Assign and comparison of the view settings objects; each Assign notifies the owner once.
#include "editor/ViewSettings.h"

void TEditorMargin::Assign(const TEditorMargin& s) {
    if (*this == s) return;
    FCharacter = s.FCharacter;
    FLeft = s.FLeft;
    FLine = s.FLine;
    FTop = s.FTop;
    Changed();
}

bool TEditorMargin::operator==(const TEditorMargin& o) const {
    return FCharacter == o.FCharacter && FLeft == o.FLeft && FLine == o.FLine && FTop == o.FTop;
}

void TEditorMark::Assign(const TEditorMark& s) {
    if (*this == s) return;
    FColor = s.FColor;
    FVisible = s.FVisible;
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
    FBkColor = s.FBkColor;
    FColor = s.FColor;
    FEdge = s.FEdge;
    FGaugeRange = s.FGaugeRange;
    FMarkColor = s.FMarkColor;
    FVisible = s.FVisible;
    Changed();
}

bool TEditorRuler::operator==(const TEditorRuler& o) const {
    return FBkColor == o.FBkColor && FColor == o.FColor && FEdge == o.FEdge &&
           FGaugeRange == o.FGaugeRange && FMarkColor == o.FMarkColor && FVisible == o.FVisible;
}

void TEditorLeftbar::Assign(const TEditorLeftbar& s) {
    if (*this == s) return;
    FBkColor = s.FBkColor;
    FColor = s.FColor;
    FColumn = s.FColumn;
    FEdge = s.FEdge;
    FLeftMargin = s.FLeftMargin;
    FRightMargin = s.FRightMargin;
    FShowNumber = s.FShowNumber;
    FShowNumberMode = s.FShowNumberMode;
    FVisible = s.FVisible;
    FZeroBase = s.FZeroBase;
    FZeroLead = s.FZeroLead;
    Changed();
}

bool TEditorLeftbar::operator==(const TEditorLeftbar& o) const {
    return FBkColor == o.FBkColor && FColor == o.FColor && FColumn == o.FColumn &&
           FEdge == o.FEdge && FLeftMargin == o.FLeftMargin && FRightMargin == o.FRightMargin &&
           FShowNumber == o.FShowNumber && FShowNumberMode == o.FShowNumberMode &&
           FVisible == o.FVisible && FZeroBase == o.FZeroBase && FZeroLead == o.FZeroLead;
}

void TEditorImagebar::Assign(const TEditorImagebar& s) {
    if (*this == s) return;
    FDigitWidth = s.FDigitWidth;
    FLeftMargin = s.FLeftMargin;
    FMarkWidth = s.FMarkWidth;
    FRightMargin = s.FRightMargin;
    FVisible = s.FVisible;
    Changed();
}

bool TEditorImagebar::operator==(const TEditorImagebar& o) const {
    return FDigitWidth == o.FDigitWidth && FLeftMargin == o.FLeftMargin &&
           FMarkWidth == o.FMarkWidth && FRightMargin == o.FRightMargin && FVisible == o.FVisible;
}

void TEditorSpeed::Assign(const TEditorSpeed& s) {
    if (*this == s) return;
    FCaretVerticalAc = s.FCaretVerticalAc;
    FInitBracketsFull = s.FInitBracketsFull;
    FPageVerticalRange = s.FPageVerticalRange;
    FPageVerticalRangeAc = s.FPageVerticalRangeAc;
    Changed();
}

bool TEditorSpeed::operator==(const TEditorSpeed& o) const {
    return FCaretVerticalAc == o.FCaretVerticalAc && FInitBracketsFull == o.FInitBracketsFull &&
           FPageVerticalRange == o.FPageVerticalRange &&
           FPageVerticalRangeAc == o.FPageVerticalRangeAc;
}
