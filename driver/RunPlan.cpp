// The run's description. Offline work never waits for the screen; live and replayed sessions
// are watched, so they pause with the window and keep a watchable pace.
#include "RunPlan.h"

RunPlan planRun(const CommandLine& line, const Session* replay) {
    RunPlan plan;
    plan.headless = line.headless;
    plan.screenshot = line.screenshot;
    plan.recordFolder = line.recordFolder;
    plan.frames = line.frames;
    // A finished capture ends where it ended; --frames can only cut it shorter. Without a
    // window no live input can take over where an unfinished one stops.
    if (replay != nullptr && (replay->ended || line.headless) && replay->frameCount > 0 &&
        (plan.frames == 0 || plan.frames > replay->frameCount))
        plan.frames = replay->frameCount;
    plan.offline = line.headless || line.frames > 0 || !line.recordFolder.empty();
    plan.pausesWhenHidden = !plan.offline;
    if (line.maxFps == 0) {
        plan.pacing = PACE_FREE;
    } else if (line.maxFps > 0) {
        plan.pacing = PACE_LIMIT;
        plan.framesPerSecond = line.maxFps;
    } else if (plan.offline) {
        plan.pacing = PACE_FREE;
    } else if (replay != nullptr) {
        plan.pacing = PACE_REPLAY;
    }
    return plan;
}

int frameLimit(const RunPlan& plan, int displayRate) {
    const int USUAL_DISPLAY_RATE = 60;
    switch (plan.pacing) {
    case PACE_FREE: return 0;
    case PACE_LIMIT: return plan.framesPerSecond;
    case PACE_DISPLAY:
    case PACE_REPLAY: break;
    }
    return displayRate > 0 ? displayRate : USUAL_DISPLAY_RATE;
}
