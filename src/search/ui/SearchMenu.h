// The main window's search commands on the active page's editor: Find (Ctrl+F), Find previous
// (Shift+F3), Find next (F3) and Replace (Ctrl+R), with the dialogs, the not-found message and
// the question before each replacement. The main window's menu table calls them.
#pragma once

#include "search/FindReplaceCommands.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
class TEditor;

class TSearchCommands : public QObject {
    Q_OBJECT
  public:
    // window: parent of the dialogs, its title captions the not-found message. activeEditor:
    // the active page's control (null: the commands do nothing).
    TSearchCommands(QWidget* window, std::function<TEditor*()> activeEditor,
                    QObject* parent = nullptr);

    // The last search, shared by all pages.
    TSearchCommandState State;
    // The dialogs' profile file (empty: the per-user file).
    QString StorePath;

    bool FindFirst();    // the search dialog, then Find once
    bool FindNext();     // forward with the stored text
    bool FindPrevious(); // backward with the stored text
    int ReplaceText();   // the replace dialog, then the replace loop; replacements made
    // The active editor's Search with the stored text and options; the message when not found.
    bool Find();

  private:
    std::string caption() const;

    QWidget* window_;
    std::function<TEditor*()> active_;
};
