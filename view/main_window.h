// Form1 on screen: the widgets and the drawing surface, built from the window
// description, over the program of the core. The window decides nothing of
// its own: every event goes to the program with the time of the window's
// clock, one precise timer wakes the program at its next deadline, and after
// each call the widgets are brought up to date from the Form.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "app/program.h"

class QLineEdit;
class QMessageBox;
class QTimer;

namespace transistor {

class ClassroomActions;
class DiagramCanvas;
class PlotBox;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const Form &form() const { return program_.form(); }
    // For tests that put the Form into a state the handlers have not reached yet.
    Form &form() { return program_.form(); }
    Program &program() { return program_; }
    const Program &program() const { return program_; }

    // Brings every widget up to date with the Form and sets the wake-up for
    // the program's next deadline; runs after each call into the program.
    void syncFromForm();

    // The box that shows the latest message or error, while it is open.
    QMessageBox *messageBox() const;

    // Pause, step, zoom and the copy of the picture, with their menu and keys.
    ClassroomActions &classroom() const { return *classroom_; }

    // F5 and F6: the program's pause and single step, now.
    void togglePause();
    void step();

    // Twips to pixels (1 = actual size): every control, font and drawing
    // follows, and the window keeps showing the same part of the form.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }

  signals:
    void pausedChanged(bool paused);
    // An event was delivered to its handler ("Timer1", "Command1" …).
    void delivered(const QString &control);

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    // The window's clock, in ms since it opened.
    Millis now() const { return elapsed_.elapsed(); }
    void wake();
    // Tells a screen reader what the program says of the drawings and the
    // window, when it changed.
    void describeDrawings();
    void buildControls();
    void layoutControls();
    void setTabOrderFromDescription();
    void showMessage(const QString &text, const QString &boxName = QString());
    // Grows the window (as far as the screen allows) so that widget, in the
    // lower strip, can be seen.
    void growToShow(QWidget *widget);

    QElapsedTimer elapsed_;
    Program program_;
    QTimer *wake_ = nullptr;
    bool shownPaused_ = false;

    DiagramCanvas *canvas_ = nullptr;
    PlotBox *plot_ = nullptr;
    struct TextBoxView {
        QLineEdit *edit;
        std::string *text;
    };
    std::vector<TextBoxView> textBoxes_;
    ClassroomActions *classroom_ = nullptr;
    double zoom_ = 1.0;
    QSizeF shownTwips_;

    QPointer<QMessageBox> messageBox_;
};

} // namespace transistor
