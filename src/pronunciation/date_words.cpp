#include "pronunciation/date_words.h"

#include "pronunciation/number_words.h"

#include <array>

namespace tellwick::pronunciation {

namespace {

struct Month {
    std::string_view name;
    std::string_view abbreviation; // written with a full stop after it
    std::string_view longerAbbreviation;
};
constexpr std::array<Month, 12> months = {{
    {"January", "Jan", ""},
    {"February", "Feb", ""},
    {"March", "Mar", ""},
    {"April", "Apr", ""},
    {"May", "", ""},
    {"June", "Jun", ""},
    {"July", "Jul", ""},
    {"August", "Aug", ""},
    {"September", "Sep", "Sept"},
    {"October", "Oct", ""},
    {"November", "Nov", ""},
    {"December", "Dec", ""},
}};

constexpr std::string_view ordinalEndings[] = {"st", "nd", "rd", "th"};

} // namespace

std::string_view monthName(int month) {
    return month >= 1 && month <= 12 ? months[static_cast<std::size_t>(month - 1)].name : "";
}

int monthAt(const TextScan& scan, std::size_t start, std::size_t* end, bool* abbreviated) {
    // Every month's name starts with one of these.
    if (std::u16string_view(u"JFMASOND").find(scan.at(start)) == std::u16string_view::npos)
        return 0;
    const std::size_t wordEnd = scan.lettersEnd(start, 10);
    const std::u16string_view word = scan.slice(start, wordEnd);
    if (word.empty() || !TextScan::isUpper(word[0]))
        return 0;
    const bool stop = scan.at(wordEnd) == u'.';
    for (std::size_t i = 0; i < months.size(); ++i) {
        const Month& month = months[i];
        if (TextScan::equals(word, month.name)) {
            *end = wordEnd;
            *abbreviated = false;
            return static_cast<int>(i) + 1;
        }
        if (stop && !month.abbreviation.empty() &&
            (TextScan::equals(word, month.abbreviation) ||
             (!month.longerAbbreviation.empty() &&
              TextScan::equals(word, month.longerAbbreviation)))) {
            *end = wordEnd + 1;
            *abbreviated = true;
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

void appendMonthDay(std::string& out, int month, std::u16string_view day,
                    std::u16string_view year) {
    appendWord(out, monthName(month));
    appendOrdinal(out, day.substr(day.size() > 1 && day[0] == u'0' ? 1 : 0));
    if (!year.empty()) {
        out += ',';
        appendYear(out, year);
    }
}

bool dayAt(const TextScan& scan, std::size_t i, std::u16string_view* day, std::size_t* end) {
    const std::size_t digitsEnd = scan.shortDigitsEnd(i, 2);
    const long long value = digitsValue(scan.slice(i, digitsEnd));
    if (digitsEnd == i || value < 1 || value > 31)
        return false;
    std::size_t after = digitsEnd;
    for (const std::string_view ending : ordinalEndings) {
        if (scan.startsWith(after, ending)) {
            after += ending.size();
            break;
        }
    }
    if (!scan.endsWord(after))
        return false;
    *day = scan.slice(i, digitsEnd);
    *end = after;
    return true;
}

bool yearAt(const TextScan& scan, std::size_t i, std::u16string_view* year, std::size_t* end) {
    const std::size_t digitsEnd = scan.shortDigitsEnd(i, 4);
    if (digitsEnd != i + 4 || !scan.endsWord(digitsEnd))
        return false;
    *year = scan.slice(i, digitsEnd);
    *end = digitsEnd;
    return true;
}

} // namespace tellwick::pronunciation
