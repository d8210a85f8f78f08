// The application object: its title, and the default error box for an error that escapes an
// event handler (the program shows it and goes on).
#pragma once

#include <QApplication>

#include <functional>

// Runs an event delivery; an error that escapes it is shown in the default error box (its text,
// the application title as caption) and the delivery counts as not handled.
bool DeliverWithErrorBox(const std::function<bool()>& deliver);

class TApplication : public QApplication {
    Q_OBJECT
  public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
