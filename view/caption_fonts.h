// The window's fonts: a Latin face for Latin texts and a Japanese gothic face
// for texts with Japanese characters, each opened only when a text needs it,
// and the face of the large band letters. They measure text for the caption
// rules of the core (app/caption_layout.h) in the fonts that draw it.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <deque>
#include <map>
#include <string>
#include <tuple>

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
    struct Sized {
        Face face;
        double pointSize;
        QFontMetrics metrics;
        int lineHeight;
        int pixelSize; // sizes that round to the same pixels measure alike
    };
    const Sized &sized(Face face, double pointSize) const;

    mutable std::deque<Sized> sizes_;
    // What a text needs: by face, pixel size, wrap width and text.
    mutable std::map<std::tuple<Face, int, int, std::string>, TextExtent> extents_;
};

} // namespace transistor
