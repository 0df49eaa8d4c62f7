#include "pronunciation/date_words.h"
#include "pronunciation/number_readers.h"
#include "pronunciation/number_words.h"

namespace tellwick::pronunciation {

namespace {

// Words before a number of four digits that make it a year: "in 1949", "since 1990".
constexpr std::string_view yearContexts[] = {
    "in",     "since",  "by",    "from",   "until", "till", "to",  "of",      "circa",
    "during", "before", "after", "around", "year",  "and",  "or",  "between", "spring",
    "summer", "autumn", "fall",  "winter", "early", "late", "mid", "through", "about",
    "c",      "ca",     "born",  "died",   "than",  "the",  "pre", "post",    "mid",
};
// Eras after a year: "44 BC", "1066 AD".
struct Era {
    std::string_view written;
    std::string_view words;
};
constexpr Era eras[] = {{"BC", "BC"}, {"BCE", "B C E"}, {"AD", "AD"}, {"CE", "C E"}};

// Times of day: "7pm", "10:00 a.m.".
struct Meridiem {
    std::string_view written;
    std::string_view words;
};
constexpr Meridiem meridiems[] = {
    {"a.m.", "a.m."}, {"p.m.", "p.m."}, {"A.M.", "a.m."}, {"P.M.", "p.m."},
    {"am", "a.m."},   {"pm", "p.m."},   {"AM", "a.m."},   {"PM", "p.m."},
};

bool yearContextBefore(const TextScan& scan, std::size_t start) {
    const std::u16string_view before = start > 0 && scan.at(start - 1) == u'-'
                                           ? scan.lettersBefore(start - 1)
                                           : scan.wordBefore(start);
    for (const std::string_view word : yearContexts) {
        if (TextScan::equalsIgnoringCase(before, word))
            return true;
    }
    return false;
}

std::size_t meridiemAt(const TextScan& scan, std::size_t i, std::string* words) {
    const std::size_t at = scan.spacesEnd(i);
    if (at > i + 1)
        return 0;
    const Meridiem* found =
        writtenAt(scan, at, std::begin(meridiems), std::end(meridiems), &Meridiem::written);
    if (!found)
        return 0;
    std::size_t end = at + found->written.size();
    if (!scan.endsWord(end) && !(found->written.back() == '.'))
        return 0;
    // "7:30 PM." is said "p.m.", whose own full stop ends the sentence.
    if (found->written.back() != '.' && scan.at(end) == u'.')
        ++end;
    // Written with its full stops, as the voice reads it best; a sentence that ends with it keeps
    // its end.
    appendWord(*words, found->words);
    return end;
}

} // namespace

bool readNumericDate(const TextScan& scan, std::size_t start, SpokenToken& token) {
    // ISO: 2021-03-03.
    std::u16string_view year;
    std::size_t i = 0;
    if (scan.shortDigitsEnd(start, 4) == start + 4 && scan.at(start + 4) == u'-') {
        year = scan.slice(start, start + 4);
        i = start + 4;
        if (scan.at(i) == u'-' && scan.shortDigitsEnd(i + 1, 2) == i + 3 &&
            scan.at(i + 3) == u'-' && scan.shortDigitsEnd(i + 4, 2) == i + 6 &&
            scan.endsWord(i + 6)) {
            const long long month = digitsValue(scan.slice(i + 1, i + 3));
            const long long day = digitsValue(scan.slice(i + 4, i + 6));
            if (month >= 1 && month <= 12 && day >= 1 && day <= 31) {
                token.kind = TokenKind::Date;
                appendMonthDay(token.words, static_cast<int>(month), scan.slice(i + 4, i + 6),
                               year);
                token.end = i + 6;
                return true;
            }
        }
        return false;
    }
    // US: month/day/year; day/month/year where the first cannot be a month.
    const std::size_t firstEnd = scan.shortDigitsEnd(start, 2);
    if (firstEnd == start || scan.at(firstEnd) != u'/')
        return false;
    const std::size_t secondEnd = scan.shortDigitsEnd(firstEnd + 1, 2);
    if (secondEnd == firstEnd + 1 || scan.at(secondEnd) != u'/')
        return false;
    const std::size_t yearEnd = scan.shortDigitsEnd(secondEnd + 1, 4);
    const std::size_t yearDigits = yearEnd - secondEnd - 1;
    if ((yearDigits != 2 && yearDigits != 4) || !scan.endsWord(yearEnd))
        return false;
    std::u16string_view monthDigits = scan.slice(start, firstEnd);
    std::u16string_view day = scan.slice(firstEnd + 1, secondEnd);
    if (digitsValue(monthDigits) > 12)
        std::swap(monthDigits, day);
    const long long month = digitsValue(monthDigits);
    const long long dayValue = digitsValue(day);
    if (month < 1 || month > 12 || dayValue < 1 || dayValue > 31)
        return false;
    token.kind = TokenKind::Date;
    appendMonthDay(token.words, static_cast<int>(month), day, scan.slice(secondEnd + 1, yearEnd));
    token.end = yearEnd;
    return true;
}

bool readDayMonth(const TextScan& scan, std::size_t start, SpokenToken& token) {
    std::u16string_view day;
    std::size_t i = 0;
    if (!dayAt(scan, start, &day, &i) || scan.at(i) != u' ')
        return false;
    std::size_t monthStart = i + 1;
    if (scan.startsWith(monthStart, "of "))
        monthStart += 3;
    bool abbreviated = false;
    const int month = monthAt(scan, monthStart, &i, &abbreviated);
    if (month == 0)
        return false;
    token.kind = TokenKind::Date;
    if (!TextScan::equalsIgnoringCase(scan.wordBefore(start), "the"))
        appendWord(token.words, "the");
    appendOrdinal(token.words, day);
    appendWord(token.words, "of");
    appendWord(token.words, monthName(month));
    std::u16string_view year;
    std::size_t yearEnd = 0;
    const std::size_t yearStart = scan.at(i) == u',' ? i + 2 : i + 1;
    if (scan.at(yearStart - 1) == u' ' && yearAt(scan, yearStart, &year, &yearEnd)) {
        token.words += ',';
        appendYear(token.words, year);
        i = yearEnd;
    }
    token.end = i;
    return true;
}

bool readTime(const TextScan& scan, std::size_t start, SpokenToken& token) {
    const std::size_t hourEnd = scan.shortDigitsEnd(start, 2);
    const long long hour = digitsValue(scan.slice(start, hourEnd));
    if (hourEnd == start || hour > 24)
        return false;
    std::string minutes;
    std::size_t i = hourEnd;
    bool onTheHour = true;
    if (scan.at(i) == u':') {
        if (scan.shortDigitsEnd(i + 1, 2) != i + 3 || TextScan::isDigit(scan.at(i + 3)) ||
            scan.at(i + 3) == u':')
            return false;
        const std::u16string_view digits = scan.slice(i + 1, i + 3);
        const long long minute = digitsValue(digits);
        if (minute > 59)
            return false;
        onTheHour = minute == 0;
        if (minute > 0 && minute < 10) {
            appendWord(minutes, "oh");
            appendDigitNames(minutes, digits.substr(1));
        } else if (minute >= 10) {
            appendCardinal(minutes, digits);
        }
        i += 3;
    }
    std::string meridiem;
    const std::size_t meridiemEnd = meridiemAt(scan, i, &meridiem);
    if (meridiemEnd == 0 && (i == hourEnd || !scan.endsWord(i)))
        return false;
    if (meridiemEnd != 0 && (hour == 0 || hour > 12))
        return false;
    token.kind = TokenKind::Time;
    appendCardinal(token.words, scan.slice(start, hourEnd));
    if (!minutes.empty())
        appendWord(token.words, minutes);
    else if (onTheHour && meridiemEnd == 0)
        appendWord(token.words, hour > 12 || hour == 0 ? "hundred" : "o'clock");
    if (meridiemEnd != 0) {
        appendWord(token.words, meridiem);
        i = meridiemEnd;
    }
    token.end = i;
    return true;
}

bool readDecade(const TextScan& scan, std::size_t start, SpokenToken& token) {
    const bool clipped = TextScan::isApostrophe(scan.at(start));
    const std::size_t digits = clipped ? start + 1 : start;
    const std::size_t end = scan.shortDigitsEnd(digits, 4);
    const std::size_t length = end - digits;
    if ((length != 2 && length != 4) || (clipped && length != 2) || scan.at(end - 1) != u'0')
        return false;
    std::size_t i = end;
    if (TextScan::isApostrophe(scan.at(i)))
        ++i;
    if (scan.at(i) != u's' || !scan.endsWord(i + 1))
        return false;
    const std::u16string_view written = scan.slice(digits, end);
    if (length == 2 && written == u"00")
        return false;
    token.kind = TokenKind::Decade;
    if (length == 4)
        appendYear(token.words, written);
    else
        appendCardinal(token.words, written);
    pluraliseLastWord(token.words);
    token.end = i + 1;
    return true;
}

bool readYear(const TextScan& scan, std::size_t start, const NumberLiteral& number,
              SpokenToken& token) {
    if (!looksLikeYear(number) || !scan.endsWord(number.end))
        return false;
    const std::size_t eraStart = number.end + 1;
    const Era* era = scan.at(number.end) == u' ' ? writtenAt(scan, eraStart, std::begin(eras),
                                                             std::end(eras), &Era::written)
                                                 : nullptr;
    if (era && !scan.endsWord(eraStart + era->written.size()))
        era = nullptr;
    // A number of this size alone before a punctuation mark is most often a year too.
    const char16_t after = scan.at(number.end);
    const bool punctuated = after == u',' || after == u'.' || after == u';' || after == u':' ||
                            after == u')' || after == u'!' || after == u'?' || after == u'\0';
    if (!era && !punctuated && !scan.sentenceStartsAt(start) && !yearContextBefore(scan, start))
        return false;
    // "the 1500 soldiers": after "the", only a year when no plural word follows.
    const std::u16string_view next = scan.wordAfter(number.end);
    if (TextScan::equalsIgnoringCase(scan.wordBefore(start), "the") && !next.empty() &&
        next.back() == u's')
        return false;
    token.kind = TokenKind::Year;
    appendYear(token.words, number.whole);
    token.end = number.end;
    if (era) {
        appendWord(token.words, era->words);
        token.end = eraStart + era->written.size();
    }
    return true;
}

} // namespace tellwick::pronunciation
