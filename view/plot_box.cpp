#include "view/plot_box.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
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
    return CoveringPixels(QRectF(point.x, point.y, pen_, pen_), zoom_);
}

void PlotBox::setZoom(double zoom) {
    zoom_ = zoom;
    setLineWidth(static_cast<int>(std::lround(2 * zoom)));
    // The picture is drawn again at the new scale at the next paint.
    picture_ = QPixmap();
    update();
}

void PlotBox::setLook(const Look &look) {
    look_ = &look;
    picture_ = QPixmap();
    update();
}

void PlotBox::redrawPicture(qreal dpr) {
    picture_ = QPixmap(size() * dpr);
    picture_.setDevicePixelRatio(dpr);
    picture_.fill(Qt::transparent);
    pen_ =
        std::max<qreal>(kTwipsPerPixel, look_->lineDevicePixels * kTwipsPerPixel / (zoom_ * dpr));
    QPainter p(&picture_);
    p.scale(PixelsPerTwip(zoom_), PixelsPerTwip(zoom_));
    p.setPen(QPen(Qt::black, pen_, Qt::SolidLine, Qt::FlatCap));
    for (const ControlDesign &design : WindowDescription())
        if (design.container == "Picture1" && design.kind == ControlKind::Line)
            p.drawLine(QLineF(design.x1, design.y1, design.x2, design.y2));
    p.end();
    drawPoints(0, points_.size());
}

void PlotBox::drawPoints(std::size_t from, std::size_t to) {
    if (from >= to || picture_.isNull()) return;
    QPainter p(&picture_);
    p.scale(PixelsPerTwip(zoom_), PixelsPerTwip(zoom_));
    // A point is one pixel in the foreground colour.
    for (std::size_t i = from; i < to; ++i)
        p.fillRect(QRectF(points_[i].x, points_[i].y, pen_, pen_), Qt::black);
}

QRegion PlotBox::refresh() {
    const std::size_t n = points_.size();
    const bool appended =
        n >= drawnCount_ && (drawnCount_ == 0 || points_[drawnCount_ - 1] == drawnLast_);
    QRegion dirty;
    if (!appended) {
        // A cleared plot: the picture starts again from the axis.
        picture_ = QPixmap();
        dirty = rect();
    } else if (n > drawnCount_) {
        drawPoints(drawnCount_, n);
        for (std::size_t i = drawnCount_; i < n; ++i) dirty += pixelsOf(points_[i]);
        dirty &= rect();
    }
    drawnCount_ = n;
    if (n > 0) drawnLast_ = points_.back();
    if (!dirty.isEmpty()) update(dirty);
    return dirty;
}

void PlotBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const qreal dpr = p.paintEngine()->paintDevice()->devicePixelRatioF();
    if (picture_.isNull() || picture_.devicePixelRatio() != dpr || picture_.size() != size() * dpr)
        redrawPicture(dpr);
    for (const QRect &r : event->region())
        p.drawPixmap(r, picture_, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
    if (hasFocus()) {
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
