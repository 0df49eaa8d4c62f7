#include "pronunciation/date_words.h"
#include "pronunciation/number_words.h"
#include "pronunciation/token_readers.h"

#include <array>

namespace tellwick::pronunciation {

namespace {

struct Currency {
    char16_t symbol;
    std::string_view one;
    std::string_view many;
    std::string_view hundredthOne;
    std::string_view hundredthMany;
};
constexpr Currency currencies[] = {
    {u'$', "dollar", "dollars", "cent", "cents"},
    {u'\u00A3', "pound", "pounds", "penny", "pence"},
    {u'\u20AC', "euro", "euros", "cent", "cents"},
    {u'\u00A5', "yen", "yen", "sen", "sen"},
};
constexpr char16_t centSign = u'\u00A2';

// What follows an amount of money to multiply it: "$1.5bn", "€3 million".
struct Scale {
    std::string_view written;
    std::string_view words;
    bool glued; // written right after the number; otherwise after a space
};
constexpr Scale scales[] = {
    {"k", "thousand", true},       {"K", "thousand", true},       {"m", "million", true},
    {"M", "million", true},        {"mn", "million", true},       {"bn", "billion", true},
    {"B", "billion", true},        {"tn", "trillion", true},      {"thousand", "thousand", false},
    {"million", "million", false}, {"billion", "billion", false}, {"trillion", "trillion", false},
};

// Units written after a number. Case matters: "m" is a metre, "M" is not a unit here.
struct Unit {
    std::u16string_view symbol;
    std::string_view one;
    std::string_view many;
    bool spaced; // also written after a space
};
constexpr Unit units[] = {
    {u"km/h", "kilometer per hour", "kilometers per hour", true},
    {u"kph", "kilometer per hour", "kilometers per hour", true},
    {u"mph", "mile per hour", "miles per hour", true},
    {u"kg", "kilogram", "kilograms", true},
    {u"mg", "milligram", "milligrams", true},
    {u"g", "gram", "grams", true},
    {u"km", "kilometer", "kilometers", true},
    {u"cm", "centimeter", "centimeters", true},
    {u"mm", "millimeter", "millimeters", true},
    {u"m", "meter", "meters", true},
    {u"ml", "milliliter", "milliliters", true},
    {u"mL", "milliliter", "milliliters", true},
    {u"l", "liter", "liters", true},
    {u"L", "liter", "liters", true},
    {u"\u00B0C", "degree Celsius", "degrees Celsius", true},
    {u"\u00B0F", "degree Fahrenheit", "degrees Fahrenheit", true},
    {u"\u00B0", "degree", "degrees", false},
    {u"TB", "terabyte", "terabytes", true},
    {u"GB", "gigabyte", "gigabytes", true},
    {u"MB", "megabyte", "megabytes", true},
    {u"KB", "kilobyte", "kilobytes", true},
    {u"kB", "kilobyte", "kilobytes", true},
    {u"GHz", "gigahertz", "gigahertz", true},
    {u"MHz", "megahertz", "megahertz", true},
    {u"kHz", "kilohertz", "kilohertz", true},
    {u"Hz", "hertz", "hertz", true},
    {u"kW", "kilowatt", "kilowatts", true},
    {u"kWh", "kilowatt hour", "kilowatt hours", true},
    {u"ft", "foot", "feet", true},
    {u"in.", "inch", "inches", true},
    {u"yd", "yard", "yards", true},
    {u"mi", "mile", "miles", true},
    {u"lb", "pound", "pounds", true},
    {u"lbs", "pound", "pounds", true},
    {u"oz", "ounce", "ounces", true},
    {u"ms", "millisecond", "milliseconds", true},
    {u"hr", "hour", "hours", true},
    {u"hrs", "hour", "hours", true},
    {u"min", "minute", "minutes", true},
    {u"sec", "second", "seconds", true},
};

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

// Denominators people name; any other a/b is left as written ("9/11", "24/7").
constexpr long long namedDenominators[] = {2, 3, 4, 5, 6, 8, 10, 12, 16, 32, 64, 100};

// Telephone numbers: the lengths of their digit groups.
constexpr std::array<std::size_t, 4> telephoneShapes[] = {
    {3, 3, 4, 0},
    {1, 3, 3, 4},
    {3, 4, 0, 0},
};

constexpr std::string_view ordinalEndings[] = {"st", "nd", "rd", "th", "ST", "ND", "RD", "TH"};

// A number as written: optional sign, digits with optional thousands separators, optional
// decimals.
struct NumberLiteral {
    std::size_t end = 0;
    bool negative = false;
    bool separated = false;
    std::u16string whole; // digits only
    std::u16string_view fraction;

