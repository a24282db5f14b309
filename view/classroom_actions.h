// The classroom controls of the window: pause and resume, a single step,
// zoom, and a copy of the picture for slides and worksheets. They sit in a
// context menu on the band diagram and the plot (a right click, or a finger
// held there), and their keys work anywhere in the window without taking a
// key from a text box or from the focused button: F5 and Pause, F6, Ctrl with
// + = - 0, Ctrl+Shift+C.
#pragma once

#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "app/classroom.h"

class QAction;
class QKeyEvent;
class QLabel;
class QPushButton;
class QMenu;
class QPoint;

namespace transistor {

class MainWindow;
class TouchMenuStyle;

class ClassroomActions : public QObject {
    Q_OBJECT

  public:
    explicit ClassroomActions(MainWindow &window);

    QMenu *menu() const { return menu_; }

    // The list of every classroom key, while it is open.
    QMessageBox *keysHelp() const { return keysBox_; }

    // The part of the form that the window shows, as drawn now: the band
    // diagram with its carriers and markers, the circuit, the labels and the
    // boxes with the readouts, and the lower strip when it is on show; without
    // the buttons, at the present zoom and device pixel ratio, on white.
    QImage picture() const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QAction *addAction(const ClassroomAction &action);
    void togglePause();
    void step();
    void zoomIn();
    void zoomOut();
    void actualSize();
    void fit();
    void toggleContrast();
    void copyPicture();
    void showReadouts();
    void menuKey();
    void showKeys();
    bool menuTakesKey(QKeyEvent *key);
    // A finger on the band diagram or the plot: held still, it opens the menu.
    bool heldFinger(QWidget *watched, QEvent *event);
    // By touch, the items are a finger's height; by mouse or keys, as designed.
    void showMenu(const QPoint &globalPos, bool byTouch = false);
    void setZoom(double zoom);
    void showPaused(bool paused);
    void placeSign();

    MainWindow &window_;
    QMenu *menu_;
    TouchMenuStyle *menuStyle_;
    QAction *pause_, *step_, *zoomIn_, *zoomOut_, *actualSize_, *copy_, *contrast_ = nullptr;
    QLabel *sign_;
    QPushButton *menuButton_ = nullptr;
    QWidget *plot_ = nullptr;
    QPointer<QMessageBox> keysBox_;
    QTimer hold_;
    QPointF heldAt_;             // where the finger went down, on the screen
    bool fingerOnMenu_ = false;  // the menu opened under a finger not yet lifted
    bool buttonTouched_ = false; // the last press on the menu button was a finger's
    int wheelAngle_ = 0;
};

} // namespace transistor
