#include "app/caption_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace transistor {

namespace {

// The width of every line of the drawing, and the air a caption keeps from it.
constexpr int kLineTwips = kTwipsPerPixel;
constexpr int kClearanceTwips = kTwipsPerPixel;

bool IsDrawnLine(const ControlDesign &c) {
    return c.kind == ControlKind::Line && c.container.empty();
}

// Japanese punctuation, kana, the CJK ideographs and the full-width forms.
bool IsJapanese(std::uint32_t cp) {
    return (cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x31F0 && cp <= 0x31FF) ||
           (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) ||
           (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFFEF) || cp >= 0x20000;
}

// What a growing caption must not cover: every control with a box on the
// window itself, and the bounding box of every line on it; each place once,
// for the carriers all stand at two.
std::vector<PixelRect> Obstacles(const ControlDesign &except, double zoom) {
    std::vector<PixelRect> rects;
    for (const ControlDesign &c : WindowDescription()) {
        if (&c == &except || c.kind == ControlKind::Timer || !c.container.empty()) continue;
        const PixelRect r = c.kind == ControlKind::Line
                                ? PixelRect{ToPixels(std::min(c.x1, c.x2), zoom),
                                            ToPixels(std::min(c.y1, c.y2), zoom),
                                            ToPixels(std::max(c.x1, c.x2), zoom),
                                            ToPixels(std::max(c.y1, c.y2), zoom)}
                                : PixelBox(c, zoom);
        if (std::find(rects.begin(), rects.end(), r) == rects.end()) rects.push_back(r);
    }
    return rects;
}

long Area(const PixelRect &r) {
    return r.empty() ? 0 : static_cast<long>(r.width()) * r.height();
}

PixelRect Intersection(const PixelRect &a, const PixelRect &b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The pixels each line of the drawing covers, with a pixel of air on either
// side of it: beside a vertical line, above and below a horizontal one, all
// round a sloping one.
std::vector<PixelRect> LineSpans(double zoom) {
    std::vector<PixelRect> spans;
    for (const ControlDesign &c : WindowDescription()) {
        if (!IsDrawnLine(c)) continue;
        const int airX = c.x1 == c.x2 || c.y1 != c.y2 ? kClearanceTwips : 0;
        const int airY = c.y1 == c.y2 || c.x1 != c.x2 ? kClearanceTwips : 0;
        spans.push_back({ToPixels(std::min(c.x1, c.x2) - airX, zoom),
                         ToPixels(std::min(c.y1, c.y2) - airY, zoom),
                         ToPixels(std::max(c.x1, c.x2) + kLineTwips + airX, zoom) - 1,
                         ToPixels(std::max(c.y1, c.y2) + kLineTwips + airY, zoom) - 1});
    }
    return spans;
}

struct Laid {
    PixelRect text; // the part of the box the caption is laid out in
    bool fits;
};

// caption laid out in box, from the top-left corner (the top-right one when it
// keeps to the right): where its text would touch a line, the box is cut at
// the line, keeping the largest part beside it, and the text laid out again.
Laid LayOutClearOfLines(PixelRect box, std::string_view caption, const TextMeasure &measure,
                        Face face, double pointSize, bool right,
                        const std::vector<PixelRect> &spans) {
    for (;;) {
        const bool wraps = WrapsIn(measure.lineHeight(face, pointSize), box.height());
        const TextExtent e = measure.extent(caption, face, pointSize, wraps ? box.width() : 0);
        const int left = right ? box.right - e.width + 1 : box.left;
        const PixelRect text =
            Intersection(box, {left, box.top, left + e.width - 1, box.top + e.height - 1});
        const auto hit = std::find_if(spans.begin(), spans.end(),
                                      [&text](const PixelRect &s) { return s.intersects(text); });
        if (hit == spans.end())
            return {box, !box.empty() && e.width <= box.width() && e.height <= box.height()};
        const PixelRect sides[] = {{box.left, box.top, hit->left - 1, box.bottom},
                                   {hit->right + 1, box.top, box.right, box.bottom},
                                   {box.left, box.top, box.right, hit->top - 1},
                                   {box.left, hit->bottom + 1, box.right, box.bottom}};
        box = *std::max_element(
            std::begin(sides), std::end(sides),
            [](const PixelRect &a, const PixelRect &b) { return Area(a) < Area(b); });
        if (box.empty()) return {box, false};
    }
}

} // namespace

bool PixelRect::intersects(const PixelRect &o) const {
    return !empty() && !o.empty() && left <= o.right && o.left <= right && top <= o.bottom &&
           o.top <= bottom;
}

bool PixelRect::contains(const PixelRect &o) const {
    return !empty() && !o.empty() && o.left >= left && o.right <= right && o.top >= top &&
           o.bottom <= bottom;
}

int ToPixels(int twips, double zoom) {
    return static_cast<int>(std::lround(twips * (zoom / kTwipsPerPixel)));
}

PixelRect PixelBox(const ControlDesign &c, double zoom) {
    return {ToPixels(c.left, zoom), ToPixels(c.top, zoom), ToPixels(c.left + c.width, zoom) - 1,
            ToPixels(c.top + c.height, zoom) - 1};
}

Face FaceFor(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        std::uint32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (IsJapanese(cp)) return Face::Japanese;
        i += length;
    }
    return Face::Latin;
}

