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
#include "app/language.h"
#include "app/look.h"
#include "app/program.h"
#include "app/readout_report.h"
#include "app/setup_link.h"
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

// A text in the user's language, from the catalog the page handed in.
Translate PageTranslate() {
    return [](const char *context, std::string_view source) {
        const auto &catalog = ThePage().catalog;
        std::string key = context;
        key += '\0';
        key += source;
        const auto it = catalog.find(key);
        return it == catalog.end() ? std::string(source) : it->second;
    };
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
        str("toolTip", ToolTip(c, PageTranslate()));
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
    {"copyLink",
     TRANSLATABLE("Page",
                  "The browser keeps the clipboard from this page. Copy the link from here:")},
    {"copyPicture", TRANSLATABLE("Page", "The browser keeps the clipboard from this page. Copy "
                                         "the picture from here with a right click:")},
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

void AppendJsonStrings(std::string &out, const std::vector<std::string> &texts) {
    out += '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i) out += ',';
        AppendJsonString(out, texts[i]);
    }
    out += ']';
}

// Everything the Readouts view shows, in the user's language: its texts,
// the table, the summary, the chart in its own units, the chart's
// description and the two exports.
std::string ReadoutsJson() {
    const Translate translate = PageTranslate();
    const ReadoutLog &log = P().readoutLog();
    const std::string &sep = P().form().decimalSeparator;
    const auto tr = [&](std::string_view s) { return Translated(translate, kReadoutsContext, s); };
    std::string out = "{\"texts\":";
    AppendJsonStrings(out, {tr(kReadoutsTitle), tr(kReadoutsTableTitle), tr(kReadoutsSummaryTitle),
                            tr(kReadoutsChartTitle), tr(kReadoutsCopy), tr(kReadoutsSave),
                            tr(kReadoutsClose), std::string(kReadoutsFileName)});
    out += ",\"headers\":";
    AppendJsonStrings(out, ReadoutHeaders(translate));
    out += ",\"rows\":[";
    bool first = true;
    for (const Readout &r : log.readouts()) {
        if (!first) out += ',';
        first = false;
        out += std::string("{\"whole\":") + (r.whole ? "true" : "false") + ",\"cells\":";
        AppendJsonStrings(out, ReadoutCells(r, sep, translate));
        out += '}';
    }
    out += "],\"summaryHeaders\":";
    AppendJsonStrings(out, SummaryHeaders(translate));
    out += ",\"summary\":[";
    first = true;
    for (const auto &row : SummaryRows(SummarizeSettings(log), sep, translate)) {
        if (!first) out += ',';
        first = false;
        AppendJsonStrings(out, row);
    }
    out += "],\"note\":";
    AppendJsonString(out, LogNote(log, translate));
    const ReadoutChart chart = DrawReadoutChart(log, sep, translate);
    out += ",\"chart\":{\"width\":" + ShortestText(kChartWidth) +
           ",\"height\":" + ShortestText(kChartHeight) + ",\"lines\":[";
    first = true;
    for (const ChartLine &l : chart.lines) {
        if (!first) out += ',';
        first = false;
        out += "{\"color\":" + std::to_string(ChartColor(l.ink)) +
               ",\"dashed\":" + (l.dashed ? "true" : "false") + ",\"points\":[";
        for (std::size_t i = 0; i < l.points.size(); ++i) {
            if (i) out += ',';
            out += ShortestText(l.points[i].x) + "," + ShortestText(l.points[i].y);
        }
        out += "]}";
    }
    out += "],\"texts\":[";
    first = true;
    for (const ChartText &t : chart.texts) {
        if (!first) out += ',';
        first = false;
        out += "{\"text\":";
        AppendJsonString(out, t.text);
        out += ",\"x\":" + ShortestText(t.x) + ",\"y\":" + ShortestText(t.y) +
               ",\"align\":" + std::to_string(t.align) +
               ",\"color\":" + std::to_string(ChartColor(t.ink)) + "}";
    }
    out += "]},\"description\":";
    AppendJsonString(out, DescribeReadoutChart(log, sep, translate));
    out += ",\"tsv\":";
    AppendJsonString(out, ReadoutTsv(log, sep, translate));
    out += ",\"csv\":";
    AppendJsonString(out, ReadoutCsv(log, translate));
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
        out += "],\"group\":" + std::to_string(a.group) + ",\"help\":";
        AppendJsonString(out, KeyHelpText(a));
        out += "}";
    }
    out += "],\"context\":";
    AppendJsonString(out, kClassroomContext);
    out += ",\"resume\":";
    AppendJsonString(out, kResumeText);
    out += ",\"paused\":";
    AppendJsonString(out, kPausedText);
    const auto rect = [](const TwipRect &r) {
        return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.width) + "," + std::to_string(r.height) + "]";
    };
    out += ",\"sign\":" + rect(kPausedSign);
    out += ",\"menuButton\":" + rect(kMenuButton) + ",\"menuButtonName\":";
    AppendJsonString(out, kMenuButtonName);
    out += ",\"longPressMs\":" + std::to_string(kLongPressMs) +
           ",\"longPressSlop\":" + std::to_string(kLongPressSlop) +
           ",\"touchTarget\":" + std::to_string(kTouchTarget) +
           ",\"pinchStep\":" + ShortestText(kPinchStep) + "}";
    return out;
}

