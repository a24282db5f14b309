// Form1 on screen: the widgets and the drawing surface, built from the window
// description, over the program of the core. The window decides nothing of
// its own: every event goes to the program with the time of the window's
// clock, one precise timer wakes the program at its next deadline, and after
// each call the widgets are brought up to date from the Form.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <string>
#include <vector>

#include "app/caption_layout.h"
#include "app/program.h"
#include "view/caption_fonts.h"

class QLabel;
class QLineEdit;
class QMessageBox;
class QScrollArea;
class QTimer;

namespace transistor {

class ClassroomActions;
class DiagramCanvas;
class PlotBox;
class ReadoutsDialog;

// The widget that holds the form's controls at their places, inside the
// window's scrolling area.
class FormSurface : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
};

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
    // The Readouts view beside the window, made when first asked for.
    void showReadouts();
    ReadoutsDialog *readouts() const { return readouts_; }

    // Twips to pixels (1 = actual size): every control, font and drawing
    // follows, and the window keeps showing the same part of the form, as
    // far as the screen allows.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // The whole form, its strip included, at the largest zoom at which it
    // fits the screen.
    void fitToScreen();
    // The high contrast for a projector, or the designed look.
    void setHighContrast(bool on);
    bool highContrast() const { return highContrast_; }

    // The widget that holds every control at its place in the form; it
    // scrolls inside the window where the form does not fit the screen.
    QWidget *formWidget() const { return formWidget_; }
    // The part of the form that the window shows, in pixels at the zoom from
    // the form's top-left corner: as large as the window, or the whole form
    // in a direction in which it scrolls.
    QSize shownPixels() const;
    // A band letter's subscript, which a screen reader hears in the name of
    // its large letter.
    bool isSubscript(const QWidget *widget) const;

  signals:
    void pausedChanged(bool paused);
    // An event was delivered to its handler ("Timer1", "Command1" …).
    void delivered(const QString &control);

  protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    // The window's clock, in ms since it opened.
    Millis now() const { return elapsed_.elapsed(); }
    void wake();
    // Tells a screen reader what the program says of the drawings and the
    // window, when it changed.
    void describeDrawings();
    void buildControls();
    void layoutControls();
    void layoutLabel(const ControlDesign &design, QLabel *label);
    void setTabOrderFromDescription();
    void showMessage(const QString &text, const QString &boxName = QString());
    // Grows the window (as far as the screen allows) so that widget, in the
    // lower strip, can be seen, and scrolls it into view.
    void growToShow(QWidget *widget);
    // Scrolls the form so that widget is in view whole, where it scrolls.
    void scrollToShow(QWidget *widget);
    // The largest client area the screen allows.
    QSize screenRoom() const;
    // The window's size for showing twips of the form, as far as the screen
    // allows, with room for a scroll bar where the form must scroll.
    QSize sizeFor(const QSizeF &twips) const;
    void resizeTo(const QSize &size);
    // After a resize: the form scrolls in a direction in which the window is
    // as large as the screen allows and still smaller than the form.
    void fitForm();

    QElapsedTimer elapsed_;
    Program program_;
    QTimer *wake_ = nullptr;
    ReadoutsDialog *readouts_ = nullptr;
    bool shownPaused_ = false;

    QScrollArea *scroll_ = nullptr;
    QWidget *formWidget_ = nullptr;
    DiagramCanvas *canvas_ = nullptr;
    PlotBox *plot_ = nullptr;
    struct TextBoxView {
        QLineEdit *edit;
        std::string *text;
    };
    std::vector<TextBoxView> textBoxes_;
    ClassroomActions *classroom_ = nullptr;
    double zoom_ = 1.0;
    bool highContrast_ = false;
    // The part of the form the window means to show, and the size the window
    // was given for it: a size the user gives the window changes the part.
    QSizeF shownTwips_;
    QSize sizedTo_;
    bool zooming_ = false;
    // The captions in the window's language, and the fonts that draw them at
    // the present zoom.
    std::vector<ShownCaption> captions_;
    CaptionFonts fonts_;
    double captionSize_ = kLargestCaptionSize;
    std::vector<const QWidget *> subscripts_;

    QPointer<QMessageBox> messageBox_;
};

} // namespace transistor
