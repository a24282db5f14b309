#include "view/main_window.h"

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
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "app/control_events.h"
#include "app/window_description.h"
#include "view/caption_room.h"
#include "view/classroom_actions.h"
#include "view/diagram_canvas.h"
#include "view/plot_box.h"
#include "view/translation.h"
#include "view/twips.h"

namespace transistor {

namespace {

// The labels are sized for a gothic face of about 9 points; the Japanese
// captions need a face that has their glyphs.
QFont WindowFont() {
    QFont f;
    f.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                   QStringLiteral("Noto Sans CJK JP")});
    f.setPointSizeF(9);
    return f;
}

// The installed faces run wider than the one the boxes were laid out for:
// step the window font down from 9 points until every caption in it fits its
// box, so that no label loses a word. A translated caption must fit its room
// as well, at the same size, so that every language gets the same font
// unless a translation needs a smaller one. A zoom scales font and boxes alike.
QFont FittedWindowFont(double zoom) {
    QFont f = WindowFont();
    for (qreal size = 9; size > 7; size -= 0.25) {
        f.setPointSizeF(size * zoom);
        const QFontMetrics fm(f);
        const auto &all = WindowDescription();
        if (std::all_of(all.begin(), all.end(), [&fm, zoom](const ControlDesign &c) {
                return c.kind != ControlKind::Label || c.font != FontKind::Default ||
                       (CaptionFits(fm, ToPixels(c, zoom), ToQString(c.caption)) &&
                        RoomForCaption(c, Translated(c.caption), fm, zoom).fits);
            }))
            break;
    }
    return f;
}

// The large E of the band labels. The described face is rarely installed
// outside its home platform, so an installed Japanese gothic stands in.
QFont BandLetterFont(double zoom) {
    QFont f;
    f.setFamilies({ToQString(kBandLetterFamily), QStringLiteral("IPAPGothic"),
                   QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    f.setPointSizeF(kBandLetterPointSize * zoom);
    return f;
}

// A label over a line or a shape of the drawing lets it show through, so that
// no caption cuts a gap into the circuit's wires.
bool OverDrawing(const ControlDesign &label) {
    const QRect box(label.left, label.top, label.width, label.height);
    for (const ControlDesign &c : WindowDescription()) {
        if (!c.container.empty()) continue;
        if (c.kind == ControlKind::Line) {
            const QRect span = QRect(QPoint(c.x1, c.y1), QPoint(c.x2, c.y2)).normalized();
            if (box.intersects(span.adjusted(0, 0, kTwipsPerPixel, kTwipsPerPixel))) return true;
        } else if (c.kind == ControlKind::Rectangle || c.kind == ControlKind::Circle) {
            if (c.name != "Shape1" && c.name != "Shape2" &&
                box.intersects(QRect(c.left, c.top, c.width, c.height)))
                return true;
        }
    }
    return false;
}

// The plot is a chart and the band diagram a picture to a screen reader;
// plain widgets would both be announced as frames or fillers.
QAccessibleInterface *DrawingAccessible(const QString &, QObject *object) {
    if (auto *plot = qobject_cast<PlotBox *>(object))
        return new QAccessibleWidget(plot, QAccessible::Chart);
    if (auto *canvas = qobject_cast<DiagramCanvas *>(object))
        return new QAccessibleWidget(canvas, QAccessible::Graphic);
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

    buildControls();
    layoutControls();
    setTabOrderFromDescription();
    syncFromForm();

    // Opens with the client area of the description; enlarging it brings the
    // lower strip into view, and there is nothing to show beyond it.
    shownTwips_ = QSizeF(w.clientWidth, w.clientHeight);
    resize(ToPixels(w.clientWidth, zoom_), ToPixels(w.clientHeight, zoom_));
    classroom_ = new ClassroomActions(*this);

    if (auto *start = findChild<QPushButton *>(QStringLiteral("Command1"))) start->setFocus();
    // The focus never rests on a control below the window's lower edge.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now != this && isAncestorOf(now)) growToShow(now);
    });
}

MainWindow::~MainWindow() = default;

QMessageBox *MainWindow::messageBox() const {
    return messageBox_;
}

