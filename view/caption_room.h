// Where a label's caption is drawn. The boxes of the description were laid
// out for the designed captions; a translated caption that needs more room
// than its box takes free room beside it.
#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QString>

#include "app/window_description.h"

namespace transistor {

// A caption two lines high or more wraps at word (in Japanese, character)
// boundaries; a lower one stays on its line.
bool WrapsIn(const QFontMetrics &fm, int heightPx);

// Whether caption, in fm, fits box (pixels) whole.
bool CaptionFits(const QFontMetrics &fm, const QRect &box, const QString &caption);

struct CaptionRoom {
    QRect box;          // pixels
    bool grown = false; // widened to the left: the caption keeps to the right
    bool fits = false;  // the caption fits box whole
};

// The room of label's caption in fm at zoom: the label's own box when the caption
// fits there or is the designed one; otherwise the box widened to the left,
// then lengthened downward, over free room only, until the caption fits.
CaptionRoom RoomForCaption(const ControlDesign &label, const QString &caption,
                           const QFontMetrics &fm, double zoom);

} // namespace transistor
