// Helpers for the colouring tests: a row's tokens as (text, kind) pairs.
#pragma once

#include "syntax/Fountain.h"

#include <string>
#include <utility>
#include <vector>

using Tok = std::pair<std::string, int>;

// A list of expected tokens: their texts, then their kinds.
inline std::vector<Tok> T(const std::vector<std::string>& texts, const std::vector<int>& kinds) {
    std::vector<Tok> v;
    for (size_t i = 0; i < texts.size(); ++i)
        v.emplace_back(texts[i], i < kinds.size() ? kinds[i] : -1);
    return v;
}

// What `take` makes of each token of a row.
template <class F>
auto EachToken(const TFountain& f, std::string_view text, const TFountainState& st, F take) {
    auto p = f.CreateParser();
    p->NewData(text, st);
    std::vector<decltype(take(*p))> v;
    while (p->NextToken() != toEof)
        v.push_back(take(*p));
    return v;
}

inline std::vector<Tok> Tokens(const TFountain& f, std::string_view text,
                               const TFountainState& st = {}) {
    return EachToken(f, text, st, [](auto& p) { return Tok(p.TokenString(), p.Token()); });
}

// The colour item of each token of a row.
inline std::vector<const TFountainColor*> Colors(const TFountain& f, std::string_view text,
                                                 const TFountainState& st = {}) {
    return EachToken(f, text, st, [](auto& p) { return p.TokenColor(); });
}
