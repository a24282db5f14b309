// Where the window's captions stand: the face that draws each text, the
// window's caption size, the room a caption takes and the air it keeps from
// the drawing's lines. Text is measured by a fixed-pitch stand-in for a font,
// which also notes every face it was asked about.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "app/caption_layout.h"

namespace transistor {
namespace {

// A Latin letter or space is half an em wide, a Japanese character (three
// UTF-8 bytes) a whole one; a line is 1.15 em high, to the nearest pixel.
// Lines break at spaces and between Japanese characters.
class PitchMeasure : public TextMeasure {
  public:
    // The texts measured in the Japanese face.
    mutable std::set<std::string> japanese;

    int lineHeight(Face, double pointSize) const override {
        return static_cast<int>(std::lround(1.15 * Em(pointSize)));
    }
    TextExtent extent(std::string_view text, Face face, double pointSize,
                      int wrapWidth) const override {
        if (face == Face::Japanese) japanese.insert(std::string(text));
        const double em = Em(pointSize);
        double line = 0, widest = 0;
        int lines = 1;
        // A word, or a Japanese character, goes on the line if it fits there
        // after the space before it.
        for (std::size_t i = 0; i < text.size();) {
            double space = 0, word = 0;
            while (i < text.size() && text[i] == ' ') space += em / 2, ++i;
            if (i < text.size() && static_cast<unsigned char>(text[i]) >= 0xE0)
                word = em, i += 3;
            else
                while (i < text.size() && text[i] != ' ' &&
                       static_cast<unsigned char>(text[i]) < 0xE0)
                    word += em / 2, ++i;
            if (wrapWidth > 0 && line > 0 && line + space + word > wrapWidth)
                ++lines, line = word;
            else
                line += space + word;
            widest = std::max(widest, line);
        }
        return {static_cast<int>(std::ceil(widest - 1e-9)), lines * lineHeight(face, pointSize)};
    }

