#include "view/main_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "app/control_events.h"
#include "app/window_description.h"
#include "view/diagram_canvas.h"
#include "view/plot_box.h"
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

// A caption two lines high or more wraps at word (in Japanese, character)
// boundaries; a lower one stays on its line.
bool WrapsIn(const QFontMetrics &fm, int heightPx) {
    return heightPx * 2 >= fm.height() * 3;
}

bool CaptionFits(const QFontMetrics &fm, const ControlDesign &label) {
    const QRect box = ToPixels(label);
    const QString caption = ToQString(label.caption);
    const int flags = WrapsIn(fm, box.height()) ? Qt::TextWordWrap : 0;
    const QRect needed = fm.boundingRect(QRect(0, 0, box.width(), 10 * box.height()),
                                         flags | Qt::AlignLeft | Qt::AlignTop, caption);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

// The installed faces run wider than the one the boxes were laid out for:
// step the window font down from 9 points until every caption in it fits its
// box, so that no label loses a word.
QFont FittedWindowFont() {
    QFont f = WindowFont();
    for (qreal size = 9; size > 7; size -= 0.25) {
        f.setPointSizeF(size);
        const QFontMetrics fm(f);
        const auto &all = WindowDescription();
        if (std::all_of(all.begin(), all.end(), [&fm](const ControlDesign &c) {
                return c.kind != ControlKind::Label || c.font != FontKind::Default ||
                       CaptionFits(fm, c);
            }))
            break;
    }
    return f;
}

// The large E of the band labels. The described face is rarely installed
// outside its home platform, so an installed Japanese gothic stands in.
QFont BandLetterFont() {
    QFont f;
    f.setFamilies({ToQString(kBandLetterFamily), QStringLiteral("IPAPGothic"),
                   QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    f.setPointSizeF(kBandLetterPointSize);
    return f;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QWidget(parent) {
    const WindowDesign &w = Window();
    setWindowTitle(ToQString(w.caption));
    setFont(FittedWindowFont());

    buildControls();
    setTabOrderFromDescription();

    form_.decimalSeparator = QLocale::system().decimalPoint().toStdString();
    Form_Load(form_);
    syncFromForm();

    // Opens with the client area of the description; enlarging it brings the
    // lower strip into view, and there is nothing to show beyond it.
    resize(ToPixels(w.clientWidth), ToPixels(w.clientHeight));
    setMaximumSize(ToPixels(w.extentWidth), ToPixels(w.extentHeight));

    if (auto *start = findChild<QPushButton *>(QStringLiteral("Command1"))) start->setFocus();
}

MainWindow::~MainWindow() = default;

QMessageBox *MainWindow::messageBox() const {
    return messageBox_;
}

void MainWindow::buildControls() {
    const WindowDesign &w = Window();
    Controls &ctl = form_.ctl;

    // Lines and shapes lie under every widget.
    canvas_ = new DiagramCanvas(ctl, this);
    canvas_->setGeometry(0, 0, ToPixels(w.extentWidth), ToPixels(w.extentHeight));

    for (const ControlDesign &design : WindowDescription()) {
        const QString name = ControlName(design);
        QWidget *widget = nullptr;
        switch (design.kind) {
        case ControlKind::Label: {
            auto *label = new QLabel(ToQString(design.caption), this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (design.font == FontKind::BandLetter) label->setFont(BandLetterFont());
            // An opaque label hides what lies under it; the band letters let
            // each other and the band lines show through.
            label->setAutoFillBackground(!design.transparent);
            label->setWordWrap(WrapsIn(label->fontMetrics(), ToPixels(design.height)));
            widget = label;
            break;
        }
        case ControlKind::TextBox: {
            auto *edit = new QLineEdit(ToQString(design.caption), this);
            if (design.flat) {
                edit->setFrame(false);
                edit->setStyleSheet(QStringLiteral(
                    "QLineEdit { border: 1px solid palette(text); padding: 0 1px; }"));
            }
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
            auto *button = new QPushButton(ToQString(design.caption), this);
            // Enter presses the focused button, as Space does.
            button->setAutoDefault(true);
            const ControlEvent *event = FindControlEvent(design.name);
            Q_ASSERT(event);
            connect(button, &QPushButton::clicked, this, [this, event] { handle(*event); });
            widget = button;
            break;
        }
        case ControlKind::PictureBox:
            plot_ = new PlotBox(ctl.Picture1, this);
            widget = plot_;
            break;
        case ControlKind::Timer: {
            auto *timer = new QTimer(this);
            timer->setObjectName(name);
            timer->setInterval(design.interval);
            const ControlEvent *event = FindControlEvent(design.name);
            Q_ASSERT(event && event->timer);
            // The simulation step: keep its 50 ms as close as the system allows.
            if (design.name == "Timer1") timer->setTimerType(Qt::PreciseTimer);
            const TimerProps *props = &(ctl.*event->timer);
            connect(timer, &QTimer::timeout, this, [this, event] { handle(*event); });
            timers_.push_back({timer, props});
            break;
        }
        default: // lines and shapes: drawn by the canvas
            break;
        }
        if (widget) {
            widget->setObjectName(name);
            widget->setGeometry(ToPixels(design));
        }
    }
    // Labels are painted on the window itself, boxes, buttons and the picture
    // are windows of their own: where they overlap (Label10 and Label12 with
    // Picture1), the box is on top.
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QLabel *>(child) && child != canvas_) child->raise();
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

void MainWindow::handle(const ControlEvent &event) {
    // After Close no further event is handled.
    if (form_.feedback.closed) return;
    try {
        event.handler(form_, random_);
    } catch (const std::exception &e) {
        // The core reports its own run-time errors; this only keeps an
        // unexpected one from crossing the event loop, with the same outcome.
        if (!form_.feedback.error) form_.feedback.error = e.what();
        form_.ctl.Timer1.Enabled = false;
    }
    syncFromForm();
}

void MainWindow::syncFromForm() {
    if (form_.feedback.closed) {
        stopTimers();
        close();
        return;
    }
    for (const TextBoxView &box : textBoxes_) {
        const QString text = QString::fromStdString(*box.text);
        // Rewriting an unchanged text would move the user's cursor.
        if (box.edit->text() != text) box.edit->setText(text);
    }
    for (const TimerView &t : timers_) {
        // Enabling a running timer leaves its count alone.
        if (t.props->Enabled && !t.timer->isActive()) t.timer->start();
        if (!t.props->Enabled && t.timer->isActive()) t.timer->stop();
    }
    canvas_->refresh();
    plot_->refresh();

    const Feedback &fb = form_.feedback;
    if (fb.messageSerial != shownMessageSerial_) {
        shownMessageSerial_ = fb.messageSerial;
        if (fb.message) showMessage(*fb.message);
    }
    // Each error is shown once; a Start that clears it re-arms the report.
    if (fb.error && !errorShown_) showMessage(*fb.error);
    errorShown_ = fb.error.has_value();
}

void MainWindow::showMessage(const std::string &text) {
    // Window-modal and opened without a nested event loop: the handler that
    // raised it has already returned, and the timers go on meanwhile.
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), QString::fromStdString(text),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("MessageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
    messageBox_ = box;
}

void MainWindow::stopTimers() {
    for (const TimerView &t : timers_) t.timer->stop();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // Closing the window ends the program: nothing more ticks and no message
    // box is left behind to keep it alive.
    stopTimers();
    for (QMessageBox *box : findChildren<QMessageBox *>()) box->close();
    event->accept();
}

} // namespace transistor
