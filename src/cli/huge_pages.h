#pragma once

#include <cstddef>

namespace tellwick {

// glibc puts large heap blocks on transparent huge pages only when told so at start-up, through
// GLIBC_TUNABLES. For a text of many megabytes the page faults of the rewriter's fresh buffers
// otherwise take as long as the rewrite itself. So a command about to work on a large input
// starts itself again once with that setting (unless GLIBC_TUNABLES was set already); arguments
// are the command's name and the arguments that follow it. Returns only when it does not restart.
void restartWithHugePages(std::size_t inputBytes, int argc, char** argv);

// The size of a regular file (standard input for an empty path or "-"), or 0.
std::size_t regularFileSize(const char* path);

} // namespace tellwick
