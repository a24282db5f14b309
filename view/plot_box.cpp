#include "view/plot_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "view/twips.h"

namespace transistor {

PlotBox::PlotBox(const std::vector<PlotPoint> &points, QWidget *parent)
    : QFrame(parent), points_(points) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // Like every picture box it is a tab stop; a frame in the highlight
    // colour shows when it has the focus.
    setFocusPolicy(Qt::StrongFocus);
}

QRect PlotBox::pixelsOf(const PlotPoint &point) const {
    return CoveringPixels(QRectF(point.x, point.y, kTwipsPerPixel, kTwipsPerPixel), zoom_);
}

void PlotBox::refresh() {
    const std::size_t n = points_.size();
    const bool appended =
        n >= drawnCount_ && (drawnCount_ == 0 || points_[drawnCount_ - 1] == drawnLast_);
    if (!appended) {
        update();
    } else if (n > drawnCount_) {
        QRect dirty;
        for (std::size_t i = drawnCount_; i < n; ++i) dirty |= pixelsOf(points_[i]);
        update(dirty & rect());
    }
    drawnCount_ = n;
    if (n > 0) drawnLast_ = points_.back();
}

void PlotBox::setZoom(double zoom) {
    zoom_ = zoom;
    setLineWidth(static_cast<int>(std::lround(2 * zoom)));
    update();
}

void PlotBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.scale(PixelsPerTwip(zoom_), PixelsPerTwip(zoom_));
    p.setPen(QPen(Qt::black, kTwipsPerPixel, Qt::SolidLine, Qt::FlatCap));
    for (const ControlDesign &design : WindowDescription())
        if (design.container == "Picture1" && design.kind == ControlKind::Line)
            p.drawLine(QLineF(design.x1, design.y1, design.x2, design.y2));
    // A point is one pixel in the foreground colour.
    const QRect exposed = event->rect().adjusted(-1, -1, 1, 1);
    for (const PlotPoint &point : points_)
        if (pixelsOf(point).intersects(exposed))
            p.fillRect(QRectF(point.x, point.y, kTwipsPerPixel, kTwipsPerPixel), Qt::black);
    if (hasFocus()) {
        p.resetTransform();
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(contentsRect()).adjusted(1, 1, -1, -1));
    }
}

void PlotBox::focusInEvent(QFocusEvent *event) {
    QFrame::focusInEvent(event);
    update();
}

void PlotBox::focusOutEvent(QFocusEvent *event) {
    QFrame::focusOutEvent(event);
    update();
}

} // namespace transistor