  private:
    static double Em(double pointSize) { return pointSize * 96 / 72; }
};

// Where the text of a placed caption is drawn: at the top of its room, on
// the left, or on the right when its room grew.
PixelRect TextOf(const CaptionRoom &room, std::string_view caption, const TextMeasure &m,
                 double zoom) {
    const Face face = FaceFor(caption);
    const double size = room.pointSize * zoom;
    const TextExtent e = m.extent(caption, face, size, room.wraps ? room.text.width() : 0);
    const int left = room.grown ? room.text.right - e.width + 1 : room.text.left;
    return {left, room.text.top, left + e.width - 1, room.text.top + e.height - 1};
}

std::vector<ShownCaption> Shown(std::initializer_list<std::pair<const char *, std::string>> texts) {
    std::vector<ShownCaption> shown;
    for (const ControlDesign &c : WindowDescription()) {
        if (c.kind != ControlKind::Label) continue;
        std::string text(c.caption);
        for (const auto &[name, translated] : texts)
            if (c.name == name) text = translated;
        shown.push_back({&c, text});
    }
    return shown;
}

TEST(CaptionLayout, EachTextHasTheFaceOfItsCharacters) {
    const std::pair<const char *, Face> rows[] = {
        {"Base current (mA)", Face::Latin},
        {"Emitter–base voltage VEB (V)", Face::Latin}, // an en dash is Latin
        {"温度(K)", Face::Japanese},
        {"フェルミ準位 (eV)", Face::Japanese},
        {"注意：", Face::Japanese},          // full-width colon alone
        {"ＭＳ Ｐゴシック", Face::Japanese}, // full-width Latin letters
        {"", Face::Latin}};
    for (const auto &[text, face] : rows) EXPECT_EQ(FaceFor(text), face) << text;
}

TEST(CaptionLayout, LabelsOverTheDrawingLetItShowThrough) {
    const std::pair<const char *, bool> rows[] = {
        {"Label18", true},  // the left wire runs along its edge
        {"Label6", true},   // "p", inside the transistor's body
        {"Label15", false}, // the notice
        {"Label1", false}}; // the temperature, in the strip
    for (const auto &[name, over] : rows)
        EXPECT_EQ(LiesOverDrawing(FindControl(name)), over) << name;
}

// The left wire runs along the left edge of "Base current (mA)", the plate of
// the emitter-base battery below its right part: at every zoom the text
// stays inside its box, a pixel clear of both, at the window's size.
TEST(CaptionLayout, NoCaptionTouchesALine) {
    const PitchMeasure m;
    const ControlDesign &label = FindControl("Label18");
    for (const double zoom : {1.0, 1.25, 2.0, 2.75, 3.0}) {
        for (const char *caption : {"Base current (mA)", "ベース電流 (mA)"}) {
            const CaptionRoom room = PlaceCaption(label, caption, m, 7.75, zoom);
            const PixelRect text = TextOf(room, caption, m, zoom);
            SCOPED_TRACE(std::string(caption) + " at " + std::to_string(zoom));
            EXPECT_TRUE(room.fits);
            EXPECT_EQ(room.pointSize, 7.75);
            EXPECT_EQ(room.box, PixelBox(label, zoom));
            EXPECT_TRUE(room.box.contains(text));
            // A line widened by a pixel on either side across its length.
            for (const ControlDesign &c : WindowDescription()) {
                if (c.kind != ControlKind::Line || !c.container.empty()) continue;
                const int x = c.x1 == c.x2 ? 15 : 0, y = c.y1 == c.y2 ? 15 : 0;
                const PixelRect air{ToPixels(std::min(c.x1, c.x2) - x, zoom),
                                    ToPixels(std::min(c.y1, c.y2) - y, zoom),
                                    ToPixels(std::max(c.x1, c.x2) + 15 + x, zoom) - 1,
                                    ToPixels(std::max(c.y1, c.y2) + 15 + y, zoom) - 1};
                EXPECT_FALSE(air.intersects(text)) << c.name;
            }
        }
    }
}

// A text of a given size whatever its letters, on 12-pixel lines.
struct FixedMeasure : TextMeasure {
    TextExtent size;
    explicit FixedMeasure(TextExtent e) : size(e) {}
    int lineHeight(Face, double) const override { return 12; }
    TextExtent extent(std::string_view, Face, double, int) const override { return size; }
};

// "Base current (mA)" (88..152 x 384..408 at actual size) has the left wire
// on its first column and the top of a battery plate (135..137 with its air)
// below its last row: the text starts after the wire's pixel of air, and
// keeps above the plate where it is wide enough to reach it.
TEST(CaptionLayout, TheAirIsOnePixelBesideALine) {
    const ControlDesign &label = FindControl("Label18");
    const std::tuple<int, int, bool, int> rows[] = {
        // width, height, fits, last row of the room
        {45, 25, true, 408},  // ends a pixel short of the plate's air
        {46, 25, false, 407}, // would touch it: the room ends above the plate
        {46, 24, true, 408},  // a row higher, it does not
        {45, 26, false, 408}, // too high for the box
        {63, 24, true, 408},  // as wide as the room right of the wire
        {64, 24, false, 408}};
    for (const auto &[width, height, fits, bottom] : rows) {
        const FixedMeasure m({width, height});
        const CaptionRoom room =
            RoomForCaption(label, label.caption, m, Face::Latin, 7.75, 1.0, true);
        EXPECT_EQ(room.fits, fits) << width << "x" << height;
        EXPECT_EQ(room.text, (PixelRect{90, 384, 152, bottom})) << width << "x" << height;
        EXPECT_EQ(room.box, PixelBox(label, 1.0));
    }
}

// A caption steps down from the window's size only where it cannot stand
// clear of the lines at that size, and then no further than it must.
TEST(CaptionLayout, ACaptionStepsDownOnlyAsFarAsItMust) {
    const PitchMeasure m;
    const ControlDesign &label = FindControl("Label18");
    const std::tuple<const char *, double, double> rows[] = {
        {"Base current (mA)", 7.75, 7.75},
        {"Base current (mA)", 8, 7.75},  // "Base current" fits the box, not clear of the wire
        {"Base current (mA)", 9, 7.75}}; // two lines are too high down to 8
    for (const auto &[caption, window, expected] : rows) {
        const CaptionRoom room = PlaceCaption(label, caption, m, window, 1.0);
        EXPECT_EQ(room.pointSize, expected) << caption << " at " << window;
        EXPECT_TRUE(room.fits) << caption << " at " << window;
    }
}

// A translated caption too long for its box takes free room to its left and
// below, keeps to the box's right edge, and covers no other control.
TEST(CaptionLayout, ATranslatedCaptionGrowsOverFreeRoomOnly) {
    const PitchMeasure m;
    const ControlDesign &label = FindControl("Label1");
    const PixelRect designed = PixelBox(label, 1.0);
    const CaptionRoom room =
        RoomForCaption(label, "Temperature (K)", m, Face::Latin, 7.75, 1.0, true);
    EXPECT_TRUE(room.fits && room.grown);
    EXPECT_LT(room.box.left, designed.left);
    EXPECT_EQ(room.box.right, designed.right);
    for (const ControlDesign &c : WindowDescription()) {
        if (&c == &label || !c.container.empty() || c.kind == ControlKind::Line ||
            c.kind == ControlKind::Timer)
            continue;
        EXPECT_FALSE(PixelBox(c, 1.0).intersects(room.box)) << c.name;
    }
    // The designed caption keeps its box, fitting or not.
    EXPECT_EQ(RoomForCaption(label, label.caption, m, Face::Japanese, 9, 3.0, true).box,
              PixelBox(label, 3.0));
}

// One size for every caption: the largest at which all fit, designed and
// shown, each measured in its face; a Latin window never measures Japanese.
TEST(CaptionLayout, TheWindowsSizeFitsEveryCaptionInItsFace) {
    const std::set<std::string> designedJapanese = {"温度(K)", "電子数", "正孔数",
                                                    "p形",     "n形",    "電子濃度"};
    std::set<std::string> japaneseWindow = designedJapanese;
    japaneseWindow.insert({"フェルミ準位 (eV)", "Fermi level (eV)"});
    const std::tuple<const char *, std::vector<ShownCaption>, Face, double, std::set<std::string>>
        rows[] = {
            {"as designed", Shown({}), Face::Latin, 8, designedJapanese},
            {"English",
             Shown({{"Label1", "Temperature (K)"},
                    {"Label4", "Electrons"},
                    {"Label8", "Holes"},
                    {"Label13", "p-type"},
                    {"Label7", "n-type"},
                    {"Label10", "Electron density"}}),
             Face::Latin,
             8,
             {}},
            // A notice of one word that fits only at 7.5 points, and one that
            // fits at none: the smallest, with no Japanese measured.
            {"long word", Shown({{"Label15", std::string(63, 'x')}}), Face::Latin, 7.5,
             designedJapanese},
            {"too long a word", Shown({{"Label15", std::string(70, 'x')}}), Face::Latin, 7.25, {}},
            // The designed Latin captions count, measured in the Japanese face.
            {"Japanese", Shown({{"Label3", "フェルミ準位 (eV)"}}), Face::Japanese, 8,
             japaneseWindow}};
    for (const auto &[name, shown, window, size, japanese] : rows) {
        const PitchMeasure m;
        EXPECT_EQ(FittedCaptionSize(shown, window, m, 1.0), size) << name;
        EXPECT_EQ(m.japanese, japanese) << name;
    }
}

} // namespace
} // namespace transistor
