// The command line read on its own: what each option sets, what X options pass on to GLUT,
// and the one line that names a bad option or value.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {
struct Parsed {
    CommandLineAction action;
    CommandLine line;
    std::string error;
};

Parsed parse(std::vector<std::string> args) {
    args.insert(args.begin(), "quorvel");
    static std::vector<std::string> keep;  // argv must outlive glutArgs
    keep = args;
    std::vector<char*> argv;
    for (std::string& a : keep) argv.push_back(&a[0]);
    Parsed p;
    p.action = parseCommandLine((int)argv.size(), argv.data(), p.line, p.error);
    return p;
}
}  // namespace

TEST(CommandLineTest, EachOptionSetsItsValueInEitherSpelling) {
    // -geometry's size counts only without --size.
    Parsed p = parse({"--size", "640x480", "-geometry", "300x200", "--frames=12", "--screenshot",
                      "a.png", "--record=rec", "--seed", "4294967295", "--step=0.02", "--data",
                      "images", "--max-fps=0",
                      "--capture", "c.txt"});
    ASSERT_EQ(p.action, RUN_SCENE) << p.error;
    EXPECT_EQ(p.line.width, 640);
    EXPECT_EQ(p.line.height, 480);
    EXPECT_EQ(p.line.frames, 12);
    EXPECT_EQ(p.line.screenshot, "a.png");
    EXPECT_EQ(p.line.recordFolder, "rec");
    EXPECT_TRUE(p.line.seeded);
    EXPECT_EQ(p.line.seed, 4294967295u);
    EXPECT_DOUBLE_EQ(p.line.step, 0.02);
    EXPECT_EQ(p.line.imageFolder, "images");
    EXPECT_EQ(p.line.captureFile, "c.txt");
    EXPECT_EQ(parse({"--replay=r.txt"}).line.replayFile, "r.txt");
    EXPECT_EQ(p.line.maxFps, 0);
}

TEST(CommandLineTest, QuietAndHelpHaveOneLetterForms) {
    EXPECT_FALSE(parse({}).line.quiet);
    EXPECT_TRUE(parse({"--quiet"}).line.quiet);
    EXPECT_TRUE(parse({"-q"}).line.quiet);
    EXPECT_EQ(parse({"-h"}).action, SHOW_HELP);
}

TEST(CommandLineTest, XOptionsPassToGlutWithTheirValues) {
    Parsed p = parse({"-display", ":7", "--frames", "1", "-geometry", "300x200+5+5", "-iconic"});
    ASSERT_EQ(p.action, RUN_SCENE) << p.error;
    std::vector<std::string> glut(p.line.glutArgs.begin(), p.line.glutArgs.end());
    EXPECT_EQ(glut, (std::vector<std::string>{"quorvel", "-display", ":7", "-geometry",
                                              "300x200+5+5", "-iconic"}));
}

namespace {
// Every setting of a parsed line in one text, so a table row can name what it expects.
std::string settings(const CommandLine& l) {
    std::ostringstream out;
    out << l.width << "x" << l.height << " frames=" << l.frames << " seed="
        << (l.seeded ? std::to_string(l.seed) : "-") << " step=" << l.step << " stats="
        << l.stats << " shot=" << l.screenshot << " record=" << l.recordFolder
        << " data=" << l.imageFolder;
    return out.str();
}
}  // namespace

TEST(CommandLineTest, EachOptionTakesTheEndsOfItsRange) {
    const struct { std::vector<std::string> args; std::string settings; } cases[] = {
        {{"--size", "2x16384"}, "2x16384 "},          {{"--size=16384x2"}, "16384x2 "},
        {{"--frames", "1"}, " frames=1 "},            {{"--frames=1000000000"}, " frames=1000000000 "},
        {{"--seed", "0"}, " seed=0 "},                {{"--step", "0.25"}, " step=0.25 "},
        {{"--step", "1e-06"}, " step=1e-06 "},        {{"--stats"}, " stats=1 "},
        {{"--screenshot", "-"}, " shot=- "},          {{"--record", "--data"}, " record=--data "},
    };
    for (const auto& c : cases) {
        Parsed p = parse(c.args);
        EXPECT_EQ(p.action, RUN_SCENE) << c.args[0] << ": " << p.error;
        EXPECT_NE(settings(p.line).find(c.settings), std::string::npos) << settings(p.line);
    }
}

