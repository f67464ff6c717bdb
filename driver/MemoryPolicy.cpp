// Allocator policy: the GL driver's per-frame blocks are recycled inside the heap, and the
// heap's free pages go back to the system on a slow beat rather than every frame.
#include "MemoryPolicy.h"

#include <malloc.h>

namespace {
// Above the GL driver's blocks of every frame (64-100 KiB, about 150 a frame), below the images
// and textures (192 KiB and up) that come and go with a new sky or fire: those keep mappings of
// their own and go back whole, so they never fragment the heap.
const int MMAP_THRESHOLD = 128 * 1024;
// Far above a frame's swing of the heap top, so a frame never shrinks the heap for the next
// one to grow it again; the periodic trim below gives it back.
const int TRIM_THRESHOLD = 32 * 1024 * 1024;
}  // namespace

// 300 seeded frames of 0.02 s under Xvfb, Release build; per frame after the first 30:
//   64 KiB mapping threshold (before): 153 mmap and munmap, 2,700 page faults; 2.3-2.6 s system
//   these two settings: 0.2 mmap and munmap, 45 faults; 0.1 s system; 20-minute soak flat
//   1 MiB threshold, 32 MiB trim: no mmap, 9 faults, but images on the heap fragment it: the
//                                 20-minute soak grew 2.7 MiB
//   glibc's sliding threshold: as the 1 MiB one once it has slid, after more start-up churn
//   any fixed threshold with the default trim: the heap top shrinks and regrows every frame
void configureMemory() {
    mallopt(M_MMAP_THRESHOLD, MMAP_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, TRIM_THRESHOLD);
}

// The GL driver's busiest frames (a second fire, a relaunch) raise its working memory for a
// moment; what it frees stays in the heap between blocks still in use, where the allocator
// never returns it by itself. Every ten seconds is often enough, and costs about a millisecond.
void giveBackFreedMemory() { malloc_trim(0); }
