// Random steering for a character: keeps it walking forward and turns it a little each frame.
#ifndef QORVEL_AI_H
#define QORVEL_AI_H

#include <cstdlib>

class Controller;

class AI {
public:
    typedef int (*RandomSource)();

    // The random source defaults to the C library's shared generator; tests pass their own.
    explicit AI(Controller* c, RandomSource source = std::rand);

    // One frame: walk, maybe turn, move forward, update the controller.
    void update();
    // Fractional part of rand() / 1e9; small values come up about half again as often.
    float getrand();

private:
    Controller* myController;
    RandomSource myRandom;
};

#endif
