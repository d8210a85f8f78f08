// Wiring of the pages into TMainWindow and TSharedObjects.
#include "mainwindow/ui/PagesAttach.h"

#include "app/ShellUtil.h"
#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/pages/OpenMenuList.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/ui/QtMessageSink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>

namespace {

// The open-file list belongs to the data module: it outlives the main window and is written
// when the module goes.
class TFileListHolder : public QObject {
  public:
    using QObject::QObject;
    TMyFileList list;
};

// Status panels 0..6 with their design widths, alignments and first texts.
void buildStatusPanels(TMainWindow& fm, TPages* pages) {
    // What each panel tells, for a screen reader that reads the panel's text as its name.
    static const char* const about[7] = {"カーソル位置",  "読み取り専用", "入力モード",
                                         "Caps Lock",     "かなロック",   "Num Lock",
                                         "ファイルのパス"};
    std::vector<QLabel*> labels;
    for (int i = 0; i < 7; ++i) {
        labels.push_back(fm.AddStatusPanel(QStringLiteral("StatusPanel%1").arg(i), kStatusPanels[i],
                                           i == 6 ? 1 : 0));
        labels.back()->setAccessibleDescription(QString::fromUtf8(about[i]));
    }
    pages->SetStatusPanel = [labels](int panel, const std::string& text) {
        if (panel < 0 || panel >= static_cast<int>(labels.size())) return;
        labels[static_cast<std::size_t>(panel)]->setText(QString::fromStdString(text));
        if (panel == 6) labels[6]->repaint();
    };
}

} // namespace

TPages* AttachPages(TMainWindow& fm, TSharedObjects& dt) {
    auto* holder = new TFileListHolder(&dt);
    TPagePropSets* sets = &dt.PropSets;
    auto* pages = new TPages(&fm, holder->list, [sets](QWidget* parent) {
        return std::make_unique<TEditorPageEditor>(parent, *sets);
    });
    dt.SaveFileList = [holder] {
        return SaveOpenFileList(WindowAsker(), holder->list, ProgramFile());
    };

    // PageControl1 fills the client area beside the display settings panel.
    if (auto* client = qobject_cast<QHBoxLayout*>(fm.pnlClient->layout())) {
        for (int i = client->count() - 1; i >= 0; --i)
            if (client->itemAt(i)->spacerItem()) delete client->takeAt(i);
        client->addWidget(pages->PageControl1(), 1);
    }

    TPageBook& book = pages->Book();
    using W = TWindowCommand;
    fm.WireCommands(TCommandPart::Pages, {{W::New, [&book] { book.New(); }},
                                          {W::Open, [&book] { book.Open(); }},
                                          {W::Clear, [pages] { pages->Clear(); }},
                                          {W::Close, [&book] { book.ClosePage(); }},
                                          {W::CloseAll, [&book] { book.CloseEveryPage(true); }},
                                          {W::Save, [&book] { book.Save(); }},
                                          {W::SaveAs, [&book] { book.SaveAs(); }},
                                          {W::Exit, [&fm] { fm.close(); }},
                                          {W::Split, [pages] { pages->ToggleSplit(); }}});
    buildStatusPanels(fm, pages);

    pages->SetProgramFolder(fm.StartUp.programFolder);
    pages->Book().dataFolder = fm.DataFolder;
    pages->SetKnKakunin(fm.Settings.KnKakunin);
    pages->SetPageToActivate(fm.Settings.Page);
    pages->Book().expandPath = [](const std::string& s) { return ExpandLongPath(s); };
    pages->CreateRecentLists(RecordFilePath(fm.DataFolder, ProgramFile()), fm.Settings.MenuCount);
    pages->SetRecentMenus(fm.Menus->Menu(TWindowMenu::Reopen),
                          fm.Menus->Menu(TWindowMenu::FolderHistory),
                          fm.Menus->Menu(TWindowMenu::FolderReopen));

    fm.OnFirstShow = [&fm, pages] {
        TIniFile ini(fm.SettingsFile);
        pages->SetRowColMode(fm.Settings.isWpLine);
        pages->FirstShow(ini, fm.StartUp.args);
        if (!pages->Book().holidayFile.empty()) fm.HolidayFile = pages->Book().holidayFile;
    };
    // Lines a second start handed over through the window's channel MemMapEvt1.
    fm.OnHandOffLines = [pages](const std::vector<std::string>& lines) {
        pages->Book().OpenHandedOver(lines);
    };
    QObject::connect(&fm, &TMainWindow::OptionsApplied, pages,
                     [&fm, pages](const TSettings& before) {
                         pages->Recent().SetMenuCount(fm.Settings.MenuCount);
                         pages->SetKnKakunin(fm.Settings.KnKakunin);
                         // The caret display follows the option only when it changed: a mode picked
                         // in the menu since the start stays otherwise.
                         if (fm.Settings.isWpLine != before.isWpLine) {
                             fm.StatusShowsRows = fm.Settings.isWpLine;
                             pages->SetRowColMode(fm.Settings.isWpLine);
                         }
                     });
    fm.OnCloseQueryPages = [&fm, pages] {
        const bool agreed = pages->CloseQuery();
        fm.Settings.Page = pages->PageToActivate();
        fm.Settings.MenuCount = pages->Recent().MenuCount();
        return agreed;
    };
    return pages;
}
