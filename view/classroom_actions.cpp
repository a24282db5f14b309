#include "view/classroom_actions.h"

#include "view/diagram_canvas.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputDevice>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionMenuItem>
#include <QTouchEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/window_description.h"
#include "view/main_window.h"
#include "view/translation.h"
#include "view/twips.h"

namespace transistor {

namespace {

// What each action of the table does.
struct Slot {
    std::string_view name;
    void (ClassroomActions::*slot)();
};

QString ClassroomText(std::string_view text) {
    return Translated(text, kClassroomContext);
}

// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

// The contrast of two colours as the readability guidelines for the web
// measure it: from 1 (the same) to 21 (black on white).
double Contrast(const QColor &a, const QColor &b) {
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A quiet colour for text on background: the text colour faded towards the
// background as far as text stays easy to read (4.5 : 1 and a little more).
QColor QuietText(const QColor &text, const QColor &background) {
    constexpr double kReadable = 4.5 + 0.5;
    QColor quiet = text;
    for (int step = 1; step <= 10; ++step) {
        const double t = step / 20.0;
        const QColor faded = QColor::fromRgbF(
            static_cast<float>(text.redF() + t * (background.redF() - text.redF())),
            static_cast<float>(text.greenF() + t * (background.greenF() - text.greenF())),
            static_cast<float>(text.blueF() + t * (background.blueF() - text.blueF())));
        if (Contrast(faded, background) < kReadable) break;
        quiet = faded;
    }
    return quiet;
}

std::string_view KeysText() {
    for (const ClassroomAction &a : kClassroomActions)
        if (a.name == "Keys") return a.text;
    return {};
}

} // namespace

// The application's own style, but a menu item is a finger's height while
// the menu is open for a finger; a style sheet would draw the items anew.
class TouchMenuStyle : public QProxyStyle {
  public:
    bool touch = false;

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override {
        QSize sized = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (touch && type == CT_MenuItem && item &&
            item->menuItemType != QStyleOptionMenuItem::Separator)
            sized.setHeight(std::max(sized.height(), kTouchTarget));
        return sized;
    }
};

ClassroomActions::ClassroomActions(MainWindow &window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("ClassroomActions"));
    for (const ClassroomAction &a : kClassroomActions) {
        if (a.pageOnly) continue;
        QAction *action = addAction(a);
        if (a.name == "Pause") pause_ = action;
        if (a.name == "Step") step_ = action;
        if (a.name == "ZoomIn") zoomIn_ = action;
        if (a.name == "ZoomOut") zoomOut_ = action;
        if (a.name == "ActualSize") actualSize_ = action;
        if (a.name == "CopyPicture") copy_ = action;
        if (a.name == "HighContrast") contrast_ = action;
    }

    menu_ = new QMenu(&window_);
    menu_->setObjectName(QStringLiteral("ClassroomMenu"));
    menuStyle_ = new TouchMenuStyle;
    menuStyle_->setParent(this);
    menu_->setStyle(menuStyle_);
    int group = -1;
    for (const ClassroomAction &a : kClassroomActions) {
        if (a.group < 0 || a.pageOnly) continue;
        if (group >= 0 && a.group != group) menu_->addSeparator();
        group = a.group;
        menu_->addAction(window_.findChild<QAction *>(ToQString(a.name) + u"Action"_qs));
    }

    // A right click on the diagram or the plot reaches the window; a text
    // box keeps its own menu.
    window_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showMenu(window_.mapToGlobal(pos)); });
    // The open menu takes the keyboard; the classroom keys still work.
    menu_->installEventFilter(this);
    // Ctrl with the wheel reaches the form before its scrolling area does.
    window_.installEventFilter(this);
    window_.formWidget()->installEventFilter(this);

    // On its own patch of the window's background, so that a carrier passing
    // behind it takes nothing from its contrast.
    sign_ = new QLabel(ClassroomText(kPausedText), window_.formWidget());
    sign_->setObjectName(QStringLiteral("PausedSign"));
    sign_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    sign_->setAttribute(Qt::WA_TransparentForMouseEvents);
    sign_->setAutoFillBackground(true);
    QPalette quiet = sign_->palette();
    quiet.setColor(QPalette::WindowText,
                   QuietText(quiet.color(QPalette::WindowText), quiet.color(QPalette::Window)));
    sign_->setPalette(quiet);
    sign_->hide();
    contrast_->setCheckable(true);
    connect(&window_, &MainWindow::pausedChanged, this, &ClassroomActions::showPaused);

    // The menu for a finger on a touch screen, or anyone: a button in a
    // corner that no control uses. Off the Tab order; the keys open the menu.
    menuButton_ = new QPushButton(QStringLiteral("☰"), window_.formWidget());
    menuButton_->setObjectName(QStringLiteral("MenuButton"));
    menuButton_->setAccessibleName(ClassroomText(kMenuButtonName));
    menuButton_->setFocusPolicy(Qt::NoFocus);
    // A tap comes as the mouse events that Qt makes of the finger.
    menuButton_->installEventFilter(this);
    connect(menuButton_, &QPushButton::clicked, this, [this] {
        showMenu(menuButton_->mapToGlobal(menuButton_->rect().bottomRight()), buttonTouched_);
        buttonTouched_ = false;
    });

    // A finger held on the band diagram (or a word on it) or the plot opens
    // the menu, where a right click does. The diagram is drawn on the form
    // itself, under its labels, and lets the boxes and buttons have their
    // taps.
    hold_.setSingleShot(true);
    hold_.setInterval(kLongPressMs);
    connect(&hold_, &QTimer::timeout, this, [this] {
        showMenu(heldAt_.toPoint(), true);
        fingerOnMenu_ = true;
    });
    plot_ = window_.findChild<QWidget *>(u"Picture1"_qs);
    for (QWidget *widget : {window_.formWidget(), plot_}) {
        widget->setAttribute(Qt::WA_AcceptTouchEvents);
        widget->installEventFilter(this);
    }

    setZoom(window_.zoom());
}

