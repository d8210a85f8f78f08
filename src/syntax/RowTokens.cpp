// Token stepping for painting and word movement.
#include "syntax/RowTokens.h"

#include <algorithm>

TRowTokens::TRowTokens(const TFountain& fountain) : parser_(fountain.CreateParser()) {}

void TRowTokens::Start(std::string_view row, std::string_view nextRow,
                       const TFountainState& state) {
    rowLen_ = static_cast<int>(std::min<size_t>(row.size(), 0x7FFFFFF0));
    std::string_view text = row;
    if (!nextRow.empty()) {
        joined_.assign(row);
        joined_.append(nextRow);
        text = joined_;
    }
    parser_->NewData(text, state);
}

bool TRowTokens::Next(TFountainToken& t) {
    int k = parser_->NextToken();
    if (k == toEof || parser_->SourcePos() >= rowLen_) return false;
    t.Start = parser_->SourcePos();
    t.FullLength = parser_->TokenLength();
    t.Length = std::min(t.FullLength, rowLen_ - t.Start);
    t.Kind = k;
    t.Reserved = parser_->IsReserveWord();
    t.Color = parser_->TokenColor();
    return true;
}

std::vector<TFountainToken> TRowTokens::All(std::string_view row, std::string_view nextRow,
                                            const TFountainState& state) {
    std::vector<TFountainToken> v;
    Start(row, nextRow, state);
    TFountainToken t;
    while (Next(t))
        v.push_back(t);
    return v;
}
