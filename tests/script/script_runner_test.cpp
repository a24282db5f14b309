#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/script/json_value.h"
#include "tools/script_runner.h"

namespace transistor {
namespace {

using testing::JsonReader;
using testing::JsonValue;

struct Outcome {
    int exit = -1;
    std::string out, err;
    std::vector<JsonValue> dumps;
};

Outcome RunText(const std::string &script, Handlers handlers = Handlers::Program()) {
    std::istringstream in(script);
    std::ostringstream out, err;
    Outcome o;
    o.exit = RunScript(in, out, err, ".", std::move(handlers));
    o.out = out.str();
    o.err = err.str();
    std::istringstream lines(o.out);
    for (std::string line; std::getline(lines, line);) {
        try {
            o.dumps.push_back(JsonReader::Parse(line));
        } catch (const testing::JsonError &e) {
            ADD_FAILURE() << "invalid JSON: " << e.what() << "\n" << line.substr(0, 200);
        }
    }
    return o;
}

// A file in the test's temporary folder.
std::string WriteFile(const std::string &name, const std::string &content) {
    const std::string path = ::testing::TempDir() + "script_test_" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// Handlers that only record what the driver delivers. Start enables Timer1
// and Timer3 and draws `draws` numbers from the random source.
struct Recorder {
    std::vector<std::string> calls;
    std::vector<Single> drawn;
    int draws = 0;
    int timer1Ticks = 0;
    int disableTimer1After = -1; // Timer1 turns itself off after this many ticks

    Handlers handlers() {
        Handlers h = Handlers::Program();
        h.Command1_Click = [this](Form &f, RandomSource &r) {
            calls.push_back("Command1_Click");
            for (int i = 0; i < draws; ++i) drawn.push_back(r.next());
            f.ctl.Timer1.Enabled = true;
            f.ctl.Timer3.Enabled = true;
        };
        h.Command2_Click = [this](Form &f) {
            calls.push_back("Command2_Click");
            f.feedback.closed = true;
        };
        h.Command3_Click = [this](Form &) { calls.push_back("Command3_Click"); };
        h.Timer1_Timer = [this](Form &f, RandomSource &) {
            if (++timer1Ticks == disableTimer1After) f.ctl.Timer1.Enabled = false;
        };
        h.Timer2_Timer = [this](Form &) { calls.push_back("Timer2_Timer"); };
        h.Timer3_Timer = [this](Form &) { calls.push_back("Timer3_Timer"); };
        h.Timer4_Timer = [this](Form &) { calls.push_back("Timer4_Timer"); };
        return h;
    }
};

TEST(ScriptDump, InitialStateAfterLoad) {
    const Outcome o = RunText("dump\n");
    ASSERT_EQ(o.exit, 0) << o.err;
    EXPECT_EQ(o.err, "");
    ASSERT_EQ(o.dumps.size(), 1u);
    const JsonValue &d = o.dumps[0];
    EXPECT_EQ(d.keys(), (std::vector<std::string>{"vars", "texts", "lines", "electrons", "holes",
                                                  "timers", "plot", "message", "error", "closed"}));

    const JsonValue &vars = d["vars"];
    EXPECT_EQ(vars.keys().front(), "ElectronCount");
    EXPECT_EQ(vars.keys().back(), "PlotX");
    EXPECT_EQ(vars.members.size(), 45u);
    const std::pair<const char *, const char *> values[] = {
        {"PlotX", "0"},
        {"CarrierSize", "105"},
        {"EmitterLeftX", "1440"},
        {"CollectorRightX", "8760"},
        {"EmitterRightX", "4080"},
        {"DeviceWidth", "7320"},
        {"EmitterValenceY", "3480"},
        {"EmitterConductionY", "2280"},
        {"ElectronRelaxThreshold", "3"},
        {"HoleRelaxThreshold", "2.3"},
        {"ElectronBinLeftX", "1440"},
        {"HoleBinRightX", "8760"},
        {"BandGapHeight", "0"},
        {"ElectronCount", "0"},
        {"CarrierX", "0"},
        {"ReservoirTally", "0"},
    };
    for (const auto &[name, text] : values) EXPECT_EQ(vars[name].text, text) << name;
    for (const char *bins : {"ElectronBinCount", "HoleBinCount", "ElectronBinPrev", "HoleBinPrev"})
        EXPECT_EQ(vars[bins].items.size(), 21u) << bins;

    const char *const texts[] = {"300", "0.9", "0.2", "0.5",    "0.2",    "0",     "0",
                                 "1.5", "0.7", "0",   "Text11", "Text12", "Text13"};
    ASSERT_EQ(d["texts"].members.size(), 13u);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(d["texts"].members[i].first, "Text" + std::to_string(i + 1));
        EXPECT_EQ(d["texts"].members[i].second.text, texts[i]) << "Text" << i + 1;
    }

    ASSERT_EQ(d["lines"].members.size(), 13u);
    for (const auto &[name, line] : d["lines"].members) {
        ASSERT_EQ(line.items.size(), 5u) << name;
        EXPECT_EQ(line[4].boolean, name != "Line18" && name != "Line19") << name;
    }
    EXPECT_EQ(d["lines"]["Line3"][1].number, 2400);

    for (const auto &[key, left] : {std::pair{"electrons", 480}, std::pair{"holes", 960}}) {
        ASSERT_EQ(d[key].items.size(), 101u) << key;
        for (const JsonValue &c : d[key].items) {
            EXPECT_EQ(c[0].number, left) << key;
            EXPECT_EQ(c[1].number, 7920) << key;
        }
    }

    EXPECT_EQ(d["timers"].keys(),
              (std::vector<std::string>{"Timer1", "Timer2", "Timer3", "Timer4"}));
    EXPECT_FALSE(d["timers"]["Timer1"].boolean);
    EXPECT_TRUE(d["timers"]["Timer2"].boolean);
    EXPECT_FALSE(d["timers"]["Timer3"].boolean);
    EXPECT_FALSE(d["timers"]["Timer4"].boolean);
    EXPECT_TRUE(d["plot"].items.empty());
    EXPECT_TRUE(d["message"].isNull());
    EXPECT_TRUE(d["error"].isNull());
    EXPECT_FALSE(d["closed"].boolean);
}

TEST(ScriptDump, OneLinePerDumpAndNothingElse) {
    const Outcome o = RunText("# a comment\n\n   \n\t# indented comment\ndump\ndump\r\n  dump  \n");
    ASSERT_EQ(o.exit, 0) << o.err;
    EXPECT_EQ(o.dumps.size(), 3u);
    EXPECT_EQ(o.out.back(), '\n');
    EXPECT_EQ(RunText("dump").dumps.size(), 1u) << "last line without a line break";
    EXPECT_EQ(RunText("").out, "");
    EXPECT_EQ(RunText("").exit, 0);
}

struct SetCase {
    const char *name;
    std::string script;
    std::string text2;
};

TEST(ScriptSet, TextIsEverythingAfterTheSpaceThatFollowsTheBox) {
    const SetCase cases[] = {
        {"word", "set Text2 abc\n", "abc"},
        {"spaces inside", "set Text2 a b  c\n", "a b  c"},
        {"leading spaces kept", "set Text2   0.3\n", "  0.3"},
        {"trailing spaces kept", "set Text2 0.3  \n", "0.3  "},
        {"space then nothing", "set Text2 \n", ""},
        {"nothing after the box", "set Text2\n", ""},
        {"CRLF line ending", "set Text2 0.4\r\n", "0.4"},
        {"only the CR of the ending goes", "set Text2 0.4\r\r\n", "0.4\r"},
        {"tab inside", "set Text2 a\tb\n", "a\tb"},
        {"NUL byte", std::string("set Text2 a\0b\n", 14), std::string("a\0b", 3)},
        {"the later set wins", "set Text2 1\nset Text2 2\n", "2"},
        {"full-width digits", "set Text2 ０．５\n", "０．５"},
    };
    for (const SetCase &c : cases) {
        std::ostringstream out;
        std::istringstream in(c.script + "dump\n");
        std::ostringstream err;
        ASSERT_EQ(RunScript(in, out, err), 0) << c.name << ": " << err.str();
        const JsonValue d = JsonReader::Parse(out.str());
        EXPECT_EQ(d["texts"]["Text2"].text, c.text2) << c.name;
        EXPECT_EQ(d["texts"]["Text1"].text, "300") << c.name;
    }
}

TEST(ScriptSet, ReachesEveryBoxAndStoresTheBytesVerbatim) {
    std::ostringstream out;
    ScriptDriver driver(out);
    for (int i = 1; i <= 13; ++i)
        driver.execute("set Text" + std::to_string(i) + " v" + std::to_string(i));
    driver.execute("set Text5 \xFF\xFE");
    const Controls &c = driver.form().ctl;
    EXPECT_EQ(c.Text1, "v1");
    EXPECT_EQ(c.Text4, "v4");
    EXPECT_EQ(c.Text9, "v9");
    EXPECT_EQ(c.Text13, "v13");
    EXPECT_EQ(c.Text5, "\xFF\xFE");
}

TEST(ScriptClick, EachNameReachesItsHandler) {
    const std::pair<const char *, const char *> cases[] = {
        {"click Start", "Command1_Click"},       {"click Command1", "Command1_Click"},
        {"click Restart", "Command3_Click"},     {"click Command3", "Command3_Click"},
        {"click Close", "Command2_Click"},       {"click Command2", "Command2_Click"},
        {"  click   Start  ", "Command1_Click"},
    };
    for (const auto &[line, handler] : cases) {
        Recorder r;
        std::ostringstream out;
        ScriptDriver driver(out, ".", r.handlers());
        driver.execute(line);
        EXPECT_EQ(r.calls, std::vector<std::string>{handler}) << line;
    }
}

TEST(ScriptClick, CloseWithTheProgramsOwnHandlerEndsTheScript) {
    const Outcome o = RunText("click Close\nset Text1 999\nclick Start\ntick 5\nfire Timer2\n"
                              "no such command\nset Text99 x\ndump\n");
    ASSERT_EQ(o.exit, 0) << o.err;
    ASSERT_EQ(o.dumps.size(), 1u);
    EXPECT_TRUE(o.dumps[0]["closed"].boolean);
    EXPECT_EQ(o.dumps[0]["texts"]["Text1"].text, "300");
    EXPECT_FALSE(o.dumps[0]["timers"]["Timer1"].boolean);
}

TEST(ScriptClick, NothingButDumpRunsAfterClose) {
    Recorder r;
    r.draws = 1;
    const Outcome o =
        RunText("click Command2\nclick Start\ntick 3\nfire Timer2\nrandom /nonexistent\n"
                "dump\ndump\n",
                r.handlers());
    EXPECT_EQ(o.exit, 0) << o.err;
    EXPECT_EQ(r.calls, std::vector<std::string>{"Command2_Click"});
    EXPECT_EQ(r.timer1Ticks, 0);
    EXPECT_EQ(o.dumps.size(), 2u);
}

struct TickCase {
    const char *name;
    std::string script;
    int disableAfter;
    int ticks;
};

TEST(ScriptTick, DeliversTicksOnlyWhileTimer1IsEnabled) {
    const TickCase cases[] = {
        {"disabled before Start", "tick 5\n", -1, 0},
        {"one by default", "click Start\ntick\n", -1, 1},
        {"a count", "click Start\ntick 5\n", -1, 5},
        {"zero", "click Start\ntick 0\n", -1, 0},
        {"counts add up", "click Start\ntick 2\ntick 3\ntick\n", -1, 6},
        {"leading zeros", "click Start\ntick 007\n", -1, 7},
        {"stops when the timer turns off", "click Start\ntick 10\n", 3, 3},
        {"a million", "click Start\ntick 1000000\n", -1, 1000000},
    };
    for (const TickCase &c : cases) {
        Recorder r;
        r.disableTimer1After = c.disableAfter;
        const Outcome o = RunText(c.script, r.handlers());
        EXPECT_EQ(o.exit, 0) << c.name << ": " << o.err;
        EXPECT_EQ(r.timer1Ticks, c.ticks) << c.name;
    }
}

TEST(ScriptFire, DeliversOneTickOnlyIfThatTimerIsEnabled) {
    Recorder r;
    std::ostringstream out;
    ScriptDriver driver(out, ".", r.handlers());
    // After load only Timer2 runs.
    driver.execute("fire Timer2");
    driver.execute("fire Timer3");
    driver.execute("fire Timer4");
    EXPECT_EQ(r.calls, std::vector<std::string>{"Timer2_Timer"});
    r.calls.clear();
    driver.execute("click Start"); // the recorder's Start enables Timer3
    driver.execute("fire Timer3");
    driver.execute("fire Timer4");
    EXPECT_EQ(r.calls, (std::vector<std::string>{"Command1_Click", "Timer3_Timer"}));
}

TEST(ScriptRandom, HandlersDrawTheNumbersOfTheFileInOrder) {
    const std::string path =
        WriteFile("values.txt", "0.25\n  0.5\t\r\n\n0\n0.1\n5e-1\n1e-60\n0.99999994\n-0\n");
    Recorder r;
    r.draws = 8;
    // Blanks after the name are not part of it.
    const Outcome o = RunText("random " + path + " \t\nclick Start\n", r.handlers());
    ASSERT_EQ(o.exit, 0) << o.err;
    EXPECT_EQ(r.drawn,
              (std::vector<Single>{0.25f, 0.5f, 0.0f, 0.1f, 0.5f, 0.0f, 0.99999994f, -0.0f}));
}

TEST(ScriptRandom, WithoutAFileTheProgramsOwnSequenceIsUsed) {
    Recorder r;
    r.draws = 3;
    ASSERT_EQ(RunText("click Start\n", r.handlers()).exit, 0);
    FixedSeedRandom own;
    EXPECT_EQ(r.drawn, (std::vector<Single>{own.next(), own.next(), own.next()}));
}

TEST(ScriptRandom, ANewFileStartsANewList) {
    const std::string first = WriteFile("first.txt", "0.5\n");
    const std::string second = WriteFile("second.txt", "0.75\n");
    Recorder r;
    r.draws = 1;
    const Outcome o =
        RunText("random " + first + "\nrandom " + second + "\nclick Start\n", r.handlers());
    ASSERT_EQ(o.exit, 0) << o.err;
    EXPECT_EQ(r.drawn, std::vector<Single>{0.75f});
}

TEST(ScriptRandom, ARunOutListStopsTheScriptAtThatLine) {
    const std::string path = WriteFile("short.txt", "0.5\n");
    Recorder r;
    r.draws = 2;
    const Outcome o = RunText("random " + path + "\ndump\nclick Start\ndump\n", r.handlers());
    EXPECT_EQ(o.exit, 2);
    EXPECT_EQ(o.err, "script line 3: the random list has run out\n");
    EXPECT_EQ(o.dumps.size(), 1u);
}

struct ErrorCase {
    const char *name;
    std::string script;
    std::string message; // what standard error says
};

TEST(ScriptErrors, StopWithExitTwoNamingTheLine) {
    const std::string dir = ::testing::TempDir();
    const std::string bad = WriteFile("bad.txt", "0.5\n0.5\n1.0\n");
    const ErrorCase cases[] = {
        {"unknown command", "frobnicate\n", "script line 1: unknown command frobnicate"},
        {"commands are case sensitive", "Dump\n", "script line 1: unknown command Dump"},
        {"unknown box", "dump\n\n# c\nset Text14 x\n", "script line 4: unknown box Text14"},
        {"box names are exact", "set text1 x\n", "script line 1: unknown box text1"},
        {"set without a box", "set\n", "script line 1: set needs a box: set BOX TEXT"},
        {"set with an empty box", "set  x\n", "script line 1: set needs a box: set BOX TEXT"},
        {"unknown button", "click Stop\n", "script line 1: unknown button Stop"},
        {"click without a button", "click\n",
         "script line 1: click needs one button: click BUTTON"},
        {"click with two", "click Start Close\n",
         "script line 1: click needs one button: click BUTTON"},
        {"negative tick count", "tick -1\n",
         "script line 1: tick count -1 is not a non-negative integer"},
        {"fractional tick count", "tick 1.5\n",
         "script line 1: tick count 1.5 is not a non-negative integer"},
        {"signed tick count", "tick +3\n",
         "script line 1: tick count +3 is not a non-negative integer"},
        {"word as tick count", "tick many\n",
         "script line 1: tick count many is not a non-negative integer"},
        {"huge tick count", "tick 99999999999999999999999\n",
         "script line 1: tick count 99999999999999999999999 is too large"},
        {"two tick counts", "tick 1 2\n", "script line 1: tick takes at most one count: tick [N]"},
        {"unknown timer", "fire Timer5\n", "script line 1: unknown timer Timer5"},
        {"Timer1 ticks with tick", "fire Timer1\n",
         "script line 1: unknown timer Timer1 for fire: use tick"},
        {"fire without a timer", "fire\n", "script line 1: fire needs one timer: fire TIMER"},
        {"dump with an argument", "dump all\n", "script line 1: dump takes nothing after it"},
        {"random without a file", "random\n", "script line 1: random needs a file: random FILE"},
        {"missing random file", "random /nonexistent/values.txt\n",
         "script line 1: cannot read random file /nonexistent/values.txt: No such file or "
         "directory"},
        {"random file that is a folder", "random " + dir + "\n",
         "script line 1: cannot read random file " + dir},
        {"random value of one", "random " + bad + "\n",
         "script line 1: random file " + bad + " line 3: 1.0 is not a number in [0, 1)"},
        {"a CR without LF is no line ending", "dump\r", "script line 1: unknown command dump?"},
        {"control bytes in a name are shown as ?", "click St\x01rt\n",
         "script line 1: unknown button St?rt"},
    };
    for (const ErrorCase &c : cases) {
        const Outcome o = RunText(c.script);
        EXPECT_EQ(o.exit, 2) << c.name;
        EXPECT_EQ(o.err, c.message + "\n") << c.name;
    }
}

TEST(ScriptErrors, RandomValuesOutsideZeroToOneAreRefused) {
    for (const char *value :
         {"1.0", "1", "-0.1", "abc", "0.5x", "0,5", "+0.5", "nan", "inf",
          "0.99999999" /* rounds to 1 in single precision */, "1e400", "0.5 0.5", "0x0.8"}) {
        const std::string path = WriteFile("value.txt", std::string("0.5\n") + value + "\n");
        const Outcome o = RunText("random " + path + "\n");
        EXPECT_EQ(o.exit, 2) << value;
        EXPECT_EQ(o.err, "script line 1: random file " + path + " line 2: " + value +
                             " is not a number in [0, 1)\n")
            << value;
    }
}

TEST(ScriptErrors, OutputBeforeTheFailingLineStays) {
    const Outcome o = RunText("dump\ndump\nclick Nowhere\ndump\n");
    EXPECT_EQ(o.exit, 2);
    EXPECT_EQ(o.dumps.size(), 2u);
}

TEST(ScriptErrors, AnErrorThatAHandlerLetsOutIsReported) {
    struct Case {
        const char *name;
        std::function<void()> thrower;
        std::string message;
    };
    const Case cases[] = {
        {"run-time error", [] { throw OverflowError(); },
         "script line 2: run-time error: Overflow"},
        {"random list", [] { throw RandomExhausted(); },
         "script line 2: the random list has run out"},
        {"anything else", [] { throw std::out_of_range("bad index"); },
         "script line 2: internal error: bad index"},
    };
    for (const Case &c : cases) {
        Handlers h = Handlers::Program();
        h.Command3_Click = [&](Form &) { c.thrower(); };
        const Outcome o = RunText("dump\nclick Restart\ndump\n", h);
        EXPECT_EQ(o.exit, 2) << c.name;
        EXPECT_EQ(o.err, c.message + "\n") << c.name;
        EXPECT_EQ(o.dumps.size(), 1u) << c.name;
    }
}

TEST(ScriptErrors, AFailingLoadIsReportedBeforeAnyLine) {
    Handlers h = Handlers::Program();
    h.Form_Load = [](Form &) { throw OverflowError(); };
    const Outcome o = RunText("dump\n", h);
    EXPECT_EQ(o.exit, 2);
    EXPECT_EQ(o.err, "at load: run-time error: Overflow\n");
    EXPECT_EQ(o.out, "");
}

TEST(ScriptErrors, AnOverlongLineIsRefusedNotRead) {
    const std::string fits = "set Text1 " + std::string(100000, 'x') + "\ndump\n";
    const Outcome ok = RunText(fits);
    ASSERT_EQ(ok.exit, 0) << ok.err;
    EXPECT_EQ(ok.dumps.at(0)["texts"]["Text1"].text.size(), 100000u);

    const Outcome o = RunText("dump\nset Text1 " + std::string(kMaxScriptLine, 'x') + "\ndump\n");
    EXPECT_EQ(o.exit, 2);
    EXPECT_EQ(o.err,
              "script line 2: line longer than " + std::to_string(kMaxScriptLine) + " bytes\n");
}

// Whatever bytes a script holds, the driver either runs it or stops with
// exit 2 and one message; every line it prints is valid JSON.
TEST(ScriptRobustness, JunkNeverCrashesTheDriver) {
    std::mt19937 gen(12345);
    const std::string words[] = {"set Text", "dump", "click ", "tick ", "fire Timer", "random ",
                                 "#",        "",     "\r",     "\n",    "\0",         " "};
    for (int round = 0; round < 300; ++round) {
        std::string script;
        const int pieces = static_cast<int>(gen() % 40);
        for (int p = 0; p < pieces; ++p) {
            if (gen() % 3 == 0)
                script += words[gen() % std::size(words)];
            else
                script += static_cast<char>(gen() % 256);
            if (gen() % 4 == 0) script += '\n';
        }
        script += "\ndump\n";
        const Outcome o = RunText(script);
        ASSERT_TRUE(o.exit == 0 || o.exit == 2) << round;
        if (o.exit == 2) {
            EXPECT_EQ(o.err.rfind("script line ", 0), 0u) << round << ": " << o.err;
            EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << round;
        } else {
            EXPECT_EQ(o.err, "") << round;
            EXPECT_FALSE(o.dumps.empty()) << round;
        }
    }
}

TEST(ScriptLocale, TheFormReadsNumbersWithTheGivenSeparator) {
    std::ostringstream out;
    ScriptDriver driver(out, ",");
    EXPECT_EQ(driver.form().decimalSeparator, ",");
}

} // namespace
} // namespace transistor
