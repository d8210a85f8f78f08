// The display commands: the settings panel's menu item and key, the view menu with the property
// and token colour dialogs, and the tab look.
#include "mainwindow/ui/DisplayCommands.h"

#include "app/ObjectIni.h"
#include "editor/PropertySetStore.h"
#include "editor/ui/EditorWidget.h"
#include "editor/ui/PropertyDialog.h"
#include "editor/ui/QtConversions.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/PageTabBar.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/SettingsPanel.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/IniFile.h"
#include "syntax/Fountain.h"
#include "syntax/ui/TokenColorDialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include <cstring>

namespace {

QAction* ActionNamed(QMenu* menu, const char* name) {
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TDisplayCommands::TDisplayCommands(TfmEditor& fm, TdtEditor& dt, TPages& pages)
    : QObject(&fm), fm_(fm), dt_(dt), pages_(pages) {
    panel_ = new TSettingsPanel(fm, dt, pages);
    PropertyDialog = [this](TEditorProp& set, const QString& title) {
        return TFormViewEditor::Execute(set, &fm_, title);
    };
    FountainDialog = [this](TFountain& f) {
        const TEditorProp& look = dt_.PropSets.ForPath("x" + f.FileExtList().front());
        return TFormFountainEditor::Execute(f, &fm_, ToQFont(look.Font),
                                            ToQColor(look.Color, fm_.palette()),
                                            ToQColor(look.Font.Color, fm_.palette()));
    };

    // その他(&O) → "表示設定(&C)", before "オプション設定(&O)" when that item is there.
    QMenu* mnSonota = fm.menuBar()->findChild<QMenu*>(QStringLiteral("mnSonota"));
    if (!mnSonota) {
        mnSonota = fm.menuBar()->addMenu(QStringLiteral("その他(&O)"));
        mnSonota->setObjectName(QStringLiteral("mnSonota"));
    }
    mnHyoujiSet = new QAction(QStringLiteral("表示設定(&C)"), mnSonota);
    mnHyoujiSet->setObjectName(QStringLiteral("mnHyoujiSet"));
    mnSonota->insertAction(ActionNamed(mnSonota, "mnSet"), mnHyoujiSet);
    connect(mnHyoujiSet, &QAction::triggered, this, [this] { panel_->mnHyoujiSetClick(); });

    // The view menu "表示(&V)" of the menu bar, which the bar does not show.
    mnShow = fm.menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnShow->setObjectName(QStringLiteral("mnShow"));
    mnShow->menuAction()->setVisible(false);
    buildShowItems(mnShow, true);

    // Once every part has built its menus and keys: the view menu's visible copy in その他, and
    // Shift+F1 unless a command of the window already answers that key.
    QTimer::singleShot(0, this, [this] { completeMenus(); });

    connect(panel_, &TSettingsPanel::TabLookChanged, this, [this] { applyTabLook(); });
    applyTabLook();
}

void TDisplayCommands::completeMenus() {
    if (QMenu* mnSonota = fm_.menuBar()->findChild<QMenu*>(QStringLiteral("mnSonota"))) {
        mnShowVisible = new QMenu(QStringLiteral("表示(&V)"), mnSonota);
        buildShowItems(mnShowVisible, false);
        QAction* after = ActionNamed(mnSonota, "mnHyoujiSet");
        const QList<QAction*> items = mnSonota->actions();
        const int i = after ? static_cast<int>(items.indexOf(after)) : -1;
        mnSonota->insertMenu(i >= 0 && i + 1 < items.size() ? items[i + 1] : nullptr,
                             mnShowVisible);
    }
    const QKeySequence key(Qt::SHIFT | Qt::Key_F1);
    for (QAction* a : fm_.findChildren<QAction*>())
        if (a->shortcut() == key) return;
    for (QShortcut* s : fm_.findChildren<QShortcut*>())
        if (s->key() == key) return;
    auto* shiftF1 = new QShortcut(key, &fm_);
    shiftF1->setContext(Qt::WindowShortcut);
    connect(shiftF1, &QShortcut::activated, this, [this] { panel_->mnHyoujiSetClick(); });
}

// カレント環境設定, ファイルタイプ別設定 with one item per property set and トークンの色 with one
// item per colouring definition; the submenus' items are made when they are first shown.
void TDisplayCommands::buildShowItems(QMenu* menu, bool designNames) {
    QAction* current = menu->addAction(QStringLiteral("カレント環境設定"));
    connect(current, &QAction::triggered, this, [this] { mnuEditorPropertyClick(); });
    QMenu* sets = menu->addMenu(QStringLiteral("ファイルタイプ別設定"));
    QMenu* fountains = menu->addMenu(QStringLiteral("トークンの色"));
    if (designNames) {
        current->setObjectName(QStringLiteral("mnProperty1"));
        sets->setObjectName(QStringLiteral("mnEditorPropAttribute"));
        fountains->setObjectName(QStringLiteral("mnFountainAttribute"));
        mnProperty1 = current;
        mnEditorPropAttribute = sets;
        mnFountainAttribute = fountains;
    }
    connect(menu, &QMenu::aboutToShow, this, [this, sets, fountains] {
        if (sets->isEmpty()) buildShowMenu(sets, fountains);
    });
}

// The items of the two submenus.
void TDisplayCommands::buildShowMenu(QMenu* sets, QMenu* fountains) {
    for (const TEditorProp& p : dt_.PropSets.Sets()) {
        QAction* a = sets->addAction(Q(PropSetCaption(p.Name)));
        connect(a, &QAction::triggered, this, [this, a] { EditPropertySet(a->text()); });
    }
    for (const TFountain* f : dt_.PropSets.Fountains()) {
        QAction* a = fountains->addAction(Q(FountainCaption(f->Name())));
        connect(a, &QAction::triggered, this, [this, a] { EditFountain(a->text()); });
    }
}

bool TDisplayCommands::mnuEditorPropertyClick() {
    auto* pe = dynamic_cast<TEditorPageEditor*>(pages_.ActivePageEditor());
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
    set->Assign(edited);
    set->Name = name;
    TIniFile ini(fm_.SettingsFile);
    WriteObjectToIni(PropertySetToBytes(*set), ini, name, "prop");
    // The active control takes it when the page is of the set's kind.
    const int page = pages_.ActivePage();
    auto* pe = dynamic_cast<TEditorPageEditor*>(pages_.ActivePageEditor());
    if (page >= 0 && pe && pe->Editor() &&
        dt_.PropSets.SetShowsPath(*set, pages_.Book().PathOfPage(page)))
        set->AssignTo(pe->Editor()->Core());
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
    look.ActBk = ToQColor(v.TabColorAct, pal);
    look.DeActBk = ToQColor(v.TabColorDeAct, pal);
    look.DeActFg = ToQColor(v.TabFontDeAct, pal);
    look.FixedWidth = TabFixedWidth(v.TabStyle, v.TabLen);
    pages_.TabBar()->SetLook(look);
}
