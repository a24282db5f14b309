// transistor-sim: one window, no command line, nothing read or written; it
// speaks the user's language where it has a translation for it.
#include <QApplication>

#include "view/main_window.h"
#include "view/translation.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    transistor::InstallTranslation(app);
    transistor::MainWindow window;
    window.show();
    return app.exec();
}
