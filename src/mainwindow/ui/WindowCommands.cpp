// The edit menu's insertions and the search menu of the main window.
#include "mainwindow/ui/WindowCommands.h"

#include "calendar/DateSettings.h"
#include "calendar/DateText.h"
#include "calendar/JulianDay.h"
#include "calendar/ui/DateDialog.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/EditorActions.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "platform/MessageBox.h"
#include "search/ui/SearchMenu.h"
#include "text/CharCount.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& key = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

// The menu action of fm's menu bar named name (the Window menu), null when absent.
QAction* menuNamed(TfmEditor& fm, const char* name) {
    for (QAction* a : fm.menuBar()->actions())
        if (a->menu() && a->menu()->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

} // namespace

TWindowCommands::TWindowCommands(TfmEditor& fm, TPages& pages)
    : QObject(&fm), fm_(fm), pages_(pages) {
    QMenuBar* bar = fm.menuBar();
    QAction* before = menuNamed(fm, "mnWindow");

    mnEdit = new QMenu(QStringLiteral("編集(&E)"), &fm);
    mnEdit->setObjectName(QStringLiteral("mnEdit"));
    mnInsert = mnEdit->addMenu(QStringLiteral("挿入(&I)"));
    mnInsert->setObjectName(QStringLiteral("mnInsert"));
    mnDayIn = addItem(mnInsert, "mnDayIn", QStringLiteral("日付"));
    mnDayIn->setVisible(false);
    mnHiduke = addItem(mnInsert, "mnHiduke", QStringLiteral("日付(&D)"), QKeySequence("Ctrl+D"));
    mnTimeIn = addItem(mnInsert, "mnTimeIn", QStringLiteral("時間(&T)"), QKeySequence("Ctrl+T"));
    connect(mnDayIn, &QAction::triggered, this, [this] { mnDayInClick(); });
    connect(mnHiduke, &QAction::triggered, this, [this] { mnHidukeClick(); });
    connect(mnTimeIn, &QAction::triggered, this, [this] { mnTimeInClick(); });
    // Hidden items and items of closed menus keep their keys through the window.
    fm.addActions({mnDayIn, mnHiduke, mnTimeIn});

    mnIdou = new QMenu(QStringLiteral("検索(&S)"), &fm);
    mnIdou->setObjectName(QStringLiteral("mnIdou"));
    search_ = new TSearchCommands(
        &fm, [this] { return ActiveEditor(); }, this);
    search_->AddActions(mnIdou);
    for (QAction* a : mnIdou->actions()) {
        a->setShortcutContext(Qt::WindowShortcut);
        fm.addAction(a);
    }

    bar->insertMenu(before, mnEdit);
    bar->insertMenu(before, mnIdou);

    mnSonota = bar->addMenu(QStringLiteral("その他(&O)"));
    mnSonota->setObjectName(QStringLiteral("mnSonota"));
    mnMojisuu = addItem(mnSonota, "mnMojisuu", QStringLiteral("文字数"));
    connect(mnMojisuu, &QAction::triggered, this, [this] { mnMojisuuClick(); });
}

bool TWindowCommands::mnMojisuuClick() {
    TEditor* e = ActiveEditor();
    if (!e || !e->Core().Selected()) return false;
    TEditorCore& c = e->Core();
    bool box = false;
    ShowMessage(CharCountMessage(CountCharacters(c.CopyText(box))));
    DropSelectionAfterCopy(c); // as after Copy
    return true;
}

TEditor* TWindowCommands::ActiveEditor() const {
    auto* p = dynamic_cast<TEditorPageEditor*>(pages_.ActivePageEditor());
    return p ? p->Editor() : nullptr;
}

bool TWindowCommands::InsertText(const QString& text) {
    TEditor* e = ActiveEditor();
    if (!e || text.isEmpty() || e->Core().ReadOnly()) return false;
    e->InsertUtf16(text);
    return true;
}

bool TWindowCommands::mnHidukeClick() {
    if (!ActiveEditor()) return false;
    tolmo::THidukeOptions o;
    o.isWaYMD = fm_.Settings.isWaYMD;
    o.isYoubi = fm_.Settings.isYoubi;
    o.holidayPath = fm_.HolidayFile;
    const QString text = tolmo::TfmHiduke::Execute(o, &fm_);
    return InsertText(text);
}

bool TWindowCommands::mnDayInClick() {
    const QDate today = QDate::currentDate();
    const int32_t jd = tolmo::DateToJulius(today.year(), today.month(), today.day());
    return InsertText(
        QString::fromStdString(tolmo::HidukeText(jd, fm_.Settings.isWaYMD, fm_.Settings.isYoubi)));
}

bool TWindowCommands::mnTimeInClick() {
    return InsertText(QTime::currentTime().toString(QStringLiteral("hh:mm")));
}
