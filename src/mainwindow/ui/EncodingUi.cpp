// Status panel, menu and save-dialog choices of the page's encoding and line ends.
#include "mainwindow/ui/EncodingUi.h"

#include "app/ui/QtText.h"
#include "mainwindow/pages/DocumentEncoding.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/Pages.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <array>

void AttachEncodingUi(TMainWindow& fm, TPages& pages) {
    SetNewPageFormat(ReadNewPageFormat(fm.SettingsFile));
    EncodingChoices().Load(fm.DataFolder + kEncodingChoicesFileName);

    QLabel* panel =
        fm.AddStatusPanel(QStringLiteral("StatusPanelEncoding"), {120, true, ""}, 0, true);
    pages.OnPageStatus = [panel](TPageText* e) {
        const TPageDocument* d = e ? e->Document() : nullptr;
        panel->setText(d ? QStr(d->StatusText()) : QString());
    };

    QMenu* menu = fm.Menus->Menu(TWindowMenu::Encoding);
    QMenu* reopen = menu->addMenu(QStringLiteral("文字コードを指定して開き直す(&R)"));
    reopen->setObjectName(QStringLiteral("mnReopenEncoding"));
    reopen->addAction(QStringLiteral("自動判別(&A)"), &pages,
                      [&pages] { pages.ReopenActive(pages.Book(), nullptr); });
    reopen->addSeparator();
    for (const TEncoding e : ReopenEncodings()) {
        reopen->addAction(QStr(EncodingName(e, false)), &pages,
                          [&pages, e] { pages.ReopenActive(pages.Book(), &e); });
    }
    // What the next save writes: the encoding, and the line ends.
    std::array<QActionGroup*, 2> groups{};
    for (const bool encodings : {true, false}) {
        QMenu* m = menu->addMenu(encodings ? QStringLiteral("保存する文字コード(&S)")
                                           : QStringLiteral("保存する改行コード(&L)"));
        m->setObjectName(encodings ? QStringLiteral("mnSaveEncoding")
                                   : QStringLiteral("mnSaveLineEnd"));
        auto* group = groups[encodings ? 0 : 1] = new QActionGroup(menu);
        for (const std::string& name : FormatChoiceNames(encodings)) {
            QAction* a = m->addAction(QStr(name));
            a->setCheckable(true);
            a->setData(QStr(name));
            group->addAction(a);
            QObject::connect(a, &QAction::triggered, &pages, [&pages, name] {
                pages.ChangeActiveFormat([&name](TFileFormat& f) { ApplyFormatChoice(name, f); });
            });
        }
    }
    QObject::connect(menu, &QMenu::aboutToShow, &pages, [&pages, groups, reopen] {
        const int index = pages.ActivePage();
        TEditorPageEditor* page = pages.ActivePageEditor();
        const TEncodingMenuState m =
            page ? EncodingMenuState(*page->Document(), !pages.Book().IsUntitled(index),
                                     page->ReadOnly())
                 : TEncodingMenuState{};
        reopen->setEnabled(m.Reopen);
        for (QActionGroup* g : groups) {
            g->setEnabled(m.Format);
            const QString chosen = QStr(g == groups[0] ? m.Encoding : m.LineEnd);
            for (QAction* a : g->actions())
                a->setChecked(a->data().toString() == chosen);
        }
    });
}

std::function<void()> AddFormatChoices(QFileDialog& d, TEditorPageEditor* page) {
    TPageDocument* doc = page ? page->Document() : nullptr;
    auto* grid = qobject_cast<QGridLayout*>(d.layout());
    if (!doc || !grid) return [] {};
    auto box = [&d](const char* name, bool encodings, const std::string& current) {
        auto* b = new QComboBox(&d);
        b->setObjectName(QString::fromLatin1(name));
        for (const std::string& n : FormatChoiceNames(encodings))
            b->addItem(QStr(n));
        b->setCurrentText(QStr(current));
        return b;
    };
    QComboBox* enc = box("cbEncoding", true, EncodingName(doc->format.encoding, doc->format.bom));
    QComboBox* le = box("cbLineEnd", false, LineEndName(doc->format.lineEnd));
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QStringLiteral("文字コード:"), &d), row, 0);
    grid->addWidget(enc, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("改行コード:"), &d), row + 1, 0);
    grid->addWidget(le, row + 1, 1);
    return [page, doc, enc, le] {
        TFileFormat f = doc->format;
        ApplyFormatChoice(enc->currentText().toStdString(), f);
        ApplyFormatChoice(le->currentText().toStdString(), f);
        if (SetPageFormat(*doc, f)) page->FormatChanged();
    };
}
