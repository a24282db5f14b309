#include "view/classroom_actions.h"

#include "view/diagram_canvas.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/window_description.h"
#include "view/main_window.h"
#include "view/twips.h"

namespace transistor {

namespace {

// The "Paused" sign: small, in the empty upper right corner of the band
// diagram, its right edge at the collector's end (x 8760).
const QRectF kSignTwips(7260, 1020, 1500, 300);

// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

} // namespace

double SteppedZoom(double zoom, int steps) {
    const int at = static_cast<int>(std::lround((zoom - 1.0) / kZoomStep));
    return 1.0 + std::clamp(at + steps, 0, kZoomSteps) * kZoomStep;
}

ClassroomActions::ClassroomActions(MainWindow &window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("ClassroomActions"));
    pause_ = addAction(tr("&Pause"), QStringLiteral("PauseAction"),
                       {QKeySequence(Qt::Key_F5), QKeySequence(Qt::Key_Pause)},
                       &ClassroomActions::togglePause);
    step_ = addAction(tr("&Step one tick"), QStringLiteral("StepAction"),
                      {QKeySequence(Qt::Key_F6)}, &ClassroomActions::step);
    // Ctrl++ is Ctrl+Shift+= on many keyboards; Ctrl+= saves the Shift.
    zoomIn_ =
        addAction(tr("Zoom &in"), QStringLiteral("ZoomInAction"),
                  {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                  &ClassroomActions::zoomIn);
    zoomOut_ = addAction(tr("Zoom &out"), QStringLiteral("ZoomOutAction"),
                         {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &ClassroomActions::zoomOut);
    actualSize_ = addAction(tr("&Actual size"), QStringLiteral("ActualSizeAction"),
                            {QKeySequence(Qt::CTRL | Qt::Key_0)}, &ClassroomActions::actualSize);
    // Ctrl+C stays with the text boxes.
    copy_ =
        addAction(tr("&Copy picture"), QStringLiteral("CopyPictureAction"),
                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, &ClassroomActions::copyPicture);
    // The Menu key reaches the window as a context menu request of its own.
    addAction(QString(), QStringLiteral("MenuKeyAction"), {QKeySequence(Qt::SHIFT | Qt::Key_F10)},
              &ClassroomActions::menuKey);

    menu_ = new QMenu(&window_);
    menu_->setObjectName(QStringLiteral("ClassroomMenu"));
    menu_->addActions({pause_, step_});
    menu_->addSeparator();
    menu_->addActions({zoomIn_, zoomOut_, actualSize_});
    menu_->addSeparator();
    menu_->addAction(copy_);

    // A right click on the diagram or the plot reaches the window; a text
    // box keeps its own menu.
    window_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showMenu(window_.mapToGlobal(pos)); });
    window_.installEventFilter(this);

    sign_ = new QLabel(tr("Paused"), &window_);
    sign_->setObjectName(QStringLiteral("PausedSign"));
    sign_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    sign_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette quiet = sign_->palette();
    quiet.setColor(QPalette::WindowText, Qt::darkGray);
    sign_->setPalette(quiet);
    sign_->hide();
    connect(&window_, &MainWindow::pausedChanged, this, &ClassroomActions::showPaused);

    setZoom(window_.zoom());
}

QAction *ClassroomActions::addAction(const QString &text, const QString &name,
                                     const QList<QKeySequence> &keys,
                                     void (ClassroomActions::*slot)()) {
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this, slot);
    window_.addAction(action);
    return action;
}

void ClassroomActions::togglePause() {
    window_.togglePause();
}

void ClassroomActions::step() {
    window_.step();
}

void ClassroomActions::zoomIn() {
    setZoom(SteppedZoom(window_.zoom(), 1));
}

void ClassroomActions::zoomOut() {
    setZoom(SteppedZoom(window_.zoom(), -1));
}

void ClassroomActions::actualSize() {
    setZoom(1.0);
}

void ClassroomActions::setZoom(double zoom) {
    window_.setZoom(zoom);
    zoomIn_->setEnabled(window_.zoom() < SteppedZoom(1.0, kZoomSteps));
    zoomOut_->setEnabled(window_.zoom() > 1.0);
    actualSize_->setEnabled(window_.zoom() != 1.0);
    placeSign();
}

void ClassroomActions::placeSign() {
    sign_->setGeometry(CoveringPixels(kSignTwips, window_.zoom()));
    sign_->raise();
}

void ClassroomActions::showPaused(bool paused) {
    pause_->setText(paused ? tr("&Resume") : tr("&Pause"));
    placeSign();
    sign_->setVisible(paused);
}

void ClassroomActions::showMenu(const QPoint &globalPos) {
    // A popup is a window of its own and takes no font from the form.
    menu_->setFont(window_.font());
    menu_->popup(globalPos);
}

void ClassroomActions::menuKey() {
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != &window_) focus = &window_;
    const QPoint centre = focus->rect().center();
    if (qobject_cast<QLineEdit *>(focus)) {
        // A text box answers with its own menu, as it does to the Menu key.
        QContextMenuEvent request(QContextMenuEvent::Keyboard, centre, focus->mapToGlobal(centre));
        QApplication::sendEvent(focus, &request);
        return;
    }
    showMenu(focus->mapToGlobal(centre));
}

void ClassroomActions::copyPicture() {
    QApplication::clipboard()->setImage(picture());
}

QImage ClassroomActions::picture() const {
    const double zoom = window_.zoom();
    const QRect area(0, 0, ToPixels(Window().clientWidth, zoom),
                     ToPixels(Window().clientHeight, zoom));
    const qreal ratio = window_.devicePixelRatioF();
    QImage image((QSizeF(area.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Bottom to top, as the window stacks them; a label's own background
    // would print as a grey box on the white.
    for (QObject *object : window_.children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget || widget->isWindow() || widget->isHidden() || widget == sign_ ||
            qobject_cast<QPushButton *>(widget) || !widget->geometry().intersects(area))
            continue;
        if (auto *canvas = qobject_cast<DiagramCanvas *>(widget)) {
            painter.save();
            painter.translate(canvas->pos());
            canvas->paintItems(painter);
            painter.restore();
            continue;
        }
        const bool filled = widget->autoFillBackground();
        widget->setAutoFillBackground(false);
        widget->render(&painter, widget->pos(), QRegion(), QWidget::DrawChildren);
        widget->setAutoFillBackground(filled);
    }
    return image;
}

bool ClassroomActions::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &window_ && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
        // A fine-grained wheel sends parts of a notch; a step needs a whole one.
        wheelAngle_ += wheel->angleDelta().y();
        while (std::abs(wheelAngle_) >= kWheelNotch) {
            const int direction = wheelAngle_ > 0 ? 1 : -1;
            setZoom(SteppedZoom(window_.zoom(), direction));
            wheelAngle_ -= direction * kWheelNotch;
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace transistor
