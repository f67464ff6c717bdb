// Random steering for a character: keeps it walking forward and turns it a little each frame.
#ifndef QORVEL_AI_H
#define QORVEL_AI_H

#include <cstdlib>

class Controller;

class AI {
public:
    typedef int (*RandomSource)();

    // What one frame's draw decided; the thresholds it was compared against are below.
    enum Turn { FORWARD, LEFT, RIGHT };
    static const double LEFT_TURN_ABOVE;
    static const double RIGHT_TURN_BELOW;

    // The random source defaults to the C library's shared generator; tests pass their own.
    explicit AI(Controller* c, RandomSource source = std::rand);

    // One frame: walk, maybe turn, move forward, update the controller.
    void update();
    // Fractional part of rand() / 1e9; small values come up about half again as often.
    float getrand();

    // The last frame's draw and the turn it chose: FORWARD with a draw of 0 before the first.
    float lastDraw() const { return drawn; }
    Turn lastTurn() const { return turned; }

private:
    Controller* myController;
    RandomSource myRandom;
    float drawn = 0.0f;
    Turn turned = FORWARD;
};

#endif
