// Web and mail addresses in the pages' text: a click (or double click, by "isClick") on a web
// address opens it, in the browser of the options or with the desktop's default handler, and the
// mouse pointer becomes the hand over an address.
#pragma once

#include "mainwindow/Addresses.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <string>

class QWidget;
class TEditor;
class TMainWindow;

// The address token under a point of an editor's viewport.
TAddressToken AddressAt(TEditor& editor, QPoint viewportPoint);
// The editing control in window whose viewport (with orEditor: or itself) o is; null otherwise.
TEditor* EditorOf(QObject* o, const QWidget* window, bool orEditor = false);

class TAddressClicks : public QObject {
    Q_OBJECT
  public:
    // Watches the editing controls of the window.
    TAddressClicks(TMainWindow& fm, QObject* parent);

    // Opens a web address as the options say; false (after its message) when refused.
    bool OpenAddress(const std::string& address);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool pointerMoved(TEditor& e, QPoint p);

    TMainWindow& fm_;
    TAddressPointer pointer_;
    QPoint pressPoint_;
};
