// Form1 on screen: the widgets, the drawing surface and the four timers, built
// from the window description. The window owns the Form and the random source
// and does nothing of its own: every event calls a handler of the core, after
// which the widgets are brought up to date from the Form.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "model/form.h"
#include "model/random_source.h"

class QLineEdit;
class QMessageBox;
class QTimer;

namespace transistor {

struct ControlEvent;
class DiagramCanvas;
class PlotBox;

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

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void handle(const ControlEvent &event);
    void buildControls();
    void setTabOrderFromDescription();
    void showMessage(const std::string &text);
    void stopTimers();

    Form form_;
    FixedSeedRandom random_;

    DiagramCanvas *canvas_ = nullptr;
    PlotBox *plot_ = nullptr;
    struct TextBoxView {
        QLineEdit *edit;
        std::string *text;
    };
    std::vector<TextBoxView> textBoxes_;
    struct TimerView {
        QTimer *timer;
        const TimerProps *props;
    };
    std::vector<TimerView> timers_;

    QPointer<QMessageBox> messageBox_;
    unsigned shownMessageSerial_ = 0;
    bool errorShown_ = false;
};

} // namespace transistor
