// The block storage of rows against a plain list.
#include <gtest/gtest.h>

#include <random>

#include "text/RowTable.h"

// Random inserts, erasures and row-end changes against a plain vector.
TEST(RowTable, MatchesAPlainListUnderRandomEdits) {
    TRowTable t;
    std::vector<TRowRec> model;
    std::mt19937 rng(42);
    auto rec = [&](int len) {
        TRowRec r;
        std::string s(static_cast<size_t>(len), 'a' + static_cast<char>(rng() % 26));
        r.P = t.StoreText(s);
        r.Len = static_cast<uint32_t>(len);
        r.A = RowData::WithRowEnd(0, static_cast<int>(rng() % 3));
        return r;
    };
    for (int step = 0; step < 400; ++step) {
        int op = static_cast<int>(rng() % 4);
        int n = static_cast<int>(model.size());
        if (op <= 1 || n == 0) {
            int at = n ? static_cast<int>(rng() % static_cast<unsigned>(n + 1)) : 0;
            int k = 1 + static_cast<int>(rng() % (step % 50 == 0 ? 5000 : 40));
            std::vector<TRowRec> recs;
            for (int i = 0; i < k; ++i)
                recs.push_back(rec(static_cast<int>(rng() % 9)));
            t.Insert(at, recs.data(), k);
            model.insert(model.begin() + at, recs.begin(), recs.end());
        } else if (op == 2) {
            int at = static_cast<int>(rng() % static_cast<unsigned>(n));
            int k = 1 + static_cast<int>(rng() % static_cast<unsigned>(
                                                     std::min(n - at, step % 30 == 0 ? 3000 : 30)));
            t.Erase(at, k);
            model.erase(model.begin() + at, model.begin() + at + k);
        } else {
            int at = static_cast<int>(rng() % static_cast<unsigned>(n));
            uint32_t a = RowData::WithRowEnd(0, static_cast<int>(rng() % 3));
            t.SetA(at, a);
            model[static_cast<size_t>(at)].A = a;
        }
        ASSERT_EQ(t.Count(), static_cast<int>(model.size()));
        // spot checks of the aggregates
        int lineEnds = 0;
        int64_t bytes = 0;
        for (int r = 0; r < t.Count(); ++r) {
            const TRowRec& m = model[static_cast<size_t>(r)];
            if (r % 97 == 0 || r == t.Count() - 1) {
                ASSERT_EQ(t.At(r).P, m.P);
                ASSERT_EQ(t.LineEndsBefore(r), lineEnds);
                ASSERT_EQ(t.BytesBefore(r), bytes);
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
        ASSERT_EQ(t.LineEnds(), lineEnds);
        ASSERT_EQ(t.Bytes(), bytes);
    }
}
