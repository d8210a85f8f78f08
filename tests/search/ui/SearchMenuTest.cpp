// The main window's search commands on a live editing control: the dialogs' texts and options
// reach the search, a search waits for a loading text, the replace questions and the message.
#include "search/ui/SearchMenu.h"

#include "../../support/RecordingSink.h"
#include "../../support/TempDir.h"
#include "editor/ui/EditorWidget.h"
#include "platform/Cp932.h"
#include "search/ui/SearchDialogs.h"
#include "text/BackgroundLoad.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

struct Window {
    TempDir dir;
    QWidget window;
    TEditor* editor;
    TSearchCommands commands;
    explicit Window(std::string_view text)
        : editor(new TEditor(&window)), commands(&window, [this] { return editor; }) {
        window.setWindowTitle(QStringLiteral("トルモ -Tolmo-"));
        window.resize(600, 400);
        editor->resize(600, 400);
        editor->SetText(text);
        commands.StorePath = QString::fromStdString(dir / "search.ini");
    }
};

// Runs `act` on the next modal widget of type W once the event loop shows it.
template <class W> void OnModal(std::function<void(W*)> act) {
    QTimer::singleShot(0, [act] {
        W* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w) {
            ADD_FAILURE() << "no modal dialog";
            if (QApplication::activeModalWidget()) QApplication::activeModalWidget()->close();
            return;
        }
        act(w);
    });
}

TEST(SearchCommands, TypingAndASearchWhileTheTextIsStillLoading) {
    // A text read in small pieces after its head: typing at the top does not wait for the rest,
    // and a search waits for it and finds a word in the last line at its place after the typing.
    Window w("");
    const std::string path = w.dir / "big.txt";
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + " \x82\xA0\x82\xA2 words\r\n";
    text += "the needle here\r\n";
    TempDir::Write(path, text);
    auto load = std::make_unique<TBackgroundLoad>();
    std::string error;
    ASSERT_TRUE(load->Open(path, 2000, &error)) << error;
    load->SetPieceBytes(20000);
    w.editor->BeginLoad(std::move(load));
    ASSERT_TRUE(w.editor->Core().Rows().LoadPending());
    w.editor->Core().SetSelText("typed ");
    w.commands.State.Text = "needle";
    ASSERT_TRUE(w.commands.FindNext());
    EXPECT_EQ(w.editor->Core().SelStart(), static_cast<int>(text.size()) + 6 - 13);
    EXPECT_EQ(w.editor->Core().Text(), "typed " + text);
}

TEST(SearchCommands, FindWithTheDialog) {
    Window w(Utf8ToCp932("abc ＡＢＣ\r\n"));
    OnModal<TSearchDialog>([](TSearchDialog* d) {
        d->Form->Get<QComboBox>("ComboBox1")->setEditText(QStringLiteral("ABC"));
        d->Form->Get<QCheckBox>("chkNoMatchZenkaku")->setChecked(true);
        d->Form->Get<QCheckBox>("chkMatchCase")->setChecked(true);
        d->Form->Get<QPushButton>("btnOK")->click();
    });
    w.editor->Core().SetCaret(0, 1);
    ASSERT_TRUE(w.commands.FindFirst());
    EXPECT_EQ(w.editor->Core().SelStart(), 4);
    EXPECT_EQ(w.commands.State.Text, "ABC");
    EXPECT_EQ(w.commands.State.Options, soDown | soMatchCase | soNoMatchZenkaku);
}

TEST(SearchCommands, ReplaceAskingEachTime) {
    Window w("a a a\r\n");
    RecordingSink sink;
    OnModal<TReplaceDialog>([](TReplaceDialog* d) {
        d->Form->Get<QComboBox>("ComboBox1")->setEditText("a");
        d->Form->Get<QComboBox>("ComboBox2")->setEditText("b");
        d->Form->Get<QPushButton>("btnAll")->click();
        // The questions follow: Yes, then No, then All.
        OnModal<QMessageBox>([](QMessageBox* q) {
            q->button(QMessageBox::Yes)->click();
            OnModal<QMessageBox>([](QMessageBox* q2) {
                q2->button(QMessageBox::No)->click();
                OnModal<QMessageBox>(
                    [](QMessageBox* q3) { q3->button(QMessageBox::YesToAll)->click(); });
            });
        });
    });
    EXPECT_EQ(w.commands.ReplaceText(), 2);
    EXPECT_EQ(w.editor->Core().Text(), "b a b\r\n");
    ASSERT_EQ(sink.boxes.size(), 1u); // not found at the end, told under the window's title
    EXPECT_EQ(sink.boxes[0].caption, "トルモ -Tolmo-");
}

} // namespace
