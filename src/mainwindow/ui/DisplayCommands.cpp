// The display commands: the settings panel's menu item and key, the view menu with the property
// and token colour dialogs, and the tab look.
#include "mainwindow/ui/DisplayCommands.h"

#include "app/ObjectIni.h"
#include "app/ui/QtText.h"
#include "editor/PropertySetStore.h"
#include "editor/ui/EditorWidget.h"
#include "editor/ui/PropertyDialog.h"
#include "editor/ui/QtConversions.h"
#include "mainwindow/DisplayPanelSteps.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/PageTabBar.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/SettingsPanel.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/IniFile.h"
#include "syntax/Fountain.h"
#include "syntax/ui/TokenColorDialog.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

TDisplayCommands::TDisplayCommands(TMainWindow& fm, TSharedObjects& dt, TPages& pages)
    : QObject(&fm), fm_(fm), dt_(dt), pages_(pages) {
    panel_ = new TSettingsPanel(fm, dt, pages);
    PropertyDialog = [this](TEditorProp& set, const QString& title) {
        return TPropertyDialog::Execute(set, &fm_, title);
    };
    FountainDialog = [this](TFountain& f) {
        const TEditorProp& look = dt_.PropSets.ForPath("x" + f.FileExtList().front());
        return TTokenColorDialog::Execute(f, &fm_, ToQFont(look.Font),
                                          ColorToQColor(look.Color, fm_.palette()),
                                          ColorToQColor(look.Font.Color, fm_.palette()));
    };

    fm.WireCommands(TCommandPart::Display,
                    {{TWindowCommand::DisplaySettings, [this] { panel_->OpenDisplaySettings(); }},
                     {TWindowCommand::CurrentSettings, [this] { ShowCurrentSettings(); }}});
    // The sets' and definitions' items are made when their menu first opens.
    QMenu* sets = fm.Menus->Menu(TWindowMenu::FileTypeSettings);
    QMenu* fountains = fm.Menus->Menu(TWindowMenu::TokenColours);
    connect(fm.Menus->Menu(TWindowMenu::View), &QMenu::aboutToShow, this,
            [this, sets, fountains] { fillShowMenus(sets, fountains); });
    // The view menu's copy in その他, which the user can reach, after "表示設定(&C)".
    QMenu* other = fm.Menus->Menu(TWindowMenu::Other);
    const QList<QAction*> items = other->actions();
    const auto at = items.indexOf(fm.Menus->Item(TWindowCommand::DisplaySettings));
    mnShowVisible = new QMenu(QStringLiteral("表示(&V)"), other);
    other->insertMenu(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, mnShowVisible);
    connect(mnShowVisible->addAction(QStringLiteral("カレント環境設定")), &QAction::triggered, this,
            [this] { ShowCurrentSettings(); });
    QMenu* setsCopy = mnShowVisible->addMenu(QStringLiteral("ファイルタイプ別設定"));
    QMenu* fountainsCopy = mnShowVisible->addMenu(QStringLiteral("トークンの色"));
    connect(mnShowVisible, &QMenu::aboutToShow, this,
            [this, setsCopy, fountainsCopy] { fillShowMenus(setsCopy, fountainsCopy); });

    connect(panel_, &TSettingsPanel::TabLookChanged, this, [this] { applyTabLook(); });
    applyTabLook();
}

// One item per property set and one per colouring definition, once.
void TDisplayCommands::fillShowMenus(QMenu* sets, QMenu* fountains) {
    if (!sets->isEmpty()) return;
    for (const TEditorProp& p : dt_.PropSets.Sets()) {
        QAction* a = sets->addAction(QStr(PropSetCaption(p.Name)));
        connect(a, &QAction::triggered, this, [this, a] { EditPropertySet(a->text()); });
    }
    for (const TFountain* f : dt_.PropSets.Fountains()) {
        QAction* a = fountains->addAction(QStr(FountainCaption(f->Name())));
        connect(a, &QAction::triggered, this, [this, a] { EditFountain(a->text()); });
    }
}

bool TDisplayCommands::ShowCurrentSettings() {
    auto* pe = pages_.ActivePageEditor();
    if (!pe || !pe->Editor()) return false;
    TEditorProp p;
    p.Assign(pe->Editor()->Core());
    if (!PropertyDialog || !PropertyDialog(p, QStringLiteral("カレント環境設定"))) return false;
    p.AssignTo(pe->Editor()->Core());
    return true;
}

bool TDisplayCommands::EditPropertySet(const QString& caption) {
    const std::string name = PropSetName(caption.toStdString());
    TEditorProp* set = dt_.PropSets.Find(name);
    if (!set || !PropertyDialog) return false;
    TEditorProp edited(*set);
    if (!PropertyDialog(edited, QString::fromStdString(name))) return false;
    auto* pe = pages_.ActivePageEditor();
    StorePropertySet(dt_.PropSets, *set, edited, name, fm_.SettingsFile,
                     pe ? &pe->Editor()->Core() : nullptr, pe ? pages_.Book().ActivePath() : "");
    return true;
}

bool TDisplayCommands::EditFountain(const QString& caption) {
    const std::string name = FountainName(caption.toStdString());
    TFountain* f = dt_.PropSets.FindFountain(name);
    if (!f || !FountainDialog || !FountainDialog(*f)) return false;
    TIniFile ini(fm_.SettingsFile);
    WriteObjectToIni(f->SaveToBytes(), ini, name, "prop");
    return true;
}

void TDisplayCommands::applyTabLook() {
    const TDisplayPanelValues& v = panel_->TabLook();
    TPageTabBar::TLook look;
    const QPalette pal = fm_.palette();
    look.ActBk = ColorToQColor(v.TabColorAct, pal);
    look.DeActBk = ColorToQColor(v.TabColorDeAct, pal);
    look.DeActFg = ColorToQColor(v.TabFontDeAct, pal);
    look.FixedWidth = TabFixedWidth(v.TabStyle, v.TabLen);
    pages_.TabBar()->SetLook(look);
}
