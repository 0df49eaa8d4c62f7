#pragma once

namespace tellwick {

// Blocks of a megabyte and more (a book's text, its rewrite) are mapped apart from the heap, so
// that freeing one gives its memory back to the system at once. Left to itself the allocator
// raises that bound to the largest block freed so far and keeps up to twice as much free at the
// top of each thread's heap, where a book's rewrite would stay for good. For the whole process;
// the window sets it as it starts.
void mapLargeBlocksApart();

// Hands the memory that the program has freed but the allocator keeps back to the system, so that
// a book the window let go of does not stay in its footprint.
void giveBackFreeMemory();

} // namespace tellwick
