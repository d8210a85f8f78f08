// The application object: its title, and the default error box for an error that escapes an
// event handler (the program shows it and goes on).
#pragma once

#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT
  public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
