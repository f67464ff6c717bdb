// End-to-end: the window's own controls, driven by real X events through xdotool. Pictures are
// the program's own F12 snapshots, on the reproducible clock and random seed.
#include "support/pictures.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {
const std::string SETTLED = "sleep 3; ";  // the figures are down, or nearly, in a slow build

std::string key(const std::string& name) {
    return "xdotool key --window \"$win\" " + name + " 2>/dev/null; sleep 0.6; ";
}
const std::string SNAPSHOT = key("F12");
const std::string QUIT = "xdotool key --window \"$win\" Escape 2>/dev/null";
// A left-button drag along a row of the window, from x0 to x1.
std::string drag(int x0, int x1, int y) {
    return "xdotool mousemove --window \"$win\" " + std::to_string(x0) + " " + std::to_string(y) +
           " mousedown 1 mousemove --window \"$win\" " + std::to_string(x1) + " " +
           std::to_string(y) + " mouseup 1; sleep 0.6; ";
}
// X button 4 is the wheel rolled away from the user.
const std::string WHEEL_AWAY = "xdotool click --window \"$win\" 4; sleep 0.3; ";

// One run of the program in a folder of its own, removed afterwards.
struct Session {
    testproc::TempDir dir;
    testproc::Result result;
    std::vector<std::string> saved;       // the F12 snapshots' paths, in the order taken
    std::vector<testpng::Picture> shots;  // and what they hold

    explicit Session(const std::string& actions, const std::string& args = "") {
        result =
            testproc::runProgramWithActions(dir.path, "--seed 1 --step 0.05 " + args, actions);
        std::istringstream lines(result.output);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("Saved ", 0) == 0) saved.push_back(line.substr(6));
        for (const std::string& path : saved) shots.push_back(testpng::readPng(path));
    }
    Session(const Session&) = delete;
};

const testpng::Region UNDER_PANEL{0, 250, 200, 90};     // ground the help panel covers
const testpng::Region GROUND_BAND{0, 560, 800, 220};    // terrain across the whole width
const testpng::Region GROUND_CORNER{0, 600, 250, 200};  // terrain, away from fire and figures
}  // namespace

TEST(WindowControls, F1ShowsThePanelAndF1AgainTakesItAway) {
    Session r(SETTLED + SNAPSHOT + key("F1") + SNAPSHOT + key("F1") + SNAPSHOT + QUIT);
    ASSERT_EQ(r.shots.size(), 3u) << r.result.output;
    const std::vector<testpng::Picture>& p = r.shots;
    EXPECT_GT(testpng::changedShare(p[0], p[1], UNDER_PANEL), 0.5);
    EXPECT_LT(testpng::changedShare(p[0], p[2], UNDER_PANEL), 0.1);
}

TEST(WindowControls, F12SavesADatedPngOfTheWindowsSizeAndSaysWhereEvenWhenQuiet) {
    Session r(SNAPSHOT + QUIT, "--size 320x240 --quiet");
    EXPECT_EQ(r.result.status, 0) << r.result.output;
    ASSERT_EQ(r.saved.size(), 1u) << r.result.output;
    EXPECT_EQ(r.result.output, "Saved " + r.saved[0] + "\n");
    EXPECT_TRUE(std::regex_search(r.saved[0], std::regex("/quorvel-[0-9]{8}-[0-9]{6}\\.png$")))
        << r.saved[0];
    EXPECT_EQ(r.shots[0].width, 320);
    EXPECT_EQ(r.shots[0].height, 240);
}

TEST(WindowControls, DragTurnsTheViewTheWayQAndEDo) {
    // Dragging right carries the ground right, as q's turn does; dragging left, as e's.
    const struct { int from, to; const char* key; int sign; } drags[] = {{300, 400, "q", 1},
                                                                        {400, 300, "e", -1}};
    for (auto d : drags) {
        Session r(SETTLED + SNAPSHOT + drag(d.from, d.to, 700) + SNAPSHOT + key(d.key) + SNAPSHOT +
                  QUIT);
        ASSERT_EQ(r.shots.size(), 3u) << r.result.output;
        const std::vector<testpng::Picture>& p = r.shots;
        EXPECT_GT(d.sign * testpng::horizontalShift(p[0], p[1], GROUND_BAND, 400), 50) << d.key;
        EXPECT_GT(d.sign * testpng::horizontalShift(p[1], p[2], GROUND_BAND, 400), 0) << d.key;
    }
}

TEST(WindowControls, WheelMovesTheEyeAsTheArrowKeysDo) {
    // Terrain following off ("5"), so the eye's height stays where it is.
    Session r(key("5") + SETTLED + SNAPSHOT + WHEEL_AWAY + WHEEL_AWAY + SNAPSHOT + key("Down") +
                key("Down") + SNAPSHOT + QUIT);
    ASSERT_EQ(r.shots.size(), 3u) << r.result.output;
    const std::vector<testpng::Picture>& p = r.shots;
    EXPECT_GT(testpng::changedShare(p[0], p[1], GROUND_CORNER), 0.15) << "the wheel moved it";
    EXPECT_LT(testpng::changedShare(p[0], p[2], GROUND_CORNER), 0.05)
        << "two steps back with the arrow key undo two wheel steps";
}

TEST(WindowControls, F11FillsTheScreenAndF11AgainGivesTheWindowBack) {
    const std::string geometry = "xdotool getwindowgeometry \"$win\" | grep Geometry; ";
    Session r(geometry + key("F11") + "sleep 0.5; " + geometry + key("F11") + "sleep 0.5; " +
                geometry + QUIT);
    std::vector<std::string> sizes;
    std::istringstream lines(r.result.output);
    for (std::string line; std::getline(lines, line);)
        if (line.find("Geometry: ") != std::string::npos)
            sizes.push_back(line.substr(line.find("Geometry: ") + 10));
    // The test display's screen is 1024x1024.
    EXPECT_EQ(sizes, (std::vector<std::string>{"800x800", "1024x1024", "800x800"}))
        << r.result.output;
}
