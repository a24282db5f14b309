#include "view/diagram_canvas.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "view/translation.h"
#include "view/twips.h"

namespace transistor {

namespace {

// One pixel, the width of every line and outline in the designed look.
constexpr qreal kPen = kTwipsPerPixel;

QColor ColorOf(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

bool IsGray(QRgb rgb) {
    return qRed(rgb) == qGreen(rgb) && qGreen(rgb) == qBlue(rgb);
}

bool IsShape(ControlKind k) {
    return k == ControlKind::Rectangle || k == ControlKind::Circle;
}

const LineProps *MovingLine(const Controls &ctl, const ControlDesign &design) {
    if (design.index >= 0) return nullptr;
    for (const NamedLine &l : kMovingLines)
        if (l.name == design.name) return &(ctl.*l.line);
    return nullptr;
}

// The event markers flash for 200 ms at a time; every other line moves only
// at Start and Restart, so the still picture holds it.
bool IsMarker(const ControlDesign &design) {
    return design.name == "Line18" || design.name == "Line19";
}

const Carrier *CarrierOf(const Controls &ctl, const ControlDesign &design) {
    if (design.name == "Shape1") return &ctl.Shape1(design.index);
    if (design.name == "Shape2") return &ctl.Shape2(design.index);
    return nullptr;
}

QPen LinePen(const ControlDesign &design, const Look &look, qreal width) {
    QPen pen(ColorOf(ColorIn(look, design)), width, Qt::SolidLine, Qt::FlatCap);
    // Dash 9, gap 6, dot 3, gap 6 pixels: the usual dash-dot of a thin line
    // (in pen widths, so a wider pen keeps its look).
    if (design.style == LineStyle::DashDot) pen.setDashPattern({9, 6, 3, 6});
    return pen;
}

// A rectangle with a black outline `pen` wide inside its box, optionally
// filled; drawn as filled strips so that it stays on whole pixels at any scale.
void DrawRectangle(QPainter &p, const QRectF &box, const ControlDesign &design, qreal pen) {
    const QRectF inner = box.adjusted(pen, pen, -pen, -pen);
    if (design.filled) {
        p.fillRect(box, Qt::black);
        p.fillRect(inner, ColorOf(design.color));
        return;
    }
    p.fillRect(QRectF(box.left(), box.top(), box.width(), pen), Qt::black);
    p.fillRect(QRectF(box.left(), box.bottom() - pen, box.width(), pen), Qt::black);
    p.fillRect(QRectF(box.left(), inner.top(), pen, inner.height()), Qt::black);
    p.fillRect(QRectF(box.right() - pen, inner.top(), pen, inner.height()), Qt::black);
}

void DrawCircle(QPainter &p, const QRectF &box, const ControlDesign &design, qreal pen) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, pen));
    if (design.filled)
        p.setBrush(ColorOf(design.color));
    else
        p.setBrush(Qt::NoBrush);
    // The outline is centred on its path: inset by half a pen to stay inside the box.
    p.drawEllipse(box.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
    p.setRenderHint(QPainter::Antialiasing, false);
}

// The changed rectangles as a region of whole tiles, each row of tiles one
// band of rectangles: a region built in this order is only appended to, and
// it stays small however many carriers moved.
QRegion TiledRegion(const std::vector<QRect> &changed, const QRect &bounds) {
    constexpr int kTile = 16;
    const int cols = (bounds.width() + kTile - 1) / kTile;
    const int rows = (bounds.height() + kTile - 1) / kTile;
    std::vector<char> dirty(static_cast<std::size_t>(cols) * rows, 0);
    for (QRect r : changed) {
        r &= bounds;
        if (r.isEmpty()) continue;
        for (int row = r.top() / kTile; row <= r.bottom() / kTile; ++row)
            std::fill_n(dirty.begin() + row * cols + r.left() / kTile,
                        r.right() / kTile - r.left() / kTile + 1, 1);
    }
    QRegion region;
    for (int row = 0; row < rows; ++row) {
        const auto line = dirty.begin() + row * cols;
        for (int col = 0; col < cols;) {
            if (!line[col]) {
                ++col;
                continue;
            }
            const int first = col;
            while (col < cols && line[col]) ++col;
            region += QRect(first * kTile, row * kTile, (col - first) * kTile, kTile) & bounds;
        }
    }
    return region;
}

// A carrier's top-left corner in pixels, on a whole device pixel.
QPointF CarrierCorner(const QLineF &place, const QTransform &toPixels, qreal dpr) {
    const QPointF at = toPixels.map(place.p1()) * dpr;
    return QPointF(std::round(at.x()), std::round(at.y())) / dpr;
}

} // namespace

