#include "common/heap_policy.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace novra {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Blocks up to 32 MB (the most glibc allows) come from the heap rather than from mappings of their
    // own, and up to 1 GB free at the top of the heap stays there: closing a net of a few hundred
    // thousand objects frees several hundred megabytes, which the next net opened takes again.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

}  // namespace novra
