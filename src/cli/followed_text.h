#pragma once

#include "rewriter/respell.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tellwick {

// The user's text and what the voice reads of it, for showing the user's own words of what is
// heard: the voice tells where in the rewritten text a sentence starts.
class FollowedText {
public:
    FollowedText(std::u16string original, const RespellOptions& options);

    const std::u16string& spoken() const { return respelled_.text; }
    // The user's text of the spoken text from spokenStart to spokenEnd, as one line: line breaks
    // become spaces, and white space at either end goes.
    std::u16string line(std::size_t spokenStart, std::size_t spokenEnd) const;

private:
    std::size_t originalPosition(std::size_t spoken) const;

    std::u16string original_;
    MappedRespelling respelled_;
};

} // namespace tellwick