DiagramCanvas::DiagramCanvas(const Controls &ctl, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DiagramCanvas"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The still picture covers every pixel: nothing under it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // In the order of the description, so carriers lie over the band lines.
    for (const ControlDesign &design : WindowDescription()) {
        if (!design.container.empty()) continue;
        if (design.kind != ControlKind::Line && !IsShape(design.kind)) continue;
        Item item{&design, nullptr, nullptr, false, {}, true};
        if (design.kind == ControlKind::Line) {
            item.line = MovingLine(ctl, design);
            item.marker = IsMarker(design);
        }
        if (IsShape(design.kind)) item.carrier = CarrierOf(ctl, design);
        item.drawnAt = placeOf(item);
        item.drawnVisible = visibleOf(item);
        items_.push_back(item);
    }
}

QTransform DiagramCanvas::twipsToPixels() const {
    return QTransform::fromScale(PixelsPerTwip(zoom_), PixelsPerTwip(zoom_));
}

QLineF DiagramCanvas::placeOf(const Item &item) const {
    if (item.line) return QLineF(item.line->X1, item.line->Y1, item.line->X2, item.line->Y2);
    if (item.carrier)
        return QLineF(item.carrier->Left, item.carrier->Top, item.carrier->Left, item.carrier->Top);
    const ControlDesign &s = *item.design;
    if (s.kind == ControlKind::Line) return QLineF(s.x1, s.y1, s.x2, s.y2);
    return QLineF(s.left, s.top, s.left, s.top);
}

bool DiagramCanvas::visibleOf(const Item &item) const {
    return item.line ? item.line->Visible : true;
}

QRectF DiagramCanvas::boundsOf(const Item &item, const QLineF &place) const {
    if (item.design->kind == ControlKind::Line)
        return QRectF(place.p1(), place.p2())
            .normalized()
            .adjusted(0, 0, kPen * look_->lineDevicePixels, kPen * look_->lineDevicePixels);
    return QRectF(place.p1(), QSizeF(item.design->width, item.design->height));
}

