// Twips to device-independent pixels. The window description measures in
// twips at 96 dpi, so at actual size 15 twips make one pixel; the zoom
// multiplies that (app/caption_layout.h holds the rounding). Every drawing surface scales its
// painter once by PixelsPerTwip(zoom) and then draws in twips, so it stays sharp at any zoom.
#pragma once

#include <QRect>
#include <QRectF>
#include <QString>
#include <cmath>
#include <string_view>

#include "app/caption_layout.h"
#include "app/window_description.h"

namespace transistor {

inline double PixelsPerTwip(double zoom) {
    return zoom / kTwipsPerPixel;
}

inline QRect ToQRect(const PixelRect &r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

// Edges are rounded, not sizes, so that controls that meet in twips still
// meet in pixels at every zoom.
inline QRect ToPixels(const ControlDesign &c, double zoom) {
    return ToQRect(PixelBox(c, zoom));
}

// The smallest pixel rectangle that covers a rectangle given in twips.
inline QRect CoveringPixels(const QRectF &twips, double zoom) {
    const double s = PixelsPerTwip(zoom);
    return QRectF(twips.x() * s, twips.y() * s, twips.width() * s, twips.height() * s)
        .toAlignedRect();
}

// The twips under a rectangle of pixels.
inline QRectF ToTwips(const QRect &pixels, double zoom) {
    const double s = PixelsPerTwip(zoom);
    return QRectF(pixels.x() / s, pixels.y() / s, pixels.width() / s, pixels.height() / s);
}

inline QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The object name of a control: "Text1", or "Label2(3)" for a member of a
// control array.
inline QString ControlName(const ControlDesign &c) {
    QString name = ToQString(c.name);
    if (c.index >= 0) name += QStringLiteral("(%1)").arg(c.index);
    return name;
}

} // namespace transistor
