// transistor-sim: one window, no command line, nothing read or written.
#include <QApplication>

#include "view/main_window.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    transistor::MainWindow window;
    window.show();
    return app.exec();
}
