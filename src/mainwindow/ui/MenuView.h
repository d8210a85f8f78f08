// TMenuView: the main menu's widgets built from the command table (menus, items with their
// captions and shown keys, and one window-level key per key), the handler slots of its commands,
// and a menu's items shown as the rules leave them; also the context menu's widgets.
#pragma once

#include "mainwindow/MainMenu.h"

#include <QObject>

#include <functional>
#include <map>
#include <utility>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

class TMenuView : public QObject {
    Q_OBJECT
  public:
    explicit TMenuView(QMainWindow& window);

    QAction* Item(TWindowCommand c, int arg = 0) const;
    QMenu* Menu(TWindowMenu m) const;
    // The window-level key of a command, null when it has none.
    QAction* Key(TWindowCommand c, int arg = 0) const;

    // Wires every command of a part (see TCommandHandlers::Wire) and enables their items; items
    // of parts not wired stay disabled.
    void Wire(TCommandPart part, const TCommandHandlers::TList& handlers);
    const TCommandHandlers& Handlers() const { return handlers_; }
    bool Wired(TWindowCommand c) const { return handlers_.Has(c); }
    // Runs a command's handler as a click does.
    void Trigger(TWindowCommand c, int arg = 0);

    // A menu is opening (its items are shown as Show leaves them), and a key arrived (without a
    // receiver the key runs its command at once).
    std::function<void(QMenu* menu)> OnShow;
    std::function<void(TWindowCommand c, int arg)> OnKey;
    // The items of a menu as the rules leave them.
    void Show(QMenu* menu, const TCommandState& s);

    // The context menu's widgets; run is called with the item chosen.
    static QMenu* BuildContextMenu(QWidget* parent, const std::vector<TContextItem>& items,
                                   const std::function<bool(const TContextItem&)>& wired,
                                   const std::function<void(const TContextItem&)>& run);

  private:
    using TRef = std::pair<TWindowCommand, int>;
    std::map<TRef, QAction*> items_;
    std::map<TWindowMenu, QMenu*> menus_;
    std::map<TRef, QAction*> keys_;
    std::map<const QAction*, const TCommandDef*> entries_; // every item, menu and separator
    TCommandHandlers handlers_;
};
