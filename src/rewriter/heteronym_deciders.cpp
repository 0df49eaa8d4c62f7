#include "rewriter/heteronym_deciders.h"

#include "rewriter/decider.h"

// The word lists of the heteronym deciders. Each list keeps the order in which its words were
// collected; the order does not change any answer.
namespace tellwick {

namespace {

using decider::Neighbour;
using decider::Rules;
using decider::Test;
using Word = std::u16string_view;

constexpr Word wordsAfterWind[] = {u"back", u"around", u"its",  u"that", u"up",  u"down",
                                   u"the",  u"my",     u"your", u"one",  u"his", u"her",
                                   u"them", u"their",  u"me",   u"you"};
constexpr Test windTests[] = {{Neighbour::Next, wordsAfterWind}};

constexpr Word wordsAfterLive[] = {
    u"is",     u"was",     u"were",     u"band",      u"audio",    u"video",      u"action",
    u"bands",  u"bait",    u"dolphins", u"dolphin",   u"need",     u"can",        u"often",
    u"rarely", u"shall",   u"just",     u"should",    u"must",     u"never",      u"always",
    u"dont",   u"do",      u"don",      u"we",        u"people",   u"will",       u"are",
    u"have",   u"stream",  u"animal",   u"animals",   u"that",     u"matter",     u"of",
    u"gig",    u"concert", u"music",    u"broadcast", u"concerts", u"broadcasts", u"event",
    u"events", u"theater", u"from",     u"gigs"};
constexpr Word wordsBeforeLive[] = {
    u"professional", u"everyday",  u"daily",      u"where",        u"when",
    u"is",           u"are",       u"put",        u"puts",         u"my",
    u"his",          u"her",       u"their",      u"air",          u"videoed",
    u"seen",         u"caught",    u"videotaped", u"taped",        u"shot",
    u"filmed",       u"recorded",  u"between",    u"of",           u"notable",
    u"chaotic",      u"happy",     u"major",      u"day",          u"any",
    u"no",           u"former",    u"present",    u"current",      u"previous",
    u"subsequent",   u"a",         u"human",      u"working",      u"own",
    u"sustaining",   u"living",    u"your",       u"live",         u"fulfilling",
    u"rewarding",    u"coming",    u"broadcast",  u"broadcasting", u"our",
    u"many",         u"the",       u"s",          u"childrens",    u"peoples",
    u"erotic",       u"desperate", u"distorted",  u"sex",          u"adolescent",
    u"spiritual",    u"religious", u"economic",   u"political",    u"save",
    u"saves",        u"destroy",   u"destroys",   u"ruin",         u"ruins",
    u"shorten",      u"end",       u"extend",     u"prolong",      u"unprofessional",
    u"private",      u"public",    u"better"};
constexpr Test liveTests[] = {{Neighbour::Next, wordsAfterLive},
                              {Neighbour::Previous, wordsBeforeLive}};

constexpr Word wordsAfterLead[] = {u"contaminated", u"contamination", u"poisoning", u"poisoned",
                                   u"weight",       u"weights",       u"pipe",      u"pipes",
                                   u"piping",       u"based",         u"paint",     u"paints",
                                   u"level",        u"levels",        u"toxicity"};
constexpr Word wordsBeforeLead[] = {u"from", u"of", u"with", u"has", u"have"};
constexpr Test leadTests[] = {{Neighbour::Next, wordsAfterLead},
                              {Neighbour::Previous, wordsBeforeLead}};

constexpr Word wordsAfterLearned[] = {u"from",  u"much", u"many",  u"a",      u"the",
                                      u"of",    u"to",   u"about", u"things", u"what",
                                      u"where", u"how",  u"very",  u"little", u"nothing"};
constexpr Word wordsBeforeLearned[] = {u"she", u"he",   u"i",    u"you",
                                       u"we",  u"they", u"have", u"had"};
constexpr Test learnedTests[] = {{Neighbour::Next, wordsAfterLearned},
                                 {Neighbour::Previous, wordsBeforeLearned}};

constexpr Word wordsAfterMinute[] = {
    u"amount",   u"amounts", u"quantity", u"quantities", u"speck",     u"specks",   u"microbe",
    u"microbes", u"virus",   u"viruses",  u"bacteria",   u"bacterium", u"particle", u"particles"};
constexpr Word wordsBeforeMinute[] = {u"with", u"from", u"has", u"have", u"is", u"are"};
constexpr Test minuteTests[] = {{Neighbour::Next, wordsAfterMinute},
                                {Neighbour::Previous, wordsBeforeMinute}};

constexpr Word wordsAfterWound[] = {u"steeply", u"deeply", u"deep",    u"deeper", u"wire",
                                    u"coil",    u"coils",  u"string",  u"around", u"through",
                                    u"up",      u"down",   u"tightly", u"loosly", u"carefully"};
constexpr Word wordsBeforeWound[] = {u"is",     u"was",       u"be",    u"tightly",
                                     u"loosly", u"carefully", u"neatly"};
constexpr Test woundTests[] = {{Neighbour::Next, wordsAfterWound},
                               {Neighbour::Previous, wordsBeforeWound}};

constexpr Word wordsAfterProject[] = {u"a", u"the", u"an"};
constexpr Word wordsBeforeProject[] = {u"i", u"you", u"we", u"they", u"others"};
constexpr Test projectTests[] = {{Neighbour::Next, wordsAfterProject},
                                 {Neighbour::Previous, wordsBeforeProject}};

constexpr Word wordsAfterRecord[] = {u"a", u"the", u"an", u"some", u"your", u"our", u"their"};
constexpr Word wordsBeforeRecord[] = {u"i", u"you", u"we", u"they", u"will"};
constexpr Test recordTests[] = {{Neighbour::Next, wordsAfterRecord},
                                {Neighbour::Previous, wordsBeforeRecord}};

constexpr Word wordsBeforeReadPresent[] = {u"so",  u"click", u"now", u"please", u"kindly", u"to",
                                           u"the", u"a",     u"our", u"your",   u"will"};
constexpr Test readPresentTests[] = {{Neighbour::Previous, wordsBeforeReadPresent}};

constexpr Word wordsBeforeReadPast[] = {u"ve", u"subsequently", u"ive", u"weve", u"theyve"};
constexpr Test readPastTests[] = {{Neighbour::Previous, wordsBeforeReadPast}};

constexpr Word wordsAfterResume[] = {u"working", u"operations", u"work",  u"recording", u"play",
                                     u"using",   u"when",       u"again", u"once"};
constexpr Word wordsBeforeResume[] = {u"will",   u"shall", u"please", u"kindly", u"to",  u"be",
                                      u"should", u"could", u"can",    u"he",     u"she", u"they"};
constexpr Test resumeTests[] = {{Neighbour::Next, wordsAfterResume},
                                {Neighbour::Previous, wordsBeforeResume}};

constexpr Word wordsAfterSow[] = {u"her",   u"their", u"his",  u"the",
                                  u"seeds", u"seed",  u"good", u"bad"};
constexpr Word wordsBeforeSow[] = {u"but",     u"and",     u"people",  u"populace", u"person",
                                   u"enemies", u"friends", u"friened", u"enemy",    u"will"};
constexpr Test sowTests[] = {{Neighbour::Next, wordsAfterSow},
                             {Neighbour::Previous, wordsBeforeSow}};

} // namespace

// Starts from yes and never looks at the previous word.
bool decideWind(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide(
        {.tests = windTests, .answerWhenNoneHolds = true, .readsPrevious = false}, previousWord,
        nextWord);
}

bool decideLive(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({liveTests}, previousWord, nextWord);
}

bool decideLead(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({leadTests}, previousWord, nextWord);
}

bool decideLearned(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({learnedTests}, previousWord, nextWord);
}

bool decideMinute(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({minuteTests}, previousWord, nextWord);
}

bool decideWound(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({woundTests}, previousWord, nextWord);
}

bool decideProject(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({projectTests}, previousWord, nextWord);
}

bool decideRecord(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({recordTests}, previousWord, nextWord);
}

bool decideReadPresent(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({readPresentTests}, previousWord, nextWord);
}

bool decideReadPast(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({readPastTests}, previousWord, nextWord);
}

bool decideResume(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({resumeTests}, previousWord, nextWord);
}

bool decideSow(std::u16string& previousWord, std::u16string& nextWord) {
    return decider::decide({sowTests}, previousWord, nextWord);
}

} // namespace tellwick
