#include "speech/heteronym_tables.h"

// The voice's own decisions for the heteronyms that the rewriter copies unchanged. Each row stands
// for a piece of grammar, said in its comment; where the grammar leaves the reading open, no row
// holds and espeak-ng's own reading stands, so a row is only written where the context is strong.
namespace tellwick::heteronyms {

namespace {

using P = Place;

// Words that stand before a noun, never before a bare verb.
constexpr Word determiners[] = {u"a",    u"an",    u"the",  u"this",   u"these", u"those",
                                u"his",  u"her",   u"its",  u"their",  u"our",   u"my",
                                u"your", u"whose", u"each", u"every",  u"no",    u"any",
                                u"'s",   u"s'",    u"one",  u"another"};
// Words after which a verb stands in its plain form (never its past tense or a noun).
constexpr Word plainVerbBefore[] = {
    u"to",     u"will",  u"would",  u"can",    u"could",    u"should",   u"must",      u"may",
    u"might",  u"shall", u"'ll",    u"cannot", u"can't",    u"won't",    u"don't",     u"doesn't",
    u"didn't", u"not",   u"please", u"let",    u"wouldn't", u"couldn't", u"shouldn't", u"mustn't"};
constexpr Word clauseEnd[] = {clauseEdge};

// "read": /ri:d/ is the plain verb, /rEd/ its past tense and participle.
constexpr const char* readPast = "r'Ed";
constexpr const char* readPresent = "r'i:d";
constexpr Word readParticipleBefore[] = {
    u"had",        u"has",          u"have",       u"having", u"'ve",     u"'d",    u"was",
    u"were",       u"been",         u"being",      u"is",     u"are",     u"am",    u"be",
    u"'s",         u"widely",       u"well",       u"never",  u"already", u"once",  u"newly",
    u"rarely",     u"seldom",       u"much",       u"little", u"first",   u"later", u"then",
    u"previously", u"subsequently", u"originally", u"he",     u"she",     u"it"};
constexpr Word readPastAdverbsAfter[] = {u"by", u"widely", u"extensively", u"voraciously"};
// A subject that is one thing ("the king"): with it the present tense would be "reads".
constexpr Word singularDeterminers[] = {u"the", u"a",     u"an",  u"this", u"that", u"his", u"her",
                                        u"its", u"their", u"our", u"my",   u"your", u"'s"};
constexpr Word pluralSubjects[] = {u"-s",    u"people", u"children", u"men",
                                   u"women", u"police", u"public",   u"clergy"};
constexpr Word prepositions[] = {u"of",   u"in",      u"on",    u"at",     u"from",   u"with",
                                 u"for",  u"to",      u"by",    u"across", u"around", u"near",
                                 u"into", u"through", u"about", u"among",  u"under",  u"over"};
constexpr Word plainPastVerbs[] = {
    u"was",  u"were",    u"had",   u"did",   u"became",     u"went",    u"began", u"wrote",
    u"took", u"died",    u"found", u"made",  u"said",       u"gave",    u"came",  u"saw",
    u"knew", u"thought", u"told",  u"left",  u"felt",       u"brought", u"held",  u"kept",
    u"met",  u"sent",    u"spent", u"built", u"fought",     u"taught",  u"grew",  u"rose",
    u"fell", u"chose",   u"spoke", u"later", u"afterwards", u"-ed"};
// "a good read", "an easy read": the noun, said as the plain verb.
constexpr Word aAn[] = {u"a", u"an"};
constexpr Word readNounAdjectives[] = {u"good",        u"great",      u"quick",      u"easy",
                                       u"light",       u"long",       u"short",      u"interesting",
                                       u"fascinating", u"compelling", u"essential",  u"enjoyable",
                                       u"difficult",   u"hard",       u"worthwhile", u"fun"};
constexpr Row readRows[] = {
    {{P::Previous, readNounAdjectives}, {P::SecondPrevious, aAn}, readPresent},
    // After "to", a modal or "do not", only the plain verb can stand.
    {{P::Previous, plainVerbBefore}, {}, readPresent},
    // After "have" and "be" stands the participle; a third person subject would need "reads",
    // and adverbs of completed reading ("widely", "already", "first") go with the participle.
    {{P::Previous, readParticipleBefore}, {}, readPast},
    // A passive's agent, or how widely something was read.
    {{P::Next, readPastAdverbsAfter}, {}, readPast},
    // A subject that is one thing, not many ("the king read").
    {{P::Previous, pluralSubjects}, {P::SecondPrevious, singularDeterminers}, nullptr},
    // Not when the noun is a preposition's object ("the residents of the region read").
    {{P::SecondPrevious, singularDeterminers}, {P::ThirdPrevious, prepositions}, nullptr},
    {{P::SecondPrevious, singularDeterminers}, {}, readPast},
    // A plain past tense later in the same clause: the clause tells of the past.
    {{P::LaterInClause, plainPastVerbs}, {}, readPast},
};

// "sow": /saU/ the female pig, /soU/ (espeak-ng's own) to plant seed.
constexpr const char* sowPig = "s'aU";
constexpr Word sownThings[] = {
    u"seeds",  u"seed",     u"wheat",    u"crops",  u"crop",      u"corn",       u"grain",
    u"barley", u"oats",     u"rice",     u"maize",  u"beans",     u"peas",       u"rye",
    u"grass",  u"discord",  u"doubt",    u"fear",   u"confusion", u"dissension", u"division",
    u"hatred", u"distrust", u"mistrust", u"terror", u"panic",     u"chaos",      u"the",
    u"their",  u"his",      u"her",      u"it",     u"them",      u"a",          u"an",
    u"some",   u"these",    u"those"};
constexpr Word pigBefore[] = {
    u"a",         u"the",       u"this",      u"that",     u"each",    u"every",    u"one",
    u"old",       u"young",     u"breeding",  u"pregnant", u"wild",    u"pet",      u"her",
    u"its",       u"nursing",   u"white",     u"black",    u"fat",     u"champion", u"brood",
    u"lactating", u"gestating", u"farrowing", u"female",   u"another", u"no",       u"any",
    u"his",       u"their",     u"our",       u"my",       u"your",    u"'s"};
constexpr Word pigAfter[] = {
    u"'s",      u"farrowed", u"farrows", u"gave",    u"gives",    u"piglets",  u"litter",
    u"litters", u"bug",      u"bugs",    u"thistle", u"thistles", u"is",       u"was",
    u"has",     u"had",      u"weighs",  u"weighed", u"produces", u"produced", u"suckles",
    u"suckled", u"suckling", u"lies",    u"lay",     u"with"};
constexpr Row sowRows[] = {
    // Before what is sown, or a determiner starting it, the word is the verb.
    {{P::Next, sownThings}, {}, nullptr},
    {{P::Previous, plainVerbBefore}, {}, nullptr},
    // After a determiner or an adjective it is a noun, and the noun is the pig.
    {{P::Previous, pigBefore}, {}, sowPig},
    // A noun subject before its verb, or the pig's kind ("sow bug", "sow thistle").
    {{P::Next, pigAfter}, {}, sowPig},
};
constexpr Row sowPossessiveRows[] = {
    // Only the noun takes a possessive.
    {{}, {}, "s'aUz"},
};

// "lead": /lEd/ the metal, /li:d/ (espeak-ng's own) to guide or the front.
constexpr const char* leadMetal = "l'Ed";
constexpr Word metalNounsAfter[] = {
    u"poisoning", u"poisoned",  u"pipe",       u"pipes",          u"piping",        u"plumbing",
    u"paint",     u"paints",    u"based",      u"acid",           u"shot",          u"ore",
    u"ores",      u"mine",      u"mines",      u"mining",         u"miners",        u"oxide",
    u"dioxide",   u"carbonate", u"acetate",    u"nitrate",        u"sulfide",       u"sulphide",
    u"sulfate",   u"sulphate",  u"chloride",   u"chromate",       u"azide",         u"arsenate",
    u"glass",     u"crystal",   u"alloy",      u"alloys",         u"contamination", u"contaminated",
    u"exposure",  u"levels",    u"content",    u"concentrations", u"smelter",       u"smelters",
    u"smelting",  u"solder",    u"bullet",     u"bullets",        u"roof",          u"roofing",
    u"roofs",     u"weight",    u"weights",    u"sinker",         u"sinkers",       u"pencil",
    u"pencils",   u"free",      u"isotope",    u"isotopes",       u"compound",      u"compounds",
    u"salts",     u"toxicity",  u"pollution",  u"emissions",      u"sheet",         u"sheets",
    u"sheeting",  u"flashing",  u"glaze",      u"glazed",         u"ingot",         u"ingots",
    u"deposits",  u"balloon",   u"apron",      u"aprons",         u"seal",          u"seals",
    u"coffin",    u"white",     u"tetraethyl", u"zinc",           u"silver",        u"tin"};
constexpr Word metalAdjectivesBefore[] = {u"molten",  u"tetraethyl",  u"tetramethyl", u"metallic",
                                          u"red",     u"white",       u"pure",        u"sheet",
                                          u"scrap",   u"cast",        u"inorganic",   u"elemental",
                                          u"organic", u"radioactive", u"melted",      u"metal"};
constexpr Word metals[] = {u"zinc",      u"silver",   u"copper",   u"tin",     u"iron",
                           u"gold",      u"mercury",  u"cadmium",  u"arsenic", u"nickel",
                           u"antimony",  u"bismuth",  u"cobalt",   u"uranium", u"tungsten",
                           u"aluminium", u"aluminum", u"steel",    u"bronze",  u"brass",
                           u"manganese", u"chromium", u"platinum", u"lithium", u"thallium"};
constexpr Word ofAndOr[] = {u"of",       u"and",     u"or",         u"nor",  u"contained",
                            u"contains", u"contain", u"containing", u"with", u"from"};
// A verb cannot be followed by these; a noun subject can.
constexpr Word subjectVerbsAfter[] = {u"is",    u"was",    u"can",     u"could",  u"may",
                                      u"might", u"will",   u"would",   u"should", u"must",
                                      u"has",   u"occurs", u"remains", u"becomes"};
constexpr Word andOr[] = {u"and", u"or", u"nor"};
constexpr Row leadRows[] = {
    // Before what is made of it or done with it ("lead pipes", "lead poisoning").
    {{P::Next, metalNounsAfter}, {}, leadMetal},
    // After what is said only of a metal ("molten lead", "red lead").
    {{P::Previous, metalAdjectivesBefore}, {}, leadMetal},
    // One metal of a list ("zinc and lead", "lead and silver").
    {{P::Previous, metals}, {}, leadMetal},
    {{P::Previous, andOr}, {P::SecondPrevious, metals}, leadMetal},
    {{P::Next, andOr}, {P::SecondNext, metals}, leadMetal},
    // "the lead was" is the front place; elsewhere, a noun subject is the metal ("Lead is").
    {{P::Previous, determiners}, {P::Next, subjectVerbsAfter}, nullptr},
    {{P::Next, subjectVerbsAfter}, {}, leadMetal},
    // A bare noun that ends its clause after "of", "and", "or" or "contains" ("made of lead.").
    {{P::Previous, ofAndOr}, {P::Next, clauseEnd}, leadMetal},
    // A word standing alone between commas is an item of a list, and lists of that kind are
    // lists of metals.
    {{P::Previous, clauseEnd}, {P::Next, clauseEnd}, leadMetal},
};

// "minute": /maIn'ju:t/ tiny, /m'InIt/ (espeak-ng's own) the sixtieth of an hour.
constexpr const char* minuteTiny = "maIn'ju:t";
constexpr Word degreeBefore[] = {
    u"very",       u"extremely", u"so",         u"too",         u"relatively", u"quite",
    u"most",       u"more",      u"incredibly", u"exceedingly", u"rather",     u"comparatively",
    u"infinitely", u"really",    u"often",      u"usually",     u"generally",  u"always",
    u"are",        u"is",        u"was",        u"were",        u"be",         u"being",
    u"remain",     u"remains",   u"seem",       u"seems",       u"appear",     u"appears"};
constexpr Word smallThingsAfter[] = {
    u"amount",      u"amounts",      u"quantity",       u"quantities", u"detail",    u"details",
    u"particles",   u"particle",     u"traces",         u"trace",      u"fraction",  u"differences",
    u"difference",  u"scale",        u"size",           u"fragments",  u"portion",   u"portions",
    u"crystals",    u"organisms",    u"changes",        u"variations", u"variation", u"grains",
    u"droplets",    u"drops",        u"hairs",          u"spines",     u"scales",    u"insects",
    u"cells",       u"dots",         u"holes",          u"pores",      u"openings",  u"specks",
    u"doses",       u"dose",         u"examination",    u"inspection", u"attention", u"analysis",
    u"observation", u"observations", u"description",    u"precision",  u"care",      u"creatures",
    u"animals",     u"plants",       u"flowers",        u"seeds",      u"eggs",      u"spores",
    u"bubbles",     u"cracks",       u"teeth",          u"bristles",   u"glands",    u"proportions",
    u"proportion",  u"percentage",   u"concentrations", u"levels",     u"errors",    u"deviations",
    u"movements",   u"shifts",       u"features",       u"structures", u"points",    u"pieces"};
constexpr Row minuteRows[] = {
    // After a word of degree or a linking verb, it is the adjective; the noun needs an article.
    {{P::Previous, degreeBefore}, {}, minuteTiny},
    // Before what is small ("minute amounts", "minute detail").
    {{P::Next, smallThingsAfter}, {}, minuteTiny},
};

// "wound": /waUnd/ of "wind", /wu:nd/ (espeak-ng's own) the injury.
constexpr const char* woundCoiled = "w'aUnd";
constexpr Word injuryBefore[] = {
    u"a",         u"an",       u"the",      u"this",     u"that",     u"his",     u"her",
    u"its",       u"their",    u"our",      u"my",       u"your",     u"whose",   u"each",
    u"every",     u"no",       u"any",      u"'s",       u"one",      u"gunshot", u"stab",
    u"bullet",    u"shrapnel", u"head",     u"chest",    u"flesh",    u"exit",    u"entry",
    u"entrance",  u"puncture", u"open",     u"deep",     u"fatal",    u"mortal",  u"serious",
    u"severe",    u"minor",    u"slight",   u"surgical", u"infected", u"knife",   u"sword",
    u"spear",     u"arrow",    u"shell",    u"battle",   u"leg",      u"arm",     u"neck",
    u"abdominal", u"facial",   u"inflicted"};
constexpr Word coilingAfter[] = {
    u"up",         u"down",    u"around",   u"round",     u"through",       u"back",
    u"its",        u"their",   u"his",      u"her",       u"onto",          u"itself",
    u"themselves", u"himself", u"herself",  u"clockwise", u"anticlockwise", u"counterclockwise",
    u"tightly",    u"loosely", u"spirally", u"helically", u"slowly",        u"gently",
    u"steadily",   u"lazily",  u"upward",   u"upwards",   u"downward",      u"downwards",
    u"along",      u"across",  u"between",  u"past",      u"into",          u"out",
    u"on",         u"about"};
constexpr Word coilingSubjects[] = {u"he",   u"she",   u"it",     u"they",       u"we",
                                    u"i",    u"you",   u"who",    u"which",      u"road",
                                    u"path", u"river", u"stream", u"procession", u"line"};
constexpr Word coilingBefore[] = {u"were",   u"are",     u"been",     u"being",     u"had",
                                  u"has",    u"have",    u"tightly",  u"loosely",   u"carefully",
                                  u"neatly", u"closely", u"spirally", u"helically", u"hand"};
constexpr Row woundRows[] = {
    // After a determiner or an adjective it is the noun, the injury.
    {{P::Previous, injuryBefore}, {}, nullptr},
    // A verb of winding with its particle or object ("wound up", "wound its way").
    {{P::Next, coilingAfter}, {}, woundCoiled},
    // After a pronoun or a winding thing, the verb ("he wound the watch", "the road wound").
    {{P::Previous, coilingSubjects}, {}, woundCoiled},
    // A participle after "have" and "be" ("had wound", "were wound"), or after how it was wound.
    {{P::Previous, coilingBefore}, {}, woundCoiled},
};

// "learned": /l'3:nI2d/ scholarly, /l'3:nd/ (espeak-ng's own) the verb.
constexpr const char* learnedScholarly = "l'3:nI2d";
constexpr Word scholarlyNounsAfter[] = {
    u"society",    u"societies",    u"man",         u"men",          u"woman",      u"women",
    u"scholar",    u"scholars",     u"judge",       u"judges",       u"friend",     u"friends",
    u"colleague",  u"colleagues",   u"journal",     u"journals",     u"academy",    u"academies",
    u"profession", u"professions",  u"counsel",     u"gentleman",    u"gentlemen",  u"doctor",
    u"doctors",    u"treatise",     u"treatises",   u"people",       u"body",       u"bodies",
    u"clergy",     u"clergyman",    u"priest",      u"priests",      u"monk",       u"monks",
    u"rabbi",      u"rabbis",       u"lawyer",      u"lawyers",      u"physician",  u"physicians",
    u"theologian", u"theologians",  u"historian",   u"historians",   u"commentary", u"commentaries",
    u"discourse",  u"dissertation", u"essay",       u"essays",       u"circles",    u"world",
    u"visitors",   u"audience",     u"institution", u"institutions", u"brother",    u"brethren",
    u"lady",       u"ladies",       u"writer",      u"writers",      u"author",     u"authors",
    u"study",      u"studies",      u"work",        u"works",        u"book",       u"books",
    u"men's",      u"class",        u"classes",     u"elite"};
constexpr Word scholarlyDegreeBefore[] = {u"very",      u"most",      u"more",      u"deeply",
                                          u"highly",    u"so",        u"less",      u"truly",
                                          u"extremely", u"immensely", u"profoundly"};
constexpr Row learnedRows[] = {
    // Before a person or a work of learning, it is the adjective.
    {{P::Next, scholarlyNounsAfter}, {}, learnedScholarly},
    // A word of degree goes with the adjective ("most learned").
    {{P::Previous, scholarlyDegreeBefore}, {}, learnedScholarly},
};

// "resume": /r'EzjUm,eI/ the summary of a career, /rI2zj'u:m/ (espeak-ng's own) to go on.
constexpr const char* resumeNoun = "r'EzjUm,eI";
constexpr Word resumeNounAfter[] = {u"lists",   u"listed",   u"includes",  u"included", u"shows",
                                    u"showed",  u"template", u"templates", u"writing",  u"writer",
                                    u"writers", u"was",      u"is",        u"has",      u"had"};
constexpr Word resumeAdjectivesBefore[] = {u"updated", u"detailed",     u"brief",        u"short",
                                           u"full",    u"professional", u"impressive",   u"written",
                                           u"new",     u"one-page",     u"chronological"};
// "let her resume", "helped them resume": an object pronoun and the plain verb.
constexpr Word causativeVerbs[] = {u"let",    u"lets",    u"letting", u"help", u"helps",
                                   u"helped", u"make",    u"makes",   u"made", u"saw",
                                   u"see",    u"watched", u"have",    u"had",  u"allow"};
constexpr Word objectPronouns[] = {u"her", u"him", u"them", u"us", u"me", u"you", u"it"};
constexpr Row resumeRows[] = {
    {{P::Previous, plainVerbBefore}, {}, nullptr},
    {{P::Previous, objectPronouns}, {P::SecondPrevious, causativeVerbs}, nullptr},
    // After a determiner or an adjective it is the noun.
    {{P::Previous, determiners}, {}, resumeNoun},
    {{P::Previous, resumeAdjectivesBefore}, {}, resumeNoun},
    // A noun subject before its verb.
    {{P::Next, resumeNounAfter}, {}, resumeNoun},
};

// "record": /rI2k'o@d/ to set down, /r'EkO@d/ (espeak-ng's own) the noun.
constexpr const char* recordVerb = "rI2k'o@d";
constexpr Word recordNounAfter[] = {
    u"label",        u"labels",  u"company", u"companies",  u"shop",    u"shops",    u"store",
    u"stores",       u"player",  u"players", u"collection", u"deal",    u"sales",    u"producer",
    u"industry",     u"holder",  u"holders", u"time",       u"year",    u"high",     u"highs",
    u"low",          u"lows",    u"number",  u"numbers",    u"crowd",   u"crowds",   u"attendance",
    u"levels",       u"level",   u"heights", u"books",      u"keeping", u"breaking", u"profits",
    u"temperatures", u"amounts", u"setting", u"label's",    u"of"};
constexpr Word recordObjectsAfter[] = {u"that",       u"how",  u"what",  u"whether", u"every",
                                       u"each",       u"both", u"these", u"those",   u"its",
                                       u"his",        u"her",  u"him",   u"them",    u"it",
                                       u"everything", u"all",  u"their", u"my",      u"our"};
// Words that stand before the noun: its kinds ("world record", "research project").
constexpr Word recordKinds[] = {
    u"world",    u"track",    u"criminal",   u"fossil",   u"written",    u"voting",
    u"safety",   u"national", u"olympic",    u"club",     u"historical", u"archaeological",
    u"public",   u"medical",  u"police",     u"court",    u"official",   u"permanent",
    u"perfect",  u"unbeaten", u"winning",    u"losing",   u"best",       u"new",
    u"previous", u"former",   u"gramophone", u"vinyl",    u"hit",        u"debut",
    u"solo",     u"first",    u"second",     u"last",     u"personal",   u"career",
    u"school",   u"state",    u"european",   u"british",  u"american",   u"geological",
    u"climate",  u"service",  u"military",   u"academic", u"dental",     u"parish"};
constexpr Row recordRows[] = {
    // After a determiner it is the noun, and so before a noun it modifies ("record label").
    {{P::Previous, determiners}, {}, nullptr},
    {{P::Previous, recordKinds}, {}, nullptr},
    {{P::Next, recordNounAfter}, {}, nullptr},
    // After "to", a modal or "not", only the verb stands.
    {{P::Previous, plainVerbBefore}, {}, recordVerb},
    // Before an object that only a verb takes ("record that", "record its").
    {{P::Next, recordObjectsAfter}, {}, recordVerb},
};

// "project": /pr@dZ'Ekt/ to cast or jut, /pr'0dZEkt/ (espeak-ng's own) the noun.
constexpr const char* projectVerb = "pr@dZ'Ekt";
constexpr Word projectNounAfter[] = {
    u"manager",  u"managers",  u"management", u"team",  u"teams", u"leader", u"leaders",
    u"director", u"directors", u"funding",    u"costs", u"cost",  u"plan",   u"plans",
    u"work",     u"site",      u"of",         u"was",   u"is",    u"has"};
constexpr Word projectionAfter[] = {
    u"onto",  u"outward",    u"outwards", u"forward", u"forwards",   u"beyond",
    u"above", u"below",      u"upward",   u"upwards", u"downward",   u"downwards",
    u"that",  u"their",      u"its",      u"itself",  u"themselves", u"power",
    u"force", u"confidence", u"from",     u"into",    u"out"};
constexpr Word projectKinds[] = {u"research",       u"construction", u"building",
                                 u"housing",        u"engineering",  u"pilot",
                                 u"joint",          u"major",        u"new",
                                 u"final",          u"pet",          u"passion",
                                 u"side",           u"art",          u"film",
                                 u"music",          u"solo",         u"development",
                                 u"infrastructure", u"government",   u"community",
                                 u"restoration",    u"irrigation",   u"dam",
                                 u"railway",        u"road",         u"bridge",
                                 u"mining",         u"software",     u"source",
                                 u"manhattan",      u"apollo",       u"flagship",
                                 u"ambitious",      u"large",        u"small",
                                 u"ongoing",        u"first",        u"second",
                                 u"last",           u"next",         u"previous",
                                 u"recording",      u"book",         u"school",
                                 u"student",        u"public",       u"private",
                                 u"european",       u"national",     u"military",
                                 u"space",          u"water",        u"energy"};
constexpr Row projectRows[] = {
    // After a determiner or one of its kinds it is the noun.
    {{P::Previous, determiners}, {}, nullptr},
    {{P::Previous, projectKinds}, {}, nullptr},
    {{P::Next, projectNounAfter}, {}, nullptr},
    {{P::Previous, plainVerbBefore}, {}, projectVerb},
    // Before a direction or an object that only the verb takes ("project onto", "project power").
    {{P::Next, projectionAfter}, {}, projectVerb},
};

constexpr Heteronym tables[] = {
    {u"read", readRows},       {u"sow", sowRows},       {u"sow's", sowPossessiveRows},
    {u"lead", leadRows},       {u"minute", minuteRows}, {u"wound", woundRows},
    {u"learned", learnedRows}, {u"resume", resumeRows}, {u"record", recordRows},
    {u"project", projectRows},
};

} // namespace

std::span<const Heteronym> heteronymTables() {
    return tables;
}

} // namespace tellwick::heteronyms