TEST(CommandLineTest, BadOptionsAndValuesAreNamedInOneLine) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const Case cases[] = {
        {{"--bogus=1"}, "unrecognized option '--bogus'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"-display"}, "option '-display' requires an argument"},
        {{"--stats=1"}, "option '--stats' doesn't allow an argument"},
        // Beyond the bounds, malformed, and with the value missing at the end of the line.
        {{"--size", "0x600"}, "invalid value '0x600' for --size"},
        {{"--size", "1x800"}, "invalid value '1x800' for --size"},  // GLUT never draws it
        {{"-geometry", "800x1+0+0"}, "invalid value '800x1+0+0' for -geometry"},
        {{"--size", "16385x10"}, "invalid value '16385x10' for --size"},
        {{"--size", "10x10x10"}, "invalid value '10x10x10' for --size"},
        {{"--size", "+5x5"}, "invalid value '+5x5' for --size"},
        {{"--size", "10X10"}, "invalid value '10X10' for --size"},
        {{"--frames", "0"}, "invalid value '0' for --frames"},
        {{"--frames", "1000000001"}, "invalid value '1000000001' for --frames"},
        {{"--frames", "3.5"}, "invalid value '3.5' for --frames"},
        {{"--frames", "12 "}, "invalid value '12 ' for --frames"},
        {{"--seed", "-1"}, "invalid value '-1' for --seed"},
        {{"--seed", "4294967296"}, "invalid value '4294967296' for --seed"},
        {{"--seed", "0x10"}, "invalid value '0x10' for --seed"},
        {{"--step", "0"}, "invalid value '0' for --step"},
        {{"--step", "0.3"}, "invalid value '0.3' for --step"},  // beyond the longest step
        {{"--step", "1e-7"}, "invalid value '1e-7' for --step"},  // below the clock's tick
        {{"--step", "0.0000015"}, "invalid value '0.0000015' for --step"},  // between ticks
        {{"--screenshot="}, "invalid value '' for --screenshot"},
        {{"--quiet=yes"}, "option '--quiet' doesn't allow an argument"},
        {{"-qh"}, "unrecognized option '-qh'"},
        {{"--max-fps", "-1"}, "invalid value '-1' for --max-fps"},
        {{"--replay", "r", "--seed", "1"}, "--replay takes the seed, the steps and the size"},
        {{"--size=9x9", "--replay", "r"}, "--replay takes the seed, the steps and the size"},
        {{"--step", "nan"}, "invalid value 'nan' for --step"},
        {{"--step", "1/50"}, "invalid value '1/50' for --step"},
        {{"--screenshot="}, "invalid value '' for --screenshot"},
        {{"--record="}, "invalid value '' for --record"},
        {{"--data="}, "invalid value '' for --data"},
        {{""}, "unexpected empty argument ''"},  // not a flag's missing short form
        {{"--headless", "--frames", "2", "--capture", "c"}, "--headless has no window whose input"},
        {{"--headless", "--seed", "1"}, "--headless needs --frames, --record, --screenshot or"},
    };
    for (const Case& c : cases) {
        Parsed p = parse(c.args);
        EXPECT_EQ(p.action, USAGE_ERROR) << c.args[0];
        EXPECT_EQ(p.error.rfind(c.error, 0), 0u) << p.error;
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
    }
    for (const char* option :
         {"--size", "--frames", "--seed", "--step", "--screenshot", "--record", "--data"}) {
        Parsed p = parse({"--stats", option});
        EXPECT_EQ(p.action, USAGE_ERROR) << option;
        EXPECT_EQ(p.error, std::string("option '") + option + "' requires an argument");
    }
}
