#include "app/window_description.h"

#include "model/translatable.h"

#include <stdexcept>
#include <string>

namespace transistor {

namespace {

ControlDesign box(ControlKind kind, std::string_view name, int left, int top, int width,
                  int height) {
    ControlDesign c;
    c.kind = kind;
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

ControlDesign label(std::string_view name, int left, int top, int width, int height,
                    std::string_view caption, int tab) {
    ControlDesign c = box(ControlKind::Label, name, left, top, width, height);
    c.caption = caption;
    c.tabIndex = tab;
    return c;
}

// A band label: a large E, or the subscript set lower right of one.
ControlDesign bandLabel(int index, std::string_view caption, int left, int top, int tab) {
    ControlDesign c = label("Label2", left, top, 255, 255, caption, tab);
    c.index = index;
    c.transparent = true;
    return c;
}

// A large E, named for a screen reader by what it labels together with its
// subscript.
ControlDesign bandLetter(int index, int left, int top, int tab, std::string_view name) {
    ControlDesign c = bandLabel(index, "E", left, top, tab);
    c.font = FontKind::BandLetter;
    c.accessibleName = name;
    return c;
}

ControlDesign subscript(int index, std::string_view caption, int left, int top, int tab) {
    ControlDesign c = bandLabel(index, caption, left, top, tab);
    c.subscript = true;
    return c;
}

ControlDesign textBox(std::string_view name, int left, int top, int width, int height,
                      std::string_view text, int tab, bool flat = false) {
    ControlDesign c = box(ControlKind::TextBox, name, left, top, width, height);
    c.caption = text;
    c.tabIndex = tab;
    c.flat = flat;
    return c;
}

ControlDesign button(std::string_view name, int left, std::string_view caption, int tab) {
    ControlDesign c = box(ControlKind::Button, name, left, 6480, 975, 495);
    c.caption = caption;
    c.tabIndex = tab;
    return c;
}

ControlDesign timer(std::string_view name, int interval, bool enabled) {
    ControlDesign c;
    c.kind = ControlKind::Timer;
    c.name = name;
    c.interval = interval;
    c.enabled = enabled;
    return c;
}

ControlDesign line(std::string_view name, int x1, int y1, int x2, int y2,
                   LineStyle style = LineStyle::Solid, std::uint32_t color = 0x000000) {
    ControlDesign c;
    c.kind = ControlKind::Line;
    c.name = name;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.style = style;
    c.color = color;
    return c;
}

// A box that only the program writes.
ControlDesign readout(ControlDesign c) {
    c.readOnly = true;
    return c;
}

ControlDesign member(ControlDesign c, int index) {
    c.index = index;
    return c;
}

ControlDesign described(ControlDesign c, std::string_view name, std::string_view description) {
    c.accessibleName = name;
    c.accessibleDescription = description;
    return c;
}

ControlDesign captioning(ControlDesign c, std::string_view box) {
    c.buddy = box;
    return c;
}

ControlDesign shape(ControlKind kind, std::string_view name, int left, int top, int width,
                    int height, bool filled = false, std::uint32_t fill = 0x000000) {
    ControlDesign c = box(kind, name, left, top, width, height);
    c.filled = filled;
    c.color = fill;
    return c;
}

// Captions in words are marked for translation; symbols, numbers and the
// names that Text11, Text12 and Text13 show read alike in every language.
std::vector<ControlDesign> describe() {
    using K = ControlKind;
    constexpr auto dashDot = LineStyle::DashDot;
    std::vector<ControlDesign> d = {
        // Band diagram, left to right.
        line("Line1", 1440, 2280, 4080, 2280),
        line("Line3", 1440, 2400, 4080, 2400, dashDot),
        line("Line2", 1440, 3480, 4080, 3480),
        line("Line9", 4080, 2280, 4560, 1440),
        line("Line10", 4080, 3480, 4560, 2640),
        line("Line4", 4560, 1440, 5400, 1440),
        line("Line8", 4560, 2400, 5400, 2400, dashDot),
        line("Line5", 4560, 2640, 5400, 2640),
        line("Line25", 5400, 1440, 6120, 1920),
        line("Line24", 5400, 2640, 6120, 3120),
        line("Line20", 6120, 1920, 8760, 1920),
        line("Line23", 6120, 2400, 8760, 2400, dashDot),
        line("Line21", 6120, 3120, 8760, 3120),
        // Band labels: a large E with its subscript set lower right.
        bandLetter(0, 960, 2040, 4, TRANSLATABLE("Form1", "E C, conduction-band edge")),
        bandLetter(1, 960, 3360, 5, TRANSLATABLE("Form1", "E V, valence-band edge")),
        subscript(2, "C", 1200, 2160, 6),
        subscript(3, "V", 1200, 3480, 7),
        bandLetter(4, 960, 2400, 8, TRANSLATABLE("Form1", "E F, Fermi level")),
        subscript(5, "F", 1200, 2520, 9),
        // Event markers.
        line("Line18", 3120, 2280, 3120, 3480, LineStyle::Solid, 0xFF0000),
        line("Line19", 2640, 2280, 2640, 3480, LineStyle::Solid, 0x0000FF),
        // Circuit picture.
        shape(K::Rectangle, "Shape3", 1680, 5040, 1935, 495),
        line("Line11", 2400, 5040, 2400, 5520),
        line("Line26", 2880, 5040, 2880, 5520),
        label("Label14", 2040, 5160, 255, 255, "n", 28),
        label("Label6", 2640, 5160, 255, 255, "p", 27),
        label("Label16", 3240, 5160, 255, 255, "n", 31),
        line("Line12", 1680, 5280, 1320, 5280),
        line("Line15", 1320, 6360, 1320, 5280),
        member(line("Line7", 1320, 6360, 1920, 6360), 5),
        shape(K::Rectangle, "Shape4", 1800, 6240, 135, 255, true),
        line("Line16", 2040, 6120, 2040, 6600),
        line("Line17", 2040, 6360, 3240, 6360),
        shape(K::Rectangle, "Shape7", 3120, 6240, 135, 255, true),
        line("Line27", 3360, 6120, 3360, 6600),
        member(line("Line7", 3360, 6360, 3960, 6360), 0),
        line("Line13", 3960, 5280, 3960, 6360),
        line("Line14", 3600, 5280, 3960, 5280),
        line("Line22", 2640, 5520, 2640, 6600),
        shape(K::Circle, "Shape8", 2595, 6315, 105, 105, true),
        line("Line28", 2400, 6600, 2880, 6600),
        line("Line29", 2640, 6600, 2520, 6720),
        line("Line30", 2760, 6600, 2640, 6720),
        line("Line31", 2520, 6600, 2400, 6720),
        // Inputs. The three Fermi-level boxes are drawn flat.
        described(textBox("Text1", 6840, 8040, 495, 270, "300", 2),
                  TRANSLATABLE("Form1", "Temperature (K)"),
                  TRANSLATABLE("Form1", "Read at each Start and Restart. A typical value is 300.")),
        captioning(label("Label1", 6120, 8040, 615, 255, TRANSLATABLE("Form1", "温度(K)"), 3),
                   "Text1"),
        described(
            textBox("Text2", 1680, 4680, 495, 270, "0.9", 10, true),
            TRANSLATABLE("Form1", "Emitter Fermi level (eV)"),
            TRANSLATABLE("Form1",
                         "Above the emitter's valence-band edge, read at each Start and Restart. A "
                         "typical value is 0.9.")),
        described(
            textBox("Text3", 2400, 4680, 495, 270, "0.2", 12, true),
            TRANSLATABLE("Form1", "Base Fermi level (eV)"),
            TRANSLATABLE(
                "Form1",
                "Above the base's valence-band edge, read at each Start and Restart. A typical "
                "value is 0.2.")),
        described(textBox("Text9", 3000, 4680, 495, 270, "0.7", 34, true),
                  TRANSLATABLE("Form1", "Collector Fermi level (eV)"),
                  TRANSLATABLE(
                      "Form1",
                      "Above the collector's valence-band edge, read at each Start and Restart. A "
                      "typical value is 0.7.")),
        label("Label3", 3720, 4680, 975, 375, TRANSLATABLE("Form1", "Fermi level (eV)"), 11),
        described(
            textBox("Text4", 1680, 6840, 495, 270, "0.5", 14),
            TRANSLATABLE("Form1", "Emitter–base voltage VEB (V)"),
            TRANSLATABLE(
                "Form1",
                "Forward bias, read at each Start and Restart and kept between 0 and 0.6 V. A "
                "typical value is 0.5.")),
        captioning(label("Label5", 960, 6840, 735, 255, "VEB(V)", 26), "Text4"),
        described(textBox("Text8", 3000, 6840, 495, 270, "1.5", 33),
                  TRANSLATABLE("Form1", "Collector–base voltage VCB (V)"),
                  TRANSLATABLE(
                      "Form1",
                      "Reverse bias, read at each Start and Restart and kept between 0 and 2 V. A "
                      "typical value is 1.5.")),
        captioning(label("Label17", 3600, 6840, 855, 255, "VCB(V)", 32), "Text8"),
        // Readouts, written by the program only.
        described(
            readout(textBox("Text10", 2400, 5760, 495, 270, "0", 35)),
            TRANSLATABLE("Form1", "Base current (mA)"),
            TRANSLATABLE(
                "Form1",
                "Written by the program every 10 seconds: holes fed into the base minus holes "
                "drained from it since the last readout.")),
        captioning(
            label("Label18", 1320, 5760, 975, 375, TRANSLATABLE("Form1", "Base current (mA)"), 36),
            "Text10"),
        described(
            readout(textBox("Text7", 3720, 5760, 495, 270, "0", 18)),
            TRANSLATABLE("Form1", "Collector current (mA)"),
            TRANSLATABLE(
                "Form1",
                "Written by the program every 10 seconds: electrons added at the contacts minus "
                "electrons taken away since the last readout.")),
        captioning(label("Label11", 4320, 5760, 1095, 375,
                         TRANSLATABLE("Form1", "Collector currnet (mA)"), 19),
                   "Text7"),
        described(
            readout(textBox("Text5", 6840, 8400, 495, 270, "0.2", 25)),
            TRANSLATABLE("Form1", "Number of electrons"),
            TRANSLATABLE("Form1",
                         "Written by the program whenever an electron-hole pair is generated.")),
        captioning(label("Label4", 6120, 8400, 735, 255, TRANSLATABLE("Form1", "電子数"), 13),
                   "Text5"),
        described(
            readout(textBox("Text6", 6840, 8640, 495, 270, "0", 16)),
            TRANSLATABLE("Form1", "Number of holes"),
            TRANSLATABLE("Form1",
                         "Written by the program whenever an electron-hole pair is generated.")),
        captioning(label("Label8", 6120, 8640, 735, 255, TRANSLATABLE("Form1", "正孔数"), 17),
                   "Text6"),
        described(readout(textBox("Text11", 7920, 8040, 735, 375, "Text11", 37)),
                  TRANSLATABLE("Form1", "Electrons in the emitter and the emitter–base junction"),
                  TRANSLATABLE("Form1", "Written by the program at every step of the animation.")),
        described(readout(textBox("Text12", 7920, 8640, 735, 375, "Text12", 38)),
                  TRANSLATABLE("Form1", "Electrons in the collector"),
                  TRANSLATABLE("Form1", "Written by the program at every step of the animation.")),
        described(
            readout(textBox("Text13", 8880, 8640, 735, 375, "Text13", 39)),
            TRANSLATABLE("Form1", "Collector electron target"),
            TRANSLATABLE("Form1",
                         "Written by the program at each Start and Restart: how many electrons the "
                         "collector is kept stocked with.")),
        label("Label13", 5280, 8160, 495, 255, TRANSLATABLE("Form1", "p形"), 24),
        label("Label7", 5280, 8760, 495, 255, TRANSLATABLE("Form1", "n形"), 15),
        // Time plot.
        [] {
            ControlDesign c = box(K::PictureBox, "Picture1", 2160, 7680, 2655, 1455);
            c.tabIndex = 20;
            return described(
                c, TRANSLATABLE("Form1", "Electron count over time"),
                TRANSLATABLE("Form1", "One point at every step of the animation, higher for more "
                                      "electrons."));
        }(),
        [] {
            ControlDesign c = line("Line6", 0, 1440, 2640, 1440);
            c.container = "Picture1";
            return c;
        }(),
        label("Label10", 1800, 7680, 375, 495, TRANSLATABLE("Form1", "電子濃度"), 22),
        label("Label12", 2040, 9000, 255, 255, "0", 23),
        label("Label9", 4800, 9120, 375, 255, "t", 21),
        // Buttons.
        described(button("Command1", 5640, TRANSLATABLE("Form1", "Start"), 0),
                  TRANSLATABLE("Form1", "Start"),
                  TRANSLATABLE(
                      "Form1",
                      "Lays out the band diagram from the inputs, scatters the carriers and starts "
                      "the animation.")),
        described(
            button("Command3", 6840, TRANSLATABLE("Form1", "Restart"), 29),
            TRANSLATABLE("Form1", "Restart"),
            TRANSLATABLE(
                "Form1",
                "Lays out the band diagram again from the inputs while the animation goes on.")),
        described(button("Command2", 8040, TRANSLATABLE("Form1", "Close"), 1),
                  TRANSLATABLE("Form1", "Close"), TRANSLATABLE("Form1", "Ends the program.")),
        // Timers.
        timer("Timer1", 50, false),
        timer("Timer2", 10000, true),
        timer("Timer3", 200, false),
        timer("Timer4", 200, false),
        // Notice.
        label("Label15", 4320, 7080, 4815, 615,
              TRANSLATABLE("Form1",
                           "Attention: This simulation is only for visual understanding, the "
                           "current values are inaccurate."),
              30),
        // Other shapes of the lower-left corner.
        described(shape(K::Circle, "Shape5", 960, 8160, 255, 255), TRANSLATABLE("Form1", "Circle"),
                  TRANSLATABLE("Form1", "A shape of the window's design that takes no part in "
                                        "the simulation.")),
        described(shape(K::Rectangle, "Shape6", 480, 8280, 375, 255),
                  TRANSLATABLE("Form1", "Rectangle"),
                  TRANSLATABLE("Form1", "A shape of the window's design that takes no part in "
                                        "the simulation.")),
    };
    // The carriers: 101 electrons (black) and 101 holes (white).
    for (int i = 0; i <= 100; ++i)
        d.push_back(member(shape(K::Circle, "Shape1", 480, 7920, 105, 105, true, 0x000000), i));
    for (int i = 0; i <= 100; ++i)
        d.push_back(member(shape(K::Circle, "Shape2", 960, 7920, 105, 105, true, 0xFFFFFF), i));
    return d;
}

} // namespace

const WindowDesign &Window() {
    static const WindowDesign w{TRANSLATABLE("Form1", "Transistor visual simulation"), 9915, 7650,
                                9915, 9615};
    return w;
}

const std::vector<ControlDesign> &WindowDescription() {
    static const std::vector<ControlDesign> d = describe();
    return d;
}

std::string ToolTip(const ControlDesign &control, const Translate &translate) {
    if (control.accessibleDescription.empty()) return {};
    std::string tip = Translated(translate, kTranslationContext, control.accessibleName);
    if (!tip.empty()) tip += '\n';
    return tip + Translated(translate, kTranslationContext, control.accessibleDescription);
}

const ControlDesign &FindControl(std::string_view name, int index) {
    for (const ControlDesign &c : WindowDescription())
        if (c.name == name && c.index == index) return c;
    throw std::out_of_range("no control " + std::string(name));
}

} // namespace transistor
