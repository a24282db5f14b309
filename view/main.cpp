// transistor-sim: one window, no command line, nothing read or written; it
// speaks the user's language where it has a translation for it.
#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "view/main_window.h"
#include "view/translation.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    // The menu entry and the icon are installed under this name; the desktop
    // matches the window to them by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TRANSISTOR_APP_ID));
    transistor::InstallTranslation(app);
    transistor::MainWindow window;
    window.show();
    // The icon's pictures, and the image readers they need, load once the
    // window is on the screen: it opens sooner, and its icon follows a moment
    // later.
    QTimer::singleShot(0, &window, [&window] {
        QIcon icon;
        for (int size : {16, 32, 48, 64, 128})
            icon.addFile(QStringLiteral(":/icons/icon-%1.png").arg(size), QSize(size, size));
        QApplication::setWindowIcon(icon);
    });
    return app.exec();
}
