// Twips to device-independent pixels. The window description measures in
// twips at 96 dpi, so 15 twips make one pixel; every drawing surface scales
// its painter once by ToPixels(1) and then draws in twips.
#pragma once

#include <QRect>
#include <QRectF>
#include <QString>
#include <string_view>

#include "app/window_description.h"

namespace transistor {

// At 96 dpi: 1440 twips an inch.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

inline int ToPixels(int twips) {
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

inline QRect ToPixels(const ControlDesign &c) {
    return QRect(ToPixels(c.left), ToPixels(c.top), ToPixels(c.width), ToPixels(c.height));
}

// The smallest pixel rectangle that covers a rectangle given in twips.
inline QRect CoveringPixels(const QRectF &twips) {
    return QRectF(twips.x() * kPixelsPerTwip, twips.y() * kPixelsPerTwip,
                  twips.width() * kPixelsPerTwip, twips.height() * kPixelsPerTwip)
        .toAlignedRect();
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
