// Stopwatch used by every time-driven object; see timer.h for the two-clock rule.
#include "timer.h"

#include <cstdio>

namespace {
// Real elapsed time, in ticks of 1/CLOCKS_PER_SEC s. Processor time would count the GL
// driver's worker threads too and run the scene faster than the wall clock.
int64_t systemFineClock() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t nsPerTick = 1000000000 / CLOCKS_PER_SEC;
    return (int64_t)now.tv_sec * CLOCKS_PER_SEC + (int64_t)now.tv_nsec / nsPerTick;
}
time_t systemCalendarClock() { return time(nullptr); }

timer::FineClock fineClock = systemFineClock;
timer::CalendarClock calendarClock = systemCalendarClock;

void announce(const char* msg) {
    if (msg == nullptr) return;
    std::printf("%s\n", msg);
    std::fflush(stdout);
}
}  // namespace

int64_t timer::fineTicks() { return fineClock(); }

double timer::wallSeconds() { return (double)systemFineClock() / (double)CLOCKS_PER_SEC; }

int64_t timer::wallTicks() { return systemFineClock(); }

void timer::useClocks(FineClock fine, CalendarClock calendar) {
    fineClock = fine ? fine : systemFineClock;
    calendarClock = calendar ? calendar : systemCalendarClock;
}

timer::timer() : running(false), start_clock(0), start_time(0), acc_time(0.0) {}

void timer::start(const char* msg) {
    announce(msg);
    if (running) return;
    running = true;
    start_clock = fineClock();
    start_time = calendarClock();
}

void timer::restart(const char* msg) {
    announce(msg);
    running = true;
    acc_time = 0.0;
    start_clock = fineClock();
    start_time = calendarClock();
}

void timer::stop(const char* msg) {
    announce(msg);
    if (running) acc_time += elapsed_time();
    running = false;
}

namespace {
// The fine clock below a minute, whole calendar seconds beyond.
double between(int64_t fromClock, time_t fromTime, int64_t nowClock, time_t nowTime) {
    time_t seconds = nowTime - fromTime;
    if (seconds > 59) return (double)seconds;
    return (double)(nowClock - fromClock) / (double)CLOCKS_PER_SEC;
}
}  // namespace

double timer::elapsed_time() {
    time_t now = calendarClock();
    // The fine clock is only read when the calendar difference leaves it in use.
    if (now - start_time > 59) return (double)(now - start_time);
    return between(start_clock, start_time, fineClock(), now);
}

double timer::lap() {
    int64_t nowClock = fineClock();
    time_t nowTime = calendarClock();
    double step = between(start_clock, start_time, nowClock, nowTime);
    running = true;
    acc_time = 0.0;
    start_clock = nowClock;
    start_time = nowTime;
    return step < MAX_STEP ? step : MAX_STEP;
}
