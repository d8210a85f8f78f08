// Assign and comparison of the View settings.
#include "editor/ViewColors.h"

bool TEditorViewInfo::SetBrackets(const std::vector<TEditorBracketItem>& b) {
    if (b.size() > MaxBrackets) return false;
    Set(FBrackets, b);
    return true;
}

void TEditorViewInfo::Assign(const TEditorViewInfo& s) {
    if (this == &s || *this == s) return;
    FColors = s.FColors;
    FBrackets = s.FBrackets;
    FCommenter = s.FCommenter;
    FHexPrefix = s.FHexPrefix;
    FQuotation = s.FQuotation;
    FControlCode = s.FControlCode;
    FMail = s.FMail;
    FUrl = s.FUrl;
    Changed();
}

bool TEditorViewInfo::operator==(const TEditorViewInfo& o) const {
    return FColors == o.FColors && FBrackets == o.FBrackets && FCommenter == o.FCommenter &&
           FHexPrefix == o.FHexPrefix && FQuotation == o.FQuotation &&
           FControlCode == o.FControlCode && FMail == o.FMail && FUrl == o.FUrl;
}
