// Allocator policy: the GL driver's per-frame blocks are recycled inside the heap, and the
// heap's free pages go back to the system on a slow beat rather than every frame.
#include "MemoryPolicy.h"

#include <malloc.h>

namespace {
// Above the largest block the GL driver takes and frees within a frame (520 KiB, most of them
// 64-68 KiB); larger ones are rare and keep a mapping of their own.
const int MMAP_THRESHOLD = 1024 * 1024;
// Far above a frame's swing of the heap top, so a frame never shrinks the heap for the next
// one to grow it again; the periodic trim below gives it back.
const int TRIM_THRESHOLD = 32 * 1024 * 1024;
}  // namespace

// 300 seeded frames of 0.02 s under Xvfb, Release build, alternating runs:
//   64 KiB mapping threshold (before): 153 mmap and munmap a frame, 2,500 page faults a frame,
//                                      2.3-2.6 s system time, 9.5-10.5 s wall
//   these two settings: no mmap or munmap after frame 30, about 6 faults a frame from then on,
//                       0.09-0.13 s system time, 6.9-7.0 s wall; same resident size
//   glibc's sliding threshold: as quiet once it has slid, after more start-up churn
//                              (371 brk calls and 23,000 faults in the 300 frames, not 141, 14,000)
//   1 MiB threshold with the default trim: the heap top shrinks and regrows, 29 faults a frame
void configureMemory() {
    mallopt(M_MMAP_THRESHOLD, MMAP_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, TRIM_THRESHOLD);
}

// The GL driver's busiest frames (a second fire, a relaunch) raise its working memory for a
// moment; what it frees stays in the heap between blocks still in use, where the allocator
// never returns it by itself. Every ten seconds is often enough, and costs about a millisecond.
void giveBackFreedMemory() { malloc_trim(0); }
