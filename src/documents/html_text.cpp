#include "documents/html_text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tellwick {

namespace {

// Elements whose contents a browser never shows as text.
constexpr std::array<std::u16string_view, 6> hiddenElements = {u"script",   u"style",    u"title",
                                                               u"template", u"noscript", u"svg"};

// Elements that start and end a line of their own.
constexpr std::array<std::u16string_view, 38> blockElements = {
    u"address", u"article", u"aside", u"blockquote", u"body",     u"br",         u"caption",
    u"dd",      u"div",     u"dl",    u"dt",         u"fieldset", u"figcaption", u"figure",
    u"footer",  u"form",    u"h1",    u"h2",         u"h3",       u"h4",         u"h5",
    u"h6",      u"header",  u"hr",    u"html",       u"li",       u"main",       u"nav",
    u"ol",      u"p",       u"pre",   u"section",    u"table",    u"td",         u"th",
    u"tr",      u"ul",      u"tbody"};

struct NamedCharacter {
    std::u16string_view name;
    char16_t character;
};

// The named references that ordinary prose uses; any character can also come as a number.
constexpr NamedCharacter namedCharacters[] = {
    {u"amp", u'&'},         {u"lt", u'<'},          {u"gt", u'>'},          {u"quot", u'"'},
    {u"apos", u'\''},       {u"nbsp", u'\u00A0'},   {u"shy", u'\u00AD'},    {u"ndash", u'\u2013'},
    {u"mdash", u'\u2014'},  {u"lsquo", u'\u2018'},  {u"rsquo", u'\u2019'},  {u"sbquo", u'\u201A'},
    {u"ldquo", u'\u201C'},  {u"rdquo", u'\u201D'},  {u"bdquo", u'\u201E'},  {u"hellip", u'\u2026'},
    {u"laquo", u'\u00AB'},  {u"raquo", u'\u00BB'},  {u"copy", u'\u00A9'},   {u"reg", u'\u00AE'},
    {u"trade", u'\u2122'},  {u"deg", u'\u00B0'},    {u"middot", u'\u00B7'}, {u"bull", u'\u2022'},
    {u"times", u'\u00D7'},  {u"divide", u'\u00F7'}, {u"euro", u'\u20AC'},   {u"pound", u'\u00A3'},
    {u"cent", u'\u00A2'},   {u"yen", u'\u00A5'},    {u"sect", u'\u00A7'},   {u"para", u'\u00B6'},
    {u"eacute", u'\u00E9'}, {u"egrave", u'\u00E8'}, {u"ecirc", u'\u00EA'},  {u"euml", u'\u00EB'},
    {u"aacute", u'\u00E1'}, {u"agrave", u'\u00E0'}, {u"acirc", u'\u00E2'},  {u"auml", u'\u00E4'},
    {u"ouml", u'\u00F6'},   {u"uuml", u'\u00FC'},   {u"iuml", u'\u00EF'},   {u"ccedil", u'\u00E7'},
    {u"ntilde", u'\u00F1'}, {u"szlig", u'\u00DF'},  {u"Eacute", u'\u00C9'}, {u"Auml", u'\u00C4'},
    {u"Ouml", u'\u00D6'},   {u"Uuml", u'\u00DC'},   {u"thinsp", u'\u2009'}, {u"ensp", u'\u2002'},
    {u"emsp", u'\u2003'},   {u"zwnj", u'\u200C'},   {u"zwj", u'\u200D'},    {u"frac12", u'\u00BD'},
};

constexpr qsizetype longestReference = 32;

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

template <std::size_t size>
bool among(const std::array<std::u16string_view, size>& names, std::u16string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Walks the page once, writing what it shows.
class HtmlScanner {
public:
    explicit HtmlScanner(QStringView html) : html_(html) {}

    QString text() {
        while (position_ < html_.size()) {
            if (html_[position_] == u'<')
                markup();
            else if (html_[position_] == u'&')
                reference();
            else
                character(html_[position_++]);
        }
        return finished();
    }

private:
    bool nextIs(std::u16string_view expected) const {
        return html_.mid(position_).startsWith(
            QStringView(expected.data(), qsizetype(expected.size())), Qt::CaseInsensitive);
    }
    void skipPast(std::u16string_view end) {
        const qsizetype found = html_.indexOf(QStringView(end.data(), qsizetype(end.size())),
                                              position_, Qt::CaseInsensitive);
        position_ = found < 0 ? html_.size() : found + qsizetype(end.size());
    }

    void markup() {
        if (nextIs(u"<!--"))
            return skipPast(u"-->");
        if (nextIs(u"<![CDATA[")) {
            position_ += 9;
            const qsizetype end = html_.indexOf(u"]]>", position_);
            const qsizetype stop = end < 0 ? html_.size() : end;
            while (position_ < stop)
                character(html_[position_++]);
            position_ = std::min(html_.size(), stop + 3);
            return;
        }
        const qsizetype start = position_ + 1;
        const bool closing = start < html_.size() && html_[start] == u'/';
        qsizetype nameEnd = closing ? start + 1 : start;
        while (nameEnd < html_.size() && isNameCharacter(html_[nameEnd]))
            ++nameEnd;
        const qsizetype nameStart = closing ? start + 1 : start;
        if (nameEnd == nameStart && !closing) {
            // "<!DOCTYPE", "<?xml" and the like are skipped; a lone "<" is text.
            if (start < html_.size() && (html_[start] == u'!' || html_[start] == u'?'))
                return skipPast(u">");
            character(html_[position_++]);
            return;
        }
        const QString name = html_.sliced(nameStart, nameEnd - nameStart).toString().toLower();
        position_ = nameEnd;
        skipAttributes();
        const std::u16string_view element(reinterpret_cast<const char16_t*>(name.utf16()),
                                          std::size_t(name.size()));
        if (among(hiddenElements, element) && !closing) {
            if (html_[position_ - 2] != u'/')
                skipPast(u"</" + name.toStdU16String());
            skipPast(u">");
            return;
        }
        if (among(blockElements, element))
            lineBreak();
        if (element == u"pre")
            preformatted_ += closing ? -1 : 1;
    }

    // Moves past the tag's end, minding quoted values that may hold a '>'.
    void skipAttributes() {
        QChar quote;
        for (; position_ < html_.size(); ++position_) {
            const QChar c = html_[position_];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u'>') {
                ++position_;
                return;
            }
        }
    }

    void reference() {
        const qsizetype start = position_ + 1;
        // References are short: looking further would make a page full of bare "&" slow.
        const qsizetype found = html_.mid(start, longestReference + 1).indexOf(u';');
        const qsizetype end = found < 0 ? -1 : start + found;
        if (end < 0)
            return character(html_[position_++]);
        const QStringView name = html_.sliced(start, end - start);
        char32_t code = 0;
        if (name.startsWith(u'#')) {
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            bool ok = false;
            code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
                code = 0xFFFD;
        } else {
            for (const NamedCharacter& named : namedCharacters) {
                if (name == QStringView(named.name.data(), qsizetype(named.name.size())))
                    code = named.character;
            }
        }
        if (code == 0)
            return character(html_[position_++]);
        position_ = end + 1;
        if (QChar::requiresSurrogates(code)) {
            character(QChar(QChar::highSurrogate(code)));
            character(QChar(QChar::lowSurrogate(code)));
        } else {
            character(QChar(char16_t(code)));
        }
    }

    void character(QChar c) {
        if (preformatted_ > 0) {
            if (c == u'\n')
                return lineBreak(true);
            if (c != u'\r')
                out_ += c;
            return;
        }
        // A no-break space is shown, and kept, as the character it is.
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f') {
            if (!out_.isEmpty() && !out_.endsWith(u' ') && !out_.endsWith(u'\n'))
                out_ += u' ';
            return;
        }
        out_ += c;
    }

    // Ends the line, unless it is empty; a preformatted line break is kept even then.
    void lineBreak(bool always = false) {
        while (out_.endsWith(u' ') && preformatted_ == 0)
            out_.chop(1);
        if (always || (!out_.isEmpty() && !out_.endsWith(u'\n')))
            out_ += u'\n';
    }

    QString finished() {
        lineBreak();
        while (out_.endsWith(u'\n'))
            out_.chop(1);
        return out_;
    }

    QStringView html_;
    qsizetype position_ = 0;
    int preformatted_ = 0;
    QString out_;
};

} // namespace

QString htmlToText(QStringView html) {
    return HtmlScanner(html).text();
}

} // namespace tellwick
