// Form1 on screen: the widgets, the drawing surface and the four timers, built
// from the window description. The window owns the Form and the random source
// and does nothing of its own: every event calls a handler of the core, after
// which the widgets are brought up to date from the Form.
#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <string>
#include <vector>

#include "app/caption_layout.h"
#include "display/band_summary.h"
#include "model/form.h"
#include "model/random_source.h"
#include "view/caption_fonts.h"

class QLabel;
class QLineEdit;
class QMessageBox;
class QScrollArea;

namespace transistor {

class ClassroomActions;
struct ControlEvent;
class DiagramCanvas;
class PlotBox;
class SimulationClock;

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

    const Form &form() const { return form_; }
    // For tests that put the Form into a state the handlers have not reached yet.
    Form &form() { return form_; }

    // Brings every widget and timer up to date with the Form; runs after each
    // handler.
    void syncFromForm();

    // The box that shows the latest message or error, while it is open.
    QMessageBox *messageBox() const;

    // The timers, which the classroom controls pause and resume.
    SimulationClock &clock() const { return *clock_; }
    // Pause, step, zoom and the copy of the picture, with their menu and keys.
    ClassroomActions &classroom() const { return *classroom_; }
    // The random source of the ticks, so a test can repeat a tick on a copy.
    const FixedSeedRandom &random() const { return random_; }

    // Pauses the clock and runs one tick of Timer1, the same call as the
    // timer's; nothing before the first Start or after an error.
    void step();

    // Twips to pixels (1 = actual size): every control, font and drawing
    // follows, and the window keeps showing the same part of the form, as
    // far as the screen allows.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }

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

    // Tells a screen reader how the band diagram and the plot stand now;
    // runs after Start, Restart and each current readout, never every tick.
    void describeDrawings();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void handle(const ControlEvent &event);
    void buildControls();
    void layoutControls();
    void layoutLabel(const ControlDesign &design, QLabel *label);
    void setTabOrderFromDescription();
    void showMessage(const QString &text, const QString &boxName = QString());
    void stopTimers();
    // Enter in an input box: Restart while the animation runs, otherwise Start.
    void applyInputs();
    // Grows the window (as far as the screen allows) so that widget, in the
    // lower strip, can be seen, and scrolls it into view.
    void growToShow(QWidget *widget);
    // The largest client area the screen allows.
    QSize screenRoom() const;
    // The window's size for showing twips of the form, as far as the screen
    // allows, with room for a scroll bar where the form must scroll.
    QSize sizeFor(const QSizeF &twips) const;
    void resizeTo(const QSize &size);
    // After a resize: the form scrolls in a direction in which the window is
    // as large as the screen allows and still smaller than the form.
    void fitForm();

    Form form_;
    FixedSeedRandom random_;

    QScrollArea *scroll_ = nullptr;
    QWidget *formWidget_ = nullptr;
    DiagramCanvas *canvas_ = nullptr;
    PlotBox *plot_ = nullptr;
    struct TextBoxView {
        QLineEdit *edit;
        std::string *text;
    };
    std::vector<TextBoxView> textBoxes_;
    SimulationClock *clock_ = nullptr;
    ClassroomActions *classroom_ = nullptr;
    double zoom_ = 1.0;
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
    PairCounter pairs_;

    QPointer<QMessageBox> messageBox_;
    unsigned shownMessageSerial_ = 0;
    bool errorShown_ = false;
};

} // namespace transistor
