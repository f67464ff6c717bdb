// The inert tail: its numbers read as NaN so nobody mistakes them for a pose.
#include "Character_Tail.h"

#include <limits>

namespace {
const float kNoValue = std::numeric_limits<float>::quiet_NaN();
}

Character_Tail::Character_Tail(float, float, float, float, float)
    : imagePath(), myTexture(nullptr), muscleAmount(kNoValue), myTimer(),
      goalPos(0.0f, 0.0f, 0.0f), goalPitch(kNoValue), goalYaw(kNoValue),
      tailPos(0.0f, 0.0f, 0.0f), pitch(kNoValue), yaw(kNoValue), length(kNoValue) {}

float Character_Tail::getPitch() { return kNoValue; }
float Character_Tail::getYaw() { return kNoValue; }
float Character_Tail::getLength() { return kNoValue; }
float Character_Tail::getMuscle() { return kNoValue; }
