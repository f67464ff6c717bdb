// Placeholder for a weapon a character may carry; it has no data or behaviour yet.
#ifndef QORVEL_WEAPON_H
#define QORVEL_WEAPON_H

class Weapon {};

#endif
