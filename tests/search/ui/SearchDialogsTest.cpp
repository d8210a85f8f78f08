// The search and replace dialogs' wiring: Execute gives the text and the option bits of the
// controls, Cancel keeps nothing, the replace dialog's buttons set their mode.
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
        d.Form->Get<QComboBox>("ComboBox1")->setEditText(text);
        if (more) more(d);
        d.Form->Get<QPushButton>("btnOK")->click();
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
        d.Form->Get<QRadioButton>("rbBackward")->setChecked(true);
        d.Form->Get<QCheckBox>("chkNoMatchZenkaku")->setChecked(true);
        d.Form->Get<QCheckBox>("chkIncludeCRLF")->setChecked(true);
    }));
    EXPECT_EQ(got, QStringLiteral("ガ"));
    EXPECT_EQ(o, soNoMatchZenkaku | soIncludeCRLF);
}

TEST(FormSearch, CancelSavesNothing) {
    TempDir dir;
    TFormSearch dlg(nullptr, Path(dir));
    WhileShown(dlg, [](TFormSearch& d) {
        d.Form->Get<QComboBox>("ComboBox1")->setEditText("x");
        d.Form->Get<QCheckBox>("chkMatchCase")->setChecked(true);
        d.Form->Get<QPushButton>("btnCancel")->click();
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
        d.Form->Get<QComboBox>("ComboBox1")->setEditText(text);
        d.Form->Get<QComboBox>("ComboBox2")->setEditText(repl);
        if (more) more(d);
        (all ? d.Form->Get<QPushButton>("btnAll") : d.Form->Get<QPushButton>("btnOK"))->click();
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
    ASSERT_TRUE(Replace(Path(dir), "a", "c", true, &r, &o, [](TFormReplace& d) {
        d.Form->Get<QCheckBox>("chkReplaceConfirm")->setChecked(false);
    }));
    EXPECT_EQ(o, soDown | soReplaceAll);
}

} // namespace
