#include "pronunciation/number_readers.h"
#include "pronunciation/number_words.h"

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

// Denominators people name; any other a/b is left as written ("9/11", "24/7").
constexpr long long namedDenominators[] = {2, 3, 4, 5, 6, 8, 10, 12, 16, 32, 64, 100};

constexpr std::string_view ordinalEndings[] = {"st", "nd", "rd", "th", "ST", "ND", "RD", "TH"};

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

} // namespace

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

} // namespace tellwick::pronunciation
