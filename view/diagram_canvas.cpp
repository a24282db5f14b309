#include "view/diagram_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include "view/twips.h"

namespace transistor {

namespace {

// One pixel, the width of every line and outline.
constexpr qreal kPen = kTwipsPerPixel;

QColor ColorOf(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
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

const Carrier *CarrierOf(const Controls &ctl, const ControlDesign &design) {
    if (design.name == "Shape1") return &ctl.Shape1(design.index);
    if (design.name == "Shape2") return &ctl.Shape2(design.index);
    return nullptr;
}

QPen LinePen(const ControlDesign &design) {
    QPen pen(ColorOf(design.color), kPen, Qt::SolidLine, Qt::FlatCap);
    // Dash 9, gap 6, dot 3, gap 6 pixels: the usual dash-dot of a thin line.
    if (design.style == LineStyle::DashDot) pen.setDashPattern({9, 6, 3, 6});
    return pen;
}

// A rectangle with a one-pixel black outline inside its box, optionally
// filled; drawn as filled strips so that it stays on whole pixels at any scale.
void DrawRectangle(QPainter &p, const QRectF &box, const ControlDesign &design) {
    const QRectF inner = box.adjusted(kPen, kPen, -kPen, -kPen);
    if (design.filled) {
        p.fillRect(box, Qt::black);
        p.fillRect(inner, ColorOf(design.color));
        return;
    }
    p.fillRect(QRectF(box.left(), box.top(), box.width(), kPen), Qt::black);
    p.fillRect(QRectF(box.left(), box.bottom() - kPen, box.width(), kPen), Qt::black);
    p.fillRect(QRectF(box.left(), inner.top(), kPen, inner.height()), Qt::black);
    p.fillRect(QRectF(box.right() - kPen, inner.top(), kPen, inner.height()), Qt::black);
}

void DrawCircle(QPainter &p, const QRectF &box, const ControlDesign &design) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, kPen));
    if (design.filled)
        p.setBrush(ColorOf(design.color));
    else
        p.setBrush(Qt::NoBrush);
    // The outline is centred on its path: inset by half a pen to stay inside the box.
    p.drawEllipse(box.adjusted(kPen / 2, kPen / 2, -kPen / 2, -kPen / 2));
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

DiagramCanvas::DiagramCanvas(const Controls &ctl, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DiagramCanvas"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // In the order of the description, so carriers lie over the band lines.
    for (const ControlDesign &design : WindowDescription()) {
        if (!design.container.empty()) continue;
        if (design.kind != ControlKind::Line && !IsShape(design.kind)) continue;
        Item item{&design, nullptr, nullptr, {}, true};
        if (design.kind == ControlKind::Line) item.line = MovingLine(ctl, design);
        if (IsShape(design.kind)) item.carrier = CarrierOf(ctl, design);
        item.drawnAt = placeOf(item);
        item.drawnVisible = visibleOf(item);
        items_.push_back(item);
    }
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
        return QRectF(place.p1(), place.p2()).normalized().adjusted(0, 0, kPen, kPen);
    return QRectF(place.p1(), QSizeF(item.design->width, item.design->height));
}

void DiagramCanvas::refresh() {
    QRegion dirty;
    for (Item &item : items_) {
        if (!item.line && !item.carrier) continue;
        const QLineF place = placeOf(item);
        const bool visible = visibleOf(item);
        if (place == item.drawnAt && visible == item.drawnVisible) continue;
        // A pixel of margin: a dash-dot line or an antialiased rim may spill over.
        if (item.drawnVisible)
            dirty += CoveringPixels(boundsOf(item, item.drawnAt), zoom_).adjusted(-1, -1, 1, 1);
        if (visible) dirty += CoveringPixels(boundsOf(item, place), zoom_).adjusted(-1, -1, 1, 1);
        item.drawnAt = place;
        item.drawnVisible = visible;
    }
    dirty &= rect();
    if (!dirty.isEmpty()) update(dirty);
}

void DiagramCanvas::setZoom(double zoom) {
    zoom_ = zoom;
    update();
}

void DiagramCanvas::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    p.scale(PixelsPerTwip(zoom_), PixelsPerTwip(zoom_));
    const QRectF exposed = ToTwips(event->rect().adjusted(-1, -1, 1, 1), zoom_);
    for (const Item &item : items_) {
        if (!visibleOf(item)) continue;
        const QLineF place = placeOf(item);
        const QRectF bounds = boundsOf(item, place);
        if (!bounds.intersects(exposed)) continue;
        const ControlDesign &design = *item.design;
        switch (design.kind) {
        case ControlKind::Line:
            p.setPen(LinePen(design));
            p.drawLine(place);
            break;
        case ControlKind::Rectangle:
            DrawRectangle(p, bounds, design);
            break;
        case ControlKind::Circle:
            DrawCircle(p, bounds, design);
            break;
        default:
            break;
        }
    }
}

} // namespace transistor
