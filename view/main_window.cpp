#include "view/main_window.h"
#include "view/readouts_dialog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "app/classroom.h"
#include "app/control_events.h"
#include "app/look.h"
#include "app/window_description.h"
#include "view/classroom_actions.h"
#include "view/diagram_canvas.h"
#include "view/plot_box.h"
#include "view/readout_accessible.h"
#include "view/translation.h"
#include "view/twips.h"

namespace transistor {

namespace {

// The air that the focused box keeps from the window's edge when the form
// scrolls it into view.
constexpr int kScrollMarginTwips = 120;

// The form's controls as a screen reader hears them: every one but the band
// letters' subscripts, which it hears in the names of their large letters.
class FormAccessible : public QAccessibleWidget {
  public:
    explicit FormAccessible(QWidget *form) : QAccessibleWidget(form, QAccessible::Client) {}

    int childCount() const override { return static_cast<int>(heard().size()); }
    QAccessibleInterface *child(int index) const override {
        const QList<QWidget *> widgets = heard();
        return index >= 0 && index < widgets.size()
                   ? QAccessible::queryAccessibleInterface(widgets[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child ? static_cast<int>(heard().indexOf(qobject_cast<QWidget *>(child->object())))
                     : -1;
    }

  private:
    QList<QWidget *> heard() const {
        auto *window = qobject_cast<MainWindow *>(widget()->window());
        QList<QWidget *> widgets;
        for (QObject *o : widget()->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && !w->isWindow() && !(window && window->isSubscript(w))) widgets << w;
        }
        return widgets;
    }
};

// The plot is a chart and the band diagram a picture to a screen reader;
// plain widgets would both be announced as frames or fillers. The window is
// a frame, and the form that holds the controls hears them as a user does.
// A readout is a text it can read but not edit.
QAccessibleInterface *DrawingAccessible(const QString &, QObject *object) {
    if (auto *edit = qobject_cast<QLineEdit *>(object); edit && edit->isReadOnly())
        return new ReadoutAccessible(edit);
    if (auto *plot = qobject_cast<PlotBox *>(object))
        return new QAccessibleWidget(plot, QAccessible::Chart);
    if (auto *canvas = qobject_cast<DiagramCanvas *>(object))
        return new QAccessibleWidget(canvas, QAccessible::Graphic);
    if (auto *window = qobject_cast<MainWindow *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto *form = qobject_cast<FormSurface *>(object)) return new FormAccessible(form);
    return nullptr;
}

// A text box drawn flat: a one-pixel border in the text colour, and a
// two-pixel one in the highlight colour while it has the focus. Painted here
// rather than by a style sheet, which would cost the window a style-sheet
// style and its parsing at every start.
class FlatLineEdit : public QLineEdit {
  public:
    FlatLineEdit(const QString &text, QWidget *parent) : QLineEdit(text, parent) {
        setFrame(false);
    }

