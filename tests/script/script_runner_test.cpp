#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tools/script_runner.h"

namespace transistor {
namespace {

struct Outcome {
    int exit = -1;
    std::string err;
    std::vector<std::string> dumps;
};

Outcome RunText(const std::string &script, Handlers handlers = Handlers::Program()) {
    std::istringstream in(script);
    std::ostringstream out, err;
    Outcome o;
    o.exit = RunScript(in, out, err, ".", std::move(handlers));
    o.err = err.str();
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) o.dumps.push_back(line);
    return o;
}

std::string WriteFile(const std::string &name, const std::string &content) {
    const std::string path = ::testing::TempDir() + "script_test_" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string Repeated(const std::string &item, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i > 0 ? "," : "") + item;
    return s;
}

TEST(ScriptDump, InitialStateAfterLoad) {
    const Outcome o = RunText("# comment\n\n  dump  \r\n");
    ASSERT_EQ(o.exit, 0) << o.err;
    ASSERT_EQ(o.dumps.size(), 1u);
    const std::string fragments[] = {
        "{\"vars\":{\"ElectronCount\":0,",
        "\"ElectronRelaxThreshold\":3,\"HoleRelaxThreshold\":2.3,",
        "\"EmitterLeftX\":1440,\"CollectorRightX\":8760,\"DeviceWidth\":7320,\"CarrierSize\":105,",
        "\"PlotX\":0},\"texts\":{\"Text1\":\"300\",\"Text2\":\"0.9\",\"Text3\":\"0.2\","
        "\"Text4\":\"0.5\",\"Text5\":\"0.2\",\"Text6\":\"0\",\"Text7\":\"0\",\"Text8\":\"1.5\","
        "\"Text9\":\"0.7\",\"Text10\":\"0\",\"Text11\":\"Text11\",\"Text12\":\"Text12\","
        "\"Text13\":\"Text13\"},\"lines\":{\"Line3\":[1440,2400,4080,2400,true],",
        "\"Line18\":[3120,2280,3120,3480,false],\"Line19\":[2640,2280,2640,3480,false],",
        "\"electrons\":[" + Repeated("[480,7920]", 101) + "],\"holes\":[" +
            Repeated("[960,7920]", 101) +
            "],\"timers\":{\"Timer1\":false,\"Timer2\":true,\"Timer3\":false,\"Timer4\":false},"
            "\"plot\":[],\"message\":null,\"error\":null,\"closed\":false}",
    };
    for (const std::string &f : fragments) EXPECT_NE(o.dumps[0].find(f), std::string::npos) << f;
}

TEST(ScriptSet, TextIsEverythingAfterTheBlankThatFollowsTheBox) {
    const std::pair<std::string, std::string> cases[] = {
        {"set Text2   a b  c  \n", "  a b  c  "},
        {"set Text2 \n", ""},
        {"set Text2\n", ""},
        {"set Text2 0.4\r\n", "0.4"},
        {"set Text2 0.4\r\r\n", "0.4\\r"},
        {std::string("set Text2 a\0b\n", 14), "a\\u0000b"},
    };
    for (const auto &[line, json] : cases) {
        const std::string dump = RunText(line + "dump\n").dumps.at(0);
        EXPECT_NE(dump.find("\"Text2\":\"" + json + "\",\"Text3\":\"0.2\""), std::string::npos)
            << line;
    }
}

TEST(ScriptTimers, TicksArriveOnlyWhileTheTimerIsEnabled) {
    const struct {
        const char *name, *script;
        std::size_t stopAfter;
        const char *got;
    } cases[] = {
        {"both off before Start", "tick 5\nfire Timer3\n", 0, ""},
        {"counts add up, one by default", "click Start\ntick\ntick 2\ntick 0\ntick 002\n", 0,
         "11111"},
        {"stops when Timer1 turns off", "click Start\ntick 10\nfire Timer3\n", 3, "1113"},
    };
    for (const auto &c : cases) {
        // Records the ticks, '1' for Timer1 and '3' for Timer3. Start enables
        // both; Timer1 turns itself off after stopAfter ticks.
        std::string got;
        Handlers h = Handlers::Program();
        h.Command1_Click = [](Form &f, RandomSource &) {
            f.ctl.Timer1.Enabled = f.ctl.Timer3.Enabled = true;
        };
        h.Timer1_Timer = [&](Form &f, RandomSource &) {
            got += '1';
            if (got.size() == c.stopAfter) f.ctl.Timer1.Enabled = false;
        };
        h.Timer3_Timer = [&](Form &) { got += '3'; };
        EXPECT_EQ(RunText(c.script, h).exit, 0) << c.name;
        EXPECT_EQ(got, c.got) << c.name;
    }
}

TEST(ScriptClose, OnlyDumpRunsAfterClose) {
    const Outcome o =
        RunText("click Close\nset Text1 999\nclick Start\ntick 5\nfrobnicate\nset Text99 x\n" +
                std::string(kMaxScriptLine + 1, 'x') + "\ndump\ndump\n");
    ASSERT_EQ(o.exit, 0) << o.err;
    ASSERT_EQ(o.dumps.size(), 2u);
    for (const char *f : {"\"Text1\":\"300\"", "\"Timer1\":false", "\"closed\":true}"})
        EXPECT_NE(o.dumps[1].find(f), std::string::npos) << f;
}

TEST(ScriptRandom, ReadsOneNumberALineRoundedToSingle) {
    const std::string path =
        WriteFile("values.txt", "0.25\n  0.5\t\r\n\n0\n5e-1\n1e-60\n0.99999994\n-0\n");
    EXPECT_EQ(ReadRandomFile(path),
              (std::vector<Single>{0.25f, 0.5f, 0.0f, 0.5f, 0.0f, 0.99999994f, -0.0f}));
    // Blanks after the name are not part of it.
    EXPECT_EQ(RunText("random " + path + " \t\n").err, "");
}

struct ErrorCase {
    std::string name, script, message;
};

ErrorCase BadValue(const std::string &value) {
    const std::string path = WriteFile("value_" + value, "0.5\n" + value + "\n");
    return {value, "random " + path + "\n",
            "script line 1: random file " + path + " line 2: " + value +
                " is not a number in [0, 1)"};
}

TEST(ScriptErrors, StopWithExitTwoNamingTheLine) {
    const std::string dir = ::testing::TempDir();
    const std::string shortList = WriteFile("short.txt", "0.5\n");
    const ErrorCase cases[] = {
        {"unknown command", "frobnicate\n", "script line 1: unknown command frobnicate"},
        {"set without a box", "set\n", "script line 1: set needs a box: set BOX TEXT"},
        {"negative tick", "tick -1\n",
         "script line 1: tick count -1 is not a non-negative integer"},
        {"huge tick", "tick 99999999999999999999\n",
         "script line 1: tick count 99999999999999999999 is too large"},
        {"CR without LF", "dump\r", "script line 1: unknown command dump?"},
        {"unknown box", "dump\n\n# c\nset Text14 x\n", "script line 4: unknown box Text14"},
        {"unknown button", "click St\x01rt\n", "script line 1: unknown button St?rt"},
        {"unknown timer", "fire Timer5\n", "script line 1: unknown timer Timer5"},
        {"missing random file", "random /nonexistent/v.txt\n",
         "script line 1: cannot read random file /nonexistent/v.txt: No such file or directory"},
        {"random folder", "random " + dir + "\n", "script line 1: cannot read random file " + dir},
        BadValue("1.0"),
        BadValue("-0.1"),
        BadValue("abc"),
        BadValue("0.99999999"), // rounds to 1 in single precision
        BadValue("nan"),
        {"exhausted list", "random " + shortList + "\ndump\nclick Start\ndump\n",
         "script line 3: the random list has run out"},
        {"over-long line", "dump\nset Text1 " + std::string(kMaxScriptLine, 'x') + "\n",
         "script line 2: line longer than " + std::to_string(kMaxScriptLine) + " bytes"},
    };
    for (const ErrorCase &c : cases) {
        const Outcome o = RunText(c.script);
        EXPECT_EQ(o.exit, 2) << c.name;
        EXPECT_EQ(o.err, c.message + "\n") << c.name;
    }
}

// Whatever bytes a script holds, the driver runs it or stops with one
// message, and every dump is one line of JSON with its strings escaped.
TEST(ScriptRobustness, RandomBytesNeverCrashTheDriver) {
    std::mt19937 gen(12345);
    const char *const words[] = {"set Text", "dump", "click ", "tick ", "fire Timer", "#", "\n"};
    for (int round = 0; round < 100; ++round) {
        std::string script;
        for (int p = static_cast<int>(gen() % 40); p > 0; --p)
            script += gen() % 3 == 0 ? words[gen() % std::size(words)]
                                     : std::string(1, static_cast<char>(gen() % 256));
        const Outcome o = RunText(script + "\ndump\n");
        EXPECT_TRUE(o.exit == 0 ? o.err.empty()
                                : o.exit == 2 && o.err.starts_with("script line ") &&
                                      o.err.find('\n') == o.err.size() - 1)
            << round << ": " << o.err;
        for (const std::string &d : o.dumps) {
            EXPECT_TRUE(d.starts_with("{\"vars\":{") && d.ends_with("}")) << round;
            for (char c : d) ASSERT_GE(static_cast<unsigned char>(c), 0x20) << round;
        }
    }
}

} // namespace
} // namespace transistor
