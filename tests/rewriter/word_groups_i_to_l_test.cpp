#include "respell_cases.h"

namespace tellwick {
namespace {

using testing::RespellCase;

TEST(RespellWordGroups, GroupIAndTheIsBlocks) {
    const RespellCase cases[] = {
        {u"impatience", u"impatiencs"},
        {u"an invalid friend", u"an innvalid friend"},
        {u"an invalid password", u"an invalid password"},
        {u"invalid friends", u"invalid friends"},
        {u"invalid", u"invalid"},
        {u"iPhone IDs isis", u"I'phone idz isis"},
        {u"I'll", u"isle"},
        {u"oI'll", u"oI'll"},
        {u"Chapter II of", u"Chapter 2, of"},
        {u"III", u"3,"},
        {u"IV. IV ", u"4,. 4, "},
        {u"IVY ivory Ivan", u"IVY ivory Ivan"},
        {u"IIs", u"2,s"},
        // The blocks compare from where the fired row left the position, and replace its piece.
        {u"IIS.", u"IS ."},
        {u"iiis.", u"is ."},
        {u"This is.", u"This is ."},
        {u"Is.", u"Is."},
        {u"IS.", u"IS ."},
        {u"isis.", u"isis."},
        // After "_" the group runs but the blocks, which need a previous character below "A", do
        // not.
        {u"_ii", u"_2,"},
        {u"_is.", u"_is."},
        {u"world war II", u"world war 2,"},
    };
    testing::expectRespelled(cases);
}

TEST(RespellWordGroups, GroupsJKL) {
    const RespellCase cases[] = {
        {u"Jan. Jan 5 jan", u"jann. jann 5 jann"},
        {u"January Janet", u"January Janet"},
        {u"kinder, Kindergarten", u"kyynder, Kindergarten"},
        {u"Livestock livestream", u"livestock lyvstream"},
        {u"livelihood lived", u"livelihood lived"},
        {u"lively liver", u"lyyvely livver"},
        {u"Leading leaders", u"leading leaders"},
        {u"lead-contaminated", u"led contaminated"},
        {u"libido literati", u"libbeido literarti"},
        {u"L.A.", u"ellaye."},
        {u"Latino latina", u"lateeno lateena"},
        {u"LAX lax Lax", u"LA X lax Lax"},
    };
    testing::expectRespelled(cases);
}

// These depend on the deciders' word lists.
TEST(RespellWordGroups, HeteronymsLiveLeadLearned) {
    const RespellCase cases[] = {
        {u"live band.", u"lyyve band."},
        {u"Live Music", u"lyyve Music"},
        {u"we live here", u"we liv here"},
        {u"their lives are", u"their lyyves are"},
        {u"children's lives", u"children's lyyves"},
        {u"save lives", u"save lyyves"},
        {u"big lives", u"big livs"},
        {u"well, live", u"well, liv"},
        {u"lead pipes", u"led pipes"},
        {u"lead the way", u"lead the way"},
        {u"with leads", u"with leds"},
        {u"she learned the", u"she learnd the"},
        {u"a learned man", u"a learned man"},
        // A consumed word leaves only its first letter for the next decider.
        {u"and/or live", u"and or lyyve"},
        {u"andor live", u"andor liv"},
    };
    testing::expectRespelled(cases);
}

} // namespace
} // namespace tellwick
