// Stopwatch used by every time-driven object; see timer.h for the two-clock rule.
#include "timer.h"

#include <cstdio>

namespace {
clock_t systemProcessorClock() { return clock(); }
time_t systemCalendarClock() { return time(nullptr); }

timer::ProcessorClock processorClock = systemProcessorClock;
timer::CalendarClock calendarClock = systemCalendarClock;

void announce(const char* msg) {
    if (msg == nullptr) return;
    std::printf("%s\n", msg);
    std::fflush(stdout);
}
}  // namespace

void timer::useClocks(ProcessorClock processor, CalendarClock calendar) {
    processorClock = processor ? processor : systemProcessorClock;
    calendarClock = calendar ? calendar : systemCalendarClock;
}

timer::timer() : running(false), start_clock(0), start_time(0), acc_time(0.0) {}

void timer::start(const char* msg) {
    announce(msg);
    if (running) return;
    running = true;
    start_clock = processorClock();
    start_time = calendarClock();
}

void timer::restart(const char* msg) {
    announce(msg);
    running = true;
    acc_time = 0.0;
    start_clock = processorClock();
    start_time = calendarClock();
}

void timer::stop(const char* msg) {
    announce(msg);
    if (running) acc_time += elapsed_time();
    running = false;
}

double timer::elapsed_time() {
    time_t seconds = calendarClock() - start_time;
    if (seconds > 59) return (double)seconds;
    // Processor time of the whole process, not wall-clock time.
    return (double)(processorClock() - start_clock) / (double)CLOCKS_PER_SEC;
}
