// The program as the page runs it: one Program behind plain C functions
// that the page's JavaScript calls. Numbers cross as numbers, texts as
// NUL-terminated UTF-8 in the module's memory, and the carriers, lines and
// plot points are read by the page straight from that memory, where the
// Form keeps them.
//
// Time is the page's performance.now() in milliseconds, as a double; the
// program counts whole milliseconds.
#include <emscripten/emscripten.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/caption_layout.h"
#include "app/classroom.h"
#include "app/program.h"
#include "app/window_description.h"
#include "model/number_text.h"
#include "model/translatable.h"
#include "tools/json_dump.h"

// The page measures text in the browser, in the fonts that draw it
// (web/src/measure.js): a width and a height packed as width << 16 | height.
EM_JS(int, tp_js_line_height, (int face, double points),
      { return Module.textMeasure.lineHeight(face, points); });
EM_JS(int, tp_js_extent, (const char *text, int face, double points, int wrapWidth),
      { return Module.textMeasure.extent(UTF8ToString(text), face, points, wrapWidth); });

namespace transistor {
namespace {

struct Page {
    std::unique_ptr<Program> program;
    // The user's language: the context, a NUL and the source, to the translation.
    std::map<std::string, std::string> catalog;
    // Counts every change of the Form, so that the page paints only after one.
    unsigned changes = 0;
    std::string text; // the last text handed out
    std::optional<Notice> notice;
    std::string buffer; // where the page writes a text it hands in
    // The ticks of each readout so far, the last one still counting: what the
    // page's figures (bench/web) check on a slow device.
    std::vector<int> readoutTicks{0};
};

Page &ThePage() {
    static Page page;
    return page;
}

Program &P() {
    return *ThePage().program;
}

Millis ToMillis(double ms) {
    if (!std::isfinite(ms) || ms < 0) return 0;
    return static_cast<Millis>(std::floor(ms));
}

const char *Hand(std::string s) {
    ThePage().text = std::move(s);
    return ThePage().text.c_str();
}

// The members of the description that the page needs, as JSON.
std::string DescriptionJson() {
    std::string out = "{\"caption\":";
    const WindowDesign &w = Window();
    AppendJsonString(out, w.caption);
    out += ",\"clientWidth\":" + std::to_string(w.clientWidth) +
           ",\"clientHeight\":" + std::to_string(w.clientHeight) +
           ",\"extentWidth\":" + std::to_string(w.extentWidth) +
           ",\"extentHeight\":" + std::to_string(w.extentHeight) +
           ",\"bandLetterPoints\":" + ShortestText(kBandLetterPointSize) + ",\"bandLetterFamily\":";
    AppendJsonString(out, kBandLetterFamily);
    out += ",\"controls\":[";
    static constexpr const char *kKinds[] = {"PictureBox", "Label",     "TextBox", "Button",
                                             "Timer",      "Rectangle", "Circle",  "Line"};
    bool first = true;
    for (const ControlDesign &c : WindowDescription()) {
        if (!first) out += ',';
        first = false;
        const auto num = [&out](const char *key, long long v) {
            out += ",\"";
            out += key;
            out += "\":" + std::to_string(v);
        };
        const auto str = [&out](const char *key, std::string_view v) {
            out += ",\"";
            out += key;
            out += "\":";
            AppendJsonString(out, v);
        };
        out += "{\"kind\":";
        AppendJsonString(out, kKinds[static_cast<int>(c.kind)]);
        str("name", c.name);
        num("index", c.index);
        num("left", c.left);
        num("top", c.top);
        num("width", c.width);
        num("height", c.height);
        num("x1", c.x1);
        num("y1", c.y1);
        num("x2", c.x2);
        num("y2", c.y2);
        str("caption", c.caption);
        num("tabIndex", c.tabIndex);
        num("color", c.color);
        num("filled", c.filled);
        num("dashDot", c.style == LineStyle::DashDot);
        num("bandLetter", c.font == FontKind::BandLetter);
        num("transparent", c.transparent);
        num("flat", c.flat);
        num("readOnly", c.readOnly);
        num("subscript", c.subscript);
        str("container", c.container);
        str("accessibleName", c.accessibleName);
        str("accessibleDescription", c.accessibleDescription);
        str("buddy", c.buddy);
        out += '}';
    }
    out += "]}";
    return out;
}

// The caption rules' measure of text: the page's.
class PageMeasure final : public TextMeasure {
  public:
    int lineHeight(Face face, double pointSize) const override {
        return tp_js_line_height(static_cast<int>(face), pointSize);
    }
    TextExtent extent(std::string_view text, Face face, double pointSize,
                      int wrapWidth) const override {
        const std::string t(text);
        const int packed = tp_js_extent(t.c_str(), static_cast<int>(face), pointSize, wrapWidth);
        return {packed >> 16, packed & 0xFFFF};
    }
};

// Where every caption of the window stands at zoom, with the window's rules:
// {"size": the captions' size in points at actual size, "labels": {id:
// [box left, top, width, height, text left, top, width, height, points,
// face, grown, wraps]}}, pixels at the zoom.
std::string LayoutJson(double zoom, bool japaneseWindow) {
    const Page &page = ThePage();
    const auto translated = [&page](std::string_view source) {
        std::string key = kTranslationContext;
        key += '\0';
        key += source;
        const auto it = page.catalog.find(key);
        return it == page.catalog.end() ? std::string(source) : it->second;
    };
    std::vector<ShownCaption> captions;
    for (const ControlDesign &c : WindowDescription())
        if (c.kind == ControlKind::Label && c.container.empty())
            captions.push_back({&c, translated(c.caption)});
    const PageMeasure measure;
    const Face windowFace = japaneseWindow ? Face::Japanese : Face::Latin;
    const double size = FittedCaptionSize(captions, windowFace, measure, zoom);
    std::string out = "{\"size\":" + ShortestText(size) + ",\"labels\":{";
    bool first = true;
    for (const ShownCaption &c : captions) {
        if (c.label->font != FontKind::Default) continue;
        const CaptionRoom room = PlaceCaption(*c.label, c.text, measure, size, zoom);
        if (!first) out += ',';
        first = false;
        std::string id(c.label->name);
        if (c.label->index >= 0) id += "-" + std::to_string(c.label->index);
        AppendJsonString(out, id);
        const auto n = [](int v) { return std::to_string(v) + ","; };
        out += ":[" + n(room.box.left) + n(room.box.top) + n(room.box.width()) +
               n(room.box.height()) + n(room.text.left) + n(room.text.top) + n(room.text.width()) +
               n(room.text.height()) + ShortestText(room.pointSize) + "," +
               std::to_string(static_cast<int>(FaceFor(c.text))) + "," + (room.grown ? "1" : "0") +
               "," + (room.wraps ? "1" : "0") + "]";
    }
    return out + "}}";
}

// The page's own texts, which the desktop window has no need of: the
// translations hold them under the context "Page".
constexpr std::pair<std::string_view, std::string_view> kPageTexts[] = {
    {"ok", TRANSLATABLE("Page", "OK")},
    {"ended", TRANSLATABLE("Page", "The program has ended. You may close this page.")},
    {"chart", TRANSLATABLE("Page", "chart")},
};

std::string PageTextsJson() {
    std::string out = "{";
    for (const auto &[key, text] : kPageTexts) {
        if (out.size() > 1) out += ',';
        AppendJsonString(out, key);
        out += ':';
        AppendJsonString(out, text);
    }
    return out + "}";
}

// The classroom controls: their names, texts, keys and menu groups, the
// texts of Resume and of the sign, and the sign's place.
std::string ClassroomJson() {
    std::string out = "{\"actions\":[";
    for (const ClassroomAction &a : kClassroomActions) {
        if (out.back() != '[') out += ',';
        out += "{\"name\":";
        AppendJsonString(out, a.name);
        out += ",\"text\":";
        AppendJsonString(out, a.text);
        out += ",\"keys\":[";
        for (std::string_view key : a.keys) {
            if (key.empty()) continue;
            if (out.back() != '[') out += ',';
            AppendJsonString(out, key);
        }
        out += "],\"group\":" + std::to_string(a.group) + "}";
    }
    out += "],\"context\":";
    AppendJsonString(out, kClassroomContext);
    out += ",\"resume\":";
    AppendJsonString(out, kResumeText);
    out += ",\"paused\":";
    AppendJsonString(out, kPausedText);
    out += ",\"sign\":[" + std::to_string(kPausedSign.left) + "," +
           std::to_string(kPausedSign.top) + "," + std::to_string(kPausedSign.width) + "," +
           std::to_string(kPausedSign.height) + "]}";
    return out;
}

} // namespace
} // namespace transistor

