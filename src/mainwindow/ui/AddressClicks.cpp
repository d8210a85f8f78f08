// Address clicks and the hand pointer over the editing controls.
#include "mainwindow/ui/AddressClicks.h"

#include "app/ShellUtil.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/ui/MainWindow.h"
#include "syntax/Fountain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QUrl>

TAddressToken AddressAt(TEditor& e, QPoint p) {
    TEditorCore& c = e.Core();
    if (p.x() < e.Metrics().LeftMargin || p.y() < e.Metrics().TopMargin) return {};
    const TEditorPos pos = e.PosAt(p);
    const int rows = c.Rows().RowCount();
    if (pos.Row < 0 || pos.Row >= rows) return {};
    const std::string_view row = c.RowTextOf(pos.Row);
    const int off = c.OffsetOf(pos.Row, pos.Col);
    for (const TFountainToken& t : c.Coloring().Tokens(pos.Row)) {
        if (off < t.Start || off >= t.Start + t.Length) continue;
        if (t.Kind != toUrl && t.Kind != toMail) return {};
        std::string text(
            row.substr(static_cast<std::size_t>(t.Start), static_cast<std::size_t>(t.Length)));
        // A wrapped address goes on at the start of the next row.
        if (t.FullLength > t.Length && pos.Row + 1 < rows)
            text += std::string(c.RowTextOf(pos.Row + 1)
                                    .substr(0, static_cast<std::size_t>(t.FullLength - t.Length)));
        return {t.Kind, text};
    }
    return {};
}

TAddressClicks::TAddressClicks(TfmEditor& fm, QObject* parent) : QObject(parent), fm_(fm) {
    qApp->installEventFilter(this);
}

TEditor* TAddressClicks::editorOfViewport(QObject* o) const {
    auto* viewport = qobject_cast<QWidget*>(o);
    if (!viewport) return nullptr;
    auto* e = qobject_cast<TEditor*>(viewport->parentWidget());
    if (!e || e->viewport() != viewport || e->window() != &fm_) return nullptr;
    return e;
}

bool TAddressClicks::pointerMoved(TEditor& e, QPoint p) {
    // The text is looked at again only after the pointer moved 8 pixels across or 4 down.
    if (last_ != &e || std::abs(p.x() - lastPoint_.x()) >= 8 ||
        std::abs(p.y() - lastPoint_.y()) >= 4) {
        const bool wasHand = last_ == &e && lastHand_;
        last_ = &e;
        lastPoint_ = p;
        lastHand_ = AddressAt(e, p).kind != 0;
        if (wasHand && !lastHand_) e.viewport()->setCursor(Qt::ArrowCursor);
    }
    if (lastHand_) e.viewport()->setCursor(Qt::PointingHandCursor);
    return lastHand_;
}

bool TAddressClicks::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    TEditor* e = editorOfViewport(watched);
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
        const bool single = type == QEvent::MouseButtonRelease;
        if (single != fm_.Settings.isClick) return false;
        // A release that ends a drag selection is not a click.
        if (single && (p - pressPoint_).manhattanLength() > QApplication::startDragDistance())
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
    if (fm_.Settings.isBrowser) {
        std::string program;
        switch (CheckProgram(fm_.Settings.Browser, &program,
                             qEnvironmentVariable("PATH").toStdString())) {
        case TProgramCheck::Blank:
            ShowMessage("ブラウザが指定されていません。\r\n中止します。");
            return false;
        case TProgramCheck::Missing:
            ShowMessage("ブラウザが指定された場所に存在しません。\r\n中止します。");
            return false;
        case TProgramCheck::Ok:
            break;
        }
        // The address is one argument: quotes, blanks and shell characters reach the browser as
        // they are, and no shell ever sees them.
        if (QProcess::startDetached(QString::fromStdString(program), {url})) return true;
        ShowMessage("ブラウザ起動エラー\r\n中止します。");
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}
