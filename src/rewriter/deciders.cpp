#include "rewriter/deciders.h"

#include "rewriter/decider.h"

// The word lists of the heteronym deciders. Each list keeps the order in which its words were
// collected; the order does not change any answer.
namespace tellwick {

namespace {

using decider::Neighbour;
using decider::Rules;
using decider::Test;
using Word = std::u16string_view;

constexpr Word winndNext1[] = {u"back", u"around", u"its",  u"that", u"up",  u"down",
                               u"the",  u"my",     u"your", u"one",  u"his", u"her",
                               u"them", u"their",  u"me",   u"you"};
constexpr Test winndTests[] = {{Neighbour::Next, winndNext1}};

constexpr Word lyvNext1[] = {
    u"is",     u"was",     u"were",     u"band",      u"audio",    u"video",      u"action",
    u"bands",  u"bait",    u"dolphins", u"dolphin",   u"need",     u"can",        u"often",
    u"rarely", u"shall",   u"just",     u"should",    u"must",     u"never",      u"always",
    u"dont",   u"do",      u"don",      u"we",        u"people",   u"will",       u"are",
    u"have",   u"stream",  u"animal",   u"animals",   u"that",     u"matter",     u"of",
    u"gig",    u"concert", u"music",    u"broadcast", u"concerts", u"broadcasts", u"event",
    u"events", u"theater", u"from",     u"gigs"};
constexpr Word lyvPrevious2[] = {
    u"professional", u"everyday", u"daily",      u"where",        u"when",
    u"is",           u"are",      u"put",        u"puts",         u"my",
    u"his",          u"her",      u"their",      u"air",          u"videoed",
    u"seen",         u"caught",   u"videotaped", u"taped",        u"shot",
    u"filmed",       u"recorded", u"between",    u"of",           u"notable",
    u"chaotic",      u"happy",    u"major",      u"day",          u"any",
    u"no",           u"former",   u"present",    u"current",      u"previous",
    u"subsequent",   u"a",        u"human",      u"working",      u"own",
    u"sustaining",   u"living",   u"your",       u"live",         u"fulfilling",
    u"rewarding",    u"coming",   u"broadcast",  u"broadcasting", u"our",
    u"many",         u"the",      u"s",          u"childrens",    u"peoples"};
constexpr Word lyvPrevious3[] = {
    u"erotic",    u"desperate",      u"distorted", u"sex",     u"adolescent", u"spiritual",
    u"religious", u"economic",       u"political", u"save",    u"saves",      u"destroy",
    u"destroys",  u"ruin",           u"ruins",     u"shorten", u"end",        u"extend",
    u"prolong",   u"unprofessional", u"private",   u"public",  u"better"};
constexpr Test lyvTests[] = {{Neighbour::Next, lyvNext1},
                             {Neighbour::Previous, lyvPrevious2},
                             {Neighbour::Previous, lyvPrevious3}};

constexpr Word ledNext1[] = {u"contaminated", u"contamination", u"poisoning", u"poisoned",
                             u"weight",       u"weights",       u"pipe",      u"pipes",
                             u"piping",       u"based",         u"paint",     u"paints",
                             u"level",        u"levels",        u"toxicity"};
constexpr Word ledPrevious2[] = {u"from", u"of", u"with", u"has", u"have"};
constexpr Test ledTests[] = {{Neighbour::Next, ledNext1}, {Neighbour::Previous, ledPrevious2}};

constexpr Word learndNext1[] = {u"from",  u"much", u"many",  u"a",      u"the",
                                u"of",    u"to",   u"about", u"things", u"what",
                                u"where", u"how",  u"very",  u"little", u"nothing"};
constexpr Word learndPrevious2[] = {u"she", u"he", u"i", u"you", u"we", u"they", u"have", u"had"};
constexpr Test learndTests[] = {{Neighbour::Next, learndNext1},
                                {Neighbour::Previous, learndPrevious2}};

constexpr Word minuutNext1[] = {u"amount",   u"amounts",   u"quantity", u"quantities", u"speck",
                                u"specks",   u"microbe",   u"microbes", u"virus",      u"viruses",
                                u"bacteria", u"bacterium", u"particle", u"particles"};
constexpr Word minuutPrevious2[] = {u"with", u"from", u"has", u"have", u"is", u"are"};
constexpr Test minuutTests[] = {{Neighbour::Next, minuutNext1},
                                {Neighbour::Previous, minuutPrevious2}};

constexpr Word wownedNext1[] = {u"steeply", u"deeply", u"deep",    u"deeper", u"wire",
                                u"coil",    u"coils",  u"string",  u"around", u"through",
                                u"up",      u"down",   u"tightly", u"loosly", u"carefully"};
constexpr Word wownedPrevious2[] = {u"is",     u"was",       u"be",    u"tightly",
                                    u"loosly", u"carefully", u"neatly"};
constexpr Test wownedTests[] = {{Neighbour::Next, wownedNext1},
                                {Neighbour::Previous, wownedPrevious2}};

constexpr Word projjectNext1[] = {u"a", u"the", u"an"};
constexpr Word projjectPrevious2[] = {u"i", u"you", u"we", u"they", u"others"};
constexpr Test projjectTests[] = {{Neighbour::Next, projjectNext1},
                                  {Neighbour::Previous, projjectPrevious2}};

constexpr Word recoordNext1[] = {u"a", u"the", u"an", u"some", u"your", u"our", u"their"};
constexpr Word recoordPrevious2[] = {u"i", u"you", u"we", u"they", u"will"};
constexpr Test recoordTests[] = {{Neighbour::Next, recoordNext1},
                                 {Neighbour::Previous, recoordPrevious2}};

constexpr Word reedPrevious1[] = {u"so",  u"click", u"now", u"please", u"kindly", u"to",
                                  u"the", u"a",     u"our", u"your",   u"will"};
constexpr Test reedTests[] = {{Neighbour::Previous, reedPrevious1}};

constexpr Word redPrevious1[] = {u"ve", u"subsequently", u"ive", u"weve", u"theyve"};
constexpr Test redTests[] = {{Neighbour::Previous, redPrevious1}};

constexpr Word resjoomNext1[] = {u"working", u"operations", u"work",  u"recording", u"play",
                                 u"using",   u"when",       u"again", u"once"};
constexpr Word resjoomPrevious2[] = {u"will",   u"shall", u"please", u"kindly", u"to",  u"be",
                                     u"should", u"could", u"can",    u"he",     u"she", u"they"};
constexpr Test resjoomTests[] = {{Neighbour::Next, resjoomNext1},
                                 {Neighbour::Previous, resjoomPrevious2}};

constexpr Word sewNext1[] = {u"her", u"their", u"his", u"the", u"seeds", u"seed", u"good", u"bad"};
constexpr Word sewPrevious2[] = {u"but",     u"and",     u"people",  u"populace", u"person",
                                 u"enemies", u"friends", u"friened", u"enemy",    u"will"};
constexpr Test sewTests[] = {{Neighbour::Next, sewNext1}, {Neighbour::Previous, sewPrevious2}};

} // namespace

// Starts from yes and never looks at the previous word.
bool IsWinnd(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide(
        {.tests = winndTests, .answerWhenNoneHolds = true, .readsPrevious = false}, LWd, NxWd);
}

bool IsLyv(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({lyvTests}, LWd, NxWd);
}

bool IsLed(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({ledTests}, LWd, NxWd);
}

bool IsLearnd(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({learndTests}, LWd, NxWd);
}

bool IsMinuut(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({minuutTests}, LWd, NxWd);
}

bool IsWowned(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({wownedTests}, LWd, NxWd);
}

bool IsProjject(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({projjectTests}, LWd, NxWd);
}

bool IsRecoord(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({recoordTests}, LWd, NxWd);
}

bool IsReed(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({reedTests}, LWd, NxWd);
}

bool IsRed(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({redTests}, LWd, NxWd);
}

bool IsResjoom(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({resjoomTests}, LWd, NxWd);
}

bool IsSew(std::u16string& LWd, std::u16string& NxWd) {
    return decider::decide({sewTests}, LWd, NxWd);
}

} // namespace tellwick