using namespace transistor;

extern "C" {

// A buffer of n bytes (and a NUL after them) where the page writes a text
// before it calls a function that takes one.
EMSCRIPTEN_KEEPALIVE char *tp_buffer(int n) {
    std::string &b = ThePage().buffer;
    b.assign(static_cast<std::size_t>(n < 0 ? 0 : n), '\0');
    return b.data();
}

// One entry of the user's language, in the buffer as the context, the
// source and the translation, each ended by a NUL; the page adds them
// before tp_create.
EMSCRIPTEN_KEEPALIVE void tp_translation() {
    const std::string &b = ThePage().buffer;
    const std::size_t a = b.find('\0'), c = a == std::string::npos ? a : b.find('\0', a + 1);
    if (c == std::string::npos) return;
    ThePage().catalog[b.substr(0, c)] = b.substr(c + 1);
}

// Creates the program at time now, with the user's decimal separator.
EMSCRIPTEN_KEEPALIVE void tp_create(const char *separator, double now) {
    Page &page = ThePage();
    Program::Options o;
    o.decimalSeparator = separator;
    o.translate = [](const char *context, std::string_view source) {
        const auto &catalog = ThePage().catalog;
        std::string key = context;
        key += '\0';
        key += source;
        const auto it = catalog.find(key);
        return it == catalog.end() ? std::string(source) : it->second;
    };
    o.delivered = [](const ControlEvent &e) {
        Page &p = ThePage();
        ++p.changes;
        if (e.timer == &Controls::Timer1) ++p.readoutTicks.back();
        if (e.timer == &Controls::Timer2) {
            if (p.readoutTicks.size() >= 100) p.readoutTicks.erase(p.readoutTicks.begin());
            p.readoutTicks.push_back(0);
        }
    };
    page.program = std::make_unique<Program>(std::move(o), ToMillis(now));
    ++page.changes;
}

EMSCRIPTEN_KEEPALIVE const char *tp_description_json() {
    return Hand(DescriptionJson());
}
EMSCRIPTEN_KEEPALIVE const char *tp_page_texts_json() {
    return Hand(PageTextsJson());
}
EMSCRIPTEN_KEEPALIVE const char *tp_classroom_json() {
    return Hand(ClassroomJson());
}
// Where the captions stand at zoom (LayoutJson), measured by the page.
EMSCRIPTEN_KEEPALIVE const char *tp_layout(double zoom, int japaneseWindow) {
    return Hand(LayoutJson(zoom, japaneseWindow != 0));
}
// The face of a text: 0 Latin, 1 Japanese.
EMSCRIPTEN_KEEPALIVE int tp_face() {
    return static_cast<int>(FaceFor(ThePage().buffer));
}
// The zoom steps steps of 25 % away from zoom, within 100 % .. 300 %.
EMSCRIPTEN_KEEPALIVE double tp_stepped_zoom(double zoom, int steps) {
    return SteppedZoom(zoom, steps);
}

// Time.
EMSCRIPTEN_KEEPALIVE void tp_advance(double now) {
    P().advanceTo(ToMillis(now));
}
// The next deadline, or -1 while no timer runs.
EMSCRIPTEN_KEEPALIVE double tp_next_deadline() {
    const std::optional<Millis> due = P().nextDeadline();
    return due ? static_cast<double>(*due) : -1;
}
EMSCRIPTEN_KEEPALIVE unsigned tp_changes() {
    return ThePage().changes;
}

// Events. A button by its name or alias; returns 0 for no such button.
EMSCRIPTEN_KEEPALIVE int tp_press(const char *button, double now) {
    const ControlEvent *event = FindButton(button);
    if (!event) return 0;
    P().press(*event, ToMillis(now));
    ++ThePage().changes;
    return 1;
}
EMSCRIPTEN_KEEPALIVE int tp_enter(const char *box, double now) {
    const bool took = P().enter(box, ToMillis(now));
    ++ThePage().changes;
    return took;
}
EMSCRIPTEN_KEEPALIVE void tp_toggle_pause(double now) {
    P().togglePause(ToMillis(now));
    ++ThePage().changes;
}
EMSCRIPTEN_KEEPALIVE void tp_step(double now) {
    P().step(ToMillis(now));
    ++ThePage().changes;
}
EMSCRIPTEN_KEEPALIVE int tp_paused() {
    return P().paused();
}
EMSCRIPTEN_KEEPALIVE int tp_closed() {
    return P().form().feedback.closed;
}

// The text boxes, by their place in Text1 … Text13.
EMSCRIPTEN_KEEPALIVE const char *tp_text(int box) {
    if (box < 0 || box >= static_cast<int>(kTextBoxes.size())) return "";
    return (P().form().ctl.*kTextBoxes[static_cast<std::size_t>(box)]).c_str();
}
// What the user typed: the text in the buffer.
EMSCRIPTEN_KEEPALIVE void tp_set_text(int box) {
    if (box < 0 || box >= static_cast<int>(kTextBoxes.size())) return;
    P().form().ctl.*kTextBoxes[static_cast<std::size_t>(box)] = ThePage().buffer.c_str();
}

// Where the page reads the drawing: the 101 electrons or holes as pairs of
// floats (Left, Top), a moving line as X1, Y1, X2, Y2 and a byte Visible,
// and the plot's points as pairs of floats.
EMSCRIPTEN_KEEPALIVE const float *tp_carriers(int holes) {
    const Controls &c = P().form().ctl;
    return holes ? &c.Shape2(0).Left : &c.Shape1(0).Left;
}
EMSCRIPTEN_KEEPALIVE int tp_count(int holes) {
    const SimulationState &s = P().form().vars;
    return (holes ? s.HoleCount : s.ElectronCount).value();
}
EMSCRIPTEN_KEEPALIVE const LineProps *tp_line(int line) {
    if (line < 0 || line >= static_cast<int>(kMovingLines.size())) return nullptr;
    return &(P().form().ctl.*kMovingLines[static_cast<std::size_t>(line)].line);
}
EMSCRIPTEN_KEEPALIVE const char *tp_line_name(int line) {
    if (line < 0 || line >= static_cast<int>(kMovingLines.size())) return "";
    return Hand(std::string(kMovingLines[static_cast<std::size_t>(line)].name));
}
EMSCRIPTEN_KEEPALIVE const PlotPoint *tp_plot() {
    return P().form().ctl.Picture1.data();
}
EMSCRIPTEN_KEEPALIVE int tp_plot_size() {
    return static_cast<int>(P().form().ctl.Picture1.size());
}

// What the user is told: 1 when there is a notice, whose text and focus
// box tp_notice_text and tp_notice_focus then give.
EMSCRIPTEN_KEEPALIVE int tp_take_notice() {
    Page &page = ThePage();
    page.notice = P().takeNotice();
    return page.notice.has_value();
}
EMSCRIPTEN_KEEPALIVE const char *tp_notice_text() {
    const Page &page = ThePage();
    return page.notice ? page.notice->text.c_str() : "";
}
EMSCRIPTEN_KEEPALIVE const char *tp_notice_focus() {
    const Page &page = ThePage();
    return page.notice ? page.notice->focusBox.c_str() : "";
}

// What a screen reader hears: 0 the band diagram, 1 the plot, 2 the window.
EMSCRIPTEN_KEEPALIVE const char *tp_description(int which) {
    switch (which) {
    case 0:
        return P().diagramDescription().c_str();
    case 1:
        return P().plotDescription().c_str();
    default:
        return Hand(P().windowDescription());
    }
}

// The ticks counted in each readout so far, oldest first (the last 99), and
// the time the clock skipped since Start: "[200,200,...] 0".
EMSCRIPTEN_KEEPALIVE const char *tp_readout_ticks() {
    const std::vector<int> &t = ThePage().readoutTicks;
    std::string s = "[";
    for (std::size_t i = 0; i + 1 < t.size(); ++i) s += (i ? "," : "") + std::to_string(t[i]);
    return Hand(s + "] " + std::to_string(P().skipped()));
}

// The state as the script driver dumps it, for comparing the two.
EMSCRIPTEN_KEEPALIVE const char *tp_dump() {
    return Hand(DumpJson(P().form()));
}

} // extern "C"
