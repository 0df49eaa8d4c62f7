#include "pronunciation/number_words.h"

#include <array>

namespace tellwick::pronunciation {

namespace {

constexpr std::array<std::string_view, 20> smallNumbers = {
    "zero",     "one",     "two",     "three",     "four",     "five",    "six",
    "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr std::array<std::string_view, 10> tens = {"",      "",      "twenty",  "thirty", "forty",
                                                   "fifty", "sixty", "seventy", "eighty", "ninety"};
// Each name stands for three more digits; a number longer than the last one reaches is read digit
// by digit, as people read such strings.
constexpr std::array<std::string_view, 7> thousandsNames = {
    "", "thousand", "million", "billion", "trillion", "quadrillion", "quintillion"};
constexpr std::size_t namedDigits = 3 * thousandsNames.size();

// The ordinal of a number's last word, where it is not the word with "th".
struct OrdinalEnding {
    std::string_view cardinal;
    std::string_view ordinal;
};
constexpr OrdinalEnding irregularOrdinals[] = {
    {"one", "first"},    {"two", "second"}, {"three", "third"},    {"five", "fifth"},
    {"eight", "eighth"}, {"nine", "ninth"}, {"twelve", "twelfth"},
};

// The denominators that are not simply the ordinal: a half, a quarter.
struct FractionName {
    int denominator;
    std::string_view singular;
    std::string_view plural;
};
constexpr FractionName fractionNames[] = {{2, "half", "halves"}, {4, "quarter", "quarters"}};

// 0 < value < 1000.
void appendBelowThousand(std::string& out, int value) {
    if (value >= 100) {
        appendWord(out, smallNumbers[static_cast<std::size_t>(value / 100)]);
        appendWord(out, "hundred");
        value %= 100;
    }
    if (value == 0)
        return;
    if (value < 20) {
        appendWord(out, smallNumbers[static_cast<std::size_t>(value)]);
        return;
    }
    appendWord(out, tens[static_cast<std::size_t>(value / 10)]);
    if (value % 10 != 0) {
        out += '-';
        out += smallNumbers[static_cast<std::size_t>(value % 10)];
    }
}

int digitAt(std::u16string_view digits, std::size_t i) {
    return digits[i] - u'0';
}

std::size_t lastWordStart(const std::string& out) {
    const std::size_t space = out.find_last_of(" -");
    return space == std::string::npos ? 0 : space + 1;
}

} // namespace

void appendWord(std::string& out, std::string_view word) {
    if (!out.empty() && out.back() != ' ' && out.back() != '-')
        out += ' ';
    out += word;
}

long long digitsValue(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 18)
        return -1;
    long long value = 0;
    for (std::size_t i = 0; i < digits.size(); ++i)
        value = value * 10 + digitAt(digits, i);
    return value;
}

void appendDigitNames(std::string& out, std::u16string_view digits) {
    for (std::size_t i = 0; i < digits.size(); ++i)
        appendWord(out, smallNumbers[static_cast<std::size_t>(digitAt(digits, i))]);
}

void appendCardinal(std::string& out, std::u16string_view digits) {
    if (digits.size() > 1 && digits[0] == u'0') {
        appendDigitNames(out, digits);
        return;
    }
    if (digits.size() > namedDigits) {
        // Digits with spaces between them: the voice reads each as its name, and a text of
        // millions of digits stays twice its size rather than six times.
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
            out += static_cast<char>(digits[i]);
        }
        return;
    }
    if (digits.find_first_not_of(u'0') == std::u16string_view::npos) {
        appendWord(out, "zero");
        return;
    }
    std::size_t group = (digits.size() + 2) / 3;
    std::size_t begin = 0;
    std::size_t length = digits.size() - 3 * (group - 1);
    for (; group > 0; --group) {
        int value = 0;
        for (std::size_t i = begin; i < begin + length; ++i)
            value = value * 10 + digitAt(digits, i);
        if (value != 0) {
            appendBelowThousand(out, value);
            if (group > 1)
                appendWord(out, thousandsNames[group - 1]);
        }
        begin += length;
        length = 3;
    }
}

void appendOrdinal(std::string& out, std::u16string_view digits) {
    appendCardinal(out, digits);
    const std::size_t start = lastWordStart(out);
    const std::string_view last = std::string_view(out).substr(start);
    for (const OrdinalEnding& ending : irregularOrdinals) {
        if (last == ending.cardinal) {
            out.replace(start, std::string::npos, ending.ordinal);
            return;
        }
    }
    if (!out.empty() && out.back() == 'y') {
        out.pop_back();
        out += "ieth";
    } else if (!out.empty() && out.back() >= 'a' && out.back() <= 'z') {
        out += "th";
    }
}

void appendYear(std::string& out, std::u16string_view digits) {
    const long long year = digitsValue(digits);
    if (digits.size() != 4 || digits[0] == u'0' || year < 0) {
        appendCardinal(out, digits);
        return;
    }
    const int century = static_cast<int>(year / 100);
    const int rest = static_cast<int>(year % 100);
    // The years of a new millennium's first decade are said as thousands, "two thousand five".
    if (century % 10 == 0 && rest < 10) {
        appendCardinal(out, digits);
        return;
    }
    appendBelowThousand(out, century);
    if (rest == 0) {
        appendWord(out, "hundred");
    } else if (rest < 10) {
        appendWord(out, "oh");
        appendWord(out, smallNumbers[static_cast<std::size_t>(rest)]);
    } else {
        appendBelowThousand(out, rest);
    }
}

void appendDecimal(std::string& out, std::u16string_view whole, std::u16string_view fraction) {
    if (whole.empty())
        appendWord(out, "zero");
    else
        appendCardinal(out, whole);
    if (fraction.empty())
        return;
    appendWord(out, "point");
    appendDigitNames(out, fraction);
}

void appendFraction(std::string& out, std::u16string_view numerator,
                    std::u16string_view denominator) {
    appendCardinal(out, numerator);
    appendFractionName(out, denominator, digitsValue(numerator) != 1);
}

void appendFractionName(std::string& out, std::u16string_view denominator, bool plural) {
    const long long below = digitsValue(denominator);
    for (const FractionName& name : fractionNames) {
        if (below == name.denominator) {
            appendWord(out, plural ? name.plural : name.singular);
            return;
        }
    }
    appendOrdinal(out, denominator);
    if (plural)
        out += 's';
}

void pluraliseLastWord(std::string& out) {
    if (out.empty())
        return;
    if (out.back() == 'y') {
        out.pop_back();
        out += "ies";
    } else {
        out += 's';
    }
}

} // namespace tellwick::pronunciation
