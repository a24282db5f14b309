#include "view/readout_accessible.h"

#include <QLineEdit>
#include <QStyle>
#include <algorithm>

namespace transistor {

ReadoutAccessible::ReadoutAccessible(QLineEdit *edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit *ReadoutAccessible::edit() const {
    return static_cast<QLineEdit *>(widget());
}

QAccessible::State ReadoutAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = false;
    s.readOnly = true;
    s.selectableText = true;
    return s;
}

QString ReadoutAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return edit()->text();
    return QAccessibleWidget::text(t);
}

void *ReadoutAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void ReadoutAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !edit()->hasSelectedText()) return;
    *startOffset = edit()->selectionStart();
    *endOffset = edit()->selectionEnd();
}

int ReadoutAccessible::selectionCount() const {
    return edit()->hasSelectedText() ? 1 : 0;
}

void ReadoutAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void ReadoutAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) edit()->deselect();
}

void ReadoutAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) return;
    const int count = characterCount();
    const int start = std::clamp(startOffset, 0, count);
    const int end = std::clamp(endOffset, 0, count);
    edit()->setSelection(start, end - start);
}

int ReadoutAccessible::cursorPosition() const {
    return edit()->cursorPosition();
}

void ReadoutAccessible::setCursorPosition(int position) {
    edit()->setCursorPosition(position);
}

QString ReadoutAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) return {};
    return edit()->text().mid(startOffset, endOffset - startOffset);
}

int ReadoutAccessible::characterCount() const {
    return static_cast<int>(edit()->text().size());
}

// Where a character stands on the screen: the text laid out in the box's
// font and alignment inside its frame, its margins and the two pixels that a
// line edit keeps clear on either side of its text.
QRect ReadoutAccessible::characterRect(int offset) const {
    constexpr int kTextSideClearance = 2;
    const QLineEdit *box = edit();
    const QString text = box->text();
    if (offset < 0 || offset >= text.size()) return {};
    const QFontMetrics metrics = box->fontMetrics();
    const int frame =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) : 0;
    const QRect inside = box->rect()
                             .adjusted(frame, frame, -frame, -frame)
                             .marginsRemoved(box->textMargins())
                             .adjusted(kTextSideClearance, 0, -kTextSideClearance, 0);
    const Qt::Alignment align = QStyle::visualAlignment(box->layoutDirection(), box->alignment());
    const QRect line =
        QStyle::alignedRect(box->layoutDirection(), align,
                            QSize(metrics.horizontalAdvance(text), metrics.height()), inside);
    const int x = line.left() + metrics.horizontalAdvance(text.left(offset));
    const QRect local(x, line.top(), metrics.horizontalAdvance(text.mid(offset, 1)), line.height());
    return QRect(box->mapToGlobal(local.topLeft()), local.size());
}

int ReadoutAccessible::offsetAtPoint(const QPoint &point) const {
    const QPoint local = edit()->mapFromGlobal(point);
    return edit()->rect().contains(local) ? edit()->cursorPositionAt(local) : -1;
}

void ReadoutAccessible::scrollToSubstring(int, int) {}

QString ReadoutAccessible::attributes(int offset, int *startOffset, int *endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

} // namespace transistor
