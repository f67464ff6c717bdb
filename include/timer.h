// Stopwatch: real (monotonic) time for steps under a minute, whole calendar seconds beyond.
#ifndef QORVEL_TIMER_H
#define QORVEL_TIMER_H

#include <cstdint>
#include <ctime>

class timer {
public:
    typedef int64_t (*FineClock)();  // ticks of 1/CLOCKS_PER_SEC s; 64 bits never wrap
    typedef time_t (*CalendarClock)();

    timer();

    void start(const char* msg = nullptr);
    void restart(const char* msg = nullptr);
    void stop(const char* msg = nullptr);
    double elapsed_time();
    // elapsed_time() then restart(), from one reading of each clock: the per-frame step,
    // never longer than MAX_STEP, so a stall (a stopped process, a closed lid) resumes the
    // scene where it was instead of throwing everything forward at once.
    double lap();
    // A quarter second: the scene keeps real time down to 4 frames a second; longer is a stall.
    static constexpr double MAX_STEP = 0.25;

    bool isRunning() const { return running; }
    double accumulated() const { return acc_time; }

    // Replaces the two clocks every timer reads (the stepped clock of --step, tests' fake
    // clocks); null restores the system's.
    static void useClocks(FineClock fine, CalendarClock calendar);
    // The system's monotonic clock in seconds, and in ticks, whatever clocks the timers read.
    static double wallSeconds();
    static int64_t wallTicks();
    // The fine clock as a timer started now would read it.
    static int64_t fineTicks();

private:
    bool running;
    int64_t start_clock;
    time_t start_time;
    double acc_time;
};

#endif
