// The C allocator's settings, shared by the program and the bench so the bench measures the
// allocator users run. No GL here.
#ifndef QORVEL_MEMORYPOLICY_H
#define QORVEL_MEMORYPOLICY_H

// First thing in the process, before any GL context exists.
void configureMemory();
// Returns the heap's free pages to the system; the program calls it every ten seconds.
void giveBackFreedMemory();

#endif
