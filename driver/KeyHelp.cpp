// The control table. Letters are case-sensitive: upper case steers the figure, lower case the
// camera and the world.
#include "KeyHelp.h"

const char* const KEY_HELP_NOTE = "letters are case-sensitive: W walks, w does nothing";

const KeyHelp KEY_HELP[] = {
    {"W S", "walk your figure forward / back"},
    {"A D", "strafe left / right"},
    {"Q E", "turn your figure left / right"},
    {"C", "jump"},
    {"6", "start the walking gait"},
    {"q e", "turn the camera left / right"},
    {"arrows", "move the eye forward, back, left, right"},
    {"PgUp PgDn", "raise / lower the eye"},
    {"5", "eye follows the ground on / off"},
    {"a d z c", "tilt the world"},
    {"space", "spin the world on / off"},
    {", . l ; o p", "move the arms' goal (red ball)"},
    {"7 8", "night sky / day sky"},
    {"r", "your figure and the eye back to the centre"},
    {"Home", "back to the start view: eye, camera, world"},
    {"drag", "left button: turn the camera; up / down: tilt"},
    {"wheel", "move the eye forward / back"},
    {"F1", "this help and the frame rate"},
    {"F11", "full screen on / off"},
    {"F12", "save the frame into the current folder"},
    {"Escape", "quit"},
};
const int KEY_HELP_ROWS = sizeof KEY_HELP / sizeof KEY_HELP[0];
