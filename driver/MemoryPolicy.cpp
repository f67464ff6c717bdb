// Allocator policy: the GL driver's per-frame blocks are recycled inside the heap, and the
// heap's free pages go back to the system on a slow beat rather than every frame.
#include "MemoryPolicy.h"

#include <malloc.h>

namespace {
// Above every block the GL driver takes and gives back within frames: about 150 of 64-100 KiB
// and, every few frames, one of 520 KiB for streamed particle vertices.
const int FRAME_MMAP_THRESHOLD = 1024 * 1024;
// While images and textures (192 KiB and up) are made: they keep mappings of their own and go
// back whole, so they never fragment the heap.
const int LONG_LIVED_MMAP_THRESHOLD = 128 * 1024;
// Far above a frame's swing of the heap top, so a frame never shrinks the heap for the next
// one to grow it again; the periodic trim below gives it back.
const int TRIM_THRESHOLD = 32 * 1024 * 1024;
int longLivedScopes = 0;  // they nest: the scene's start-up builds a sky and fireworks
}  // namespace

// 300 seeded frames of 0.02 s under Xvfb, Release build; per frame after the first 30:
//   64 KiB mapping threshold (before): 153 mmap and munmap, 2,700 page faults; 2.3-2.6 s system
//   128 KiB, 32 MiB trim: 0.26 mmap and munmap (the driver's 520 KiB vertex blocks), 45 faults;
//                         20-minute soak flat
//   1 MiB, 32 MiB trim: no mmap, 9 faults, but images on the heap fragment it: the 20-minute
//                       soak grew 2.7 MiB
//   1 MiB, with 128 KiB while images and textures are made (these settings): 0.01 mmap,
//                       8 faults
//   glibc's sliding threshold: as the 1 MiB one once it has slid, after more start-up churn
//   any fixed threshold with the default trim: the heap top shrinks and regrows every frame
void configureMemory() {
    mallopt(M_MMAP_THRESHOLD, FRAME_MMAP_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, TRIM_THRESHOLD);
}

LongLivedAllocations::LongLivedAllocations() {
    if (longLivedScopes++ == 0) mallopt(M_MMAP_THRESHOLD, LONG_LIVED_MMAP_THRESHOLD);
}

LongLivedAllocations::~LongLivedAllocations() {
    if (--longLivedScopes == 0) mallopt(M_MMAP_THRESHOLD, FRAME_MMAP_THRESHOLD);
}

// The GL driver's busiest frames (a second fire, a relaunch) raise its working memory for a
// moment; what it frees stays in the heap between blocks still in use, where the allocator
// never returns it by itself. Every ten seconds is often enough, and costs about a millisecond.
void giveBackFreedMemory() { malloc_trim(0); }
