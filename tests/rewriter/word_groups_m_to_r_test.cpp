#include "respell_cases.h"

namespace tellwick {
namespace {

using testing::RespellCase;

TEST(RespellWordGroups, GroupsMToR) {
    const RespellCase cases[] = {
        {u"multiply disabled", u"multipley disabled"},
        {u"Multiply Disabled", u"Multipley Disabled"},
        {u"multiply things", u"multiply things"},
        {u"Taj Mahal", u"targe mahharl"},
        {u"Mr. Smith", u"mister Smith"},
        {u"MR. Mrs.", u"mister misses"},
        {u"Marijuana Mercury", u"marijuana merkyury"},
        {u"Mm mm MM", u"mirm mm MM"},
        // The space after "mi" is consumed, so the next word is no word start.
        {u"mi covert", u"me covert"},
        {u"5mn", u"5 million "},
        {u"mn", u" million "},
        {u"mnemonic", u"mnemonic"},
        {u"No.5 no.", u"no .5 no ."},
        {u"NOAA NYT nyt", u"Noah New York Times nyt"},
        {u"N.Y. N. Y.", u"New York New York"},
        {u"but out", u"but ouut"},
        {u"but outside", u"but ouutside"},
        {u"But out", u"But out"},
        {u"but, out", u"but, out"},
        {u"op-ed op, op. op ", u"opp-ed opp, opp. opp "},
        {u"op", u"op"},
        {u"Obama Oceana", u"obama oceana"},
        {u"paradigm Pakistan", u"paradigm pakistan"},
        {u"philistine", u"phil'istyyne"},
        {u"Ph.D.", u"phd."},
        {u"Paypal per se", u"pay pal per say"},
        {u"to present", u"to presennt"},
        {u"To Present", u"To presennt"},
        {u"the present", u"the present"},
        {u"no record", u"no reckerd"},
        {u"all records", u"all reckerds"},
        {u"Some Record", u"Some reckerd"},
        {u"router respite", u"router respite"},
        {u"Real Reality real REAL", u"real reality real REAL"},
    };
    testing::expectRespelled(cases);
}

// These depend on the deciders' word lists.
TEST(RespellWordGroups, HeteronymsMinuteProjectRecordReadResume) {
    const RespellCase cases[] = {
        {u"minute amounts", u"myynyoot amounts"},
        {u"with minutes", u"with myynyoots"},
        {u"a minute ago", u"a minute ago"},
        {u"a Minute ago", u"a minute ago"},
        {u"they project the", u"they progect the"},
        {u"the project", u"the project"},
        {u"record a", u"reeck'ord a"},
        {u"Will Record", u"Will reeck'ord"},
        {u"a record", u"a record"},
        {u"please read", u"please reed"},
        {u"I've read", u"I've red"},
        {u"Ive reading", u"Ive reding"},
        {u"I read", u"I read"},
        {u"resume working", u"resjoome working"},
        {u"will resumed", u"will resjoomed"},
        {u"my resume", u"my resume"},
    };
    testing::expectRespelled(cases);
}

} // namespace
} // namespace tellwick