bool WrapsIn(int lineHeight, int heightPx) {
    return heightPx * 2 >= lineHeight * 3;
}

bool CaptionFits(const TextMeasure &measure, Face face, double pointSize, const PixelRect &room,
                 std::string_view caption) {
    const bool wraps = WrapsIn(measure.lineHeight(face, pointSize), room.height());
    const TextExtent needed = measure.extent(caption, face, pointSize, wraps ? room.width() : 0);
    return !room.empty() && needed.width <= room.width() && needed.height <= room.height();
}

CaptionRoom RoomForCaption(const ControlDesign &label, std::string_view caption,
                           const TextMeasure &measure, Face face, double pointSize, double zoom,
                           bool clearOfLines) {
    const double drawn = pointSize * zoom;
    const int designedLeft = ToPixels(label.left, zoom);
    const std::vector<PixelRect> spans = clearOfLines ? LineSpans(zoom) : std::vector<PixelRect>{};
    CaptionRoom room;
    room.box = PixelBox(label, zoom);
    room.pointSize = pointSize;
    auto fitsNow = [&] {
        const Laid laid = LayOutClearOfLines(room.box, caption, measure, face, drawn,
                                             room.box.left != designedLeft, spans);
        room.text = laid.text;
        return room.fits = laid.fits;
    };
    auto done = [&] {
        room.wraps = WrapsIn(measure.lineHeight(face, drawn), room.text.height());
        return room;
    };
    if (fitsNow() || caption == label.caption) return done();
    const std::vector<PixelRect> obstacles = Obstacles(label, zoom);
    const PixelRect window{0, 0, ToPixels(Window().extentWidth, zoom) - 1,
                           ToPixels(Window().extentHeight, zoom) - 1};
    PixelRect &b = room.box;
    // A box that reaches under its neighbour on the right (Label10 under the
    // plot) ends a pixel short of the neighbour, so that no letter touches it.
    for (const PixelRect &o : obstacles)
        if (o.intersects(b) && o.left > b.left) b.right = std::min(b.right, o.left - 2);
    auto free = [&](const PixelRect &strip) {
        return window.contains(strip) &&
               std::none_of(obstacles.begin(), obstacles.end(),
                            [&strip](const PixelRect &o) { return o.intersects(strip); });
    };
    while (!fitsNow() && free({b.left - 1, b.top, b.left - 1, b.bottom})) --b.left;
    room.grown = b.left != ToPixels(label.left, zoom);
    while (!room.fits && free({b.left, b.bottom + 1, b.right, b.bottom + 1})) {
        ++b.bottom;
        fitsNow();
    }
    return done();
}

double FittedCaptionSize(std::span<const ShownCaption> captions, Face windowFace,
                         const TextMeasure &measure, double zoom) {
    // Each shown caption in its own face; a designed caption that the window
    // does not show, in the window's face where that face can draw it.
    struct Measured {
        const ControlDesign *label;
        std::string_view text;
        Face face;
    };
    std::vector<Measured> all;
    for (const ShownCaption &c : captions) {
        const ControlDesign &label = *c.label;
        if (label.kind != ControlKind::Label || label.font != FontKind::Default) continue;
        all.push_back({&label, c.text, FaceFor(c.text)});
        if (c.text != label.caption &&
            (windowFace == Face::Japanese || FaceFor(label.caption) == Face::Latin))
            all.push_back({&label, label.caption, windowFace});
    }
    // The Latin texts first: the Japanese face is measured only at a size
    // that they allow.
    std::stable_partition(all.begin(), all.end(),
                          [](const Measured &m) { return m.face == Face::Latin; });
    double size = kLargestCaptionSize;
    for (double s = kLargestCaptionSize; s >= kSmallestCaptionSize; s -= kCaptionSizeStep) {
        size = s;
        if (std::all_of(all.begin(), all.end(), [&](const Measured &m) {
                return RoomForCaption(*m.label, m.text, measure, m.face, s, zoom, false).fits;
            }))
            break;
    }
    return size;
}

CaptionRoom PlaceCaption(const ControlDesign &label, std::string_view caption,
                         const TextMeasure &measure, double windowSize, double zoom) {
    const Face face = FaceFor(caption);
    for (double s = windowSize;; s -= kCaptionSizeStep) {
        CaptionRoom room = RoomForCaption(label, caption, measure, face, s, zoom, true);
        if (room.fits || s - kCaptionSizeStep < kSmallestCaptionSize) return room;
    }
}

bool LiesOverDrawing(const ControlDesign &label) {
    // In twips: the rule holds at every zoom.
    const PixelRect box{label.left, label.top, label.left + label.width - 1,
                        label.top + label.height - 1};
    for (const ControlDesign &c : WindowDescription()) {
        if (!c.container.empty()) continue;
        if (c.kind == ControlKind::Line) {
            const PixelRect span{std::min(c.x1, c.x2), std::min(c.y1, c.y2),
                                 std::max(c.x1, c.x2) + kLineTwips,
                                 std::max(c.y1, c.y2) + kLineTwips};
            if (box.intersects(span)) return true;
        } else if (c.kind == ControlKind::Rectangle || c.kind == ControlKind::Circle) {
            if (c.name != "Shape1" && c.name != "Shape2" &&
                box.intersects({c.left, c.top, c.left + c.width - 1, c.top + c.height - 1}))
                return true;
        }
    }
    return false;
}

} // namespace transistor
