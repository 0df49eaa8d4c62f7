#include "rewriter/deciders.h"

// Placeholder until the word lists land.
namespace tellwick {

std::u16string GetNextWd(std::u16string_view) { return {}; }
bool IsWinnd(std::u16string&, std::u16string&) { return true; }
bool IsLyv(std::u16string&, std::u16string&) { return false; }
bool IsLed(std::u16string&, std::u16string&) { return false; }
bool IsLearnd(std::u16string&, std::u16string&) { return false; }
bool IsMinuut(std::u16string&, std::u16string&) { return false; }
bool IsWowned(std::u16string&, std::u16string&) { return false; }
bool IsProjject(std::u16string&, std::u16string&) { return false; }
bool IsRecoord(std::u16string&, std::u16string&) { return false; }
bool IsReed(std::u16string&, std::u16string&) { return false; }
bool IsRed(std::u16string&, std::u16string&) { return false; }
bool IsResjoom(std::u16string&, std::u16string&) { return false; }
bool IsSew(std::u16string&, std::u16string&) { return false; }

} // namespace tellwick
