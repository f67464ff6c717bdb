// Placeholder for a character's special ability; it has no data or behaviour yet.
#ifndef QORVEL_SPECIAL_H
#define QORVEL_SPECIAL_H

class Special {};

#endif