    bool integer() const { return fraction.empty(); }
    bool isOne() const { return integer() && whole == u"1"; }
};

bool isSign(char16_t c) {
    return c == u'-' || c == u'\u2212';
}

bool parseNumber(const TextScan& scan, std::size_t i, NumberLiteral& number) {
    number = {};
    if (isSign(scan.at(i)) && TextScan::isDigit(scan.at(i + 1))) {
        number.negative = true;
        ++i;
    }
    std::size_t end = scan.digitsEnd(i);
    if (end == i)
        return false;
    number.whole.assign(scan.slice(i, end));
    // Thousands separators only after a first group of one to three digits, and each group of
    // exactly three: "1,234,567", not "12,34".
    if (end - i <= 3) {
        while (scan.at(end) == u',' && scan.shortDigitsEnd(end + 1, 3) == end + 4 &&
               !TextScan::isDigit(scan.at(end + 4))) {
            number.whole.append(scan.slice(end + 1, end + 4));
            number.separated = true;
            end += 4;
        }
    }
    if (scan.at(end) == u'.' && TextScan::isDigit(scan.at(end + 1))) {
        const std::size_t fractionEnd = scan.digitsEnd(end + 1);
        // A third part ("1.2.3", "192.168.0.1") is a version or an address, not a number.
        if (scan.at(fractionEnd) == u'.' && TextScan::isDigit(scan.at(fractionEnd + 1)))
            return false;
        number.fraction = scan.slice(end + 1, fractionEnd);
        end = fractionEnd;
    }
    number.end = end;
    return true;
}

void appendNumber(std::string& out, const NumberLiteral& number) {
    if (number.negative)
        appendWord(out, "minus");
    appendDecimal(out, number.whole, number.fraction);
}

template <typename Row>
const Row* writtenAt(const TextScan& scan, std::size_t i, const Row* begin, const Row* end,
                     std::string_view Row::*written) {
    const Row* longest = nullptr;
    for (const Row* row = begin; row != end; ++row) {
        const std::string_view text = (*row).*written;
        if (scan.startsWith(i, text) && (!longest || text.size() > (longest->*written).size()))
            longest = row;
    }
    return longest;
}

// "ft", "°C" or " kg" at i (after at most one space), ending a word; *end past it.
const Unit* unitAt(const TextScan& scan, std::size_t i, std::size_t* end) {
    const std::size_t at = scan.spacesEnd(i);
    if (at > i + 1)
        return nullptr;
    const Unit* longest = nullptr;
    for (const Unit& unit : units) {
        if (scan.at(at) != unit.symbol[0])
            continue;
        if ((at == i || unit.spaced) && scan.text().substr(at, unit.symbol.size()) == unit.symbol &&
            scan.endsWord(at + unit.symbol.size()) &&
            (!longest || unit.symbol.size() > longest->symbol.size()))
            longest = &unit;
    }
    if (longest)
        *end = at + longest->symbol.size();
    return longest;
}

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

bool looksLikeYear(const NumberLiteral& number) {
    const long long value = digitsValue(number.whole);
    return number.integer() && !number.negative && !number.separated && number.whole.size() == 4 &&
           value >= 1000 && value <= 2099;
}

bool readTelephone(const TextScan& scan, std::size_t start, SpokenToken& token) {
    std::array<std::u16string_view, 4> groups{};
    std::size_t count = 0;
    std::size_t i = start;
    if (scan.at(i) == u'+' && scan.at(i + 1) == u'1' && !TextScan::isDigit(scan.at(i + 2)))
        ++i;
    bool spacedOnly = true;
    char16_t separator = 0;
    while (count < groups.size()) {
        const bool parenthesised = scan.at(i) == u'(';
        const std::size_t digits = parenthesised ? i + 1 : i;
        const std::size_t end = scan.shortDigitsEnd(digits, 4);
        if (end == digits)
            return false;
        groups[count++] = scan.slice(digits, end);
        i = end;
        if (parenthesised) {
            if (scan.at(i) != u')')
                return false;
            ++i;
            if (scan.at(i) == u' ')
                ++i;
            spacedOnly = false;
            continue;
        }
        const char16_t next = scan.at(i);
        // "1 (800) 555-1234": an area code in brackets after the country's.
        if (next == u' ' && scan.at(i + 1) == u'(' && count == 1) {
            ++i;
            continue;
        }
        if ((next == u'-' || next == u'.' || next == u' ') && TextScan::isDigit(scan.at(i + 1)) &&
            (separator == 0 || separator == next)) {
            separator = next;
            spacedOnly = spacedOnly && next == u' ';
            ++i;
            continue;
        }
        break;
    }
    if (!scan.endsWord(i) || (TextScan::isDash(scan.at(i)) && TextScan::isDigit(scan.at(i + 1))))
        return false;
    bool shaped = false;
    for (const auto& shape : telephoneShapes) {
        bool same = true;
        for (std::size_t g = 0; g < groups.size(); ++g)
            same = same && (g < count ? groups[g].size() == shape[g] : shape[g] == 0);
        // Two groups are a local number only when joined by a hyphen, "555-1234".
        shaped = shaped || (same && (count > 2 || separator == u'-'));
    }
    // Numbers parted by spaces alone are only a telephone number in the full form.
    if (!shaped || (spacedOnly && count < 3))
        return false;
    token.kind = TokenKind::Telephone;
    for (std::size_t g = 0; g < count; ++g) {
        if (g > 0)
            token.words += ',';
        appendDigitNames(token.words, groups[g]);
    }
    token.end = i;
    return true;
}

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

// "3 March 2021", "3rd of March".
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

// "1990s", "1990's", "'90s", "60s".
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

bool readOrdinal(const TextScan& scan, const NumberLiteral& number, SpokenToken& token) {
    if (!number.integer() || number.negative)
        return false;
    for (const std::string_view ending : ordinalEndings) {
        if (scan.startsWith(number.end, ending) && scan.endsWord(number.end + ending.size())) {
            token.kind = TokenKind::Ordinal;
            appendOrdinal(token.words, number.whole);
            token.end = number.end + ending.size();
            return true;
        }
    }
    return false;
}

bool readMoney(const TextScan& scan, std::size_t start, SpokenToken& token) {
    const Currency* currency = nullptr;
    for (const Currency& row : currencies) {
        if (scan.at(start) == row.symbol)
            currency = &row;
    }
    NumberLiteral number;
    if (!currency || !parseNumber(scan, start + 1, number) || number.negative)
        return false;
    std::size_t end = number.end;
    // "$10-$20": the currency is said once, after the range.
    SpokenToken upper;
    if (TextScan::isDash(scan.at(end)) && scan.at(end + 1) == currency->symbol &&
        readMoney(scan, end + 1, upper)) {
        token.kind = TokenKind::Money;
        appendNumber(token.words, number);
        appendWord(token.words, "to");
        appendWord(token.words, upper.words);
        token.end = upper.end;
        return true;
    }
    const Scale* scale = nullptr;
    for (const Scale& row : scales) {
        const std::size_t at = row.glued ? end : end + 1;
        if ((row.glued || scan.at(end) == u' ') && scan.startsWith(at, row.written) &&
            scan.endsWord(at + row.written.size()) &&
            (!scale || row.written.size() > scale->written.size()))
            scale = &row;
    }
    if (scale)
        end = (scale->glued ? end : end + 1) + scale->written.size();
    if (!scan.endsWord(end))
        return false;
    token.kind = TokenKind::Money;
    std::string& out = token.words;
    if (scale) {
        appendDecimal(out, number.whole, number.fraction);
        appendWord(out, scale->words);
        appendWord(out, currency->many);
    } else if (number.fraction.size() == 2) {
        const bool noWhole = number.whole.find_first_not_of(u'0') == std::u16string::npos;
        const bool noCents = number.fraction == u"00";
        if (!noWhole || noCents) {
            appendCardinal(out, number.whole);
            appendWord(out, number.whole == u"1" ? currency->one : currency->many);
        }
        if (!noCents) {
            if (!noWhole)
                appendWord(out, "and");
            appendCardinal(out, number.fraction[0] == u'0' ? number.fraction.substr(1)
                                                           : number.fraction);
            appendWord(out,
                       number.fraction == u"01" ? currency->hundredthOne : currency->hundredthMany);
        }
    } else {
        appendDecimal(out, number.whole, number.fraction);
        appendWord(out, number.isOne() ? currency->one : currency->many);
    }
    token.end = end;
    return true;
}

bool namedDenominator(std::u16string_view digits) {
    const long long value = digitsValue(digits);
    for (const long long named : namedDenominators) {
        if (value == named)
            return true;
    }
    return false;
}

// "3/4" at i with numerator below denominator; *end past it.
bool fractionAt(const TextScan& scan, std::size_t i, std::u16string_view* numerator,
                std::u16string_view* denominator, std::size_t* end) {
    const std::size_t slash = scan.shortDigitsEnd(i, 2);
    if (slash == i || scan.at(slash) != u'/')
        return false;
    const std::size_t below = scan.shortDigitsEnd(slash + 1, 3);
    if (below == slash + 1 || !scan.endsWord(below) || scan.at(below) == u'/')
        return false;
    *numerator = scan.slice(i, slash);
    *denominator = scan.slice(slash + 1, below);
    if (!namedDenominator(*denominator) || digitsValue(*numerator) >= digitsValue(*denominator) ||
        digitsValue(*numerator) == 0)
        return false;
    *end = below;
    return true;
}

// After a number or a range: a unit, a percent sign, or a cent sign.
bool appendQuantity(const TextScan& scan, std::size_t i, bool one, SpokenToken& token) {
    std::size_t end = 0;
    if (scan.at(i) == u'%') {
        token.kind = TokenKind::Percentage;
        appendWord(token.words, "percent");
        token.end = i + 1;
        return true;
    }
    if (scan.at(i) == centSign || (scan.at(i) == u'p' && scan.endsWord(i + 1))) {
        const bool pence = scan.at(i) == u'p';
        token.kind = TokenKind::Money;
        appendWord(token.words, pence ? (one ? "penny" : "pence") : (one ? "cent" : "cents"));
        token.end = i + 1;
        return true;
    }
    if (const Unit* unit = unitAt(scan, i, &end)) {
        // "8 oz. of water": a full stop after the unit within a sentence is the unit's own.
        if (unit->symbol.back() != u'.' && scan.at(end) == u'.' && !scan.sentenceFollows(end + 1))
            ++end;
        token.kind = TokenKind::Measure;
        appendWord(token.words, one ? unit->one : unit->many);
        if (unit->symbol.back() == u'.' && scan.sentenceFollows(end))
            token.words += '.';
        token.end = end;
        return true;
    }
    return false;
}

bool readRange(const TextScan& scan, const NumberLiteral& first, SpokenToken& token) {
    const std::size_t dash = first.end;
    if (!TextScan::isDash(scan.at(dash)) || !TextScan::isDigit(scan.at(dash + 1)) || first.negative)
        return false;
    NumberLiteral second;
    if (!parseNumber(scan, dash + 1, second))
        return false;
    const bool years = looksLikeYear(first) && second.integer() && !second.separated &&
                       (second.whole.size() == 2 || looksLikeYear(second));
    token.kind = TokenKind::Range;
    std::string& out = token.words;
    if (years) {
        appendYear(out, first.whole);
        appendWord(out, "to");
        appendYear(out, second.whole);
    } else {
        appendNumber(out, first);
        appendWord(out, "to");
        appendNumber(out, second);
    }
    token.end = second.end;
    if (!years && appendQuantity(scan, second.end, false, token))
        return true;
    return scan.endsWord(second.end);
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

bool readNumber(const TextScan& scan, std::size_t start, SpokenToken& token) {
    token.words.clear();
    NumberLiteral number;
    if (!parseNumber(scan, start, number))
        return false;
    if (readOrdinal(scan, number, token))
        return true;
    token.words.clear();
    if (readRange(scan, number, token))
        return true;
    token.words.clear();
    if (readYear(scan, start, number, token))
        return true;
    token.words.clear();
    std::string& out = token.words;
    // "1 1/2": a whole number and a fraction.
    std::u16string_view numerator;
    std::u16string_view denominator;
    std::size_t end = 0;
    if (number.integer() && !number.negative && scan.at(number.end) == u' ' &&
        fractionAt(scan, number.end + 1, &numerator, &denominator, &end)) {
        token.kind = TokenKind::Fraction;
        appendCardinal(out, number.whole);
        appendWord(out, "and");
        if (numerator == u"1" && (denominator == u"2" || denominator == u"4")) {
            appendWord(out, "a");
            appendFractionName(out, denominator, false);
        } else {
            appendFraction(out, numerator, denominator);
        }
        token.end = end;
        return true;
    }
    if (!number.negative && fractionAt(scan, start, &numerator, &denominator, &end)) {
        token.kind = TokenKind::Fraction;
        appendFraction(out, numerator, denominator);
        token.end = end;
        appendQuantity(scan, end, false, token);
        token.kind = TokenKind::Fraction;
        return true;
    }
    appendNumber(out, number);
    if (appendQuantity(scan, number.end, number.isOne() && !number.negative, token))
        return true;
    if (!scan.endsWord(number.end))
        return false;
    token.kind = TokenKind::Number;
    token.end = number.end;
    return true;
}

// A character and the words said for it.
struct SignWords {
    char16_t sign;
    std::string_view words;
};

// Symbols read as words before a number: "#1" is "number one", "~5" "about five".
constexpr SignWords numberPrefixes[] = {{u'#', "number"}, {u'~', "about"}, {u'+', "plus"}};

bool readPrefixedNumber(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SignWords& prefix : numberPrefixes) {
        if (scan.at(start) == prefix.sign && TextScan::isDigit(scan.at(start + 1)) &&
            readNumber(scan, start + 1, token)) {
            token.words.insert(0, std::string(prefix.words) + " ");
            return true;
        }
    }
    return false;
}

// "6'2"": a height in feet and inches.
bool readFeetAndInches(const TextScan& scan, std::size_t start, SpokenToken& token) {
    const std::size_t feetEnd = scan.shortDigitsEnd(start, 1);
    const char16_t foot = scan.at(feetEnd);
    if (feetEnd == start || (foot != u'\'' && foot != u'\u2019' && foot != u'\u2032'))
        return false;
    const std::size_t inchesEnd = scan.shortDigitsEnd(feetEnd + 1, 2);
    const char16_t inch = scan.at(inchesEnd);
    if (inchesEnd == feetEnd + 1 || (inch != u'"' && inch != u'\u201D' && inch != u'\u2033') ||
        !scan.endsWord(inchesEnd + 1))
        return false;
    token.kind = TokenKind::Measure;
    appendCardinal(token.words, scan.slice(start, feetEnd));
    appendWord(token.words, scan.slice(start, feetEnd) == u"1" ? "foot" : "feet");
    appendCardinal(token.words, scan.slice(feetEnd + 1, inchesEnd));
    appendWord(token.words, scan.slice(feetEnd + 1, inchesEnd) == u"1" ? "inch" : "inches");
    token.end = inchesEnd + 1;
    return true;
}

// Fractions written as one character.
constexpr SignWords vulgarFractions[] = {
    {u'\u00BD', "one half"},  {u'\u00BC', "one quarter"}, {u'\u00BE', "three quarters"},
    {u'\u2153', "one third"}, {u'\u2154', "two thirds"},  {u'\u215B', "one eighth"},
};

// Signs between spaced operands that the voice would otherwise pass over: "5 > 3".
constexpr SignWords spacedSigns[] = {
    {u'>', "is greater than"}, {u'<', "is less than"},         {u'\u2265', "is at least"},
    {u'\u2264', "is at most"}, {u'\u2260', "is not equal to"}, {u'\u2248', "is about"},
};

bool readSpacedSign(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SignWords& sign : spacedSigns) {
        if (scan.at(start) == sign.sign && start > 0 && scan.at(start - 1) == u' ' &&
            scan.at(start + 1) == u' ') {
            token.kind = TokenKind::Symbol;
            appendWord(token.words, sign.words);
            token.end = start + 1;
            return true;
        }
    }
    return false;
}

// Numbers with a slash said as set phrases.
struct SetPhrase {
    std::string_view written;
    std::string_view words;
};
constexpr SetPhrase setPhrases[] = {{"24/7", "twenty-four seven"},
                                    {"50/50", "fifty-fifty"},
                                    {"9/11", "nine eleven"},
                                    {"911", "nine one one"}};

bool readSetPhrase(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SetPhrase& phrase : setPhrases) {
        if (scan.startsWith(start, phrase.written) &&
            scan.endsWord(start + phrase.written.size())) {
            token.kind = TokenKind::Symbol;
            appendWord(token.words, phrase.words);
            token.end = start + phrase.written.size();
            return true;
        }
    }
    return false;
}

bool readVulgarFraction(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SignWords& fraction : vulgarFractions) {
        if (scan.at(start) == fraction.sign && scan.endsWord(start + 1)) {
            token.kind = TokenKind::Fraction;
            appendWord(token.words, fraction.words);
            token.end = start + 1;
            return true;
        }
    }
    return false;
}

} // namespace

bool readNumberToken(const TextScan& scan, std::size_t start, SpokenToken& token) {
    // Most particular first: a telephone number or a date is also a run of numbers.
    constexpr TokenReader readers[] = {readMoney,          readTelephone,      readNumericDate,
                                       readTime,           readDecade,         readDayMonth,
                                       readPrefixedNumber, readVulgarFraction, readSpacedSign,
                                       readSetPhrase,      readFeetAndInches,  readNumber};
    return readFirstOf(readers, scan, start, token);
}

} // namespace tellwick::pronunciation
