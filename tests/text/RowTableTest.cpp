// The block storage of rows against a plain list.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "text/RowTable.h"

// Now and then thousands of rows inserted or erased at once; the aggregates checked at spots.
TEST(RowTable, MatchesAPlainListUnderRandomEdits) {
    TRowTable t;
    std::vector<TRowRec> model;
    std::mt19937 rng(42);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 400; ++step) {
        const int op = pick(4), n = static_cast<int>(model.size());
        if (op <= 1 || n == 0) {
            const int at = pick(n + 1), k = 1 + pick(step % 50 == 0 ? 5000 : 40);
            std::vector<TRowRec> recs;
            for (int i = 0; i < k; ++i) {
                const std::string text(static_cast<size_t>(pick(9)),
                                       static_cast<char>('a' + pick(26)));
                recs.push_back({t.StoreText(text), static_cast<uint32_t>(text.size()),
                                RowData::WithRowEnd(0, pick(3))});
            }
            t.Insert(at, recs.data(), k);
            model.insert(model.begin() + at, recs.begin(), recs.end());
        } else if (op == 2) {
            const int at = pick(n), k = 1 + pick(std::min(n - at, step % 30 == 0 ? 3000 : 30));
            t.Erase(at, k);
            model.erase(model.begin() + at, model.begin() + at + k);
        } else {
            const int at = pick(n);
            model[static_cast<size_t>(at)].A = RowData::WithRowEnd(0, pick(3));
            t.SetA(at, model[static_cast<size_t>(at)].A);
        }
        ASSERT_EQ(t.Count(), static_cast<int>(model.size()));
        int lineEnds = 0;
        int64_t bytes = 0;
        for (int r = 0; r < t.Count(); ++r) {
            const TRowRec& m = model[static_cast<size_t>(r)];
            if (r % 97 == 0 || r == t.Count() - 1) {
                ASSERT_EQ(std::tuple(t.At(r).P, t.LineEndsBefore(r), t.BytesBefore(r)),
                          std::tuple(m.P, lineEnds, bytes));
                if (m.Len) {
                    ASSERT_EQ(t.RowOfByte(bytes), r);
                }
            }
            if (RowData::RowEnd(m.A) != reWrapped) {
                if (r % 53 == 0) {
                    ASSERT_EQ(t.RowOfLineEnd(lineEnds), r);
                }
                ++lineEnds;
            }
            bytes += m.Len + (RowData::RowEnd(m.A) == reLineEnd ? 2 : 0);
        }
        ASSERT_EQ(std::pair(t.LineEnds(), t.Bytes()), std::pair(lineEnds, bytes));
    }
}
