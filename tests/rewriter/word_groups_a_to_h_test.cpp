#include "respell_cases.h"

namespace tellwick {
namespace {

using testing::RespellCase;

TEST(RespellWordGroups, GroupA) {
    const RespellCase cases[] = {
        {u"this and/or that", u"this and or that"},
        {u"Arithmetic will", u"arythmetic will"},
        {u"arithmetic is hard", u"arythmetic is hard"},
        {u"their arithmetic", u"their arythmetic"},
        {u"the arithmetic mean", u"the arithmetic mean"},
        {u"arithmetic, is", u"arithmetic, is"},
        {u"arithmetical is", u"arythmetical is"},
        {u"analgesic", u"anelgesic"},
        {u"AD ", u"add "},
        {u"ad, ad. ad?", u"add, add. add?"},
        {u"ad AD ", u"add AD "}, // the space is consumed, so no word starts after it
        {u"an ad", u"an ad"},
        {u"triad ", u"triad "},
        {u"_ad ", u"_add "},
        {u"\u00e9ad ", u"\u00e9add "},
        {u"Al Jazeera", u"el jazzeera"},
        {u"al-qaeda and Al Qaeda", u"el kyda and el kyda"},
        {u"AK-47s", u"A. K. forty sevens"},
        {u"AK-47", u"A. K 47"},
        {u"A. ak", u"A. ak"},
    };
    testing::expectRespelled(cases);
}

TEST(RespellWordGroups, GroupsBToH) {
    const RespellCase cases[] = {
        {u"Bribery", u"brybary"},
        {u"Breathed bowing", u"breathed bowing"},
        {u"basil biden", u"bayzil byden"},
        {u"Binoculars", u"benoculars"},
        {u"BuzzFeed", u"buz feed"},
        {u"5bn", u"5 billion "},
        {u"bnx", u" billion x"},
        {u"'cause it", u"'corze it"},
        {u"because it", u"because it"},
        {u"cause its", u"corze its"},
        {u"covert co-author", u"covvert cooauthor"},
        {u"copped copied copyrighted", u"copped coppied coppirighted"},
        {u"Cholesterol Coffin", u"cholesterol coffin"},
        {u"CO2", u"C O2"},
        {u"co2", u"co2"},
        {u"despicably", u"despiccably"},
        {u"denier", u"den eyer"},
        {u"Dr. Smith", u"doctor Smith"},
        {u"dr. DR.", u"dr. DR."},
        {u"ebook espionage", u"eebook espionarge"},
        {u"Entrepreneurial", u"ontrepreneurial"},
        {u"EM waves", u"electromagnetic waves"},
        {u"EM", u"electromagnetic"},
        {u"EMS em ", u"EMS em "},
        {u"E.U.'s e.u.-wide", u"E. yous E.U. wide"},
        {u"Fe", u"fey"},
        {u"fe2", u"fey2"},
        {u"few", u"few"},
        {u"fiat", u"fee'at"},
        {u"gal/min", u"gallons per min"},
        {u"Gravest", u"gravest"},
        {u"GMT Gm", u"G mT G m"},
        {u"gm", u"gm"},
        {u"Himalayas helicopter", u"himalayas helicopter"},
        {u"Hola", u"ola"},
        {u"heartening", u"hartening"},
    };
    testing::expectRespelled(cases);
}

} // namespace
} // namespace tellwick
