// Packed rows of a row-table block read back as they went in, at the packed form's limits.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <tuple>
#include <vector>

#include "text/PackedRows.h"

namespace {
// The packed rows never read the text bytes, so addresses far apart can be made up.
const char* At(uintptr_t base, int64_t d) {
    return reinterpret_cast<const char*>(base + static_cast<uintptr_t>(d));
}
constexpr uintptr_t kBase = uintptr_t{1} << 40;

TRowRec Row(const char* p, uint32_t len, uint32_t a = 0, uint32_t b = 0, uint32_t x = 0) {
    return {len ? p : nullptr, len, a, b, x};
}

auto Fields(const TRowRec& r) {
    return std::tuple(reinterpret_cast<uintptr_t>(r.P), r.Len, r.A, r.B, r.Extra);
}

// Every row reads back as in the model (and the block has the packed form given).
void ExpectSame(const TPackedRows& rows, const std::vector<TRowRec>& model, int form = -1) {
    if (form >= 0) {
        EXPECT_EQ(rows.Form(), form);
    }
    ASSERT_EQ(rows.Count(), model.size());
    for (size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(Fields(rows[i]), Fields(model[i])) << i;
        ASSERT_EQ(rows.RowEnd(i), RowData::RowEnd(model[i].A)) << i;
    }
}
} // namespace

// Steps of up to 64 KiB from a group's first text keep the short form, offsets of exactly ±2 GiB
// from the first row, lengths up to 16 KiB and all-ones data words stay packed; one byte further
// turns the block long or wide, and every row still reads back the same.
TEST(PackedRows, RoundTripsAtTheLimits) {
    std::vector<TRowRec> near;
    for (size_t i = 0; i < 3 * TPackedRows::Group; ++i)
        near.push_back(i % 5 == 1 ? Row(nullptr, 0, reLineEnd)
                                  : Row(At(kBase, int64_t(i % TPackedRows::Group) * 4369 +
                                                      int64_t(i / TPackedRows::Group) * 70000),
                                        i % 3 ? 80 : TPackedRows::MaxPackedLen, reWrapped));
    TPackedRows shortRows(near.data(), near.size());
    ExpectSame(shortRows, near, TPackedRows::fmShort); // the last step of a group is 65535
    // The group's last row a step further: the block turns long, the rows read back the same.
    shortRows.Erase(near.size() - 1, 1);
    near.back() = Row(At(kBase, 2 * 70000 + 65536), 1);
    shortRows.Append(near.back());
    ExpectSame(shortRows, near, TPackedRows::fmLong);

    TPackedRows rows;
    const std::vector<TRowRec> model = {
        Row(At(kBase, 0), 1, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu),
        Row(At(kBase, INT32_MAX), TPackedRows::MaxPackedLen, reTextEnd),
        Row(At(kBase, INT32_MIN), 7, 3),
        Row(nullptr, 0, reLineEnd | 0xFF00u),
    };
    for (const TRowRec& r : model)
        rows.Append(r);
    ExpectSame(rows, model, TPackedRows::fmLong);

    for (const TRowRec& r : {Row(At(kBase, int64_t{INT32_MAX} + 1), 2, reWrapped),
                             Row(At(kBase, 5), TPackedRows::MaxPackedLen + 1),
                             Row(At(kBase, 9), UINT32_MAX, 0xFFFFFFFFu)}) {
        TPackedRows wide = rows;
        std::vector<TRowRec> m = model;
        wide.Append(r);
        m.push_back(r);
        ExpectSame(wide, m, TPackedRows::fmWide);
    }

    // Assigned rows are packed around the middle of their span: just under 4 GiB fits.
    const int64_t span = int64_t{INT32_MAX} * 2;
    std::vector<TRowRec> far = {Row(At(kBase, span), 3), Row(At(kBase, 0), 4, reWrapped)};
    TPackedRows assigned(far.data(), far.size());
    ExpectSame(assigned, far, TPackedRows::fmLong);
    far.push_back(Row(At(kBase, span + 1), 1));
    assigned.Assign(far.data(), far.size());
    ExpectSame(assigned, far, TPackedRows::fmWide);
    far.pop_back();
    assigned.Assign(far.data(), far.size()); // packed again once the far row is gone
    ExpectSame(assigned, far, TPackedRows::fmLong);
}

// Now and then a text too far away or too long to pack.
TEST(PackedRows, MatchesAPlainListUnderRandomChanges) {
    std::mt19937_64 rng(7);
    auto value = [&]() -> uint32_t { // mostly 0, else all ones or anything
        const auto k = rng() % 4;
        return k == 0 ? static_cast<uint32_t>(rng()) : k == 1 ? UINT32_MAX : 0;
    };
    int64_t next = 0; // texts mostly one after the other, as a load lays them out
    auto rec = [&] {
        const bool farAway = rng() % 50 == 0, tooLong = rng() % 60 == 0;
        next += static_cast<int64_t>(rng() % (rng() % 20 ? 300 : 1u << 20));
        const int64_t d = farAway ? int64_t{3} << 31 : next;
        const uint32_t len = tooLong ? TPackedRows::MaxPackedLen + 1
                                     : static_cast<uint32_t>(rng() % 3 == 0 ? 0 : rng() % 200);
        return Row(At(kBase, d), len, rng() % 3 ? static_cast<uint32_t>(rng() % 3) : value(),
                   rng() % 3 ? 0 : value(), rng() % 5 ? 0 : value());
    };
    for (int round = 0; round < 20; ++round) {
        TPackedRows rows;
        std::vector<TRowRec> model;
        for (int step = 0; step < 300; ++step) {
            const size_t n = model.size();
            const auto op = rng() % 8;
            const size_t i = n ? rng() % n : 0;
            if (op <= 1 || n == 0) {
                const size_t at = rng() % (n + 1), k = 1 + rng() % 20;
                std::vector<TRowRec> add;
                for (size_t j = 0; j < k; ++j)
                    add.push_back(rec());
                if (op == 0 && at == n)
                    for (const TRowRec& r : add)
                        rows.Append(r);
                else
                    rows.Insert(at, add.data(), add.size());
                model.insert(model.begin() + static_cast<long>(at), add.begin(), add.end());
            } else if (op == 2) {
                const size_t k = 1 + rng() % std::min<size_t>(n - i, 15);
                rows.Erase(i, k);
                model.erase(model.begin() + static_cast<long>(i),
                            model.begin() + static_cast<long>(i + k));
            } else if (op == 3) {
                const TRowRec r = rec();
                rows.SetText(i, r.P, r.Len);
                std::tie(model[i].P, model[i].Len) = std::tie(r.P, r.Len);
            } else if (op <= 6) {
                using Setter = void (TPackedRows::*)(size_t, uint32_t);
                const std::pair<Setter, uint32_t TRowRec::*> fields[] = {
                    {&TPackedRows::SetA, &TRowRec::A},
                    {&TPackedRows::SetB, &TRowRec::B},
                    {&TPackedRows::SetExtra, &TRowRec::Extra}};
                const auto [set, field] = fields[op - 4];
                const uint32_t v = value();
                (rows.*set)(i, v);
                model[i].*field = v;
            } else {
                rows.Assign(model.data(), model.size());
            }
            ASSERT_NO_FATAL_FAILURE(ExpectSame(rows, model))
                << "round " << round << " step " << step;
        }
    }
}
