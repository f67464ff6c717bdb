// The wandering AI: a biased random walk that mostly turns right.
#include "AI.h"

#include <cmath>

#include "Controller.h"

namespace {
const double RANDOM_DIVISOR = 1000000000.0;
const double LEFT_TURN_ABOVE = 0.8;
const double RIGHT_TURN_BELOW = 0.55;
const float TURN_STEP = 2.0f;
}  // namespace

AI::AI(Controller* c, RandomSource source) : myController(c), myRandom(source ? source : std::rand) {}

float AI::getrand() {
    const float x = (float)(myRandom() / RANDOM_DIVISOR);
    float whole;
    return std::modf(x, &whole);
}

void AI::update() {
    const float r = getrand();
    if (!myController->isWalking()) myController->setWalking(true);
    // The float is compared with the double thresholds, so 0.8f counts as above 0.8.
    if (r > LEFT_TURN_ABOVE) {
        myController->turn(TURN_STEP);
    } else if (r < RIGHT_TURN_BELOW) {
        myController->turn(-TURN_STEP);
    }
    myController->moveForward();
    myController->update();
}
