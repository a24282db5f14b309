// Where the captions of the window description stand on screen: the size of
// the window's faces, the room each caption takes and the part of that room
// its text may use. The rules are the window's own; whoever draws the window
// measures the text for them through TextMeasure, so that every drawing of
// the window lays its captions out alike.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/window_description.h"

namespace transistor {

// A rectangle of whole device-independent pixels; right and bottom are the
// last pixel inside, so a rectangle one pixel wide has left == right.
struct PixelRect {
    int left = 0, top = 0, right = -1, bottom = -1;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool empty() const { return right < left || bottom < top; }
    bool intersects(const PixelRect &o) const;
    bool contains(const PixelRect &o) const;
    bool operator==(const PixelRect &) const = default;
};

// At 96 dpi and actual size, 15 twips make a pixel; the zoom multiplies that.
inline constexpr int kTwipsPerPixel = 15;

int ToPixels(int twips, double zoom);
// A control's box. Edges are rounded, not sizes, so that controls that meet
// in twips still meet in pixels at every zoom.
PixelRect PixelBox(const ControlDesign &c, double zoom);

// The faces of the window's texts: a Latin face, and a Japanese gothic one
// for a text with Japanese characters, so that the large Japanese face is
// opened only where a text needs its glyphs.
enum class Face { Latin, Japanese };
Face FaceFor(std::string_view utf8);

struct TextExtent {
    int width = 0;
    int height = 0;
};

// How much room a text takes when drawn; pixels, sizes in points as drawn.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    // The height of one line of face at pointSize.
    virtual int lineHeight(Face face, double pointSize) const = 0;
    // What text needs in face at pointSize, from its top-left corner: on one
    // line when wrapWidth is 0; otherwise broken at word boundaries (in
    // Japanese, between characters) into lines of at most wrapWidth, as far
    // as its words allow.
    virtual TextExtent extent(std::string_view text, Face face, double pointSize,
                              int wrapWidth) const = 0;
};

// A caption two lines high or more wraps; a lower one stays on its line.
bool WrapsIn(int lineHeight, int heightPx);

// Whether caption, in face at pointSize (as drawn), fits room whole.
bool CaptionFits(const TextMeasure &measure, Face face, double pointSize, const PixelRect &room,
                 std::string_view caption);

struct CaptionRoom {
    PixelRect box;        // where the label stands
    PixelRect text;       // the part of box its text is laid out in
    double pointSize = 0; // the caption's size, in points at actual size
    bool grown = false;   // widened to the left: the caption keeps to the right
    bool fits = false;    // the caption fits text whole
    bool wraps = false;   // the caption wraps in text
};

// The room of label's caption in face at pointSize (at actual size) and zoom:
// the label's own box when the caption fits there or is the designed one;
// otherwise the box widened to the left, then lengthened downward, over free
// room only, until the caption fits. Clear of lines, the text keeps a pixel
// away from every line of the drawing: where it would touch one, it is laid
// out again in the largest part of the room beside the line.
CaptionRoom RoomForCaption(const ControlDesign &label, std::string_view caption,
                           const TextMeasure &measure, Face face, double pointSize, double zoom,
                           bool clearOfLines);

// A label and the caption the window shows on it, in the window's language.
struct ShownCaption {
    const ControlDesign *label;
    std::string text;
};

// The sizes the window's captions are tried at, in points at actual size:
// from about 9 points, which the boxes were laid out for, down in quarters.
inline constexpr double kLargestCaptionSize = 9;
inline constexpr double kCaptionSizeStep = 0.25;
inline constexpr double kSmallestCaptionSize = 7.25;

// The size of the window's captions at zoom: the largest at which every
// caption fits, the shown ones in their rooms and the designed ones in their
// boxes, so that every language gets the same size unless a translation needs
// a smaller one; the smallest size if none fits. A shown caption is measured
// in the face that draws it. A designed caption that the window does not
// show is measured in windowFace, the face of the window's language, as the
// window would draw it; where that face has not its glyphs (a designed
// Japanese caption in a Latin window) it does not count. The band letters
// keep their own font.
double FittedCaptionSize(std::span<const ShownCaption> captions, Face windowFace,
                         const TextMeasure &measure, double zoom);

// Where label's caption stands at zoom when the window's captions are
// windowSize: in its room, clear of the drawing's lines, at windowSize, or a
// smaller size where only a smaller one fits clear of them.
CaptionRoom PlaceCaption(const ControlDesign &label, std::string_view caption,
                         const TextMeasure &measure, double windowSize, double zoom);

// A label over a line or a shape of the drawing lets it show through, so that
// no caption cuts a gap into the circuit's wires.
bool LiesOverDrawing(const ControlDesign &label);

} // namespace transistor
