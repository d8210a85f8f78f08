// The file commands in a real main window: an external editor, the browser and the options.
#include "mainwindow/ui/FileCommandsWindow.h"
#include "MainWindowFixture.h"

#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/AddressClicks.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/WindowCommands.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "setup/ui/OptionsDialog.h"
#include "setup/ui/SetupDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class FileCommandsWindowTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MakeWindow();
        cmds = new TWindowCommands(*fm, *pages);
        files = new TFileCommandsWindow(*fm, *pages);
        pages->Book().firstShow = false;
    }
    TEditor* open(const std::string& path, const std::string& utf8) {
        TempDir::Write(path, Utf8ToCp932(utf8));
        EXPECT_TRUE(pages->Book().OpenFile(path));
        return cmds->ActiveEditor();
    }
    std::string script(const std::string& name, const std::string& body) {
        TempDir::Write(d / name, "#!/bin/sh\n" + body);
        chmod((d / name).c_str(), 0755);
        return d / name;
    }

    TWindowCommands* cmds = nullptr;
    TFileCommandsWindow* files = nullptr;
};

TEST_F(FileCommandsWindowTest, ExternalEditorChangesTheFileWhileTheWindowWorks) {
    const std::string memo = d / "my memo 'x'.txt";
    TEditor* e = open(memo, "元の文\r\n");
    ASSERT_NE(e, nullptr);
    // The fake editor waits a moment, then writes into the file it was given (one argument).
    fm->Settings.isEditor = true;
    fm->Settings.Editor = script("editor.sh", "sleep 0.3\n[ $# -eq 1 ] || exit 1\n"
                                              "printf '\\202\\240 changed\\r\\n' > \"$1\"\n");
    fm->Menus->Trigger(TWindowCommand::ExternalEditor);
    ASSERT_TRUE(files->Commands().ExternalEditRunning()) << sink.texts().size();
    EXPECT_TRUE(e->Core().ReadOnly());
    EXPECT_EQ(fm->ExternalEditorFile, memo);
    EXPECT_FALSE(fm->close()); // closing is refused meanwhile
    QElapsedTimer t;
    t.start();
    int turns = 0;
    while (files->Commands().ExternalEditRunning() && t.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        ++turns;
    }
    EXPECT_GT(turns, 1); // the window kept handling events
    ASSERT_FALSE(files->Commands().ExternalEditRunning());
    EXPECT_EQ(Cp932ToUtf8(e->Core().Text()), "あ changed\r\n");
    EXPECT_FALSE(e->Core().ReadOnly()); // the safety copy is the core test's
    EXPECT_TRUE(fm->ExternalEditorFile.empty());
}

TEST_F(FileCommandsWindowTest, AddressesAreFoundAndReachTheBrowserAsOneArgument) {
    TEditor* e = open(d / "links.txt", "見て https://example.com/a?b=1 です\r\n");
    ASSERT_NE(e, nullptr);
    fm->resize(700, 400);
    fm->Passes().Show(); // the pages are already there
    fm->show();
    QApplication::processEvents();
    EXPECT_EQ(AddressAt(*e, e->CellOrigin(0, 12) + QPoint(2, 2)).text, "https://example.com/a?b=1");
    EXPECT_EQ(AddressAt(*e, e->CellOrigin(0, 1) + QPoint(2, 2)).kind, 0);

    // The browser of the options gets the address as one argument, shell characters and all.
    const std::string out = d / "browser.out";
    fm->Settings.isBrowser = true;
    // The script writes aside and renames, so the file appears only when it is whole.
    fm->Settings.Browser =
        script("browser.sh", "printf '%s|%s' \"$#\" \"$1\" > '" + out + ".part' && mv '" + out +
                                 ".part' '" + out + "'\n");
    auto* clicks = fm->findChild<TAddressClicks*>();
    ASSERT_NE(clicks, nullptr);
    const std::string nasty = "http://x/?a='b c'&d=$(touch " + std::string(d / "pwned") + ")";
    EXPECT_TRUE(clicks->OpenAddress(nasty));
    QElapsedTimer t2;
    t2.start();
    while (!fs::exists(out) && t2.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(TempDir::Read(out), "1|" + nasty);
    EXPECT_FALSE(fs::exists(d / "pwned"));
}

TEST_F(FileCommandsWindowTest, AcceptedOptionsApplyAtOnceAndStayAfterClosing) {
    fm->SettingsFile = d / "Tolmo.ini";
    files->OpenOptions = [&] {
        return RunOptionsDialog(fm.get(), fm->Settings, fm->SettingsFile, info.programFolder);
    };
    files->UpdateDialogItems();
    auto withDialog = [&](std::function<void(TOptionsDialog&)> act) {
        QTimer::singleShot(0, [act] {
            auto* dlg = qobject_cast<TOptionsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            act(*dlg);
        });
        fm->Menus->Item(TWindowCommand::Options)->trigger();
    };
    const int count = pages->Recent().MenuCount();
    const bool ask = pages->Book().knKakunin;
    ASSERT_FALSE(fm->StatusShowsRows);
    withDialog([](TOptionsDialog& s) {
        s.Form->Get<QSpinBox>("edtMenuCount")->setValue(20);
        s.Form->Get<QPushButton>("btnCancel")->click();
    });
    EXPECT_EQ(pages->Recent().MenuCount(), count);

    withDialog([&](TOptionsDialog& s) {
        s.Form->Get<QSpinBox>("edtMenuCount")->setValue(20);
        s.Form->Get<QCheckBox>("cbKnKakunin")->setChecked(!ask);
        s.Form->Get<QRadioButton>("rbWpLine")->setChecked(true);
        s.Form->Get<QCheckBox>("cbisEditor")->setChecked(true);
        s.Form->Get<QPushButton>("BitBtn1")->click();
    });
    EXPECT_EQ(pages->Recent().MenuCount(), 20);
    EXPECT_EQ(pages->Book().knKakunin, !ask);
    EXPECT_TRUE(fm->StatusShowsRows);
    EXPECT_TRUE(fm->Settings.isEditor);
    // A display mode picked in the menu since stays when the option itself is left alone.
    fm->StatusShowsRows = false;
    pages->SetRowColMode(false);
    withDialog([](TOptionsDialog& s) { s.Form->Get<QPushButton>("BitBtn1")->click(); });
    EXPECT_FALSE(fm->StatusShowsRows);
    // Closing writes the window's values: the new list size is not taken back.
    EXPECT_TRUE(fm->close());
    EXPECT_EQ(TIniFile(fm->SettingsFile).ReadInteger("Set", "MenuCount", 0), 20);
}

} // namespace
