// transistor-sim: one window, no command line, nothing read or written; it
// speaks the user's language where it has a translation for it.
#include <QApplication>
#include <QIcon>

#include "view/main_window.h"
#include "view/translation.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    // The menu entry and the icon are installed under this name; the desktop
    // matches the window to them by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TRANSISTOR_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/" TRANSISTOR_APP_ID ".svg")));
    transistor::InstallTranslation(app);
    transistor::MainWindow window;
    window.show();
    return app.exec();
}
