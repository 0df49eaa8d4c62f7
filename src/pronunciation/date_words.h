#pragma once

#include "pronunciation/text_scan.h"

#include <string>
#include <string_view>

namespace tellwick::pronunciation {

// The month a word names (1 to 12): its full name capitalised, or its abbreviation with the full
// stop ("Jan.", "Sept."); 0 for any other word. *end is set past the word and its full stop.
int monthAt(const TextScan& scan, std::size_t start, std::size_t* end, bool* abbreviated);
std::string_view monthName(int month);

// "March third, twenty twenty-one"; year may be empty.
void appendMonthDay(std::string& out, int month, std::u16string_view day, std::u16string_view year);

// A day of the month (1 to 31) at i, with an ordinal ending if it has one; *end past it.
bool dayAt(const TextScan& scan, std::size_t i, std::u16string_view* day, std::size_t* end);

// A year of four digits at i that ends a word; *end past it.
bool yearAt(const TextScan& scan, std::size_t i, std::u16string_view* year, std::size_t* end);

} // namespace tellwick::pronunciation
