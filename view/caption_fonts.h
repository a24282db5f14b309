// The window's fonts: a Latin face for Latin texts and a Japanese gothic face
// for texts with Japanese characters, each opened only when a text needs it,
// and the face of the large band letters. They measure text for the caption
// rules of the core (app/caption_layout.h) in the fonts that draw it.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <deque>

#include "app/caption_layout.h"

namespace transistor {

class CaptionFonts : public TextMeasure {
  public:
    // face at pointSize, as drawn (the zoom included).
    QFont font(Face face, double pointSize) const;
    // f in face: its families, the first installed one drawing, and width.
    static void setFace(QFont &f, Face face);
    // The large E of the band labels at zoom.
    static QFont bandLetterFont(double zoom);

    int lineHeight(Face face, double pointSize) const override;
    TextExtent extent(std::string_view text, Face face, double pointSize,
                      int wrapWidth) const override;

  private:
    const QFontMetrics &metrics(Face face, double pointSize) const;

    struct Measured {
        Face face;
        double pointSize;
        QFontMetrics metrics;
    };
    mutable std::deque<Measured> measured_;
};

} // namespace transistor
