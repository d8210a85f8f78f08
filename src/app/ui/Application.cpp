// Application object with the default error box.
#include "app/ui/Application.h"

#include "platform/MessageBox.h"

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tolmo"));
    setOrganizationName(QStringLiteral("Brix"));
    // The title "トルモ -Tolmo-" is the program's own: it is not made the display name, which
    // Qt would append to every window caption.
}

bool DeliverWithErrorBox(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox("Unknown error.");
    }
    return false;
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    return DeliverWithErrorBox([&] { return QApplication::notify(receiver, event); });
}
