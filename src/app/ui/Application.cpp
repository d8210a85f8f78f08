// Application object with the default error box.
#include "app/ui/Application.h"

#include "platform/ui/QtMessageSink.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tolmo"));
    setOrganizationName(QStringLiteral("Brix"));
    // The title "トルモ -Tolmo-" is the program's own: it is not made the display name, which
    // Qt would append to every window caption.
    // The program speaks Japanese, and so do the standard dialogs (open, save, folder, font,
    // colour, print) and the buttons of message boxes, from Qt's own translations.
    auto* qt = new QTranslator(this);
    if (qt->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qt);
    else
        delete qt;
}

bool DeliverWithErrorBox(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const std::exception& e) {
        WindowAsker().ShowErrorBox(e.what());
    } catch (...) {
        WindowAsker().ShowErrorBox("Unknown error.");
    }
    return false;
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    return DeliverWithErrorBox([&] { return QApplication::notify(receiver, event); });
}
