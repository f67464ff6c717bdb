// Frame-cost benchmark of the real scene: the floor (clear and swap), the backdrop (sky and
// terrain), the full frame with each step timed, and how the frame grows with characters and
// with particles. Prints tables, then one summary line. Medians throughout. The process starts
// as the program does, with its allocator settings.
#include "AI.h"
#include "Character.h"
#include "Controller.h"
#include "Flames.h"
#include "FrameStats.h"
#include "MemoryPolicy.h"
#include "Terrain.h"
#include "character_driver.h"

#include <GL/freeglut.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

const int WARMUP_FRAMES = 30;
const int MEASURED_FRAMES = 150;

double nowMs(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}
double wallMs() { return nowMs(CLOCK_MONOTONIC); }
double threadCpuMs() { return nowMs(CLOCK_THREAD_CPUTIME_ID); }

double median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// Wall time of one frame, median over the measured frames; with `cost`, also the process's
// mean cost of a measured frame.
double frameMs(const std::function<void()>& frame, int frames = MEASURED_FRAMES,
               FrameCost* cost = nullptr) {
    for (int i = 0; i < WARMUP_FRAMES; i++) frame();
    glFinish();
    const ProcessUsage from = readProcessUsage();
    std::vector<double> times;
    for (int i = 0; i < frames; i++) {
        double start = wallMs();
        frame();
        glFinish();
        times.push_back(wallMs() - start);
    }
    if (cost != nullptr) *cost = frameCost(from, readProcessUsage(), frames);
    return median(times);
}

// The scene's frame and its swap, as the program shows it in a window.
void sceneFrame() {
    displayCallback();
    glutSwapBuffers();
    if (frameStepHook != nullptr) frameStepHook(FRAME_SWAP);
}

void floorFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

// The frame's opening steps, up to and including the terrain.
void openFrame() {
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
    keepEyeAboveTerrain();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyLookAt();
    drawBackdrop();
}

void backdropFrame() {
    openFrame();
    glutSwapBuffers();
}

// Per-step split of the full frame: wall time after glFinish, and the main thread's CPU time
// spent issuing the step (taken before the finish, so waiting for the rasteriser is not in it).
struct StepTimes {
    std::vector<double> wall[FRAME_STEP_COUNT];
    std::vector<double> cpu[FRAME_STEP_COUNT];
};
StepTimes steps;
bool recording = false;  // off during the warm-up
double lastWall = 0, lastCpu = 0;

void timeStep(FrameStep step) {
    double cpu = threadCpuMs();
    glFinish();
    double wall = wallMs();
    if (recording) {
        steps.wall[step].push_back(wall - lastWall);
        steps.cpu[step].push_back(cpu - lastCpu);
    }
    lastWall = wallMs();
    lastCpu = threadCpuMs();
}

bool isBackdrop(int step) {
    return step == FRAME_EYE || step == FRAME_SKY || step == FRAME_TERRAIN || step == FRAME_SWAP;
}

// CPU time of the four limb searches of one character, as its draw runs them.
double inverseKinematicsCpuMs(Character* c) {
    std::vector<double> times;
    for (int i = 0; i < MEASURED_FRAMES; i++) {
        glMatrixMode(GL_MODELVIEW);
        double start = threadCpuMs();
        c->updateLegIK(c->myLeftLeg);
        c->updateLegIK(c->myRightLeg);
        c->updateArmIK(c->myLeftArm);
        c->updateArmIK(c->myRightArm);
        times.push_back(threadCpuMs() - start);
    }
    return median(times);
}

struct Crowd {
    std::vector<Character*> characters;
    std::vector<Controller*> controllers;
    std::vector<AI*> ais;
};

// n wandering characters on a grid around the scene centre, clear of the standing fire.
Crowd makeCrowd(int n) {
    Crowd crowd;
    for (int i = 0; i < n; i++) {
        Character* c = new Character();
        c->setXPosition(4.0f + 1.5f * (i % 8));
        c->setZPosition(-2.0f - 1.5f * (i / 8));
        c->setYPosition(5.0f);
        crowd.characters.push_back(c);
        crowd.controllers.push_back(new Controller(c, myTerrain));
        crowd.ais.push_back(new AI(crowd.controllers.back()));
    }
    return crowd;
}

void freeCrowd(Crowd& crowd) {
    for (AI* a : crowd.ais) delete a;
    for (Controller* c : crowd.controllers) delete c;
    for (Character* c : crowd.characters) delete c;
    crowd = Crowd();
}

