// Test support: the C heap in use, to show that what a test made was given back. Under
// AddressSanitizer glibc's figures stay at zero; there LeakSanitizer reports what is lost when
// the test's process ends.
#ifndef QORVEL_TESTS_SUPPORT_HEAP_H
#define QORVEL_TESTS_SUPPORT_HEAP_H

#include <malloc.h>

inline long heapInUse() { return (long)mallinfo2().uordblks; }

#endif
