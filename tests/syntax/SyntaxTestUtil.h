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

inline std::vector<Tok> Tokens(const TFountain& f, std::string_view text,
                               const TFountainState& st = {}) {
    auto p = f.CreateParser();
    p->NewData(text, st);
    std::vector<Tok> v;
    while (p->NextToken() != toEof)
        v.emplace_back(std::string(p->TokenString()), p->Token());
    return v;
}

// The colour item of each token of a row.
inline std::vector<const TFountainColor*> Colors(const TFountain& f, std::string_view text,
                                                 const TFountainState& st = {}) {
    auto p = f.CreateParser();
    p->NewData(text, st);
    std::vector<const TFountainColor*> v;
    while (p->NextToken() != toEof)
        v.push_back(p->TokenColor());
    return v;
}

// Walks rows given as (text, row end) and returns the start state of every row and the last.
inline std::vector<TFountainState> Walk(const TFountain& f,
                                        const std::vector<std::pair<std::string, TRowEnd>>& rows) {
    auto p = f.CreateParser();
    std::vector<TFountainState> states;
    TFountainState st;
    for (size_t i = 0; i < rows.size(); ++i) {
        states.push_back(st);
        std::string_view next = i + 1 < rows.size() ? std::string_view(rows[i + 1].first) : "";
        p->ParseRow(st, rows[i].first, next, rows[i].second);
    }
    states.push_back(st);
    return states;
}
