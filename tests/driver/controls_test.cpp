// End-to-end: the window's own controls. What depends on X itself (a real key reaching the
// window, the window's size on the screen) is driven by X events through xdotool; the rest is
// played from a capture written here, which sees the same frames on any machine. The live runs
// wait for what each key does (a saved picture, the window's size), never a fixed time. Pictures are the program's own F12 snapshots.
#include "support/pictures.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace {
std::string key(const std::string& name) {
    return "xdotool key --window \"$win\" " + name + " 2>/dev/null; ";
}
// Escape drops input still waiting for its frame: the picture is saved before it comes.
const std::string SNAPSHOT = key("F12") + "wait_for grep -q '^Saved ' \"$out\"; ";
const std::string QUIT = "xdotool key --window \"$win\" Escape 2>/dev/null";

// The F12 snapshots a run saved, in the order taken, and what they hold.
struct Snapshots {
    testproc::TempDir dir;
    testproc::Result result;
    std::vector<std::string> saved;
    std::vector<testpng::Picture> shots;

    void collect() {
        std::istringstream lines(result.output);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("Saved ", 0) == 0) saved.push_back(line.substr(6));
        for (const std::string& path : saved) shots.push_back(testpng::readPng(path));
    }
};

// Driven by X: the program in a folder of its own, with the shell actions given.
struct Session : Snapshots {
    explicit Session(const std::string& actions, const std::string& args = "") {
        result =
            testproc::runProgramWithActions(dir.path, "--seed 1 --step 0.05 " + args, actions);
        collect();
    }
};

// Played from a capture: `input` holds its frames and events (a frame every 0.05 s).
struct Replayed : Snapshots {
    explicit Replayed(const std::string& input) {
        std::ofstream(dir.path + "/session")
            << "quorvel-capture 1\nseed 1\nsize 800 800\n" << input << "frame 0.05\nend\n";
        result = testproc::runShell(testproc::onOwnDisplay(
            "cd " + testproc::quote(dir.path) + " && timeout 120 " +
            testproc::quote(testproc::programPath()) + " --max-fps 0 --replay session"));
        collect();
    }
};
const std::string LANDED = "frames 60 0.05\n";  // three seconds: both figures are down
// The next frame, with these events at its start.
std::string frameWith(const std::string& events) { return "frame 0.05\n" + events; }
const std::string F1 = "special 1\n", F12 = "special 12\n";

const testpng::Region UNDER_PANEL{0, 250, 200, 90};     // ground the help panel covers
const testpng::Region GROUND_BAND{0, 560, 800, 220};    // terrain across the whole width
const testpng::Region GROUND_CORNER{0, 600, 250, 200};  // terrain, away from fire and figures
}  // namespace

TEST(WindowControls, F1ShowsThePanelAndF1AgainTakesItAway) {
    Replayed r(LANDED + F12 + frameWith(F1 + F12) + frameWith(F1 + F12));
    ASSERT_EQ(r.shots.size(), 3u) << r.result.output;
    const std::vector<testpng::Picture>& p = r.shots;
    EXPECT_GT(testpng::changedShare(p[0], p[1], UNDER_PANEL), 0.5);
    EXPECT_LT(testpng::changedShare(p[0], p[2], UNDER_PANEL), 0.1);
}

// Driven by X: the key reaches the window, and the picture is the window's size.
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
    const struct { int from, to; const char* key; int sign; } drags[] = {{300, 400, "key 113\n", 1},
                                                                        {400, 300, "key 101\n", -1}};
    for (auto d : drags) {
        const std::string from = std::to_string(d.from), to = std::to_string(d.to);
        Replayed r(LANDED + F12 +
                   frameWith("mouse 0 0 " + from + " 700\nmotion " + to + " 700\nmouse 0 1 " + to +
                             " 700\n" + F12) +
                   frameWith(d.key + F12));
        ASSERT_EQ(r.shots.size(), 3u) << r.result.output;
        const std::vector<testpng::Picture>& p = r.shots;
        EXPECT_GT(d.sign * testpng::horizontalShift(p[0], p[1], GROUND_BAND, 400), 50) << d.key;
        EXPECT_GT(d.sign * testpng::horizontalShift(p[1], p[2], GROUND_BAND, 400), 0) << d.key;
    }
}

TEST(WindowControls, WheelMovesTheEyeAsTheArrowKeysDo) {
    // Terrain following off ("5"), so the eye's height stays where it is; the wheel rolled away
    // from the user is button 3, the Down arrow special key 103.
    const std::string away = "mouse 3 0 400 400\n", down = "special 103\n";
    Replayed r(frameWith("key 53\n") + LANDED + F12 + frameWith(away + away + F12) +
               frameWith(down + down + F12));
    ASSERT_EQ(r.shots.size(), 3u) << r.result.output;
    const std::vector<testpng::Picture>& p = r.shots;
    EXPECT_GT(testpng::changedShare(p[0], p[1], GROUND_CORNER), 0.15) << "the wheel moved it";
    EXPECT_LT(testpng::changedShare(p[0], p[2], GROUND_CORNER), 0.05)
        << "two steps back with the arrow key undo two wheel steps";
}

// Driven by X: full screen is the window manager's and the screen's.
TEST(WindowControls, F11FillsTheScreenAndF11AgainGivesTheWindowBack) {
    // Each size is read once X reports the one expected, or the wait has run out.
    const std::string geometry = "xdotool getwindowgeometry \"$win\" | grep Geometry; ";
    auto becomes = [](const char* size) {
        return "wait_for geometry_is \"$win\" " + std::string(size) + "; ";
    };
    Session r(geometry + key("F11") + becomes("1024x1024") + geometry + key("F11") +
              becomes("800x800") + geometry + QUIT);
    std::vector<std::string> sizes;
    std::istringstream lines(r.result.output);
    for (std::string line; std::getline(lines, line);)
        if (line.find("Geometry: ") != std::string::npos)
            sizes.push_back(line.substr(line.find("Geometry: ") + 10));
    // The test display's screen is 1024x1024.
    EXPECT_EQ(sizes, (std::vector<std::string>{"800x800", "1024x1024", "800x800"}))
        << r.result.output;
}
