// The main window's insertions (date and time), character count and search commands (find,
// find previous, find next and replace), all on the active page's editing control.
#pragma once

#include <QObject>
#include <QString>

#include <string>

class TEditor;
class TMainWindow;
class TPages;
class TSearchCommands;

class TWindowCommands : public QObject {
    Q_OBJECT
  public:
    // Sets the handlers of the items in fm's menus.
    TWindowCommands(TMainWindow& fm, TPages& pages);

    // The active page's control (the focused half of a split page); null without pages.
    TEditor* ActiveEditor() const;
    // The active page's file with its folder; 無題 for a page without a file.
    std::string ActivePagePath() const;

    // mnHiduke: the date dialog with the window's date style and holiday file; inserts its
    // result. False when cancelled or no page is active.
    bool InsertDate();
    // mnDayIn: today's date in the window's date style.
    bool InsertToday();
    // mnTimeIn: the current time "hh:nn".
    bool InsertTime();
    // mnMojisuu: the character count of the selection in a message, then the selection goes and
    // the caret stays at its end. False without a selection.
    bool ShowCharacterCount();
    // Inserts text at the caret of the active control as one undo step (replacing a selection).
    bool InsertText(const QString& text);

    TSearchCommands* Search() const { return search_; }

  private:
    TMainWindow& fm_;
    TPages& pages_;
    TSearchCommands* search_ = nullptr;
};
