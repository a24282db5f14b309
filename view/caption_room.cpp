#include "view/caption_room.h"

#include <algorithm>
#include <vector>

#include "view/twips.h"

namespace transistor {

namespace {

// What a growing caption must not cover: every control with a box on the
// window itself, and the bounding box of every line on it.
std::vector<QRect> Obstacles(const ControlDesign &except, double zoom) {
    std::vector<QRect> rects;
    for (const ControlDesign &c : WindowDescription()) {
        if (&c == &except || c.kind == ControlKind::Timer || !c.container.empty()) continue;
        if (c.kind == ControlKind::Line)
            rects.push_back(QRect(
                QPoint(ToPixels(std::min(c.x1, c.x2), zoom), ToPixels(std::min(c.y1, c.y2), zoom)),
                QPoint(ToPixels(std::max(c.x1, c.x2), zoom),
                       ToPixels(std::max(c.y1, c.y2), zoom))));
        else
            rects.push_back(ToPixels(c, zoom));
    }
    return rects;
}

} // namespace

bool WrapsIn(const QFontMetrics &fm, int heightPx) {
    return heightPx * 2 >= fm.height() * 3;
}

bool CaptionFits(const QFontMetrics &fm, const QRect &box, const QString &caption) {
    const int flags = WrapsIn(fm, box.height()) ? Qt::TextWordWrap : 0;
    const QRect needed = fm.boundingRect(QRect(0, 0, box.width(), 10 * box.height()),
                                         flags | Qt::AlignLeft | Qt::AlignTop, caption);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

CaptionRoom RoomForCaption(const ControlDesign &label, const QString &caption,
                           const QFontMetrics &fm, double zoom) {
    CaptionRoom room{ToPixels(label, zoom), false, false};
    room.fits = CaptionFits(fm, room.box, caption);
    if (room.fits || caption == ToQString(label.caption)) return room;
    const std::vector<QRect> obstacles = Obstacles(label, zoom);
    const QRect window(0, 0, ToPixels(Window().extentWidth, zoom),
                       ToPixels(Window().extentHeight, zoom));
    QRect &b = room.box;
    // A box that reaches under its neighbour on the right (Label10 under the
    // plot) ends a pixel short of the neighbour, so that no letter touches it.
    for (const QRect &o : obstacles)
        if (o.intersects(b) && o.left() > b.left()) b.setRight(std::min(b.right(), o.left() - 2));
    auto free = [&](const QRect &strip) {
        return window.contains(strip) &&
               std::none_of(obstacles.begin(), obstacles.end(),
                            [&strip](const QRect &o) { return o.intersects(strip); });
    };
    while (!(room.fits = CaptionFits(fm, b, caption)) &&
           free(QRect(b.left() - 1, b.top(), 1, b.height())))
        b.setLeft(b.left() - 1);
    room.grown = b.left() != ToPixels(label.left, zoom);
    while (!room.fits && free(QRect(b.left(), b.bottom() + 1, b.width(), 1))) {
        b.setBottom(b.bottom() + 1);
        room.fits = CaptionFits(fm, b, caption);
    }
    return room;
}

} // namespace transistor