  protected:
    void paintEvent(QPaintEvent *event) override {
        QLineEdit::paintEvent(event);
        QPainter p(this);
        const int width = hasFocus() ? 2 : 1;
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Text));
        const QRect r = rect();
        p.drawRect(0, 0, r.width(), width);
        p.drawRect(0, r.height() - width, r.width(), width);
        p.drawRect(0, width, width, r.height() - 2 * width);
        p.drawRect(r.width() - width, width, width, r.height() - 2 * width);
    }
};

// The program as this window runs it: in the user's language and with the
// locale's decimal separator.
Program::Options ProgramOptions(MainWindow *window) {
    Program::Options o;
    o.decimalSeparator = QLocale::system().decimalPoint().toStdString();
    o.translate = [](const char *context, std::string_view source) {
        return Translated(source, context).toStdString();
    };
    o.delivered = [window](const ControlEvent &e) { emit window->delivered(ToQString(e.control)); };
    return o;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QWidget(parent), program_(ProgramOptions(this)) {
    elapsed_.start();
    const WindowDesign &w = Window();
    setWindowTitle(Translated(w.caption));
    // What Qt lays out before a widget has its own font (a text box's first
    // text, as it is made) or in the application's (a message box) is in the
    // face of the window's language, so that no third face is opened for it.
    QFont appFont = QApplication::font();
    CaptionFonts::setFace(appFont, FaceFor(windowTitle().toStdString()));
    QApplication::setFont(appFont);
    setFont(appFont);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(DrawingAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    // One precise timer wakes the program at its next deadline.
    wake_ = new QTimer(this);
    wake_->setObjectName(QStringLiteral("Wake"));
    wake_->setSingleShot(true);
    wake_->setTimerType(Qt::PreciseTimer);
    connect(wake_, &QTimer::timeout, this, &MainWindow::wake);

    // The form scrolls only where the window cannot grow to show it (fitForm).
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("FormScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(true);
    formWidget_ = new FormSurface;
    formWidget_->setObjectName(QStringLiteral("Form1"));
    scroll_->setWidget(formWidget_);
    // Scrolled down into the lower strip, the window shows the strip.
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value + scroll_->viewport()->height() > ToPixels(Window().clientHeight, zoom_))
            shownTwips_.setHeight(Window().extentHeight);
    });

    buildControls();
    layoutControls();
    setTabOrderFromDescription();
    syncFromForm();

    // Opens with the client area of the description; enlarging it brings the
    // lower strip into view, and there is nothing to show beyond it.
    shownTwips_ = QSizeF(w.clientWidth, w.clientHeight);
    resizeTo(sizeFor(shownTwips_));
    classroom_ = new ClassroomActions(*this);

    if (auto *start = findChild<QPushButton *>(QStringLiteral("Command1"))) start->setFocus();
    // The focus never rests on a control below the window's lower edge.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now != this && formWidget_->isAncestorOf(now)) growToShow(now);
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::showReadouts() {
    if (!readouts_) readouts_ = new ReadoutsDialog(*this);
    readouts_->show();
    readouts_->raise();
    readouts_->activateWindow();
}

QMessageBox *MainWindow::messageBox() const {
    return messageBox_;
}

QSize MainWindow::shownPixels() const {
    const WindowDesign &w = Window();
    return (shownTwips_ * PixelsPerTwip(zoom_))
        .toSize()
        .boundedTo(QSize(ToPixels(w.extentWidth, zoom_), ToPixels(w.extentHeight, zoom_)));
}

bool MainWindow::isSubscript(const QWidget *widget) const {
    return std::find(subscripts_.begin(), subscripts_.end(), widget) != subscripts_.end();
}

void MainWindow::buildControls() {
    Controls &ctl = program_.form().ctl;

    // Lines and shapes lie under every widget.
    canvas_ = new DiagramCanvas(ctl, formWidget_);
    canvas_->setAccessibleName(tr("Band diagram"));

    for (const ControlDesign &design : WindowDescription()) {
        const QString name = ControlName(design);
        QWidget *widget = nullptr;
        switch (design.kind) {
        case ControlKind::Label: {
            auto *label = new QLabel(Translated(design.caption), formWidget_);
            label->setTextFormat(Qt::PlainText);
            // An opaque label hides what lies under it; the band letters let
            // each other and the band lines show through, and captions over
            // the circuit its wires.
            label->setAutoFillBackground(!design.transparent && !LiesOverDrawing(design));
            captions_.push_back({&design, label->text().toStdString()});
            if (design.subscript) subscripts_.push_back(label);
            widget = label;
            break;
        }
        case ControlKind::TextBox: {
            auto *edit = design.flat ? new FlatLineEdit(ToQString(design.caption), formWidget_)
                                     : new QLineEdit(ToQString(design.caption), formWidget_);
            // A readout still takes the focus, and its text can be selected
            // and copied; only the program writes it.
            edit->setReadOnly(design.readOnly);
            // Enter in a box does what the program says: in an input box it
            // applies the inputs.
            connect(edit, &QLineEdit::returnPressed, this, [this, name = design.name] {
                program_.enter(name, now());
                syncFromForm();
            });
            std::string *text = TextBox(ctl, design.name);
            Q_ASSERT(text);
            textBoxes_.push_back({edit, text});
            // What the user types is the box's Text at once; handlers read it.
            connect(edit, &QLineEdit::textEdited, this,
                    [text](const QString &typed) { *text = typed.toStdString(); });
            widget = edit;
            break;
        }
        case ControlKind::Button: {
            auto *button = new QPushButton(Translated(design.caption), formWidget_);
            // Enter presses the focused button, as Space does.
            button->setAutoDefault(true);
            const ControlEvent *event = FindControlEvent(design.name);
            Q_ASSERT(event);
            connect(button, &QPushButton::clicked, this, [this, event] {
                program_.press(*event, now());
                syncFromForm();
            });
            widget = button;
            break;
        }
        case ControlKind::PictureBox:
            plot_ = new PlotBox(ctl.Picture1, formWidget_);
            widget = plot_;
            break;
        default: // lines and shapes: drawn by the canvas; timers: the program's clock
            break;
        }
        if (widget) {
            widget->setObjectName(name);
            if (!design.accessibleName.empty())
                widget->setAccessibleName(Translated(design.accessibleName));
            if (!design.accessibleDescription.empty())
                widget->setAccessibleDescription(Translated(design.accessibleDescription));
            widget->setToolTip(QString::fromStdString(ToolTip(design, WindowTranslate())));
        }
    }
    // A caption of exactly one box is its buddy: a screen reader reads the
    // box as labelled by it.
    for (const ControlDesign &design : WindowDescription()) {
        if (design.buddy.empty()) continue;
        auto *label =
            formWidget_->findChild<QLabel *>(ControlName(design), Qt::FindDirectChildrenOnly);
        auto *box =
            formWidget_->findChild<QWidget *>(ToQString(design.buddy), Qt::FindDirectChildrenOnly);
        if (label && box) label->setBuddy(box);
    }
    // Labels are painted on the window itself, boxes, buttons and the picture
    // are windows of their own: where they overlap (Label10 and Label12 with
    // Picture1), the box is on top.
    for (QWidget *child : formWidget_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QLabel *>(child) && child != canvas_) child->raise();
}

// Places and sizes every widget, font and drawing at the present zoom.
void MainWindow::layoutControls() {
    const WindowDesign &w = Window();
    // Numbers in the boxes are Latin; the buttons and the menu speak the
    // window's language. A zoom scales fonts and boxes alike.
    const Face windowFace = FaceFor(windowTitle().toStdString());
    captionSize_ = FittedCaptionSize(captions_, windowFace, fonts_, zoom_);
    const double size = captionSize_ * zoom_;
    setFont(fonts_.font(windowFace, size));
    formWidget_->setFont(fonts_.font(Face::Latin, size));
    canvas_->setGeometry(0, 0, ToPixels(w.extentWidth, zoom_), ToPixels(w.extentHeight, zoom_));
    canvas_->setZoom(zoom_);
    plot_->setZoom(zoom_);
    for (const ControlDesign &design : WindowDescription()) {
        auto *widget =
            formWidget_->findChild<QWidget *>(ControlName(design), Qt::FindDirectChildrenOnly);
        if (!widget) continue;
        widget->setGeometry(ToPixels(design, zoom_));
        if (auto *label = qobject_cast<QLabel *>(widget))
            layoutLabel(design, label);
        else if (auto *button = qobject_cast<QPushButton *>(widget))
            button->setFont(fonts_.font(FaceFor(button->text().toStdString()), size));
    }
    // There is nothing to show beyond the form, but a scroll bar beside it
    // where the form does not fit the screen.
    const QSize extent(ToPixels(w.extentWidth, zoom_), ToPixels(w.extentHeight, zoom_));
    const QSize room = screenRoom();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setMaximumSize(extent + QSize(extent.height() > room.height() ? bar : 0,
                                  extent.width() > room.width() ? bar : 0));
}

void MainWindow::layoutLabel(const ControlDesign &design, QLabel *label) {
    if (design.font == FontKind::BandLetter) {
        label->setFont(CaptionFonts::bandLetterFont(zoom_));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return;
    }
    // The caption in the face that draws it. A translated caption that needs
    // more room than its box takes free room beside it and keeps to the box's
    // right edge; inside its room the text keeps clear of the drawing's lines.
    const std::string caption = label->text().toStdString();
    const CaptionRoom room = PlaceCaption(design, caption, fonts_, captionSize_, zoom_);
    label->setFont(fonts_.font(FaceFor(caption), room.pointSize * zoom_));
    label->setGeometry(ToQRect(room.box));
    label->setContentsMargins(room.text.left - room.box.left, room.text.top - room.box.top,
                              room.box.right - room.text.right, room.box.bottom - room.text.bottom);
    label->setAlignment((room.grown ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(room.wraps);
}

void MainWindow::setZoom(double zoom) {
    if (zoom == zoom_) return;
    zoom_ = zoom;
    // The form's new maximum may resize the window on the way: no resize by
    // the user.
    zooming_ = true;
    layoutControls();
    // The same part of the form as before, as far as the screen allows.
    resizeTo(sizeFor(shownTwips_));
    zooming_ = false;
    fitForm();
    // The control the user is at stays in sight.
    QWidget *focus = QApplication::focusWidget();
    // (Once the window has taken its new size.)
    if (focus && formWidget_->isAncestorOf(focus))
        QTimer::singleShot(0, focus, [this, focus] { scrollToShow(focus); });
}

void MainWindow::setHighContrast(bool on) {
    highContrast_ = on;
    const Look &look = LookFor(on);
    const auto color = [](std::uint32_t rgb) {
        return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    };
    // The designed look is the desktop's own; the high contrast paints the
    // form white, its text black and its boxes' borders black.
    QPalette palette = QApplication::palette();
    if (on) {
        palette.setColor(QPalette::Window, color(look.formBackground));
        palette.setColor(QPalette::WindowText, color(look.text));
        palette.setColor(QPalette::Base, color(look.boxBackground));
        palette.setColor(QPalette::Text, color(look.text));
        // The plot's sunken frame in the boxes' border colour.
        for (const QPalette::ColorRole edge : {QPalette::Dark, QPalette::Mid, QPalette::Shadow})
            palette.setColor(edge, color(look.boxBorder));
    }
    setPalette(palette);
    // The boxes' borders in a style sheet of their own: one on the form
    // would stop the palette there.
    const QString border =
        on ? u"QLineEdit { border: %1px solid %2; background: %3; }"_qs.arg(look.boxBorderWidth)
                 .arg(color(look.boxBorder).name(), color(look.boxBackground).name())
           : QString();
    for (const TextBoxView &box : textBoxes_) box.edit->setStyleSheet(border);
    canvas_->setLook(look);
    plot_->setLook(look);
}

void MainWindow::fitToScreen() {
    const QSize room = screenRoom();
    shownTwips_ = QSizeF(Window().extentWidth, Window().extentHeight);
    const double zoom = FitZoom(room.width(), room.height());
    if (zoom != zoom_) {
        setZoom(zoom);
        return;
    }
    resizeTo(sizeFor(shownTwips_));
    fitForm();
}

QSize MainWindow::screenRoom() const {
    const QScreen *s = screen();
    if (!s) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return s->availableGeometry().size() - (frameGeometry().size() - size());
}

QSize MainWindow::sizeFor(const QSizeF &twips) const {
    const QSize part = (twips * PixelsPerTwip(zoom_)).toSize();
    const QSize room = screenRoom();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize size = part.boundedTo(room);
    if (part.height() > room.height()) size.setWidth(std::min(part.width() + bar, room.width()));
    if (part.width() > room.width()) size.setHeight(std::min(part.height() + bar, room.height()));
    return size;
}

void MainWindow::resizeTo(const QSize &size) {
    sizedTo_ = size;
    resize(size);
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (size() != sizedTo_ && !zooming_) {
        // The user gave the window this size: from now on it shows the part
        // of the form under it, or the whole form in a direction in which it
        // is as large as the screen allows.
        sizedTo_ = size();
        const QSize room = screenRoom();
        const QSizeF under = QSizeF(size()) / PixelsPerTwip(zoom_);
        const WindowDesign &w = Window();
        shownTwips_ = QSizeF(width() >= room.width() ? w.extentWidth : under.width(),
                             height() >= room.height() ? w.extentHeight : under.height())
                          .boundedTo(QSizeF(w.extentWidth, w.extentHeight));
    }
    fitForm();
}

void MainWindow::fitForm() {
    const WindowDesign &w = Window();
    const QSize extent(ToPixels(w.extentWidth, zoom_), ToPixels(w.extentHeight, zoom_));
    const QSize room = screenRoom();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool down = height() >= room.height() && extent.height() > height();
    bool across = width() >= room.width() && extent.width() > width();
    // A scroll bar that hides an edge of the form lets it scroll the other
    // way too.
    if (down && !across) across = extent.width() > width() - bar;
    if (across && !down) down = extent.height() > height() - bar;
    scroll_->setGeometry(rect());
    scroll_->setVerticalScrollBarPolicy(down ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroll_->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // In a direction in which it scrolls the form is whole; in the other it
    // ends at the window's edge, as the lower strip does below the client
    // area.
    formWidget_->setMinimumSize(across ? extent.width() : 0, down ? extent.height() : 0);
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(scroll_, &request);
}

void MainWindow::togglePause() {
    program_.togglePause(now());
    syncFromForm();
}

void MainWindow::step() {
    program_.step(now());
    syncFromForm();
}

void MainWindow::wake() {
    // However late the timer comes, one call catches up every event that
    // fell due, each at its own time; the window then paints once.
    program_.advanceTo(now());
    syncFromForm();
}

void MainWindow::setTabOrderFromDescription() {
    std::vector<const ControlDesign *> order;
    for (const ControlDesign &design : WindowDescription())
        if (design.tabIndex >= 0) order.push_back(&design);
    std::sort(order.begin(), order.end(), [](const ControlDesign *a, const ControlDesign *b) {
        return a->tabIndex < b->tabIndex;
    });
    QWidget *previous = nullptr;
    for (const ControlDesign *design : order) {
        auto *widget =
            formWidget_->findChild<QWidget *>(ControlName(*design), Qt::FindDirectChildrenOnly);
        // Labels are numbered too, but never take the focus.
        if (!widget || widget->focusPolicy() == Qt::NoFocus) continue;
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
}

void MainWindow::syncFromForm() {
    if (form().feedback.closed) {
        wake_->stop();
        close();
        return;
    }
    for (const TextBoxView &box : textBoxes_) {
        const QString text = QString::fromStdString(*box.text);
        // Rewriting an unchanged text would move the user's cursor.
        if (box.edit->text() != text) box.edit->setText(text);
    }
    canvas_->refresh();
    plot_->refresh();
    while (const std::optional<Notice> notice = program_.takeNotice())
        showMessage(QString::fromStdString(notice->text), ToQString(notice->focusBox));
    describeDrawings();
    if (program_.paused() != shownPaused_) {
        shownPaused_ = program_.paused();
        emit pausedChanged(shownPaused_);
    }
    if (const std::optional<Millis> due = program_.nextDeadline())
        wake_->start(static_cast<int>(std::clamp<Millis>(*due - now(), 0, 1 << 30)));
    else
        wake_->stop();
}

void MainWindow::describeDrawings() {
    // An unchanged description is not sent again: a screen reader may say it.
    const auto tell = [](QWidget *widget, const std::string &text) {
        const QString description = QString::fromStdString(text);
        if (widget->accessibleDescription() != description)
            widget->setAccessibleDescription(description);
    };
    tell(canvas_, program_.diagramDescription());
    tell(plot_, program_.plotDescription());
    tell(this, program_.windowDescription());
}

void MainWindow::growToShow(QWidget *widget) {
    const QRect place(widget->mapTo(formWidget_, QPoint(0, 0)), widget->size());
    if (place.bottom() >= shownPixels().height()) {
        // The whole strip, not just the one control, as far as the screen
        // allows.
        shownTwips_.setHeight(Window().extentHeight);
        const QSize wanted = sizeFor(shownTwips_);
        if (const QScreen *s = screen()) {
            const QRect avail = s->availableGeometry();
            const int frame = frameGeometry().height() - height();
            const int overhang =
                frameGeometry().top() + frame + wanted.height() - avail.bottom() - 1;
            if (overhang > 0) move(x(), std::max(avail.top(), pos().y() - overhang));
        }
        if (wanted.height() > height()) resizeTo(wanted);
    }
    scrollToShow(widget);
}

void MainWindow::scrollToShow(QWidget *widget) {
    // Where the form scrolls, the box comes into view whole (a text box on
    // its own would show only its cursor).
    const QRect place(widget->mapTo(formWidget_, QPoint(0, 0)), widget->size());
    const int margin = ToPixels(kScrollMarginTwips, zoom_);
    const QPoint centre = place.center();
    scroll_->ensureVisible(centre.x(), centre.y(), place.width() / 2 + margin,
                           place.height() / 2 + margin);
}

void MainWindow::showMessage(const QString &text, const QString &boxName) {
    // Window-modal and opened without a nested event loop: the handler that
    // raised it has already returned, and the timers go on meanwhile.
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("MessageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    auto *edit = boxName.isEmpty()
                     ? nullptr
                     : formWidget_->findChild<QLineEdit *>(boxName, Qt::FindDirectChildrenOnly);
    if (edit) {
        connect(box, &QMessageBox::finished, edit, [edit] {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        });
    }
    box->open();
    messageBox_ = box;
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // Closing the window ends the program: nothing more ticks and no message
    // box is left behind to keep it alive.
    wake_->stop();
    for (QMessageBox *box : findChildren<QMessageBox *>()) box->close();
    event->accept();
}

} // namespace transistor
