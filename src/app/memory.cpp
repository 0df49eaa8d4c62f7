#include "app/memory.h"

#include <malloc.h>

namespace tellwick {

void giveBackFreeMemory() {
    (void)malloc_trim(0);
}

} // namespace tellwick
