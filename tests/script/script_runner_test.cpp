#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fuzz/event_script.h"
#include "tools/json_dump.h"
#include "tools/script_runner.h"

namespace transistor {
namespace {

using nlohmann::json;

struct Outcome {
    int exit = -1;
    std::string err;
    std::vector<json> dumps; // json::parse fails the test on a line that is not JSON
};

// With TRANSISTOR_KEEP_SCRIPTS=DIR in the environment, every script a test
// runs is also written to DIR (Suite.Test-N.script), for the test run to play
// through another build of the driver.
void KeepScript(const std::string &script) {
    static const char *const dir = std::getenv("TRANSISTOR_KEEP_SCRIPTS");
    if (dir == nullptr) return;
    static std::map<std::string, int> counts;
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    std::ofstream(std::string(dir) + "/" + name + "-" + std::to_string(++counts[name]) + ".script",
                  std::ios::binary)
        << script;
}

Outcome RunScriptText(const std::string &script, EventRunner run = RunHandler) {
    KeepScript(script);
    std::istringstream in(script);
    std::ostringstream out, err;
    Outcome o{RunScript(in, out, err, ".", std::move(run)), err.str(), {}};
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) o.dumps.push_back(json::parse(line));
    return o;
}

// The last dump of a script that must run to its end.
json Last(const std::string &script) {
    const Outcome o = RunScriptText(script + "dump\n");
    EXPECT_EQ(o.exit, 0) << o.err;
    return o.dumps.empty() ? json() : o.dumps.back();
}

std::string WriteFile(const std::string &name, const std::string &content) {
    const std::string path = ::testing::TempDir() + "script_test_" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

TEST(ScriptSet, TextIsEverythingAfterTheBlankThatFollowsTheBox) {
    const std::pair<std::string, std::string> cases[] = {
        {"set Text2   a b  c  \n", "  a b  c  "},
        {"set Text2 \n", ""},
        {"set Text2\n", ""},
        {"set Text2 0.4\r\n", "0.4"},
        {"set Text2 0.4\r\r\n", "0.4\r"},
        {std::string("set Text2 a\0b\n", 14), {"a\0b", 3}},
    };
    for (const auto &[line, text] : cases) EXPECT_EQ(Last(line)["texts"]["Text2"], text) << line;
}

TEST(ScriptRandom, ReadsOneNumberALineRoundedToSingle) {
    const std::string path =
        WriteFile("values.txt", "0.25\n  0.5\t\r\n\n0\n5e-1\n1e-60\n0.99999994\n-0\n");
    EXPECT_EQ(ReadRandomFile(path),
              (std::vector<Single>{0.25f, 0.5f, 0.0f, 0.5f, 0.0f, 0.99999994f, -0.0f}));
    // Blanks after the name are not part of it.
    EXPECT_EQ(RunScriptText("random " + path + " \t\n").err, "");
}

TEST(ScriptErrors, StopWithExitTwoNamingTheLine) {
    const std::string dir = ::testing::TempDir(), shortList = WriteFile("short.txt", "0.5\n");
    const auto bad = [](const std::string &value) {
        const std::string path = WriteFile("value_" + value, "0.5\n" + value + "\n");
        return std::pair{"random " + path + "\n", "random file " + path + " line 2: " + value +
                                                      " is not a number in [0, 1)"};
    };
    const std::pair<std::string, std::string> cases[] = {
        {"frobnicate\n", "unknown command frobnicate"},
        {"set\n", "set needs a box: set BOX TEXT"},
        {"set  Text1 x\n", "set needs a box: set BOX TEXT"},
        {"random\n", "random needs a file: random FILE"},
        {"click\n", "click needs one button: click BUTTON"},
        {"tick 1 2\n", "tick takes at most one count: tick [N]"},
        {"fire\n", "fire needs one timer: fire TIMER"},
        {"dump x\n", "dump takes nothing after it"},
        {"random \n", "random needs a file: random FILE"},
        {"tick -1\n", "tick count -1 is not a non-negative integer"},
        {"tick 99999999999999999999\n", "tick count 99999999999999999999 is too large"},
        {"wait\n", "wait needs one time: wait MS"},
        {"wait 1 2\n", "wait needs one time: wait MS"},
        {"wait 1.5\n", "wait time 1.5 is not a non-negative integer"},
        {"wait 9223372036854775808\n", "wait time 9223372036854775808 is too large"},
        {"pause now\n", "pause takes nothing after it"},
        {"resume 1\n", "resume takes nothing after it"},
        {"step 2\n", "step takes nothing after it"},
        {"dump\r", "unknown command dump?"},
        {"set Text14 x\n", "unknown box Text14"},
        {"click St\x01rt\n", "unknown button St?rt"},
        {"click Timer1\n", "unknown button Timer1"},
        {"fire Timer1\n", "unknown timer Timer1 for fire: use tick"},
        {"fire Command2\n", "unknown timer Command2"},
        {"click " + std::string(70, 'x') + "\n", "unknown button " + std::string(60, 'x') + "..."},
        {"random /nonexistent/v.txt\n",
         "cannot read random file /nonexistent/v.txt: No such file or directory"},
        {"random " + dir + "\n", "cannot read random file " + dir},
        bad("1.0"),
        bad("-0.1"),
        bad("abc"),
        bad("0.99999999"), // rounds to 1 in single precision
        bad("nan"),
        bad("1e60"),
        {"random " + shortList + "\nclick Start\n", "the random list has run out"},
        {"set Text1 " + std::string(kMaxScriptLine, 'x') + "\n",
         "line longer than " + std::to_string(kMaxScriptLine) + " bytes"},
    };
    for (const auto &[script, message] : cases) {
        // The failing command is always the script's last line.
        const Outcome o = RunScriptText("dump\n" + script);
        EXPECT_EQ(o.exit, 2) << script;
        const auto line = std::count(script.begin(), script.end(), '\n') + (script.back() != '\n');
        EXPECT_EQ(o.err, "script line " + std::to_string(line + 1) + ": " + message + "\n");
    }
}

// A handler that lets an error out stops the script with it.
TEST(ScriptErrors, AnErrorAHandlerLetsOutStopsTheScript) {
    const auto overflow = [](const ControlEvent &, Form &, RandomSource &) {
        throw OverflowError();
    };
    const auto internal = [](const ControlEvent &, Form &, RandomSource &) {
        throw std::length_error("too long");
    };
    EXPECT_EQ(RunScriptText("dump\nclick Start\n", overflow).err,
              "script line 2: run-time error: Overflow\n");
    EXPECT_EQ(RunScriptText("fire Timer2\n", internal).err,
              "script line 1: internal error: too long\n");
}

// Whatever bytes a script holds, the driver runs it or stops with one
// message, and every dump is one line of JSON.
TEST(ScriptRobustness, RandomBytesNeverCrashTheDriver) {
    std::mt19937 gen(12345);
    const char *const words[] = {"set Text", "dump", "click ", "tick ", "fire Timer", "#", "\n"};
    for (int round = 0; round < 100; ++round) {
        std::string script;
        for (int p = static_cast<int>(gen() % 40); p > 0; --p)
            script += gen() % 3 == 0 ? words[gen() % std::size(words)]
                                     : std::string(1, static_cast<char>(gen() % 256));
        const Outcome o = RunScriptText(script + "\ndump\n");
        EXPECT_TRUE(o.exit == 0 ? o.err.empty()
                                : o.exit == 2 && o.err.starts_with("script line ") &&
                                      o.err.find('\n') == o.err.size() - 1)
            << round << ": " << o.err;
    }
}

std::string ReadFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each trace (traces/NAME.script) writes the output stored beside it
// (NAME.out) byte for byte; a difference names its first line and column.
// Random files are named from the traces' folder. After a change meant to
// alter a run, record the trace again from a build whose dumps were checked:
//   cd tests/script/traces && transistor-script NAME.script > NAME.out
TEST(ScriptTraces, EachWritesItsStoredOutput) {
    const std::filesystem::path dir = TRANSISTOR_TRACES, before = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    int traces = 0;
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".script") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++traces;
        std::istringstream in(ReadFile(entry.path()));
        std::ostringstream out, err;
        EXPECT_EQ(RunScript(in, out, err), 0) << err.str();
        std::istringstream got(out.str()), want(ReadFile(dir / entry.path().stem() += ".out"));
        std::string g, w;
        for (int line = 1;; ++line) {
            const bool inWant = !!std::getline(want, w), inGot = !!std::getline(got, g);
            if (!inWant && !inGot) break;
            if (inWant == inGot && g == w) continue;
            const auto at = std::mismatch(g.begin(), g.end(), w.begin(), w.end()).first - g.begin();
            ADD_FAILURE() << "line " << line << " differs at column " << at + 1 << ": \""
                          << g.substr(at, 60) << "\" instead of \"" << w.substr(at, 60) << '"';
            break;
        }
    }
    std::filesystem::current_path(before);
    EXPECT_GE(traces, 9);
}

// The script of each stored fuzzer input passes through the states of the
// fuzzer's own player: the two play the same events.
TEST(ScriptFuzzInputs, PassThroughTheStatesOfTheFuzzersPlayer) {
    int inputs = 0;
    for (const auto &entry : std::filesystem::directory_iterator(TRANSISTOR_FUZZ_CORPUS)) {
        const std::string bytes = ReadFile(entry.path());
        const testing::ScriptRecording recording = testing::EventBytesScript(
            reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
        std::istringstream in(recording.script);
        std::ostringstream out, err;
        ASSERT_EQ(RunScript(in, out, err), 0) << entry.path() << ": " << err.str();
        std::istringstream lines(out.str());
        std::size_t i = 0;
        for (std::string line; std::getline(lines, line); ++i) {
            ASSERT_LT(i, recording.dumps.size()) << entry.path();
            EXPECT_EQ(line, DumpJson(recording.dumps[i])) << entry.path() << " dump " << i;
        }
        EXPECT_EQ(i, recording.dumps.size()) << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 7);
}

} // namespace
} // namespace transistor
