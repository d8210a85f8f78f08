// The search and replace dialogs: Execute results, history and persistence.
#include "search/ui/SearchDialogs.h"

#include "../../support/TempDir.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

QString Path(const TempDir& d) {
    return QString::fromStdString(d / "Brix/TStrings Property Editor.ini");
}

// Runs Execute while `act` fills in the shown dialog and clicks a button.
template <class Dialog, class Act> void WhileShown(Dialog& dlg, Act act) {
    QTimer::singleShot(0, &dlg, [&dlg, act] { act(dlg); });
}

bool Search(const QString& path, const QString& text, QString* got = nullptr,
            TSearchOptions* opts = nullptr, std::function<void(TFormSearch&)> more = {}) {
    TFormSearch dlg(nullptr, path);
    WhileShown(dlg, [&](TFormSearch& d) {
        d.ComboBox1->setEditText(text);
        if (more) more(d);
        d.btnOK->click();
    });
    QString t;
    TSearchOptions o = 0;
    const bool ok = dlg.Execute(t, o);
    if (got) *got = t;
    if (opts) *opts = o;
    return ok;
}

TEST(FormSearch, ExecuteReturnsTextAndOptions) {
    TempDir dir;
    QString got;
    TSearchOptions o = 0;
    ASSERT_TRUE(Search(Path(dir), QStringLiteral("ガ"), &got, &o, [](TFormSearch& d) {
        d.rbBackward->setChecked(true);
        d.chkNoMatchZenkaku->setChecked(true);
        d.chkIncludeCRLF->setChecked(true);
    }));
    EXPECT_EQ(got, QStringLiteral("ガ"));
    EXPECT_EQ(o, soNoMatchZenkaku | soIncludeCRLF);
}

TEST(FormSearch, OptionsAndHistorySurviveARestart) {
    TempDir dir;
    ASSERT_TRUE(Search(Path(dir), "first", nullptr, nullptr, [](TFormSearch& d) {
        d.chkMatchCase->setChecked(true);
        d.chkWholeWord->setChecked(true);
    }));
    ASSERT_TRUE(Search(Path(dir), "second"));
    TFormSearch again(nullptr, Path(dir));
    again.show();
    EXPECT_TRUE(again.chkMatchCase->isChecked());
    EXPECT_TRUE(again.chkWholeWord->isChecked());
    EXPECT_FALSE(again.chkNoMatchZenkaku->isChecked());
    ASSERT_EQ(again.ComboBox1->count(), 2);
    EXPECT_EQ(again.ComboBox1->itemText(0), "second");
    EXPECT_EQ(again.ComboBox1->itemText(1), "first");
    EXPECT_EQ(again.ComboBox1->currentText(), "second"); // the newest is pre-selected
}

TEST(FormSearch, HistoryMovesRepeatsUpAndKeeps32) {
    TempDir dir;
    for (int i = 0; i < 34; ++i)
        ASSERT_TRUE(Search(Path(dir), QString("w%1").arg(i)));
    ASSERT_TRUE(Search(Path(dir), "w10"));
    TFormSearch dlg(nullptr, Path(dir));
    dlg.show();
    ASSERT_EQ(dlg.ComboBox1->count(), 32);
    EXPECT_EQ(dlg.ComboBox1->itemText(0), "w10");
    EXPECT_EQ(dlg.ComboBox1->itemText(31), "w2"); // w0 and w1 were dropped
}

TEST(FormSearch, EmptyTextSavesOnlyTheOptions) {
    TempDir dir;
    EXPECT_FALSE(Search(Path(dir), "", nullptr, nullptr,
                        [](TFormSearch& d) { d.chkIncludeCRLF->setChecked(true); }));
    TFormSearch dlg(nullptr, Path(dir));
    dlg.show();
    EXPECT_TRUE(dlg.chkIncludeCRLF->isChecked());
    EXPECT_EQ(dlg.ComboBox1->count(), 0);
}

TEST(FormSearch, CancelSavesNothing) {
    TempDir dir;
    TFormSearch dlg(nullptr, Path(dir));
    WhileShown(dlg, [](TFormSearch& d) {
        d.ComboBox1->setEditText("x");
        d.chkMatchCase->setChecked(true);
        d.btnCancel->click();
    });
    QString t;
    TSearchOptions o;
    EXPECT_FALSE(dlg.Execute(t, o));
    EXPECT_EQ(TSearchDialogStore(Path(dir).toStdString()).ReadOptions(), TSearchDialogOptions{});
}

bool Replace(const QString& path, const QString& text, const QString& repl, bool all,
             QString* gotRepl = nullptr, TSearchOptions* opts = nullptr,
             std::function<void(TFormReplace&)> more = {}) {
    TFormReplace dlg(nullptr, path);
    WhileShown(dlg, [&](TFormReplace& d) {
        d.ComboBox1->setEditText(text);
        d.ComboBox2->setEditText(repl);
        if (more) more(d);
        (all ? d.btnAll : d.btnOK)->click();
    });
    QString t, r;
    TSearchOptions o = 0;
    const bool ok = dlg.Execute(t, r, o);
    if (gotRepl) *gotRepl = r;
    if (opts) *opts = o;
    return ok;
}

TEST(FormReplace, OkAndAllSetTheirBits) {
    TempDir dir;
    QString r;
    TSearchOptions o = 0;
    ASSERT_TRUE(Replace(Path(dir), "a", "b", false, &r, &o));
    EXPECT_EQ(r, "b");
    EXPECT_EQ(o, soDown | soReplace | soReplaceConfirm);
    ASSERT_TRUE(Replace(Path(dir), "a", "c", true, &r, &o,
                        [](TFormReplace& d) { d.chkReplaceConfirm->setChecked(false); }));
    EXPECT_EQ(o, soDown | soReplaceAll);
}

TEST(FormReplace, NeedsBothTexts) {
    TempDir dir;
    EXPECT_FALSE(Replace(Path(dir), "a", "", false));
    EXPECT_FALSE(Replace(Path(dir), "", "b", true));
    // The search text typed is still kept in its history.
    EXPECT_EQ(TSearchDialogStore(Path(dir).toStdString()).ReadHistory(kSearchItemsSection),
              std::vector<std::string>{"a"});
}

TEST(FormReplace, ConfirmIsOnAndReplacementEmptyEachTime) {
    TempDir dir;
    ASSERT_TRUE(Replace(Path(dir), "find", "put", false, nullptr, nullptr,
                        [](TFormReplace& d) { d.chkReplaceConfirm->setChecked(false); }));
    TFormReplace dlg(nullptr, Path(dir));
    dlg.show();
    EXPECT_TRUE(dlg.chkReplaceConfirm->isChecked());
    EXPECT_EQ(dlg.ComboBox2->currentText(), QString());
    EXPECT_EQ(dlg.ComboBox2->count(), 1);
    EXPECT_EQ(dlg.ComboBox2->itemText(0), "put");
    EXPECT_EQ(dlg.ComboBox1->currentText(), "find");
}

} // namespace
