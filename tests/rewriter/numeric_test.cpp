#include "rewriter/numeric.h"

#include <gtest/gtest.h>

#include <string>

namespace tellwick::rewriter {
namespace {

TEST(NumericTest, AcceptsSignedDecimalsWithSpacesAroundAndNothingElse) {
    const std::pair<std::u16string_view, bool> cases[] = {
        {u"7", true},    {u"1234", true},   {u" 12 ", true},   {u"+1.5", true}, {u"-.5", true},
        {u"5.", true},   {u"", false},      {u"   ", false},   {u".", false},   {u"+", false},
        {u"-.", false},  {u"1.2.3", false}, {u"1,000", false}, {u"1e5", false}, {u"\t1", false},
        {u"1\r", false}, {u"$5", false},    {u"+-1", false},   {u"1 2", false}, {u"\u0661", false},
    };
    for (const auto& [text, numeric] : cases)
        EXPECT_EQ(isNumeric(text), numeric) << std::string(text.begin(), text.end());
}

} // namespace
} // namespace tellwick::rewriter
