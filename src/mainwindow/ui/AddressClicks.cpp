// Address clicks and the hand pointer over the editing controls.
#include "mainwindow/ui/AddressClicks.h"

#include "platform/ui/QtMessageSink.h"

#include "app/ShellUtil.h"
#include "app/ui/Browser.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/ui/MainWindow.h"
#include "syntax/Fountain.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QUrl>

TAddressToken AddressAt(TEditor& e, QPoint p) {
    return AddressAtPixel(e.Core(), e.Metrics(), p.x(), p.y());
}

TAddressClicks::TAddressClicks(TMainWindow& fm, QObject* parent) : QObject(parent), fm_(fm) {
    qApp->installEventFilter(this);
}

TEditor* EditorOf(QObject* o, const QWidget* window, bool orEditor) {
    auto* w = qobject_cast<QWidget*>(o);
    TEditor* e = orEditor ? qobject_cast<TEditor*>(w) : nullptr;
    if (!e && w) {
        e = qobject_cast<TEditor*>(w->parentWidget());
        if (e && e->viewport() != w) e = nullptr;
    }
    return e && e->window() == window ? e : nullptr;
}

bool TAddressClicks::pointerMoved(TEditor& e, QPoint p) {
    const TAddressPointer::Result r =
        pointer_.Moved(&e, p.x(), p.y(), [&] { return AddressAt(e, p).kind != 0; });
    if (r.Left) e.viewport()->setCursor(Qt::ArrowCursor);
    if (r.Hand) e.viewport()->setCursor(Qt::PointingHandCursor);
    return r.Hand;
}

bool TAddressClicks::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    TEditor* e = EditorOf(watched, &fm_);
    if (!e) return false;
    auto* m = static_cast<QMouseEvent*>(event);
    const QPoint p = m->position().toPoint();
    switch (type) {
    case QEvent::MouseMove:
        // Without a button held the control only sets its pointer: the hand replaces it.
        if (m->buttons() != Qt::NoButton) return false;
        return pointerMoved(*e, p);
    case QEvent::MouseButtonPress:
        pressPoint_ = p;
        return false;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        if (m->button() != Qt::LeftButton || m->modifiers() != Qt::NoModifier) return false;
        if (!OpensAddress(type == QEvent::MouseButtonRelease, fm_.Settings.isClick,
                          (p - pressPoint_).manhattanLength(), QApplication::startDragDistance()))
            return false;
        const TAddressToken t = AddressAt(*e, p);
        if (t.kind != toUrl) return false;
        // After the control has taken its own click.
        QTimer::singleShot(0, this, [this, text = t.text] { OpenAddress(text); });
        return false;
    }
    default:
        return false;
    }
}

bool TAddressClicks::OpenAddress(const std::string& address) {
    const QString url = QString::fromStdString(address);
    std::string program;
    if (!AddressProgram(WindowAsker(), fm_.Settings, qEnvironmentVariable("PATH").toStdString(),
                        &program))
        return false;
    // The address is one argument: quotes, blanks and shell characters reach the browser as
    // they are, and no shell ever sees them.
    if (program.empty() ? OpenInBrowser(QUrl::fromUserInput(url).toString())
                        : QProcess::startDetached(QString::fromStdString(program), {url}))
        return true;
    WindowAsker().ShowMessage(kBrowserStartError);
    return false;
}
