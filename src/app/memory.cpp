#include "app/memory.h"

#include <malloc.h>

namespace tellwick {

namespace {

constexpr int largeBlockBytes = 1024 * 1024;

} // namespace

void mapLargeBlocksApart() {
    (void)mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
}

void giveBackFreeMemory() {
    (void)malloc_trim(0);
}

} // namespace tellwick
