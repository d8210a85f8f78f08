// The File menu of the pages, its enabling by the main menu's rules, and the recent-list menus.
#include "mainwindow/ui/Pages.h"

#include "mainwindow/DocumentFile.h"
#include "mainwindow/MainMenu.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace {

enum RecentKind { kRecentFile = 0, kRecentFolderOpen = 1, kRecentFolderAll = 2 };

QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& key = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
}

} // namespace

QAction* TPages::Action(const char* name) const {
    return window_->findChild<QAction*>(QString::fromLatin1(name));
}

QMenu* TPages::BuildFileMenu(QMenuBar* bar) {
    QMenu* mnFile = bar->addMenu(QStringLiteral("ファイル(&F)"));
    mnFile->setObjectName("mnFile");
    connect(addItem(mnFile, "mnNew", "新規作成(&N)", QKeySequence("Ctrl+N")), &QAction::triggered,
            this, [this] { book_.New(); });
    mnfoReOpen_ = mnFile->addMenu(QStringLiteral("フォルダ履歴＆開く"));
    mnfoReOpen_->setObjectName("mnfoReOpen");
    connect(addItem(mnFile, "mnOpen", "開く(&O)", QKeySequence("Ctrl+O")), &QAction::triggered,
            this, [this] { book_.Open(); });
    mnReOpen_ = mnFile->addMenu(QStringLiteral("開き直す"));
    mnReOpen_->setObjectName("mnReOpen");
    QAction* clear = addItem(mnFile, "mnClear", "クリア");
    clear->setVisible(false);
    connect(clear, &QAction::triggered, this, [this] { Clear(); });
    connect(addItem(mnFile, "mnClose", "閉じる(&C)"), &QAction::triggered, this,
            [this] { book_.ClosePage(); });
    mnFolderReOpen_ = mnFile->addMenu(QStringLiteral("フォルダ開き直す"));
    mnFolderReOpen_->setObjectName("mnFolderReOpen");
    mnFolderReOpen_->menuAction()->setVisible(false);
    QAction* all = addItem(mnFile, "mnAllClose", "すべて閉じる(&L)");
    all->setVisible(false);
    connect(all, &QAction::triggered, this, [this] { book_.CloseEveryPage(true); });
    mnFile->addSeparator();
    // A shortcut runs the menu's enabling rule first: Ctrl+S saves only a modified page.
    connect(addItem(mnFile, "mnSave", "上書き保存(&S)", QKeySequence("Ctrl+S")),
            &QAction::triggered, this, [this] { book_.Save(); });
    connect(addItem(mnFile, "mnSaveAs", "名前を付けて保存(&A)..."), &QAction::triggered, this,
            [this] { book_.SaveAs(); });
    mnFile->addSeparator();
    connect(addItem(mnFile, "mnExit", "終了(&X)"), &QAction::triggered, this, [this] {
        if (OnExit) OnExit();
    });
    connect(mnFile, &QMenu::aboutToShow, this, &TPages::mnFileClick);
    // Outside the open menu every item stays enabled, so that the keys reach their handlers,
    // which apply the same rules.
    connect(mnFile, &QMenu::aboutToHide, this, [mnFile] {
        for (QAction* a : mnFile->actions())
            a->setEnabled(true);
    });
    for (QAction* a : mnFile->actions())
        a->setShortcutContext(Qt::WindowShortcut);
    if (recent_) {
        rebuildRecentMenu(mnReOpen_, recent_.get(), kRecentFile);
        rebuildRecentMenu(mnfoReOpen_, folders_.get(), kRecentFolderOpen);
        rebuildRecentMenu(mnFolderReOpen_, folders2_.get(), kRecentFolderAll);
    }
    return mnFile;
}

QAction* TPages::SplitAction() {
    if (!mnSplit_) {
        mnSplit_ = new QAction(QStringLiteral("２つに分割(&D)"), window_);
        mnSplit_->setObjectName("mnSplit");
        mnSplit_->setCheckable(true);
        connect(mnSplit_, &QAction::triggered, this, [this] {
            ToggleSplit();
            mnSplit_->setChecked(ActivePage() >= 0 && IsSplit(ActivePage()));
        });
    }
    return mnSplit_;
}

void TPages::mnFileClick() {
    // The rules of the main menu, on what the pages know.
    TCommandState s;
    const int index = ActivePage();
    s.PageCount = PageCount();
    if (TPageEditor* e = ActivePageEditor()) {
        s.HasEditor = true;
        s.Modified = e->Modified();
    }
    s.Untitled = index < 0 || book_.IsUntitled(index);
    s.FileExists = !s.Untitled && FileExists(book_.PathOfPage(index));
    for (const char* name : {"mnSave", "mnRename", "mnAllClose", "mnClose"})
        if (QAction* a = Action(name)) a->setEnabled(MenuItemView(name, s).Enabled);
}

void TPages::CreateRecentLists(const std::string& recordFile, int menuCount) {
    recent_ = std::make_unique<TOpenMenuList>(recordFile, TOpenMenuList::kReOpen);
    folders_ = std::make_unique<TOpenMenuList>(recordFile, TOpenMenuList::kRefoOpen);
    folders2_ = std::make_unique<TOpenMenuList>(recordFile, TOpenMenuList::kRefoOpen);
    TIniFile rec(recordFile);
    struct Bind {
        TOpenMenuList* list;
        QPointer<QMenu>* menu;
        int kind;
    };
    for (Bind b : {Bind{recent_.get(), &mnReOpen_, kRecentFile},
                   Bind{folders_.get(), &mnfoReOpen_, kRecentFolderOpen},
                   Bind{folders2_.get(), &mnFolderReOpen_, kRecentFolderAll}}) {
        b.list->OnChange = [this, b] {
            if (*b.menu) rebuildRecentMenu(*b.menu, b.list, b.kind);
        };
        b.list->Load(IniSection(rec, b.list->Section()));
        b.list->SetMaximum(menuCount);
    }
    book_.recentFiles = recent_.get();
    book_.recentFolders = {folders_.get(), folders2_.get()};
}

void TPages::SetMenuCount(int n) {
    for (TOpenMenuList* l : {recent_.get(), folders_.get(), folders2_.get()})
        if (l) l->SetMaximum(n);
}

int TPages::MenuCount() const {
    return recent_ ? recent_->Maximum() : TOpenMenuList::kMinimum;
}

bool TPages::SaveRecentLists() {
    bool ok = true;
    for (TOpenMenuList* l : {recent_.get(), folders_.get(), folders2_.get()}) {
        if (!l) continue;
        TIniFile rec(l->RecordFile());
        ok = l->Save(IniSection(rec, l->Section())) && ok;
    }
    return ok;
}

void TPages::rebuildRecentMenu(QMenu* menu, TOpenMenuList* list, int kind) {
    if (!menu) return;
    menu->clear();
    for (const TOpenMenuList::TMenuEntry& e : list->MenuEntries()) {
        const QString path = QString::fromStdString(list->Items()[static_cast<size_t>(e.Index)]);
        QAction* a = menu->addAction(QString::fromStdString(e.Caption));
        a->setData(100 + e.Index);
        connect(a, &QAction::triggered, this, [this, kind, path] { recentClicked(kind, path); });
    }
    menu->setEnabled(!menu->actions().isEmpty());
}

void TPages::recentClicked(int kind, const QString& path) {
    const std::string p = path.toStdString();
    if (kind == kRecentFile)
        book_.OpenRecentFile(p);
    else if (kind == kRecentFolderOpen)
        book_.OpenInFolder(p);
    else if (OpenFolderHook)
        OpenFolderHook(path);
}
