#pragma once

#include <cstddef>
#include <string_view>

namespace tellwick::homographs {

// A reading that a word beside a homograph, its own capital, or a word of its sentence settles
// whatever the learned scores say: a sense rare in encyclopedia text, so the scores seldom see it,
// but plain to any reader ("molten lead", "lead pipes", "a breeding sow", wire wound on a reel,
// "Daggs read four scenes"). The wordid of that reading, or empty where no cue holds. The model
// asks only where grammar does not choose the reading.
std::string_view readingByNeighbour(std::u16string_view text, std::size_t start, std::size_t end);

} // namespace tellwick::homographs
