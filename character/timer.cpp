// Stopwatch used by every time-driven object; see timer.h for the two-clock rule.
#include "timer.h"

#include <cstdio>

namespace {
// Processor time costs a system call (about 2 us on the reference machine) and every particle
// reads it each frame, so one reading stands for the next 20 us of wall time (a vDSO read):
// steps are tens of milliseconds long, far above that resolution.
const long long PROCESSOR_READING_LIFE_NS = 20000;

long long monotonicNs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

clock_t systemProcessorClock() {
    static clock_t reading = 0;
    static long long readAtNs = 0;
    static bool read = false;
    long long now = monotonicNs();
    if (!read || now - readAtNs >= PROCESSOR_READING_LIFE_NS) {
        reading = clock();
        readAtNs = now;
        read = true;
    }
    return reading;
}
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

namespace {
// Processor time of the whole process below a minute, whole calendar seconds beyond.
double between(clock_t fromClock, time_t fromTime, clock_t nowClock, time_t nowTime) {
    time_t seconds = nowTime - fromTime;
    if (seconds > 59) return (double)seconds;
    return (double)(nowClock - fromClock) / (double)CLOCKS_PER_SEC;
}
}  // namespace

double timer::elapsed_time() {
    time_t now = calendarClock();
    // The processor clock is only read when the calendar difference leaves it in use.
    if (now - start_time > 59) return (double)(now - start_time);
    return between(start_clock, start_time, processorClock(), now);
}

double timer::lap() {
    clock_t nowClock = processorClock();
    time_t nowTime = calendarClock();
    double step = between(start_clock, start_time, nowClock, nowTime);
    running = true;
    acc_time = 0.0;
    start_clock = nowClock;
    start_time = nowTime;
    return step;
}
