#include "view/caption_fonts.h"

#include <QFontInfo>
#include <QString>
#include <QStringList>

#include "app/window_description.h"
#include "view/twips.h"

namespace transistor {

namespace {

// The Latin face: the usual sans-serif of a Debian desktop, or whatever the
// system calls sans-serif. DejaVu Sans runs about 8 % wider than the Latin
// letters of the gothic face that the boxes were laid out for: narrowed by
// as much, each caption breaks its lines where it did in that face.
QStringList LatinFamilies() {
    return {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
}
constexpr int kLatinStretch = 92;

// The labels are sized for a gothic face; a Japanese caption needs one that
// has its glyphs.
QStringList JapaneseFamilies() {
    return {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
            QStringLiteral("Noto Sans CJK JP")};
}

} // namespace

void CaptionFonts::setFace(QFont &f, Face face) {
    f.setFamilies(face == Face::Japanese ? JapaneseFamilies() : LatinFamilies());
    f.setStretch(face == Face::Japanese ? QFont::Unstretched : kLatinStretch);
}

QFont CaptionFonts::font(Face face, double pointSize) const {
    QFont f;
    setFace(f, face);
    f.setPointSizeF(pointSize);
    return f;
}

// The described face is rarely installed outside its home platform. Its
// letter is a Latin E, so the Latin face stands in, and the large Japanese
// face stays closed in a window without Japanese text.
QFont CaptionFonts::bandLetterFont(double zoom) {
    QFont f;
    setFace(f, Face::Latin);
    f.setFamilies(QStringList{ToQString(kBandLetterFamily)} + f.families());
    f.setPointSizeF(kBandLetterPointSize * zoom);
    return f;
}

const CaptionFonts::Sized &CaptionFonts::sized(Face face, double pointSize) const {
    for (const Sized &s : sizes_)
        if (s.face == face && s.pointSize == pointSize) return s;
    const QFont f = font(face, pointSize);
    const QFontMetrics metrics(f);
    sizes_.push_back({face, pointSize, metrics, metrics.height(), QFontInfo(f).pixelSize()});
    return sizes_.back();
}

int CaptionFonts::lineHeight(Face face, double pointSize) const {
    return sized(face, pointSize).lineHeight;
}

TextExtent CaptionFonts::extent(std::string_view text, Face face, double pointSize,
                                int wrapWidth) const {
    const Sized &s = sized(face, pointSize);
    const auto key = std::make_tuple(face, s.pixelSize, wrapWidth, std::string(text));
    if (const auto found = extents_.find(key); found != extents_.end()) return found->second;
    // Laid out from the top-left corner, as a label draws it; unwrapped, the
    // width of the rectangle does not matter.
    const int flags = (wrapWidth > 0 ? Qt::TextWordWrap : 0) | Qt::AlignLeft | Qt::AlignTop;
    const QRect needed = s.metrics.boundingRect(
        QRect(0, 0, wrapWidth > 0 ? wrapWidth : 1 << 20, 1 << 20), flags, ToQString(text));
    return extents_[key] = {needed.width(), needed.height()};
}

} // namespace transistor
