// Process entry of the program.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QString::fromUtf8("トルモ -Tolmo-"));
    QMainWindow w;
    w.setWindowTitle(QString::fromUtf8("  トルモ - Tolmo - "));
    w.resize(779, 575);
    w.show();
    return app.exec();
}
