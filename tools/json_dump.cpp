#include "tools/json_dump.h"

#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "app/control_events.h"
#include "model/number_text.h"

namespace transistor {

namespace {

// The state variables in the order in which the window declares them. The
// checks below make the build fail when a variable is added to, removed from
// or moved in SimulationState without this list following.
#define TRANSISTOR_STATE_VARIABLES(X)                                                              \
    X(ElectronCount)                                                                               \
    X(HoleCount)                                                                                   \
    X(EmitterElectronTarget)                                                                       \
    X(BaseHoleTarget)                                                                              \
    X(CollectorElectronTarget)                                                                     \
    X(ElectronRelaxThreshold)                                                                      \
    X(HoleRelaxThreshold)                                                                          \
    X(FermiYAtX)                                                                                   \
    X(EmitterFermiY)                                                                               \
    X(CollectorFermiY)                                                                             \
    X(BaseFermiY)                                                                                  \
    X(EmitterConductionY)                                                                          \
    X(CollectorConductionY)                                                                        \
    X(BaseConductionY)                                                                             \
    X(EmitterValenceY)                                                                             \
    X(CollectorValenceY)                                                                           \
    X(BaseValenceY)                                                                                \
    X(BandGapHeight)                                                                               \
    X(EmitterLeftX)                                                                                \
    X(CollectorRightX)                                                                             \
    X(DeviceWidth)                                                                                 \
    X(CarrierSize)                                                                                 \
    X(EmitterRightX)                                                                               \
    X(BaseLeftX)                                                                                   \
    X(EbJunctionWidth)                                                                             \
    X(BaseRightX)                                                                                  \
    X(CollectorLeftX)                                                                              \
    X(BcJunctionWidth)                                                                             \
    X(Temperature)                                                                                 \
    X(ElectronBinCount)                                                                            \
    X(HoleBinCount)                                                                                \
    X(ElectronBinPrev)                                                                             \
    X(HoleBinPrev)                                                                                 \
    X(ElectronBinLeftX)                                                                            \
    X(ElectronBinRightX)                                                                           \
    X(HoleBinLeftX)                                                                                \
    X(HoleBinRightX)                                                                               \
    X(CollectorCurrentCount)                                                                       \
    X(BaseCurrentCount)                                                                            \
    X(LoopIndex)                                                                                   \
    X(CarrierX)                                                                                    \
    X(ReservoirTally)                                                                              \
    X(CollectorTally)                                                                              \
    X(RecombineHoleIndex)                                                                          \
    X(PlotX)

// Counts the members of an aggregate: the largest number of initialisers,
// each convertible to anything, that brace-initialise it.
struct AnyMember {
    template <class T> constexpr operator T() const; // never defined: unevaluated use only
};
template <class T, class... Members> constexpr std::size_t MemberCount() {
    if constexpr (requires { T{Members{}..., AnyMember{}}; })
        return MemberCount<T, Members..., AnyMember>();
    else
        return sizeof...(Members);
}

static_assert(std::is_standard_layout_v<SimulationState>);
#define TRANSISTOR_OFFSET(name) offsetof(SimulationState, name),
constexpr std::size_t kOffsets[] = {TRANSISTOR_STATE_VARIABLES(TRANSISTOR_OFFSET)};
#undef TRANSISTOR_OFFSET
constexpr bool ListsEveryVariableInOrder() {
    for (std::size_t i = 1; i < std::size(kOffsets); ++i)
        if (kOffsets[i] <= kOffsets[i - 1]) return false;
    return std::size(kOffsets) == MemberCount<SimulationState>();
}
static_assert(ListsEveryVariableInOrder(),
              "the dump's list of state variables does not follow SimulationState");

template <class T> void AppendShortest(std::string &out, T v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    out += ShortestText(v);
}

void AppendValue(std::string &out, Integer v) {
    out += std::to_string(v.value());
}
void AppendValue(std::string &out, Single v) {
    AppendJsonNumber(out, v);
}
void AppendValue(std::string &out, const NumericVariant &v) {
    AppendJsonNumber(out, v);
}
void AppendValue(std::string &out, const BinArray &a) {
    // Only bins 0..20 are ever used.
    out += '[';
    for (int i = 0; i <= 20; ++i) {
        if (i > 0) out += ',';
        AppendValue(out, a[i]);
    }
    out += ']';
}
void AppendValue(std::string &out, bool v) {
    out += v ? "true" : "false";
}

void AppendKey(std::string &out, std::string_view key) {
    AppendJsonString(out, key);
    out += ':';
}

void AppendPoint(std::string &out, Single x, Single y) {
    out += '[';
    AppendJsonNumber(out, x);
    out += ',';
    AppendJsonNumber(out, y);
    out += ']';
}

void AppendCarriers(std::string &out, const CarrierArray &a) {
    out += '[';
    for (int i = 0; i < CarrierArray::size(); ++i) {
        if (i > 0) out += ',';
        AppendPoint(out, a(i).Left, a(i).Top);
    }
    out += ']';
}

void AppendOptionalString(std::string &out, const std::optional<std::string> &s) {
    if (s)
        AppendJsonString(out, *s);
    else
        out += "null";
}

// The UTF-8 sequence that starts with the byte s[0] (0x80 or above): its
// length when it is well-formed, else the length of its maximal ill-formed
// part, which becomes one U+FFFD.
std::size_t Utf8Sequence(std::string_view s, bool &wellFormed) {
    const unsigned char b0 = static_cast<unsigned char>(s[0]);
    std::size_t length = 0;             // 0: not a lead byte
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) lo = 0xA0; // no overlong forms
        if (b0 == 0xED) hi = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) lo = 0x90; // no overlong forms
        if (b0 == 0xF4) hi = 0x8F; // nothing above U+10FFFF
    }
    std::size_t i = 1;
    for (; i < length && i < s.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < (i == 1 ? lo : 0x80) || b > (i == 1 ? hi : 0xBF)) break;
    }
    wellFormed = i == length;
    return i;
}

} // namespace

