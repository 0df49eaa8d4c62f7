#pragma once

#include <string>

namespace tellwick {

// Which reading of a heteronym the words around it call for. Each decider gets the previous word
// (with its trailing separator, as the scanner keeps it) and the next word. Both are normalised in
// place (lower-cased; the previous word also trimmed of spaces), and the caller keeps the
// normalised values. The answer is true when one of the decider's word lists holds a neighbour
// (decideWind: false when one does).
bool decideWind(std::u16string& previousWord, std::u16string& nextWord);
bool decideLive(std::u16string& previousWord, std::u16string& nextWord);
bool decideLead(std::u16string& previousWord, std::u16string& nextWord);
bool decideLearned(std::u16string& previousWord, std::u16string& nextWord);
bool decideMinute(std::u16string& previousWord, std::u16string& nextWord);
bool decideWound(std::u16string& previousWord, std::u16string& nextWord);
bool decideProject(std::u16string& previousWord, std::u16string& nextWord);
bool decideRecord(std::u16string& previousWord, std::u16string& nextWord);
bool decideReadPresent(std::u16string& previousWord, std::u16string& nextWord);
bool decideReadPast(std::u16string& previousWord, std::u16string& nextWord);
bool decideResume(std::u16string& previousWord, std::u16string& nextWord);
bool decideSow(std::u16string& previousWord, std::u16string& nextWord);

} // namespace tellwick
