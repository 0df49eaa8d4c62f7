#pragma once

namespace tellwick {

// Hands the memory that the program has freed but the allocator keeps back to the system, so that
// a book the window let go of does not stay in its footprint.
void giveBackFreeMemory();

} // namespace tellwick
