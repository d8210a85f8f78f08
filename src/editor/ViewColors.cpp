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
    commenter_ = s.commenter_;
    hexPrefix_ = s.hexPrefix_;
    quotation_ = s.quotation_;
    controlCode_ = s.controlCode_;
    mail_ = s.mail_;
    url_ = s.url_;
    Changed();
}

bool TEditorViewInfo::operator==(const TEditorViewInfo& o) const {
    return colors_ == o.colors_ && brackets_ == o.brackets_ && commenter_ == o.commenter_ &&
           hexPrefix_ == o.hexPrefix_ && quotation_ == o.quotation_ &&
           controlCode_ == o.controlCode_ && mail_ == o.mail_ && url_ == o.url_;
}
