// The wandering AI: a biased random walk that mostly turns right.
#include "AI.h"

#include <cmath>

#include "Controller.h"

namespace {
const double RANDOM_DIVISOR = 1000000000.0;
const float TURN_STEP = 2.0f;
}  // namespace

const double AI::LEFT_TURN_ABOVE = 0.8;
const double AI::RIGHT_TURN_BELOW = 0.55;

AI::AI(Controller* c, RandomSource source) : myController(c), myRandom(source ? source : std::rand) {}

float AI::getrand() {
    const float x = (float)(myRandom() / RANDOM_DIVISOR);
    float whole;
    return std::modf(x, &whole);
}

void AI::update() {
    const float r = getrand();
    drawn = r;
    // The float is compared with the double thresholds, so 0.8f counts as above 0.8.
    turned = r > LEFT_TURN_ABOVE ? LEFT : r < RIGHT_TURN_BELOW ? RIGHT : FORWARD;
    if (!myController->isWalking()) myController->setWalking(true);
    if (turned == LEFT) myController->turn(TURN_STEP);
    if (turned == RIGHT) myController->turn(-TURN_STEP);
    myController->moveForward();
    myController->update();
}