QRect DiagramCanvas::pixelsOf(const Item &item, const QLineF &place, const QTransform &toPixels,
                              qreal dpr) const {
    // A pixel of margin: a dash-dot line or an antialiased rim may spill over.
    const QRectF box = toPixels.mapRect(boundsOf(item, place));
    if (!item.carrier) return box.toAlignedRect().adjusted(-1, -1, 1, 1);
    return QRectF(CarrierCorner(place, toPixels, dpr), box.size())
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

QRegion DiagramCanvas::refresh() {
    const QTransform toPixels = twipsToPixels();
    const qreal dpr = devicePixelRatioF();
    std::vector<QRect> changed;
    bool linesMoved = false;
    for (Item &item : items_) {
        if (!item.line && !item.carrier) continue;
        const QLineF place = placeOf(item);
        const bool visible = visibleOf(item);
        if (place == item.drawnAt && visible == item.drawnVisible) continue;
        if (item.line && !item.marker) linesMoved = true;
        if (item.drawnVisible) changed.push_back(pixelsOf(item, item.drawnAt, toPixels, dpr));
        if (visible) changed.push_back(pixelsOf(item, place, toPixels, dpr));
        item.drawnAt = place;
        item.drawnVisible = visible;
    }
    if (linesMoved) {
        // A Start or Restart moved the band lines: the still picture is
        // drawn again, and everything on it.
        stillStale_ = true;
        update();
        return QRegion(rect());
    }
    const QRegion dirty = TiledRegion(changed, rect());
    if (!dirty.isEmpty()) update(dirty);
    return dirty;
}

void DiagramCanvas::paintItem(QPainter &p, const Item &item) const {
    const QLineF place = placeOf(item);
    const ControlDesign &design = *item.design;
    switch (design.kind) {
    case ControlKind::Line:
        p.setPen(LinePen(design, *look_, penWidth(p)));
        p.drawLine(place);
        break;
    case ControlKind::Rectangle:
        DrawRectangle(p, boundsOf(item, place), design, penWidth(p));
        break;
    case ControlKind::Circle:
        DrawCircle(p, boundsOf(item, place), design, penWidth(p));
        break;
    default:
        break;
    }
}

const QImage &DiagramCanvas::stillPicture(qreal dpr) {
    const QSize pixels = size() * dpr;
    if (!stillStale_ && still_.size() == pixels && still_.devicePixelRatio() == dpr) return still_;
    // Black lines and shapes on a grey background need one byte a pixel, a
    // quarter of the memory; any other colour needs the full format.
    const QColor background = palette().color(backgroundRole());
    bool gray = IsGray(background.rgb());
    for (const Item &item : items_)
        if (!item.carrier && !item.marker) gray = gray && IsGray(item.design->color);
    const QImage::Format format = gray ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    // A Start redraws into the same image: two at once would raise the peak.
    if (still_.size() != pixels || still_.format() != format) {
        still_ = QImage();
        still_ = QImage(pixels, format);
    }
    still_.setDevicePixelRatio(dpr);
    still_.fill(background);
    QPainter p(&still_);
    p.setTransform(twipsToPixels());
    for (const Item &item : items_)
        if (!item.carrier && !item.marker && visibleOf(item)) paintItem(p, item);
    stillStale_ = false;
    return still_;
}

const QPixmap &DiagramCanvas::spriteOf(const ControlDesign &design, qreal dpr) {
    const auto same = [&design](const ControlDesign &d) {
        return d.kind == design.kind && d.width == design.width && d.height == design.height &&
               d.color == design.color && d.filled == design.filled;
    };
    for (const Sprite &s : sprites_)
        if (same(*s.design) && s.pixmap.devicePixelRatio() == dpr) return s.pixmap;
    std::erase_if(sprites_, [&same](const Sprite &s) { return same(*s.design); });
    const QRectF box(0, 0, design.width, design.height);
    const QSizeF pixels = twipsToPixels().mapRect(box).size() * dpr;
    QPixmap pixmap(QSize(static_cast<int>(std::ceil(pixels.width())),
                         static_cast<int>(std::ceil(pixels.height()))));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setTransform(twipsToPixels());
    DrawCircle(p, box, design, penWidth(p));
    p.end();
    sprites_.push_back({&design, pixmap});
    return sprites_.back().pixmap;
}

void DiagramCanvas::paintItems(QPainter &p) const {
    p.save();
    p.setTransform(twipsToPixels(), true);
    for (const Item &item : items_)
        if (visibleOf(item)) paintItem(p, item);
    p.restore();
}

qreal DiagramCanvas::penWidth(const QPainter &p) const {
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    return std::max(kPen, look_->lineDevicePixels * kTwipsPerPixel / (zoom_ * dpr));
}

bool DiagramCanvas::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    // A drawn shape with words of its own (the shapes of the lower-left corner).
    const QPoint at = static_cast<QHelpEvent *>(event)->pos();
    for (const Item &item : items_) {
        if (item.carrier || item.design->accessibleDescription.empty()) continue;
        const QRect place = twipsToPixels().mapRect(boundsOf(item, placeOf(item))).toAlignedRect();
        if (!place.contains(at)) continue;
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                           QString::fromStdString(ToolTip(*item.design, WindowTranslate())), this,
                           place);
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void DiagramCanvas::setLook(const Look &look) {
    look_ = &look;
    stillStale_ = true;
    sprites_.clear();
    update();
}

void DiagramCanvas::setZoom(double zoom) {
    zoom_ = zoom;
    // The still picture and the carriers' sprites are drawn again at the new scale.
    stillStale_ = true;
    sprites_.clear();
    update();
}

void DiagramCanvas::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    const qreal dpr = p.paintEngine()->paintDevice()->devicePixelRatioF();
    const QTransform toPixels = twipsToPixels();
    const QRegion &region = event->region();
    const QImage &still = stillPicture(dpr);
    for (const QRect &r : region)
        p.drawImage(r, still, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
    // The markers over the still picture, the carriers over everything.
    for (const Item &item : items_) {
        if (!item.marker || !visibleOf(item)) continue;
        if (!region.intersects(pixelsOf(item, placeOf(item), toPixels, dpr))) continue;
        p.setTransform(toPixels);
        paintItem(p, item);
        p.resetTransform();
    }
    for (const Item &item : items_) {
        if (!item.carrier) continue;
        const QLineF place = placeOf(item);
        if (!region.intersects(pixelsOf(item, place, toPixels, dpr))) continue;
        p.drawPixmap(CarrierCorner(place, toPixels, dpr), spriteOf(*item.design, dpr));
    }
}

} // namespace transistor
