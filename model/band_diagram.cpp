// The band diagram: geometry, levels and population targets from the inputs,
// and the Restart button.
#include <cmath>
#include <string>
#include <vector>

#include "model/number_input.h"
#include "model/setup.h"

namespace transistor {

namespace {

struct InputBox {
    std::string Controls::*text;
    const char *what;    // how the user knows the box
    const char *expects; // what the user should type
    double usualLow, usualHigh;
};

const InputBox kTemperatureBox{&Controls::Text1, "Temperature (K)",
                               "a temperature in kelvin, for example 300", 0, 5000};
const InputBox kEmitterFermiBox{&Controls::Text2, "Emitter Fermi level",
                                "a level in eV between 0 and 1, for example 0.9", 0, 1};
const InputBox kBaseFermiBox{&Controls::Text3, "Base Fermi level",
                             "a level in eV between 0 and 1, for example 0.2", 0, 1};
const InputBox kCollectorFermiBox{&Controls::Text9, "Collector Fermi level",
                                  "a level in eV between 0 and 1, for example 0.7", 0, 1};
const InputBox kVebBox{&Controls::Text4, "VEB", "a voltage from 0 to 0.6 V, for example 0.5", 0,
                       0.6};
const InputBox kVcbBox{&Controls::Text8, "VCB", "a voltage from 0 to 2 V, for example 1.5", 0, 2};

// In the order the set-up reads them.
const InputBox *const kInputBoxes[] = {
    &kTemperatureBox, &kVebBox, &kVcbBox, &kEmitterFermiBox, &kCollectorFermiBox, &kBaseFermiBox};

// A box that holds no number; only raised for a form that RunGuardedSetup has
// not validated.
struct NotANumber {
    const InputBox *box;
};

double Value(const Form &f, const InputBox &box) {
    if (auto v = ParseNumber(f.ctl.*box.text, f.decimalSeparator)) return *v;
    throw NotANumber{&box};
}

std::string Quoted(const std::string &text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) return "\"" + text + "\"";
    // Cut on a character boundary of UTF-8.
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return "\"" + text.substr(0, cut) + "…\"";
}

std::string NotANumberLine(const Form &f, const InputBox &b) {
    const std::string &text = f.ctl.*b.text;
    std::string shown =
        text.find_first_not_of(" \t") == std::string::npos
            ? std::string(text.empty() ? "the box is empty" : "the box holds only spaces")
            : Quoted(text) + " is not a number";
    return std::string(b.what) + ": " + shown + ". Enter " + b.expects + ".";
}

// The box to blame when the results of a set-up leave 16 bits: the
// temperature when it does not fit by itself, otherwise the Fermi level
// furthest outside 0..1 (VEB and VCB are clamped and cannot be the cause).
const InputBox &Culprit(const Form &f) {
    if (std::abs(std::nearbyint(*ParseNumber(f.ctl.Text1, f.decimalSeparator))) > 32767)
        return kTemperatureBox;
    const InputBox *worst = &kEmitterFermiBox;
    double worstDistance = -1;
    for (const InputBox *b : {&kEmitterFermiBox, &kBaseFermiBox, &kCollectorFermiBox}) {
        double v = *ParseNumber(f.ctl.*b->text, f.decimalSeparator);
        double distance = v < b->usualLow    ? b->usualLow - v
                          : v > b->usualHigh ? v - b->usualHigh
                                             : 0;
        distance /= b->usualHigh - b->usualLow;
        if (distance > worstDistance) {
            worst = b;
            worstDistance = distance;
        }
    }
    return *worst;
}

std::string OutOfRangeLine(const Form &f, const InputBox &b) {
    if (&b == &kTemperatureBox)
        return std::string(b.what) + ": " + Quoted(f.ctl.*b.text) +
               " is out of range. Enter a whole number of kelvin from -32768 to 32767, for "
               "example 300.";
    return std::string(b.what) + ": " + Quoted(f.ctl.*b.text) +
           " puts the band diagram out of the drawing range. Enter " + b.expects + ".";
}

} // namespace

void CheckAnimationArithmetic(const SimulationState &s) {
    // The differences of levels that the carrier passes, the generation and
    // the recombination form in 16-bit arithmetic.
    (void)(s.EmitterConductionY - s.CarrierSize);
    (void)(s.BaseConductionY - s.CarrierSize);
    (void)(s.CollectorConductionY - s.CarrierSize);
    (void)(s.BaseConductionY - s.EmitterConductionY);
    (void)(s.EmitterConductionY - s.BaseConductionY);
    (void)(s.CollectorConductionY - s.BaseConductionY);
    (void)(s.BaseConductionY - 200);
    (void)(s.BaseFermiY - s.EmitterFermiY);
    (void)(s.CollectorFermiY - s.BaseFermiY);
    (void)(s.BaseValenceY - s.EmitterValenceY);
    (void)(s.EmitterValenceY - s.BaseValenceY);
    (void)(s.CollectorValenceY - s.BaseValenceY);
}

bool RunGuardedSetup(Form &f, const std::function<void(Form &)> &body) {
    // Every box first, so that one message names every box at fault.
    std::string problems;
    for (const InputBox *b : kInputBoxes)
        if (!ParseNumber(f.ctl.*b->text, f.decimalSeparator))
            problems += (problems.empty() ? "" : "\n") + NotANumberLine(f, *b);
    if (!problems.empty()) {
        f.showMessage(problems);
        return false;
    }
    Form trial = f;
    try {
        body(trial);
        CheckAnimationArithmetic(trial.vars);
    } catch (const OverflowError &) {
        // The clamps may have rewritten VEB and VCB in the trial; blame the
        // boxes as the user typed them.
        f.showMessage(OutOfRangeLine(f, Culprit(f)));
        return false;
    } catch (const NotANumber &e) {
        f.showMessage(NotANumberLine(trial, *e.box));
        return false;
    }
    f.vars = std::move(trial.vars);
    f.ctl = std::move(trial.ctl);
    return true;
}

