#include "rewriter/line_breaks.h"

#include "respell_cases.h"

namespace tellwick {
namespace {

using testing::printable;

TEST(LineBreaks, EveryKindOfBreakBecomesOneLineEnd) {
    struct Case {
        const char* name;
        std::u16string_view text;
        std::u16string_view crLf;
        std::u16string_view lf;
    };
    const Case cases[] = {
        {"CR LF stays one break", u"a\r\nb", u"a\r\nb", u"a\nb"},
        {"a lone CR", u"a\rb", u"a\r\nb", u"a\nb"},
        {"a lone LF", u"a\nb", u"a\r\nb", u"a\nb"},
        {"LF CR is two breaks", u"a\n\rb", u"a\r\n\r\nb", u"a\n\nb"},
        {"a paragraph separator", u"a\u2029b", u"a\r\nb", u"a\nb"},
        {"a line separator", u"a\u2028b", u"a\r\nb", u"a\nb"},
        {"breaks at both ends", u"\r\nab\r", u"\r\nab\r\n", u"\nab\n"},
        {"no break", u"a b\tc", u"a b\tc", u"a b\tc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(printable(text::withCrLfLineBreaks(c.text)), printable(c.crLf)) << c.name;
        EXPECT_EQ(printable(text::withLfLineBreaks(c.text)), printable(c.lf)) << c.name;
    }
}

} // namespace
} // namespace tellwick
