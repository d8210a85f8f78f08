// Assign and comparison of the View settings.
#include "editor/ViewColors.h"

bool TEditorViewInfo::SetBrackets(const std::vector<TEditorBracketItem>& b) {
    if (b.size() > MaxBrackets) return false;
    Set(brackets_, b);
    return true;
}

void TEditorViewInfo::Assign(const TEditorViewInfo& s) {
    if (this == &s || *this == s) return;
    colors_ = s.colors_;
    brackets_ = s.brackets_;
    FCommenter = s.FCommenter;
    FHexPrefix = s.FHexPrefix;
    quotation_ = s.quotation_;
    controlCode_ = s.controlCode_;
    FMail = s.FMail;
    FUrl = s.FUrl;
    Changed();
}

bool TEditorViewInfo::operator==(const TEditorViewInfo& o) const {
    return colors_ == o.colors_ && brackets_ == o.brackets_ && FCommenter == o.FCommenter &&
           FHexPrefix == o.FHexPrefix && quotation_ == o.quotation_ &&
           controlCode_ == o.controlCode_ && FMail == o.FMail && FUrl == o.FUrl;
}