void SetupBandDiagram(Form &f) {
    auto &s = f.vars;
    auto &c = f.ctl;
    // 1. The collector current counts afresh.
    s.CollectorCurrentCount = 0;
    // 2. The temperature goes straight into an Integer.
    s.Temperature = CInt(Value(f, kTemperatureBox));
    // 3. and 4. The clamps rewrite the box; every later read sees the
    // rewritten text.
    if (Value(f, kVebBox) <= 0) c.Text4 = "0";
    if (Value(f, kVebBox) >= 0.6) c.Text4 = NumberText(0.6, f.decimalSeparator);
    if (Value(f, kVcbBox) <= 0) c.Text8 = "0";
    if (Value(f, kVcbBox) >= 2) c.Text8 = "2";
    // 5.–8. Population targets.
    s.EmitterElectronTarget = CInt(Value(f, kEmitterFermiBox) * 90);
    s.CollectorElectronTarget = CInt(Value(f, kCollectorFermiBox) * 15);
    s.BaseHoleTarget = CInt((1 - Value(f, kBaseFermiBox)) * 15);
    c.Text13 = DecimalText(s.CollectorElectronTarget);
    // 9. Horizontal layout.
    s.BaseLeftX = CInt(4560 - Value(f, kVebBox) * 400);
    s.EbJunctionWidth = s.BaseLeftX - s.EmitterRightX;
    s.BaseRightX = s.BaseLeftX + 840;
    s.CollectorLeftX = CInt(Value(f, kVcbBox) * 800 + s.BaseRightX.toDouble());
    s.BcJunctionWidth = s.CollectorLeftX - s.BaseRightX;
    // 10. The band gap, from the emitter's fixed edges.
    s.BandGapHeight = s.EmitterValenceY - s.EmitterConductionY;
    // 11. Vertical layout, each level relative to the emitter's.
    const double gap = s.BandGapHeight.toDouble();
    s.EmitterFermiY = CInt(s.EmitterValenceY.toDouble() - Value(f, kEmitterFermiBox) * gap);
    s.BaseFermiY = CInt(Value(f, kVebBox) * gap + s.EmitterFermiY.toDouble());
    s.CollectorFermiY = CInt(Value(f, kVcbBox) * gap + s.BaseFermiY.toDouble());
    s.BaseValenceY = CInt(Value(f, kBaseFermiBox) * gap + s.BaseFermiY.toDouble());
    s.BaseConductionY = CInt(s.BaseFermiY.toDouble() - (1 - Value(f, kBaseFermiBox)) * gap);
    s.CollectorValenceY = CInt(Value(f, kCollectorFermiBox) * gap + s.CollectorFermiY.toDouble());
    s.CollectorConductionY =
        CInt(s.CollectorFermiY.toDouble() - (1 - Value(f, kCollectorFermiBox)) * gap);
    // 12. The moving band lines; Line9 and Line10 keep their left ends on the
    // emitter's edges.
    const Single baseRight = (s.BaseLeftX + 840).toSingle();
    c.Line3.Y1 = c.Line3.Y2 = s.EmitterFermiY.toSingle();
    c.Line8 = {s.BaseLeftX.toSingle(), s.BaseFermiY.toSingle(), baseRight, s.BaseFermiY.toSingle(),
               c.Line8.Visible};
    c.Line23 = {s.CollectorLeftX.toSingle(), s.CollectorFermiY.toSingle(),
                s.CollectorRightX.toSingle(), s.CollectorFermiY.toSingle(), c.Line23.Visible};
    c.Line4 = {s.BaseLeftX.toSingle(), s.BaseConductionY.toSingle(), baseRight,
               s.BaseConductionY.toSingle(), c.Line4.Visible};
    c.Line5 = {s.BaseLeftX.toSingle(), s.BaseValenceY.toSingle(), baseRight,
               s.BaseValenceY.toSingle(), c.Line5.Visible};
    c.Line20 = {s.CollectorLeftX.toSingle(), s.CollectorConductionY.toSingle(),
                s.CollectorRightX.toSingle(), s.CollectorConductionY.toSingle(), c.Line20.Visible};
    c.Line21 = {s.CollectorLeftX.toSingle(), s.CollectorValenceY.toSingle(),
                s.CollectorRightX.toSingle(), s.CollectorValenceY.toSingle(), c.Line21.Visible};
    c.Line9.X2 = s.BaseLeftX.toSingle();
    c.Line9.Y2 = s.BaseConductionY.toSingle();
    c.Line10.X2 = s.BaseLeftX.toSingle();
    c.Line10.Y2 = s.BaseValenceY.toSingle();
    c.Line25 = {s.BaseRightX.toSingle(), s.BaseConductionY.toSingle(), s.CollectorLeftX.toSingle(),
                s.CollectorConductionY.toSingle(), c.Line25.Visible};
    c.Line24 = {s.BaseRightX.toSingle(), s.BaseValenceY.toSingle(), s.CollectorLeftX.toSingle(),
                s.CollectorValenceY.toSingle(), c.Line24.Visible};
}

void Command3_Click(Form &f) {
    RunGuardedSetup(f, SetupBandDiagram);
}

} // namespace transistor
