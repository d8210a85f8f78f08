// The tabs of PageControl1: right-click closing, the page-changing hook before a click switches
// pages, and Shift+Ctrl dragging of a tab onto another position.
#pragma once

#include <QHash>
#include <QTabBar>

#include <functional>

class TPageTabBar : public QTabBar {
    Q_OBJECT
  public:
    explicit TPageTabBar(QWidget* parent = nullptr);

    // Right button on tab index; ctrl tells whether Ctrl was held.
    std::function<void(int index, bool ctrl)> OnRightClick;
    // Before a click makes another tab current.
    std::function<void()> OnChanging;
    // The dragged (active) page was dropped on the tab at index.
    std::function<void(int target)> OnDrop;

    static constexpr const char* kMimeType = "application/x-tolmo-page";

    // The tabs' own look: background of the active and the other tabs, text colour of the
    // others (the active tab's text is navy, one point larger), and a fixed width (0: each tab
    // as wide as its caption). Without a look the style draws the tabs.
    struct TLook {
        QColor ActBk, DeActBk, DeActFg;
        int FixedWidth = 0;
    };
    void SetLook(const TLook& look);

  protected:
    void paintEvent(QPaintEvent* e) override;
    // The size of a tab, kept per caption: the bar asks for every tab's size after each insertion,
    // which with thousands of pages would otherwise cost a style computation for each of them.
    QSize tabSizeHint(int index) const override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    bool ownDrag(const QDropEvent* e) const; // a tab of this bar: the only drag it takes
    mutable QHash<QString, QSize> sizes_;
    bool hasLook_ = false;
    TLook look_;
    bool dragArmed_ = false;
    QPoint pressPos_;
};
