// window-picture: draws the window in a given state into a PNG, so that the
// pictures in docs/ can be made again whenever the window changes.
//   window-picture [--scale S] [--area window|strip|full|readouts] [--contrast high]
//                  SCRIPT OUTPUT.png
// SCRIPT is a script of the driver (transistor-script's format); its events
// run through the core exactly as the driver runs them, and the window then
// shows the resulting state. The window is drawn offscreen, never shown on a
// screen, at S device pixels per pixel (default 1). The areas: the window as
// it opens (default), the strip below its lower edge, both, or the Readouts
// view with the readouts of the script. The captions
// are in the user's language, as transistor-sim shows them (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG); --contrast high draws it in the menu's High contrast.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/window_description.h"
#include "tools/script_runner.h"
#include "view/main_window.h"
#include "view/readouts_dialog.h"
#include "view/translation.h"
#include "view/twips.h"

namespace {

int Usage() {
    std::cerr << "usage: window-picture [--scale S] [--area window|strip|full|readouts] "
                 "[--contrast high] "
                 "SCRIPT OUTPUT.png\n";
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    std::string scale = "1", area = "window", contrast = "designed", scriptPath, outputPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--scale" || arg == "--area" || arg == "--contrast") && i + 1 < argc)
            (arg == "--scale" ? scale : arg == "--area" ? area : contrast) = argv[++i];
        else if (scriptPath.empty())
            scriptPath = arg;
        else if (outputPath.empty())
            outputPath = arg;
        else
            return Usage();
    }
    char *end = nullptr;
    const double factor = std::strtod(scale.c_str(), &end);
    if (outputPath.empty() || *end != '\0' || !(factor >= 0.5 && factor <= 8) ||
        (area != "window" && area != "strip" && area != "full" && area != "readouts") ||
        (contrast != "designed" && contrast != "high"))
        return Usage();

    // Set before the application exists: offscreen, and every pixel of the
    // window drawn at the requested scale.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::fromStdString(scale));
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_ENABLE_HIGHDPI_SCALING");
    QApplication app(argc, argv);
    transistor::InstallTranslation(app);

    std::ifstream script(scriptPath, std::ios::binary);
    if (!script.is_open()) {
        std::cerr << "cannot open script " << scriptPath << '\n';
        return 2;
    }
    // The driver's dumps, if the script asks for any, are not wanted here.
    std::ostringstream dumps;
    transistor::ScriptDriver driver(dumps);
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            driver.execute(line);
        } catch (const transistor::ScriptError &e) {
            std::cerr << "script line " << number << ": " << e.what() << '\n';
            return 2;
        }
    }

    transistor::MainWindow window;
    window.setHighContrast(contrast == "high");
    window.form() = driver.form();
    window.syncFromForm();
    const transistor::WindowDesign &w = transistor::Window();
    const int client = transistor::ToPixels(w.clientHeight, 1.0);
    const int extent = transistor::ToPixels(w.extentHeight, 1.0);
    window.resize(transistor::ToPixels(w.extentWidth, 1.0), area == "window" ? client : extent);
    QRect rect(0, 0, window.width(), window.height());
    if (area == "strip") rect.setTop(client);

    QPixmap picture;
    if (area == "readouts") {
        window.program().readoutLog() = driver.program().readoutLog();
        window.showReadouts();
        picture = window.readouts()->grab();
    } else {
        picture = window.grab(rect);
    }
    if (!picture.save(QDir::cleanPath(QString::fromStdString(outputPath)), "PNG")) {
        std::cerr << "cannot write " << outputPath << '\n';
        return 2;
    }
    return 0;
}