void crowdFrame(Crowd& crowd) {
    openFrame();
    QOR3dVector target = testCharacter->getPosition();
    for (size_t i = 0; i < crowd.characters.size(); i++) {
        Character* c = crowd.characters[i];
        glColor4f(0.6f, 0.45f, 0.35f, 1.0f);
        c->update();
        c->draw();
        crowd.ais[i]->update();
        c->setLeftArmGoal(target);
        c->setRightArmGoal(target);
    }
    glutSwapBuffers();
}

void withStdoutSilenced(const std::function<void()>& work) {
    std::fflush(stdout);
    int saved = dup(1);
    int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    work();
    std::fflush(stdout);
    dup2(saved, 1);
    close(devnull);
    close(saved);
}

}  // namespace

int main(int argc, char** argv) {
    configureMemory();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    glutCreateWindow("Quorvel");
    glutDisplayFunc([] {});  // frames are driven below, not by window events
    withStdoutSilenced([] {
        init();
        myReshape(800, 800);
    });
    glutMainLoopEvent();

    double floorMs = frameMs(floorFrame);
    double backdropMs = frameMs(backdropFrame);
    double fullMs = 0;
    FrameCost fullCost;
    withStdoutSilenced([&] { fullMs = frameMs(sceneFrame, MEASURED_FRAMES, &fullCost); });
    int blocksDrawn = myTerrain->GetBlocksDrawn();

    // The per-step split.
    frameStepHook = timeStep;
    withStdoutSilenced([&] {
        for (int i = 0; i < WARMUP_FRAMES + MEASURED_FRAMES; i++) {
            recording = i >= WARMUP_FRAMES;
            sceneFrame();
        }
    });
    recording = false;
    frameStepHook = nullptr;

    double ikMs = inverseKinematicsCpuMs(testCharacter);

    std::printf("%-28s %10s %10s\n", "frame step", "wall ms", "cpu ms");
    double simMs = 0;
    for (int s = 0; s < FRAME_STEP_COUNT; s++) {
        double wall = median(steps.wall[s]), cpu = median(steps.cpu[s]);
        if (!isBackdrop(s)) simMs += cpu;
        std::printf("%-28s %10.3f %10.3f\n", frameStepName((FrameStep)s), wall, cpu);
    }
    std::printf("%-28s %10s %10.3f\n", "  of a draw: limb searches", "", ikMs);
    std::printf("\n%-28s %10.3f  (%.0f fps)\n", "floor (clear + swap)", floorMs, 1000.0 / floorMs);
    std::printf("%-28s %10.3f  (%.0f fps)\n", "backdrop (sky + terrain)", backdropMs,
                1000.0 / backdropMs);
    std::printf("%-28s %10.3f  (%.0f fps)\n", "full scene", fullMs, 1000.0 / fullMs);
    std::printf("%-28s %10.3f  (all threads)\n", "  cpu ms a frame", fullCost.cpuMsPerFrame);
    std::printf("%-28s %10.3f\n", "  system ms a frame", fullCost.systemMsPerFrame);
    std::printf("%-28s %10.1f\n", "  page faults a frame", fullCost.faultsPerFrame);
    std::printf("%-28s %10d  (of %d)\n", "terrain blocks drawn", blocksDrawn,
                myTerrain->GetBlockCount());

    std::printf("\n%-28s %10s %10s\n", "characters", "frame ms", "fps");
    const int crowdSizes[] = {1, 4, 16, 64};
    for (int n : crowdSizes) {
        Crowd crowd = makeCrowd(n);
        double ms = frameMs([&] { crowdFrame(crowd); }, n >= 16 ? 40 : MEASURED_FRAMES);
        std::printf("%-28d %10.3f %10.1f\n", n, ms, 1000.0 / ms);
        freeCrowd(crowd);
    }

    std::printf("\n%-28s %10s %10s\n", "standing fire particles", "frame ms", "fps");
    const int fireSizes[] = {500, 2000, 10000};
    for (int n : fireSizes) {
        double ms = 0;
        withStdoutSilenced([&] {
            delete myFlames;
            myFlames = new Flames(n, default3dVector);
            myFlames->setYPosition(0.0f);
            myFlames->setSize(10.0f);
            ms = frameMs(sceneFrame, 60);
        });
        std::printf("%-28d %10.3f %10.1f\n", n, ms, 1000.0 / ms);
    }

    std::printf("\nbench: full_ms=%.3f backdrop_ms=%.3f floor_ms=%.3f full_over_backdrop=%.3f "
                "sim_ms=%.3f fps=%.1f sys_ms=%.3f faults=%.1f\n",
                fullMs, backdropMs, floorMs, fullMs / backdropMs, simMs, 1000.0 / fullMs,
                fullCost.systemMsPerFrame, fullCost.faultsPerFrame);
    return 0;
}
