// Shared helpers of the core tests.
#pragma once

#include <string>
#include <vector>

#include "model/form.h"
#include "model/routines.h"

namespace transistor::testing {

inline Form LoadedForm() {
    Form f;
    Form_Load(f);
    return f;
}

// A form after Restart with the given texts, read with the given decimal
// separator.
struct Inputs {
    std::string temperature = "300", emitter = "0.9", base = "0.2", collector = "0.7", veb = "0.5",
                vcb = "1.5";
};

inline void Type(Form &f, const Inputs &in) {
    f.ctl.Text1 = in.temperature;
    f.ctl.Text2 = in.emitter;
    f.ctl.Text3 = in.base;
    f.ctl.Text9 = in.collector;
    f.ctl.Text4 = in.veb;
    f.ctl.Text8 = in.vcb;
}

inline Form LaidOut(const Inputs &in = {}, const char *separator = ".") {
    Form f = LoadedForm();
    f.decimalSeparator = separator;
    Type(f, in);
    Command3_Click(f);
    return f;
}

// A scripted source of n copies of v.
inline ScriptedRandom Draws(std::size_t n, Single v) {
    return ScriptedRandom(std::vector<Single>(n, v));
}

} // namespace transistor::testing
