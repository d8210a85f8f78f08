// Status panel, menu and save-dialog choices of the page's encoding and line ends.
#include "mainwindow/ui/EncodingUi.h"

#include "mainwindow/DocumentEncoding.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/Pages.h"
#include "platform/MessageBox.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

const TLineEndStyle kLineEnds[] = {TLineEndStyle::CrLf, TLineEndStyle::Lf, TLineEndStyle::Cr};

void reopenActive(TPages& pages, const TEncoding* e) {
    const int index = pages.ActivePage();
    TEditorPageEditor* page = pages.ActivePageEditor();
    if (index < 0 || !page || pages.Book().IsUntitled(index)) return;
    const std::string path = pages.Book().ActivePath();
    if (pages.IsModified(index) &&
        !AskYesNo("[ " + path + "] は更新されています。\r\n変更を捨てて開き直しますか？", false))
        return;
    RememberEncodingChoice(path, e);
    std::string error;
    const bool ok = e ? page->ReloadAs(path, *e, &error) : page->LoadFromFile(path, &error);
    if (!ok) {
        if (!error.empty()) ShowErrorBox("[" + path + "]を読み込めません。\r\n" + error);
        return;
    }
    pages.SetModified(index, false);
    pages.UpdatePageStatus();
}

} // namespace

void AttachEncodingUi(TfmEditor& fm, TPages& pages) {
    SetNewPageFormat(ReadNewPageFormat(fm.SettingsFile));
    EncodingChoices().Load(fm.DataFolder + kEncodingChoicesFileName);

    QLabel* panel =
        fm.AddStatusPanel(QStringLiteral("StatusPanelEncoding"), {120, true, ""}, 0, true);
    pages.OnPageStatus = [panel](TPageText* e) {
        const TPageDocument* d = e ? e->Document() : nullptr;
        panel->setText(d ? q(d->StatusText()) : QString());
    };

    auto* menu = new QMenu(QStringLiteral("文字コード(&K)"), &fm);
    menu->setObjectName(QStringLiteral("mnEncoding"));
    fm.menuBar()->insertMenu(fm.Menus->Menu("mnSonota")->menuAction(), menu);
    QMenu* reopen = menu->addMenu(QStringLiteral("文字コードを指定して開き直す(&R)"));
    reopen->setObjectName(QStringLiteral("mnReopenEncoding"));
    reopen->addAction(QStringLiteral("自動判別(&A)"), &pages,
                      [&pages] { reopenActive(pages, nullptr); });
    reopen->addSeparator();
    for (const TEncoding e : ReopenEncodings()) {
        reopen->addAction(q(EncodingName(e, false)), &pages,
                          [&pages, e] { reopenActive(pages, &e); });
    }
    QMenu* saveAs = menu->addMenu(QStringLiteral("保存する文字コード(&S)"));
    saveAs->setObjectName(QStringLiteral("mnSaveEncoding"));
    QMenu* lineEnds = menu->addMenu(QStringLiteral("保存する改行コード(&L)"));
    lineEnds->setObjectName(QStringLiteral("mnSaveLineEnd"));
    auto* encGroup = new QActionGroup(menu);
    auto* leGroup = new QActionGroup(menu);
    // The page's format changes; the next save writes it.
    auto change = [&pages](const std::function<void(TFileFormat&)>& set) {
        const int index = pages.ActivePage();
        TEditorPageEditor* page = pages.ActivePageEditor();
        TPageDocument* d = page ? page->Document() : nullptr;
        if (!d || page->ReadOnly()) return;
        TFileFormat f = d->format;
        set(f);
        if (!SetPageFormat(*d, f)) return;
        page->FormatChanged();
        pages.SetModified(index, true);
        pages.UpdatePageStatus();
    };
    for (const TFileFormat& f : ChoosableEncodings()) {
        QAction* a = saveAs->addAction(q(EncodingName(f.encoding, f.bom)));
        a->setCheckable(true);
        a->setData(q(EncodingName(f.encoding, f.bom)));
        encGroup->addAction(a);
        QObject::connect(a, &QAction::triggered, &pages, [change, f] {
            change([f](TFileFormat& g) {
                g.encoding = f.encoding;
                g.bom = f.bom;
            });
        });
    }
    for (TLineEndStyle l : kLineEnds) {
        QAction* a = lineEnds->addAction(q(LineEndName(l)));
        a->setCheckable(true);
        a->setData(q(LineEndName(l)));
        leGroup->addAction(a);
        QObject::connect(a, &QAction::triggered, &pages,
                         [change, l] { change([l](TFileFormat& g) { g.lineEnd = l; }); });
    }
    QObject::connect(menu, &QMenu::aboutToShow, &pages, [&pages, encGroup, leGroup, reopen] {
        const int index = pages.ActivePage();
        TEditorPageEditor* page = pages.ActivePageEditor();
        const TEncodingMenuState m =
            page ? EncodingMenuState(*page->Document(), !pages.Book().IsUntitled(index),
                                     page->ReadOnly())
                 : TEncodingMenuState{};
        reopen->setEnabled(m.Reopen);
        encGroup->setEnabled(m.Format);
        leGroup->setEnabled(m.Format);
        for (QAction* a : encGroup->actions())
            a->setChecked(a->data().toString() == q(m.Encoding));
        for (QAction* a : leGroup->actions())
            a->setChecked(a->data().toString() == q(m.LineEnd));
    });
}

std::function<void()> AddFormatChoices(QFileDialog& d, TEditorPageEditor* page) {
    TPageDocument* doc = page ? page->Document() : nullptr;
    auto* grid = qobject_cast<QGridLayout*>(d.layout());
    if (!doc || !grid) return [] {};
    auto* enc = new QComboBox(&d);
    enc->setObjectName(QStringLiteral("cbEncoding"));
    for (const TFileFormat& f : ChoosableEncodings())
        enc->addItem(q(EncodingName(f.encoding, f.bom)));
    enc->setCurrentText(q(EncodingName(doc->format.encoding, doc->format.bom)));
    auto* le = new QComboBox(&d);
    le->setObjectName(QStringLiteral("cbLineEnd"));
    for (TLineEndStyle l : kLineEnds)
        le->addItem(q(LineEndName(l)));
    le->setCurrentText(q(LineEndName(doc->format.lineEnd)));
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QStringLiteral("文字コード:"), &d), row, 0);
    grid->addWidget(enc, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("改行コード:"), &d), row + 1, 0);
    grid->addWidget(le, row + 1, 1);
    return [page, doc, enc, le] {
        TFileFormat f = doc->format;
        bool bom = false;
        ParseEncodingName(enc->currentText().toStdString(), &f.encoding, &bom);
        f.bom = bom;
        ParseLineEndName(le->currentText().toStdString(), &f.lineEnd);
        if (SetPageFormat(*doc, f)) page->FormatChanged();
    };
}
