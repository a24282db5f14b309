// What the program tells the user, in two forms: the English text that the
// Form records, and the same text as lines of fixed English templates with
// their arguments, so that a window can put each template into the user's
// language and then fill the arguments in.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/translatable.h"

namespace transistor {

struct MessageArg {
    std::string text;
    // One of the program's own phrases (kMessageTexts), to be put into the
    // user's language like a template; otherwise text the user typed, a
    // number or an error name, shown as it is.
    bool phrase = false;
    friend bool operator==(const MessageArg &, const MessageArg &) = default;
};

struct MessageLine {
    // A fixed English template of kMessageTexts with the places %1 … %9.
    std::string_view format;
    std::vector<MessageArg> args;
    // The input box the line is about ("Text2"), or empty.
    std::string_view box;
    friend bool operator==(const MessageLine &, const MessageLine &) = default;
};

// format with %1 … %9 replaced by the arguments, in one pass, as
// QString::arg does: an argument that itself holds "%2" stays as it is, and
// a place without an argument stays too.
std::string FillPlaces(std::string_view format, const std::vector<std::string> &args);

// The line with its places filled; with translate, the template and the
// phrase arguments in the user's language first (context "Message").
std::string FormatLine(const MessageLine &line, const Translate &translate = {});
// The lines one below the other, as the Form records them (without
// translate) and as a window shows them (with it).
std::string FormatLines(const std::vector<MessageLine> &lines, const Translate &translate = {});

// Every template and phrase of the program's messages.
inline constexpr const char *kMessageContext = "Message";
namespace msg {
// Templates.
inline constexpr std::string_view kPlain = TRANSLATABLE("Message", "%1");
inline constexpr std::string_view kEmpty = TRANSLATABLE("Message", "%1: the box is empty. %2");
inline constexpr std::string_view kOnlySpaces =
    TRANSLATABLE("Message", "%1: the box holds only spaces. %2");
inline constexpr std::string_view kNotANumber =
    TRANSLATABLE("Message", "%1: \"%2\" is not a number. %3");
inline constexpr std::string_view kTooLarge =
    TRANSLATABLE("Message", "%1: \"%2\" is too large to use. %3");
inline constexpr std::string_view kTooFarBelowZero =
    TRANSLATABLE("Message", "%1: \"%2\" is too far below zero to use. %3");
inline constexpr std::string_view kOutOfDrawing = TRANSLATABLE(
    "Message", "%1: \"%2\" puts the band diagram outside the range the program can draw. %3");
inline constexpr std::string_view kAnimationStopped = TRANSLATABLE(
    "Message",
    "The animation stopped: run-time error \"%1\" in the simulation step. Change the inputs and "
    "press Start.");
// Phrases: the boxes, and what to type into them.
inline constexpr std::string_view kTemperature = TRANSLATABLE("Message", "Temperature (K)");
inline constexpr std::string_view kEmitterFermi =
    TRANSLATABLE("Message", "Emitter Fermi level (eV)");
inline constexpr std::string_view kBaseFermi = TRANSLATABLE("Message", "Base Fermi level (eV)");
inline constexpr std::string_view kCollectorFermi =
    TRANSLATABLE("Message", "Collector Fermi level (eV)");
inline constexpr std::string_view kVeb = TRANSLATABLE("Message", "Emitter–base voltage VEB (V)");
inline constexpr std::string_view kVcb = TRANSLATABLE("Message", "Collector–base voltage VCB (V)");
inline constexpr std::string_view kEnterTemperature =
    TRANSLATABLE("Message", "Enter a temperature in kelvin, such as 300.");
inline constexpr std::string_view kEnterEmitterFermi =
    TRANSLATABLE("Message", "Enter a level in eV above the valence-band edge, such as 0.9.");
inline constexpr std::string_view kEnterBaseFermi =
    TRANSLATABLE("Message", "Enter a level in eV above the valence-band edge, such as 0.2.");
inline constexpr std::string_view kEnterCollectorFermi =
    TRANSLATABLE("Message", "Enter a level in eV above the valence-band edge, such as 0.7.");
inline constexpr std::string_view kEnterVeb =
    TRANSLATABLE("Message", "Enter a voltage in volts, such as 0.5.");
inline constexpr std::string_view kEnterVcb =
    TRANSLATABLE("Message", "Enter a voltage in volts, such as 1.5.");
} // namespace msg

inline constexpr std::array<std::string_view, 20> kMessageTexts = {
    msg::kPlain,
    msg::kEmpty,
    msg::kOnlySpaces,
    msg::kNotANumber,
    msg::kTooLarge,
    msg::kTooFarBelowZero,
    msg::kOutOfDrawing,
    msg::kAnimationStopped,
    msg::kTemperature,
    msg::kEmitterFermi,
    msg::kBaseFermi,
    msg::kCollectorFermi,
    msg::kVeb,
    msg::kVcb,
    msg::kEnterTemperature,
    msg::kEnterEmitterFermi,
    msg::kEnterBaseFermi,
    msg::kEnterCollectorFermi,
    msg::kEnterVeb,
    msg::kEnterVcb,
};

} // namespace transistor
