#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tellwick::pronunciation {

// The small vocabulary the token readers use to look at the user's text: every look past the text's
// ends reads as a zero character, and every look back or over a word is bounded, so that reading a
// token costs a bounded amount beyond the token itself.
class TextScan {
public:
    explicit TextScan(std::u16string_view text) : text_(text) {}

    std::u16string_view text() const { return text_; }
    std::size_t size() const { return text_.size(); }
    char16_t at(std::size_t i) const { return i < text_.size() ? text_[i] : u'\0'; }
    std::u16string_view slice(std::size_t begin, std::size_t end) const {
        return text_.substr(begin, end - begin);
    }

    static bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
    static bool isUpper(char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7');
    }
    static bool isLower(char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'\u00DF' && c <= u'\u00FF' && c != u'\u00F7');
    }
    // Letters of any script count, so that a number glued to a word of another script is no token.
    static bool isLetter(char16_t c) {
        if (c < 0x80)
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        return isUpper(c) || isLower(c) || (c >= u'\u0100' && !isSpace(c) && !isPunctuation(c));
    }
    static bool isWordCharacter(char16_t c) { return isDigit(c) || isLetter(c); }
    static bool isSpace(char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v' ||
               c == u'\u00A0' || c == u'\u2029' || c == u'\u2028' || c == u'\u202F' ||
               c == u'\u2009';
    }
    static bool isDash(char16_t c) { return c == u'-' || c == u'\u2013' || c == u'\u2014'; }
    static bool isApostrophe(char16_t c) { return c == u'\'' || c == u'\u2019'; }
    static bool isPunctuation(char16_t c) {
        return (c >= u'\u2010' && c <= u'\u205E') || c == u'\u2212' || c == u'\u00B0' ||
               c == u'\u20AC' || c == u'\u00A2' || c == u'\u00A3' || c == u'\u00A5' ||
               (c >= u'\u3000' && c <= u'\u303F');
    }

    std::size_t digitsEnd(std::size_t i) const {
        while (i < text_.size() && isDigit(text_[i]))
            ++i;
        return i;
    }
    // The end of the run of digits at i when it has at most most digits, else i itself.
    std::size_t shortDigitsEnd(std::size_t i, std::size_t most) const {
        std::size_t end = i;
        while (end < text_.size() && isDigit(text_[end]) && end - i <= most)
            ++end;
        return end - i <= most ? end : i;
    }
    std::size_t lettersEnd(std::size_t i, std::size_t most = 32) const {
        const std::size_t limit = std::min(text_.size(), i + most + 1);
        while (i < limit && isLetter(text_[i]))
            ++i;
        return i;
    }
    std::size_t spacesEnd(std::size_t i) const {
        const std::size_t limit = std::min(text_.size(), i + 8);
        while (i < limit && (text_[i] == u' ' || text_[i] == u'\u00A0'))
            ++i;
        return i;
    }
    // Nothing that would join the end of a token to a word: a letter, a digit, or a decimal
    // point or separator before a digit.
    bool endsWord(std::size_t i) const {
        const char16_t c = at(i);
        if (isWordCharacter(c))
            return false;
        return !((c == u'.' || c == u',' || c == u':' || c == u'/') && isDigit(at(i + 1)));
    }
    // What a token may start after: the text's start, white space or an opening mark.
    bool startsWord(std::size_t i) const {
        if (i == 0)
            return true;
        const char16_t c = text_[i - 1];
        // After a prefix's hyphen: "mid-1990s", "pre-1945".
        if (c == u'-' && i >= 2 && isLetter(text_[i - 2]))
            return true;
        return isSpace(c) || c == u'(' || c == u'[' || c == u'{' || c == u'"' || c == u'\u201C' ||
               c == u'\u2018' || c == u'\u00AB' || c == u'\u2014' || c == u'\u2013';
    }

    // The word that ends where only spaces separate it from i ([begin, end), empty when there is
    // punctuation or nothing before).
    std::u16string_view wordBefore(std::size_t i) const {
        std::size_t end = i;
        const std::size_t stop = i > 8 ? i - 8 : 0;
        while (end > stop && (text_[end - 1] == u' ' || text_[end - 1] == u'\u00A0'))
            --end;
        if (end == i && i != 0)
            return text_.substr(i, 0);
        return lettersBefore(end);
    }
    std::size_t wordBeforeStart(std::size_t i) const {
        const std::u16string_view word = wordBefore(i);
        return static_cast<std::size_t>(word.data() - text_.data());
    }
    // The letters that end right at i ("mid" before "-1990s").
    std::u16string_view lettersBefore(std::size_t i) const {
        std::size_t begin = i;
        const std::size_t stop = i > 32 ? i - 32 : 0;
        while (begin > stop && isLetter(text_[begin - 1]))
            --begin;
        return slice(begin, i);
    }
    // The letters after the spaces at i.
    std::u16string_view wordAfter(std::size_t i) const {
        const std::size_t begin = spacesEnd(i);
        return slice(begin, lettersEnd(begin));
    }

    static bool equalsIgnoringCase(std::u16string_view word, std::string_view ascii) {
        if (word.size() != ascii.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            char16_t c = word[i];
            if (c >= u'A' && c <= u'Z')
                c = static_cast<char16_t>(c - u'A' + u'a');
            char a = ascii[i];
            if (a >= 'A' && a <= 'Z')
                a = static_cast<char>(a - 'A' + 'a');
            if (c != static_cast<unsigned char>(a))
                return false;
        }
        return true;
    }
    static bool equals(std::u16string_view word, std::string_view ascii) {
        return std::equal(word.begin(), word.end(), ascii.begin(), ascii.end(),
                          [](char16_t c, char a) { return c == static_cast<unsigned char>(a); });
    }
    static bool isCapitalised(std::u16string_view word) {
        return !word.empty() && isUpper(word[0]);
    }
    // Whether the text at i starts with ascii.
    bool startsWith(std::size_t i, std::string_view ascii) const {
        return i <= text_.size() && equals(text_.substr(i, ascii.size()), ascii);
    }
    // Whether what follows i, past spaces, starts a new sentence: the text's end, a line break,
    // or a capital letter.
    bool sentenceFollows(std::size_t i) const {
        std::size_t next = i;
        const std::size_t limit = std::min(text_.size(), i + 8);
        while (next < limit && isSpace(text_[next])) {
            if (text_[next] == u'\n' || text_[next] == u'\r' || text_[next] == u'\u2029')
                return true;
            ++next;
        }
        if (next >= text_.size())
            return true;
        return next > i &&
               (isUpper(text_[next]) || text_[next] == u'"' || text_[next] == u'\u201C');
    }

    // Whether i, past spaces before it, starts the text or follows a sentence's end.
    bool sentenceStartsAt(std::size_t i) const {
        const std::size_t stop = i > 8 ? i - 8 : 0;
        while (i > stop && text_[i - 1] == u' ')
            --i;
        const char16_t before = i == 0 ? u'.' : text_[i - 1];
        return before == u'.' || before == u'!' || before == u'?' || before == u'\n' ||
               before == u'\r' || before == u'\u2029';
    }

private:
    std::u16string_view text_;
};

} // namespace tellwick::pronunciation
