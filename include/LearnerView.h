// The learner's view (F2): what the scene computes each frame, drawn over the finished frame
// and through the terrain: each limb's goal and tip, each figure's heading and footing, the
// wandering figure's draw and its thresholds, the effects' force fields and live particles,
// and the last frame's steps as a stacked bar. It reads the scene and changes none of it.
#ifndef QORVEL_LEARNERVIEW_H
#define QORVEL_LEARNERVIEW_H

#include "QOR3dVector.h"

class AI;
class Character;
class ParticleSystem;

struct LearnerEffect {
    const char* name = "";
    ParticleSystem* system = nullptr;
    QOR3dVector source = QOR3dVector(0.0f, 0.0f, 0.0f);  // in the frame the figures stand in
};

const int LEARNER_MAX_EFFECTS = 4;
const int LEARNER_MAX_STEPS = 16;

// What the view is handed to show; the driver fills it in each frame.
struct LearnerScene {
    Character* figures[2];
    AI* wanderer;            // steers figures[1]
    LearnerEffect effects[LEARNER_MAX_EFFECTS];
    int effectCount;
    const char* (*stepName)(int step);
    int stepCount;           // at most LEARNER_MAX_STEPS
};

class LearnerView {
public:
    // A tip this close to its goal counts as reached.
    static constexpr float IN_REACH = 0.05f;

    void toggle() { shown = !shown; }
    bool isShown() const { return shown; }
    // The frame's steps are timed on the wall clock while the view is shown.
    void frameBegins();
    void stepDone(int step);
    // Under the scene's model-view (the frame the figures stand in) and projection; every GL
    // state it touches is given back. Nothing when not shown.
    void draw(const LearnerScene& scene, int windowWidth, int windowHeight) const;

private:
    bool shown = false;
    double mark = 0.0;
    double timing[LEARNER_MAX_STEPS] = {};  // this frame's, as far as it went
    double timed[LEARNER_MAX_STEPS] = {};   // the last whole frame's
};

#endif