QAction *ClassroomActions::addAction(const ClassroomAction &a) {
    static constexpr Slot kSlots[] = {
        {"Pause", &ClassroomActions::togglePause},
        {"Step", &ClassroomActions::step},
        {"ZoomIn", &ClassroomActions::zoomIn},
        {"ZoomOut", &ClassroomActions::zoomOut},
        {"ActualSize", &ClassroomActions::actualSize},
        {"CopyPicture", &ClassroomActions::copyPicture},
        {"Readouts", &ClassroomActions::showReadouts},
        {"Menu", &ClassroomActions::menuKey},
        {"Fit", &ClassroomActions::fit},
        {"HighContrast", &ClassroomActions::toggleContrast},
        {"Keys", &ClassroomActions::showKeys},
    };
    auto *action = new QAction(ClassroomText(a.text), this);
    action->setObjectName(ToQString(a.name) + u"Action"_qs);
    QList<QKeySequence> keys;
    for (std::string_view key : a.keys)
        if (!key.empty()) keys << QKeySequence(ToQString(key), QKeySequence::PortableText);
    action->setShortcuts(keys);
    action->setShortcutVisibleInContextMenu(true);
    for (const Slot &s : kSlots)
        if (s.name == a.name) connect(action, &QAction::triggered, this, s.slot);
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

void ClassroomActions::toggleContrast() {
    window_.setHighContrast(!window_.highContrast());
    contrast_->setChecked(window_.highContrast());
}

void ClassroomActions::fit() {
    window_.fitToScreen();
    setZoom(window_.zoom());
}

void ClassroomActions::setZoom(double zoom) {
    window_.setZoom(zoom);
    zoomIn_->setEnabled(window_.zoom() < SteppedZoom(1.0, kZoomSteps));
    zoomOut_->setEnabled(window_.zoom() > 1.0);
    actualSize_->setEnabled(window_.zoom() != 1.0);
    placeSign();
}

void ClassroomActions::placeSign() {
    // As wide as its word, in the window's font, at the corner's right edge.
    sign_->setFont(window_.font());
    const QRect corner = CoveringPixels(
        QRectF(kPausedSign.left, kPausedSign.top, kPausedSign.width, kPausedSign.height),
        window_.zoom());
    const int width = std::min(corner.width(), sign_->sizeHint().width());
    sign_->setGeometry(corner.adjusted(corner.width() - width, 0, 0, 0));
    sign_->raise();
    menuButton_->setGeometry(CoveringPixels(
        QRectF(kMenuButton.left, kMenuButton.top, kMenuButton.width, kMenuButton.height),
        window_.zoom()));
    QFont glyph = window_.font();
    glyph.setPixelSize(menuButton_->height() * 6 / 11);
    menuButton_->setFont(glyph);
    menuButton_->raise();
}

void ClassroomActions::showPaused(bool paused) {
    pause_->setText(ClassroomText(paused ? kResumeText : kClassroomActions[0].text));
    placeSign();
    sign_->setVisible(paused);
}

void ClassroomActions::showMenu(const QPoint &globalPos, bool byTouch) {
    hold_.stop();
    fingerOnMenu_ = false;
    // A popup is a window of its own and takes no font from the form.
    menu_->setFont(window_.font());
    if (menuStyle_->touch != byTouch) {
        menuStyle_->touch = byTouch;
        QEvent resized(QEvent::StyleChange); // the items take their new heights
        QApplication::sendEvent(menu_, &resized);
    }
    menu_->popup(globalPos);
}

bool ClassroomActions::heldFinger(QWidget *watched, QEvent *event) {
    auto *touch = static_cast<QTouchEvent *>(event);
    switch (event->type()) {
    case QEvent::TouchBegin: {
        // A finger that lands while another is held makes it a pinch.
        const bool alone = !hold_.isActive() && touch->points().size() == 1;
        hold_.stop();
        const QPointF at = touch->points().first().globalPosition();
        // A box or a button on the form: a tap there is a click.
        if (QWidget *under = watched->childAt(watched->mapFromGlobal(at).toPoint());
            under && !qobject_cast<QLabel *>(under)) {
            event->ignore();
            return false;
        }
        heldAt_ = at;
        if (alone) hold_.start();
        break;
    }
    case QEvent::TouchUpdate:
        if (touch->points().size() != 1 ||
            QLineF(heldAt_, touch->points().first().globalPosition()).length() > kLongPressSlop)
            hold_.stop();
        break;
    default: // the finger lifted, or the system took it
        hold_.stop();
        break;
    }
    event->accept();
    return true;
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

void ClassroomActions::showReadouts() {
    window_.showReadouts();
}

void ClassroomActions::copyPicture() {
    QApplication::clipboard()->setImage(picture());
}

QImage ClassroomActions::picture() const {
    const QRect area(QPoint(0, 0), window_.shownPixels());
    const qreal ratio = window_.devicePixelRatioF();
    QImage image((QSizeF(area.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Bottom to top, as the window stacks them; a label's own background
    // would print as a grey box on the white.
    for (QObject *object : window_.formWidget()->children()) {
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

static QString PlainText(std::string_view text) {
    static const QRegularExpression mark(u"\\(&\\w\\)|&(?=.)"_qs);
    return ClassroomText(text).remove(mark).trimmed();
}

void ClassroomActions::showKeys() {
    // Every key of the table and what it does, as the menu says it.
    QString rows;
    for (const ClassroomAction &a : kClassroomActions) {
        const std::string_view help = KeyHelpText(a);
        if (help.empty()) continue;
        QStringList keys;
        for (std::string_view key : a.keys)
            if (!key.empty())
                keys << QKeySequence(ToQString(key), QKeySequence::PortableText)
                            .toString(QKeySequence::NativeText)
                            .toHtmlEscaped();
        rows += u"<tr><td style='padding-right:16px'><b>%1</b></td><td>%2</td></tr>"_qs.arg(
            keys.join(u", "_qs), PlainText(help).toHtmlEscaped());
    }
    if (!keysBox_) {
        keysBox_ = new QMessageBox(&window_);
        keysBox_->setObjectName(QStringLiteral("KeysHelp"));
        keysBox_->setIcon(QMessageBox::NoIcon);
        keysBox_->setTextFormat(Qt::RichText);
        keysBox_->setStandardButtons(QMessageBox::Ok);
    }
    keysBox_->setWindowTitle(PlainText(KeysText()));
    keysBox_->setText(u"<table>"_qs + rows + u"</table>"_qs);
    keysBox_->setFont(window_.font());
    keysBox_->open();
}

bool ClassroomActions::menuTakesKey(QKeyEvent *key) {
    // A classroom key closes the menu and does what it says; the menu's own
    // keys (arrows, Enter, Escape, letters) are never classroom keys.
    const QKeyCombination pressed = key->keyCombination();
    const QKeyCombination unshifted(pressed.keyboardModifiers() & ~Qt::ShiftModifier,
                                    pressed.key());
    for (QAction *action : window_.actions()) {
        for (const QKeySequence &keys : action->shortcuts()) {
            if (keys.count() != 1) continue;
            // Ctrl++ comes as Ctrl+Shift++ where + needs the Shift key.
            const bool symbol = pressed.key() < Qt::Key_A || pressed.key() > Qt::Key_Z;
            if (keys[0] != pressed && !(symbol && keys[0] == unshifted)) continue;
            if (!action->isEnabled()) return true;
            menu_->close();
            action->trigger();
            return true;
        }
    }
    return false;
}

bool ClassroomActions::eventFilter(QObject *watched, QEvent *event) {
    if (watched == menu_ && event->type() == QEvent::KeyPress)
        return menuTakesKey(static_cast<QKeyEvent *>(event));
    // The finger that opened the menu lifts off it: that chooses nothing, and
    // a menu takes a release where it was never pressed for a click outside.
    if (watched == menu_ && fingerOnMenu_ &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease)) {
        fingerOnMenu_ = false;
        return event->type() == QEvent::MouseButtonRelease;
    }
    if (watched == menuButton_ && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        buttonTouched_ = press->source() != Qt::MouseEventNotSynthesized ||
                         press->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
        return false;
    }
    const bool touchable = watched == window_.formWidget() || watched == plot_;
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        if (touchable) return heldFinger(static_cast<QWidget *>(watched), event);
        break;
    default:
        break;
    }
    if ((watched == &window_ || watched == window_.formWidget()) &&
        event->type() == QEvent::Wheel) {
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