void MainWindow::buildControls() {
    Controls &ctl = program_.form().ctl;

    // Lines and shapes lie under every widget.
    canvas_ = new DiagramCanvas(ctl, this);
    canvas_->setAccessibleName(tr("Band diagram"));

    for (const ControlDesign &design : WindowDescription()) {
        const QString name = ControlName(design);
        QWidget *widget = nullptr;
        switch (design.kind) {
        case ControlKind::Label: {
            auto *label = new QLabel(Translated(design.caption), this);
            label->setTextFormat(Qt::PlainText);
            // An opaque label hides what lies under it; the band letters let
            // each other and the band lines show through, and captions over
            // the circuit its wires.
            label->setAutoFillBackground(!design.transparent && !OverDrawing(design));
            widget = label;
            break;
        }
        case ControlKind::TextBox: {
            auto *edit = design.flat ? new FlatLineEdit(ToQString(design.caption), this)
                                     : new QLineEdit(ToQString(design.caption), this);
            // Enter in an input box applies the inputs, as the program rules.
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
            auto *button = new QPushButton(Translated(design.caption), this);
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
            plot_ = new PlotBox(ctl.Picture1, this);
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
        }
    }
    // A caption of exactly one box is its buddy: a screen reader reads the
    // box as labelled by it.
    for (const ControlDesign &design : WindowDescription()) {
        if (design.buddy.empty()) continue;
        auto *label = findChild<QLabel *>(ControlName(design), Qt::FindDirectChildrenOnly);
        auto *box = findChild<QWidget *>(ToQString(design.buddy), Qt::FindDirectChildrenOnly);
        if (label && box) label->setBuddy(box);
    }
    // Labels are painted on the window itself, boxes, buttons and the picture
    // are windows of their own: where they overlap (Label10 and Label12 with
    // Picture1), the box is on top.
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QLabel *>(child) && child != canvas_) child->raise();
}

// Places and sizes every widget, font and drawing at the present zoom.
void MainWindow::layoutControls() {
    const WindowDesign &w = Window();
    setFont(FittedWindowFont(zoom_));
    canvas_->setGeometry(0, 0, ToPixels(w.extentWidth, zoom_), ToPixels(w.extentHeight, zoom_));
    canvas_->setZoom(zoom_);
    plot_->setZoom(zoom_);
    for (const ControlDesign &design : WindowDescription()) {
        auto *widget = findChild<QWidget *>(ControlName(design), Qt::FindDirectChildrenOnly);
        if (!widget) continue;
        widget->setGeometry(ToPixels(design, zoom_));
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (design.font == FontKind::BandLetter) label->setFont(BandLetterFont(zoom_));
            // A translated caption that needs more room than its box takes
            // free room beside it and keeps to the box's right edge.
            const CaptionRoom room =
                RoomForCaption(design, label->text(), label->fontMetrics(), zoom_);
            label->setGeometry(room.box);
            label->setAlignment((room.grown ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            label->setWordWrap(WrapsIn(label->fontMetrics(), room.box.height()));
        }
    }
    setMaximumSize(ToPixels(w.extentWidth, zoom_), ToPixels(w.extentHeight, zoom_));
}

void MainWindow::setZoom(double zoom) {
    if (zoom == zoom_) return;
    // The part of the form on show, in twips; kept from one zoom to the next
    // unless the user has resized the window since, so rounding never creeps.
    const double perTwip = PixelsPerTwip(zoom_);
    if (size() != (shownTwips_ * perTwip).toSize()) shownTwips_ = QSizeF(size()) / perTwip;
    zoom_ = zoom;
    layoutControls();
    // The same part as before, as far as the screen allows.
    QSize shown = (shownTwips_ * PixelsPerTwip(zoom_)).toSize();
    if (const QScreen *s = screen())
        shown = shown.boundedTo(s->availableGeometry().size() - (frameSize() - size()));
    resize(shown);
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
        auto *widget = findChild<QWidget *>(ControlName(*design), Qt::FindDirectChildrenOnly);
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
    const QRect place(widget->mapTo(this, QPoint(0, 0)), widget->size());
    if (place.bottom() < height()) return;
    // The whole strip, not just the one control, as far as the screen allows.
    const int frame = frameGeometry().height() - height();
    int wanted = std::min(maximumHeight(), ToPixels(Window().extentHeight, zoom_));
    if (const QScreen *s = screen()) {
        const QRect avail = s->availableGeometry();
        wanted = std::min(wanted, avail.height() - frame);
        const int overhang = frameGeometry().top() + frame + wanted - avail.bottom() - 1;
        if (overhang > 0) move(x(), std::max(avail.top(), pos().y() - overhang));
    }
    if (wanted > height()) resize(width(), wanted);
}

void MainWindow::showMessage(const QString &text, const QString &boxName) {
    // Window-modal and opened without a nested event loop: the handler that
    // raised it has already returned, and the timers go on meanwhile.
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("MessageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    auto *edit =
        boxName.isEmpty() ? nullptr : findChild<QLineEdit *>(boxName, Qt::FindDirectChildrenOnly);
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
