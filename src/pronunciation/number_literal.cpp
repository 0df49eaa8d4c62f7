#include "pronunciation/number_literal.h"

#include "pronunciation/number_words.h"

namespace tellwick::pronunciation {

namespace {

bool isSign(char16_t c) {
    return c == u'-' || c == u'\u2212';
}

} // namespace

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

bool looksLikeYear(const NumberLiteral& number) {
    const long long value = digitsValue(number.whole);
    return number.integer() && !number.negative && !number.separated && number.whole.size() == 4 &&
           value >= 1000 && value <= 2099;
}

} // namespace tellwick::pronunciation
