// Form1 on screen: the widgets, the drawing surface and the four timers, built
// from the window description. The window owns the Form and the random source
// and does nothing of its own: every event calls a handler of the core, after
// which the widgets are brought up to date from the Form.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "display/band_summary.h"
#include "model/form.h"
#include "model/random_source.h"

class QLineEdit;
class QMessageBox;

namespace transistor {

class ClassroomActions;
struct ControlEvent;
class DiagramCanvas;
class PlotBox;
class SimulationClock;

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
    // follows, and the window keeps showing the same part of the form.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }

    // Tells a screen reader how the band diagram and the plot stand now;
    // runs after Start, Restart and each current readout, never every tick.
    void describeDrawings();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void handle(const ControlEvent &event);
    void buildControls();
    void layoutControls();
    void setTabOrderFromDescription();
    void showMessage(const QString &text, const QString &boxName = QString());
    void stopTimers();
    // Enter in an input box: Restart while the animation runs, otherwise Start.
    void applyInputs();
    // Grows the window (as far as the screen allows) so that widget, in the
    // lower strip, can be seen.
    void growToShow(QWidget *widget);

    Form form_;
    FixedSeedRandom random_;

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
    QSizeF shownTwips_;
    PairCounter pairs_;

    QPointer<QMessageBox> messageBox_;
    unsigned shownMessageSerial_ = 0;
    bool errorShown_ = false;
};

} // namespace transistor
