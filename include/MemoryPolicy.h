// The C allocator's settings, shared by the program and the bench so the bench measures the
// allocator users run. No GL here.
#ifndef QORVEL_MEMORYPOLICY_H
#define QORVEL_MEMORYPOLICY_H

// First thing in the process, before any GL context exists.
void configureMemory();
// While one lives, large blocks get mappings of their own: for what is kept long (images,
// textures), so it never lies in the heap among the blocks a frame takes and gives back.
class LongLivedAllocations {
public:
    LongLivedAllocations();
    ~LongLivedAllocations();
    LongLivedAllocations(const LongLivedAllocations&) = delete;
    LongLivedAllocations& operator=(const LongLivedAllocations&) = delete;
};
// Returns the heap's free pages to the system; the program calls it every ten seconds.
void giveBackFreedMemory();

#endif
