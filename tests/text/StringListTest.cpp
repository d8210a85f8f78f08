// TheStringList and the block storage of rows.
#include <gtest/gtest.h>

#include <random>

#include "text/RowTable.h"
#include "text/RowStore.h"
#include "text/StringList.h"

TEST(TheStringList, FieldsGrowthAndErrors) {
    TheStringList l;
    int changing = 0, changed = 0;
    l.OnChanging = [&] { ++changing; };
    l.OnChange = [&] { ++changed; };
    std::vector<int> caps;
    for (int i = 0; i < 70; ++i) {
        l.Add("x" + std::to_string(i));
        if (caps.empty() || caps.back() != l.Capacity()) caps.push_back(l.Capacity());
    }
    // by 4 up to 8, by 16 up to 64, then a quarter
    EXPECT_EQ(caps, (std::vector<int>{4, 8, 12, 28, 44, 60, 76}));
    for (int i = 0; i < 7; ++i)
        l.Add("y");
    EXPECT_EQ(l.Capacity(), 95);
    EXPECT_EQ(changing, 77);
    EXPECT_EQ(changed, 77);
    int obj;
    l.SetDataA(3, 7);
    l.SetDataB(3, 8);
    l.SetDataStr(3, "s");
    l.SetObject(3, &obj);
    l.Insert(3, "new");
    EXPECT_EQ(l.DataA(3), 0u); // a new item starts cleared
    EXPECT_EQ(l.DataA(4), 7u);
    l.Exchange(3, 4);
    EXPECT_EQ(l.Object(3), &obj);
    EXPECT_EQ(l.DataStr(3), "s");
    EXPECT_EQ(l.Get(4), "new");
    l.BeginUpdate();
    l.BeginUpdate();
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(changed, 83); // nothing while updating
    l.EndUpdate();
    EXPECT_EQ(changed, 84);
    EXPECT_THROW(l.Get(l.Count()), EListError);
    EXPECT_THROW(l.Insert(l.Count() + 1, ""), EListError);
    EXPECT_NO_THROW(l.Insert(l.Count(), ""));
    try {
        l.Delete(-1);
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (-1)");
    }
}

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

TEST(ScreenStrings, EditorsShareAStoreAndExchangeLists) {
    struct Ed : TScreenStringsClient {
        bool focus = false;
        bool Focused() const override { return focus; }
    } a, b;
    auto one = std::make_shared<TEditorScreenStrings>();
    auto two = std::make_shared<TEditorScreenStrings>();
    std::weak_ptr<TEditorScreenStrings> watch = one;
    one->Attach(&a);
    two->Attach(&b);
    std::shared_ptr<TEditorScreenStrings> mine = one;
    one.reset();
    EXPECT_EQ(mine->ActiveEditor(), &a);
    ExchangeList(mine, &a, two);
    EXPECT_TRUE(watch.expired()); // its last editor left: freed
    EXPECT_EQ(two->Clients().size(), 2u);
    EXPECT_EQ(two->ActiveEditor(), &b);
    a.focus = true;
    EXPECT_EQ(two->ActiveEditor(), &a);
}
