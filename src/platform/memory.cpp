#include "platform/memory.h"

#include <cstdlib>  // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace velkar {

void returnLargeBuffersToSystem() {
#if defined(__GLIBC__)
    // A fixed threshold also stops the C library from moving it up.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

}  // namespace velkar
