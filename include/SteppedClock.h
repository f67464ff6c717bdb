// Reproducible time: every stopwatch reads a clock that moves by a fixed step when a frame
// begins, instead of the wall clock. No GL here.
#ifndef QORVEL_STEPPEDCLOCK_H
#define QORVEL_STEPPEDCLOCK_H

// Puts every stopwatch on the stepped clock, standing at 0. The step counts in whole ticks of
// the clock (microseconds); the command line accepts no other.
void useSteppedClock(double secondsPerFrame);
// Moves the stepped clock on by one step; nothing while the wall clock is in use.
void advanceSteppedClock();

#endif
