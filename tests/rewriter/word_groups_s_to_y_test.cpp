#include "respell_cases.h"

namespace tellwick {
namespace {

using testing::RespellCase;

TEST(RespellWordGroups, GroupsSToY) {
    const RespellCase cases[] = {
        {u"Sun. sat.", u"Sun . sat ."},
        {u"sun Sunday", u"sun Sunday"},
        {u"sole solemn", u"sol solmn"},
        {u"shone sread", u"shhon s-read"},
        {u"speechifying", u"speechif'i'ing"},
        {u"Tao Taj", u"dow targe"},
        {u"Lao Tse tse TSE", u"Lao Tsee tse TSE"},
        {u"Tel. tel 555 tel", u"tell. tell 555 tell"},
        {u"telephone Telugu", u"telephone Telugu"},
        {u"3tn", u"3 trillion "},
        {u"U.S.-made U.K.-led", u"U.S. made U.K. led"},
        {u"US's u.s.'s U.K.'s", u"U. Eses U. Eses U. Kays"},
        {u"UPS ups Upset", u"UPS upps uppset"},
        {u"vegan Vegan", u"veeggan Veeggan"},
        {u"v/s Vis-a-vis", u"verses visa-v"},
        {u"Wed. wed", u"Wed . wed"},
        {u"Windfall windjammer", u"windfall windjammer"},
        {u"Wi-Fi", u"WiFi"},
        {u"WWI WWII", u"world war 1 WWII"},
        {u"World War III World War II World War I", u"world war 3 world war 2 world war 1"},
        {u"World War IV", u"world war 1V"},
        {u"Xi Yogananda", u"zye yogananda"},
        {u"Zen quiz", u"Zen quiz"},
    };
    testing::expectRespelled(cases);
}

// Words of capitals from IVXLCDM alone are Roman numerals and keep their letters; any other
// letter in the word, or any lower-case one, makes it a word that starts with "xi".
TEST(RespellWordGroups, RomanNumeralsAreNoWordsStartingWithXi) {
    const RespellCase cases[] = {
        {u"Louis XIV.", u"Louis XIV."},
        {u"Pope Pius XI was", u"Pope Pius XI was"},
        {u"XII XIX XI", u"XII XIX XI"},
        {u"XIV's XI2 XI.", u"XIV's XI2 XI."},
        {u"Xi xi xI", u"zye zye zye"},
        {u"Xinjiang XIANG", u"zyenjiang zyeANG"},
        {u"xiv Xiv XIx XIVa", u"zyev zyev zyex zyeVa"},
    };
    testing::expectRespelled(cases);
}

// These depend on the deciders' word lists.
TEST(RespellWordGroups, HeteronymsSowWound) {
    const RespellCase cases[] = {
        {u"sow the seeds", u"sew the seeds"},
        {u"Sowing good", u"Sewing good"},
        {u"will sow", u"will sew"},
        {u"the sow.", u"the sow."},
        {u"wound up", u"wowned up"},
        {u"was Wound", u"was Wowned"},
        {u"a wound.", u"a wound."},
        {u"wounded up", u"wounded up"},
        {u"wind up", u"wind up"},
    };
    testing::expectRespelled(cases);
}

} // namespace
} // namespace tellwick
