#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace transistor {

// A readout as a screen reader hears it: a text it can read, select and copy,
// but not edit. Qt's own interface for a line edit says "editable" even when
// the box is read-only, and this one leaves that out and says "read-only".
class ReadoutAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadoutAccessible(QLineEdit *edit);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

  private:
    QLineEdit *edit() const;
};

} // namespace transistor
