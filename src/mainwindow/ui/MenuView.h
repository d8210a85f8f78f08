// TMenuView: the main menu's widgets built from the menu table (menus, items with their object
// names, captions and shown shortcuts, and one window-level key per shortcut), the handlers of
// its items, and a menu's items shown as the rules leave them; also the context menu's widgets.
#pragma once

#include "mainwindow/MainMenu.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

class TMenuView : public QObject {
    Q_OBJECT
  public:
    explicit TMenuView(QMainWindow& window);

    QAction* Item(const std::string& name) const;
    QMenu* Menu(const std::string& name) const;
    // The window-level key of an item (its shortcut), null when it has none.
    QAction* Key(const std::string& name) const;

    // Sets what an item runs and enables it (an item without a handler stays disabled).
    void SetHandler(const std::string& name, std::function<void()> handler);
    bool Wired(const std::string& name) const;
    // Runs an item's handler as a click does.
    void Trigger(const std::string& name);

    // A menu is opening (its items are shown as Show leaves them), and a key arrived (without a
    // receiver the key runs its item at once).
    std::function<void(QMenu* menu)> OnShow;
    std::function<void(const std::string& name)> OnKey;
    // The items of a menu as the rules leave them.
    void Show(QMenu* menu, const TCommandState& s);

    // The context menu's widgets; run is called with the item chosen.
    static QMenu* BuildContextMenu(QWidget* parent, const std::vector<TContextItem>& items,
                                   const std::function<bool(const TContextItem&)>& wired,
                                   const std::function<void(const TContextItem&)>& run);

  private:
    std::map<std::string, QAction*> items_;
    std::map<std::string, QMenu*> menus_;
    std::map<std::string, QAction*> keys_;
    std::map<std::string, std::function<void()>> handlers_;
};
