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
#include "platform/ui/QtMessageSink.h"
#include "search/ui/SearchMenu.h"
#include "text/CharCount.h"

#include <QDateTime>

TWindowCommands::TWindowCommands(TMainWindow& fm, TPages& pages)
    : QObject(&fm), fm_(fm), pages_(pages) {
    search_ = new TSearchCommands(
        &fm, [this] { return ActiveEditor(); }, this);
    using W = TWindowCommand;
    fm.WireCommands(TCommandPart::Text, {{W::InsertToday, [this] { InsertToday(); }},
                                         {W::InsertDate, [this] { InsertDate(); }},
                                         {W::InsertTime, [this] { InsertTime(); }},
                                         {W::CharacterCount, [this] { ShowCharacterCount(); }},
                                         {W::Find, [this] { search_->FindFirst(); }},
                                         {W::FindPrevious, [this] { search_->FindPrevious(); }},
                                         {W::FindNext, [this] { search_->FindNext(); }},
                                         {W::Replace, [this] { search_->ReplaceText(); }}});
}

bool TWindowCommands::ShowCharacterCount() {
    TEditor* e = ActiveEditor();
    if (!e || !e->Core().Selected()) return false;
    TEditorCore& c = e->Core();
    bool box = false;
    WindowAsker().ShowMessage(CharCountMessage(CountCharacters(c.CopyText(box))));
    DropSelectionAfterCopy(c); // as after Copy
    return true;
}

TEditor* TWindowCommands::ActiveEditor() const {
    auto* p = pages_.ActivePageEditor();
    return p ? p->Editor() : nullptr;
}

std::string TWindowCommands::ActivePagePath() const {
    return pages_.Book().ActivePath();
}

bool TWindowCommands::InsertText(const QString& text) {
    TEditor* e = ActiveEditor();
    if (!e || text.isEmpty() || e->Core().ReadOnly()) return false;
    e->InsertUtf16(text);
    return true;
}

bool TWindowCommands::InsertDate() {
    if (!ActiveEditor()) return false;
    tolmo::THidukeOptions o;
    o.isWaYMD = fm_.Settings.isWaYMD;
    o.isYoubi = fm_.Settings.isYoubi;
    o.holidayPath = fm_.HolidayFile;
    const QString text = tolmo::TDateDialog::Execute(o, &fm_);
    return InsertText(text);
}

bool TWindowCommands::InsertToday() {
    const QDate today = QDate::currentDate();
    const int32_t jd = tolmo::DateToJulius(today.year(), today.month(), today.day());
    return InsertText(
        QString::fromStdString(tolmo::HidukeText(jd, fm_.Settings.isWaYMD, fm_.Settings.isYoubi)));
}

bool TWindowCommands::InsertTime() {
    return InsertText(QTime::currentTime().toString(QStringLiteral("hh:mm")));
}
