// xdg-open as a child whose exit status is read.
#include "app/ui/Browser.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

bool OpenInBrowser(const QString& url, int waitMs) {
    // Owned by the application: a handler still running after the wait is left to go on.
    auto* handler = new QProcess(QCoreApplication::instance());
    handler->setProgram(QStringLiteral("xdg-open"));
    handler->setArguments({url});
    handler->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(handler, &QProcess::finished, handler, &QObject::deleteLater);
    QObject::connect(handler, &QProcess::errorOccurred, handler,
                     [handler](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart) handler->deleteLater();
                     });
    QEventLoop wait;
    bool ended = false, opened = false;
    QObject::connect(handler, &QProcess::finished, &wait, [&](int code, QProcess::ExitStatus s) {
        ended = true;
        opened = s == QProcess::NormalExit && code == 0;
        wait.quit();
    });
    QObject::connect(handler, &QProcess::errorOccurred, &wait, [&](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        ended = true;
        wait.quit();
    });
    QTimer::singleShot(waitMs, &wait, &QEventLoop::quit);
    handler->start();
    if (!ended) wait.exec(QEventLoop::ExcludeUserInputEvents);
    return ended ? opened : true;
}
