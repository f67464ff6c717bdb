// Stopwatch: real (monotonic) time for steps under a minute, whole calendar seconds beyond.
#ifndef QORVEL_TIMER_H
#define QORVEL_TIMER_H

#include <ctime>

class timer {
public:
    typedef clock_t (*FineClock)();  // ticks of 1/CLOCKS_PER_SEC s
    typedef time_t (*CalendarClock)();

    timer();

    void start(const char* msg = nullptr);
    void restart(const char* msg = nullptr);
    void stop(const char* msg = nullptr);
    double elapsed_time();
    // elapsed_time() then restart(), from one reading of each clock: the per-frame step.
    double lap();

    bool isRunning() const { return running; }
    double accumulated() const { return acc_time; }

    // Test seam: replace the two clocks every timer reads; null restores the C library's.
    static void useClocks(FineClock fine, CalendarClock calendar);

private:
    bool running;
    clock_t start_clock;
    time_t start_time;
    double acc_time;
};

#endif