// A look (app/look.h) as the page paints it: CSS colours, widths, and the
// colour of every line and shape of the description under it.
std::string LookJson(bool highContrast) {
    const Look &look = LookFor(highContrast);
    const auto css = [](std::uint32_t rgb) {
        static constexpr char kHex[] = "0123456789abcdef";
        std::string out = "\"#";
        for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(rgb >> shift) & 0xF];
        return out + "\"";
    };
    std::string out = "{\"name\":";
    AppendJsonString(out, look.name);
    out += ",\"formBackground\":" + css(look.formBackground) + ",\"text\":" + css(look.text) +
           ",\"boxBackground\":" + css(look.boxBackground) +
           ",\"boxBorder\":" + css(look.boxBorder) +
           ",\"boxBorderWidth\":" + std::to_string(look.boxBorderWidth) +
           ",\"lineDevicePixels\":" + std::to_string(look.lineDevicePixels) + ",\"colors\":{";
    bool first = true;
    for (const ControlDesign &c : WindowDescription()) {
        if (c.kind != ControlKind::Line && c.kind != ControlKind::Rectangle &&
            c.kind != ControlKind::Circle)
            continue;
        if (!first) out += ',';
        first = false;
        AppendJsonString(out, c.name);
        out += ":" + std::to_string(ColorIn(look, c));
    }
    return out + "}}";
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

// The language of the texts, from the buffer: the languages with a
// translation, a NUL, then the browser's languages, most wanted first, each
// list split by commas. An empty text keeps the texts as designed.
EMSCRIPTEN_KEEPALIVE const char *tp_pick_language() {
    const std::string &b = ThePage().buffer;
    const std::size_t nul = b.find('\0');
    const auto split = [](std::string_view list) {
        std::vector<std::string> out;
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            if (comma) out.emplace_back(list.substr(0, comma));
            if (comma == std::string_view::npos) break;
            list.remove_prefix(comma + 1);
        }
        return out;
    };
    const std::string_view all(b);
    return Hand(PickLanguage(split(all.substr(nul + 1)), split(all.substr(0, nul))));
}

// Creates the program at time now, with the user's decimal separator.
EMSCRIPTEN_KEEPALIVE void tp_create(const char *separator, double now) {
    Page &page = ThePage();
    Program::Options o;
    o.decimalSeparator = separator;
    o.translate = PageTranslate();
    o.delivered = [](const ControlEvent &) { ++ThePage().changes; };
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

// The designed look (0) or the high contrast (1), as JSON (LookJson).
EMSCRIPTEN_KEEPALIVE const char *tp_look_json(int highContrast) {
    return Hand(LookJson(highContrast != 0));
}

// The largest zoom at which the whole form fits width × height CSS pixels.
EMSCRIPTEN_KEEPALIVE double tp_fit_zoom(double width, double height) {
    return FitZoom(width, height);
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
EMSCRIPTEN_KEEPALIVE int tp_run_on() {
    return P().runOn();
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

// The readout log: a count that changes with it, and all the view shows.
EMSCRIPTEN_KEEPALIVE double tp_readouts_serial() {
    return static_cast<double>(P().readoutLog().serial());
}
EMSCRIPTEN_KEEPALIVE const char *tp_readouts_json() {
    return Hand(ReadoutsJson());
}

// The setup a link carries, from the query string in the buffer:
// {"texts": [[box, text], …], "language", "zoomPercent", "start", "highContrast"}.
EMSCRIPTEN_KEEPALIVE const char *tp_read_link() {
    const LinkSetup setup = ReadSetupLink(ThePage().buffer);
    std::string out = "{\"texts\":[";
    for (const auto &[box, text] : setup.texts) {
        if (out.back() != '[') out += ',';
        out += '[';
        AppendJsonString(out, box);
        out += ',';
        AppendJsonString(out, text);
        out += ']';
    }
    out += "],\"language\":";
    AppendJsonString(out, setup.language);
    out += ",\"zoomPercent\":" + std::to_string(std::lround(setup.zoom * 100)) +
           ",\"start\":" + (setup.start ? "true" : "false") +
           ",\"highContrast\":" + (setup.highContrast ? "true" : "false") + "}";
    return Hand(std::move(out));
}
// The query of a link to the present inputs.
EMSCRIPTEN_KEEPALIVE const char *tp_link_query() {
    return Hand(SetupLinkQuery(P().form().ctl));
}

// The ticks counted in each readout of the log, oldest first (the last 99),
// and the time the clock skipped since Start: "[200,200,...] 0", what the
// page's figures check on a slow device.
EMSCRIPTEN_KEEPALIVE const char *tp_readout_ticks() {
    const auto &log = P().readoutLog().readouts();
    std::string s = "[";
    for (std::size_t i = log.size() > 99 ? log.size() - 99 : 0; i < log.size(); ++i)
        s += (s.size() > 1 ? "," : "") + std::to_string(log[i].ticks);
    return Hand(s + "] " + std::to_string(P().skipped()));
}

// The state as the script driver dumps it, for comparing the two.
EMSCRIPTEN_KEEPALIVE const char *tp_dump() {
    return Hand(DumpJson(P().form()));
}

} // extern "C"
