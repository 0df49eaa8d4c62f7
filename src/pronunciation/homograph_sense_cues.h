#pragma once

#include <cstddef>
#include <string_view>

namespace tellwick::homographs {

// A reading that one word right beside a homograph settles whatever its grammar says: a sense
// rare in encyclopedia text, so the learned scores seldom see it, but plain to any reader ("molten
// lead", "lead pipes", "a breeding sow"). The wordid of that reading, or empty where no cue holds.
std::string_view readingByNeighbour(std::u16string_view text, std::size_t start, std::size_t end);

} // namespace tellwick::homographs