void AppendJsonNumber(std::string &out, Single v) {
    AppendShortest(out, v);
}
void AppendJsonNumber(std::string &out, const NumericVariant &v) {
    if (v.kind() == NumericVariant::Kind::Single)
        AppendShortest(out, static_cast<Single>(v.toDouble()));
    else
        AppendShortest(out, v.toDouble()); // empty holds 0; an integer prints without a point
}

void AppendJsonString(std::string &out, std::string_view text) {
    static constexpr std::string_view kEscaped = "\"\\\n\r\t\b\f", kEscapes = "\"\\nrtbf";
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0, n = 1; i < text.size(); i += n, n = 1) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (const std::size_t k = kEscaped.find(text[i]); k != std::string_view::npos) {
            out += '\\';
            out += kEscapes[k];
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (c < 0x80) {
            out += text[i];
        } else {
            bool wellFormed = false;
            n = Utf8Sequence(text.substr(i), wellFormed);
            out += wellFormed ? text.substr(i, n) : "\xEF\xBF\xBD"; // U+FFFD
        }
    }
    out += '"';
}

std::string DumpJson(const Form &f) {
    const SimulationState &s = f.vars;
    const Controls &c = f.ctl;
    std::string out;
    out.reserve(16384);

    out += '{';
    AppendKey(out, "vars");
    // Every variable with a comma before it; the first comma opens the object.
    const std::size_t open = out.size();
#define TRANSISTOR_DUMP(name)                                                                      \
    out += ',';                                                                                    \
    AppendKey(out, #name);                                                                         \
    AppendValue(out, s.name);
    TRANSISTOR_STATE_VARIABLES(TRANSISTOR_DUMP)
#undef TRANSISTOR_DUMP
    out[open] = '{';
    out += '}';

    out += ',';
    AppendKey(out, "texts");
    out += '{';
    for (std::size_t i = 0; i < kTextBoxes.size(); ++i) {
        if (i > 0) out += ',';
        AppendKey(out, kTextBoxNames[i]);
        AppendJsonString(out, c.*kTextBoxes[i]);
    }
    out += '}';

    out += ',';
    AppendKey(out, "lines");
    out += '{';
    for (std::size_t i = 0; i < kMovingLines.size(); ++i) {
        const LineProps &l = c.*kMovingLines[i].line;
        if (i > 0) out += ',';
        AppendKey(out, kMovingLines[i].name);
        out += '[';
        for (Single v : {l.X1, l.Y1, l.X2, l.Y2}) {
            AppendJsonNumber(out, v);
            out += ',';
        }
        AppendValue(out, l.Visible);
        out += ']';
    }
    out += '}';

    out += ',';
    AppendKey(out, "electrons");
    AppendCarriers(out, c.Shape1);
    out += ',';
    AppendKey(out, "holes");
    AppendCarriers(out, c.Shape2);

    out += ',';
    AppendKey(out, "timers");
    out += '{';
    bool firstTimer = true;
    for (const ControlEvent &e : ControlEvents()) {
        if (!e.timer) continue;
        if (!firstTimer) out += ',';
        firstTimer = false;
        AppendKey(out, e.control);
        AppendValue(out, (c.*e.timer).Enabled);
    }
    out += '}';

    out += ',';
    AppendKey(out, "plot");
    out += '[';
    for (std::size_t i = 0; i < c.Picture1.size(); ++i) {
        if (i > 0) out += ',';
        AppendPoint(out, c.Picture1[i].x, c.Picture1[i].y);
    }
    out += ']';

    out += ',';
    AppendKey(out, "message");
    AppendOptionalString(out, f.feedback.message);
    out += ',';
    AppendKey(out, "error");
    AppendOptionalString(out, f.feedback.error);
    out += ',';
    AppendKey(out, "closed");
    AppendValue(out, f.feedback.closed);
    out += '}';
    return out;
}

} // namespace transistor
