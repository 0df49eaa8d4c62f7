#pragma once

#include <string>
#include <string_view>

namespace tellwick {

// The next word after the current one, read from the 20-character window NxTwy that starts at the
// current word: the characters after exactly one space, up to the first character below "A".
std::u16string GetNextWd(std::u16string_view NxTwy);

// Heteronym deciders. Each gets the previous word LWd (with its trailing separator, as the scanner
// keeps it) and the next word NxWd. Both are normalised in place (lower-cased; LWd also trimmed of
// spaces), and the caller keeps the normalised values. The answer is true when a list matches
// (IsWinnd: false when one matches).
bool IsWinnd(std::u16string& LWd, std::u16string& NxWd);
bool IsLyv(std::u16string& LWd, std::u16string& NxWd);
bool IsLed(std::u16string& LWd, std::u16string& NxWd);
bool IsLearnd(std::u16string& LWd, std::u16string& NxWd);
bool IsMinuut(std::u16string& LWd, std::u16string& NxWd);
bool IsWowned(std::u16string& LWd, std::u16string& NxWd);
bool IsProjject(std::u16string& LWd, std::u16string& NxWd);
bool IsRecoord(std::u16string& LWd, std::u16string& NxWd);
bool IsReed(std::u16string& LWd, std::u16string& NxWd);
bool IsRed(std::u16string& LWd, std::u16string& NxWd);
bool IsResjoom(std::u16string& LWd, std::u16string& NxWd);
bool IsSew(std::u16string& LWd, std::u16string& NxWd);

} // namespace tellwick
