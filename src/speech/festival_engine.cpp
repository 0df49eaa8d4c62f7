#include "speech/festival_engine.h"

#include "speech/festival_input.h"
#include "speech/opening_words.h"
#include "speech/us_english_ipa.h"

#include <festival.h>
#include <siod_est.h>

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// festival's Scheme interpreter (see evaluate below).
extern LISP* stack_start_ptr;
extern char* stack_limit_ptr;
extern long stack_size;

namespace tellwick {

namespace {

const QString voiceName = QStringLiteral("festival-slt-hts");

// What festival needs at run time to speak with the voice, and the package that brings it.
struct NeededFile {
    const char* path;
    const char* package;
    const char* what;
};
constexpr NeededFile neededFiles[] = {
    {"/usr/share/festival/init.scm", "festival", "festival's data"},
    {"/usr/share/festival/dicts/cmu/cmudict-0.4.out", "festlex-cmu",
     "festival's US English lexicon"},
    {"/usr/share/festival/voices/us/cmu_us_slt_arctic_hts/hts/cmu_us_slt_arctic_hts.htsvoice",
     "festvox-us-slt-hts", "the voice's data"},
};

// The voice's rate as shipped; its samples are handed over as they are.
constexpr int voiceSampleRate = 32000;
// Samples handed over per append: short, so that a target that left the run stops the rest of
// a sentence at once.
constexpr qsizetype appendSamples = voiceSampleRate / 20;
// The first sentence of a reading is said in parts of these many words at most (see
// opening_words.h), then the rest: festival synthesises a whole utterance before giving any of it,
// so the first sound waits for a short synthesis only, and each part is made while the one before
// it is heard.
constexpr int openingPartWords[] = {2, 8};
// Each utterance starts and ends with a pause. The pause before a reading's first word is cut to
// this much, so that it is not heard (festival's first words come later than flite's, from a longer
// synthesis, so it keeps only enough for the sound to start from silence)...
constexpr qsizetype keptOpeningSamples = voiceSampleRate / 500;
// ...and the two where its first sentence is parted to this much each, so that the join sounds like
// the gap between two words.
constexpr qsizetype keptJoinSamples = voiceSampleRate / 50;
// festival's Scheme heap, in cells: its own default (ten million) takes 300 MB before the first
// word; a tenth of it holds the lexicon, the voice and a long sentence's utterance.
constexpr int heapCells = 1000000;

QString missingData() {
    for (const NeededFile& needed : neededFiles) {
        if (!QFileInfo::exists(QString::fromLatin1(needed.path)))
            return QStringLiteral("%1 is missing (install the package %2)")
                .arg(QLatin1String(needed.what), QLatin1String(needed.package));
    }
    return {};
}

// The HTS engine ignores festival's Duration_Stretch; its own speaking rate "-r" scales every
// duration. Each reading speed step multiplies the rate by the tenth root of 3, as for espeak-ng.
double speakingRateOf(int readingSpeed) {
    return std::pow(3.0, std::clamp(readingSpeed, -9, 9) / 10.0);
}

// Runs a Scheme command; false when festival failed on it. The interpreter marks the objects in
// use by scanning the stack from a base frame down to its own, and refuses to run deeper than a
// limit below that base. Both are set where festival is started and kept; every command sets them
// again here, as the interpreter's own read-eval-print loop does for each command, so that a
// command run from a frame shallower than the one festival was started in neither misses objects
// in use nor trips the limit.
bool evaluate(const EST_String& command) {
    LISP base = NIL;
    stack_start_ptr = &base;
    stack_limit_ptr = reinterpret_cast<char*>(&base) - stack_size;
    return festival_eval_command(command);
}

EST_String scheme(const QString& text) {
    return EST_String(text.toLatin1().constData());
}

// The phones festival says for a word that Tellwick handed over with phones of its own, with
// their stresses as the table writes them where festival said them all (its lexicon says a
// secondary stress as a primary one, which would hide the main stress from the listing).
std::string tableStress(const std::string& word, std::string said) {
    const std::string entry = lexiconEntryPhones(word);
    std::string flattened = entry;
    std::replace(flattened.begin(), flattened.end(), '2', '1');
    return !entry.empty() && flattened == said ? entry : said;
}

// The phones festival says for each word of the utterance, with the stress of its syllable on each
// vowel, as cmudict writes them.
std::vector<std::string> wordPhonesOf(EST_Utterance& utterance) {
    std::vector<std::string> words;
    if (!utterance.relation_present("Word"))
        return words;
    for (EST_Item* word = utterance.relation("Word")->head(); word != nullptr; word = inext(word)) {
        std::string phones;
        EST_Item* structure = as(word, "SylStructure");
        for (EST_Item* syllable = structure != nullptr ? daughter1(structure) : nullptr;
             syllable != nullptr; syllable = inext(syllable)) {
            for (EST_Item* segment = daughter1(syllable); segment != nullptr;
                 segment = inext(segment)) {
                phones += phones.empty() ? "" : " ";
                phones += segment->name().str();
                if (ffeature(segment, "ph_vc").string() == "+")
                    phones += ffeature(segment, "R:SylStructure.parent.stress").string().str();
            }
        }
        if (!phones.empty())
            words.push_back(tableStress(word->name().str(), std::move(phones)));
    }
    return words;
}

// The listing's line for the utterance: its phones, or its words in the IPA, separated by spaces.
std::string listedLine(EST_Utterance& utterance, bool ipa) {
    std::string line;
    for (const std::string& word : wordPhonesOf(utterance)) {
        line += line.empty() ? "" : " ";
        line += ipa ? usEnglishIpa(word) : word;
    }
    return line;
}

// The samples kept of an utterance's opening and closing pauses; all when negative.
struct Cut {
    qsizetype openingPause = -1;
    qsizetype closingPause = -1;
};

class FestivalEngine final : public VoiceEngine {
public:
    int sampleRate() const override { return voiceSampleRate; }
    std::optional<qint64> speakPiece(const PieceToSpeak& piece, SynthesisTarget& target, int run,
                                     qint64 firstSample) override;
    void listPhonemes(std::FILE* stream, bool ipa) override {
        listing_ = stream;
        listingIpa_ = ipa;
    }

private:
    void setReadingSpeed(int readingSpeed);
    // Synthesises one utterance; null when festival failed on it.
    EST_Utterance* synthesise(const QString& text);
    // Hands the utterance's samples to the target, its pauses cut as asked; false when the target
    // left the run.
    // A sentence that starts with the utterance is reported at its first sound, after the pause
    // festival opens every utterance with: firstSample is where the piece's samples start.
    struct SentenceMark {
        SentenceStart start;
        qint64 firstSample = 0;
    };
    bool deliver(EST_Utterance& utterance, Cut cut, const SentenceMark* mark,
                 SynthesisTarget& target, int run, qint64& delivered);

    std::FILE* listing_ = nullptr;
    bool listingIpa_ = false;
};

// Set for every piece: festival's parameters are its process's, shared by every engine.
void FestivalEngine::setReadingSpeed(int readingSpeed) {
    evaluate(scheme(QStringLiteral("(set! hts_engine_params (append "
                                   "cmu_us_slt_arctic_hts::hts_engine_params "
                                   "(list (list \"-r\" %1))))")
                        .arg(speakingRateOf(readingSpeed))));
}

// festival's steps from a text to its phones, as SynthText takes them before it times and makes
// the sound: a listing's sound is dropped.
const char phonesOnly[] = "(begin (set! tellwick_utterance (Utterance Text %1)) "
                          "(mapcar (lambda (step) (step tellwick_utterance)) "
                          "(list Initialize Text Token_POS Token POS Phrasify Word Pauses "
                          "Intonation PostLex)))";

EST_Utterance* FestivalEngine::synthesise(const QString& text) {
    const EST_String quoted = quote_string(EST_String(text.toLatin1().constData()), "\"", "\\", 1);
    const EST_String command =
        listing_ != nullptr ? EST_String(QString::fromLatin1(phonesOnly)
                                             .arg(QString::fromLatin1(quoted.str()))
                                             .toLatin1()
                                             .constData())
                            : EST_String("(set! tellwick_utterance (SynthText ") + quoted + "))";
    if (!evaluate(command))
        return nullptr;
    const LISP synthesised = siod_get_lval("tellwick_utterance", nullptr);
    return synthesised != NIL && utterance_p(synthesised) ? utterance(synthesised) : nullptr;
}

// The samples of the utterance's sound without the pauses cut: where its first segment (a pause)
// ends, and where its last one starts, less what is kept of them.
std::pair<qsizetype, qsizetype> soundWithoutPauses(EST_Utterance& utterance, qsizetype samples,
                                                   qsizetype keptOpening, qsizetype keptClosing) {
    qsizetype begin = 0;
    qsizetype end = samples;
    EST_Relation* segments = utterance.relation("Segment");
    EST_Item* first = segments->head();
    EST_Item* last = segments->tail();
    if (keptOpening >= 0 && first != nullptr && first->name() == "pau")
        begin = std::max<qsizetype>(0, qsizetype(first->F("end") * voiceSampleRate) - keptOpening);
    if (keptClosing >= 0 && last != nullptr && last->name() == "pau" && iprev(last) != nullptr)
        end = std::min(samples, qsizetype(iprev(last)->F("end") * voiceSampleRate) + keptClosing);
    return {std::min(begin, end), end};
}

bool FestivalEngine::deliver(EST_Utterance& utterance, Cut cut, const SentenceMark* mark,
                             SynthesisTarget& target, int run, qint64& delivered) {
    if (listing_ != nullptr) {
        std::fprintf(listing_, "%s\n", listedLine(utterance, listingIpa_).c_str());
    }
    if (!utterance.relation_present("Wave") || utterance.relation("Wave")->head() == nullptr) {
        if (mark != nullptr)
            target.markSentence(run, mark->start, mark->firstSample + delivered);
        return target.isCurrent(run);
    }
    EST_Wave* sound = wave(utterance.relation("Wave")->head()->f("wave"));
    const auto [begin, end] =
        soundWithoutPauses(utterance, sound->num_samples(), cut.openingPause, cut.closingPause);
    if (mark != nullptr) {
        const EST_Item* first = utterance.relation("Segment")->head();
        const qsizetype firstSound =
            first != nullptr && first->name() == "pau"
                ? std::clamp(qsizetype(first->F("end") * voiceSampleRate), begin, end)
                : begin;
        target.markSentence(run, mark->start, mark->firstSample + delivered + (firstSound - begin));
    }
    std::int16_t samples[appendSamples];
    for (qsizetype at = begin; at < end; at += appendSamples) {
        const qsizetype count = std::min(appendSamples, end - at);
        for (qsizetype i = 0; i < count; ++i)
            samples[i] = sound->a_no_check(int(at + i));
        if (!target.append(run, samples, count))
            return false;
        delivered += count;
    }
    return true;
}

// The utterances of a reading's first sentence: its first words in short parts, then the rest, the
// pauses between them cut.
std::vector<std::pair<QString, Cut>> openingUtterances(const QString& sentence) {
    std::vector<std::pair<QString, Cut>> parts;
    qsizetype start = 0;
    Cut cut{keptOpeningSamples, -1};
    for (const int words : openingPartWords) {
        const qsizetype end = openingPartEnd(sentence, start, sentence.size(), words);
        if (end == sentence.size())
            break;
        cut.closingPause = keptJoinSamples;
        parts.push_back({sentence.mid(start, end - start), cut});
        cut.openingPause = keptJoinSamples;
        start = end;
    }
    cut.closingPause = -1;
    parts.push_back({sentence.mid(start), cut});
    return parts;
}

std::optional<qint64> FestivalEngine::speakPiece(const PieceToSpeak& piece, SynthesisTarget& target,
                                                 int run, qint64 firstSample) {
    setReadingSpeed(piece.readingSpeed);
    qint64 delivered = 0;
    bool readingStart = piece.heardAtOnce && firstSample == 0;
    for (const FestivalSentence& sentence : festivalSentences(piece)) {
        if (!target.isCurrent(run))
            return std::nullopt;
        const SentenceMark mark{
            SentenceStart{piece.start, sentence.start - piece.start, sentence.start}, firstSample};
        const SentenceMark* pendingMark = sentence.startsSentence ? &mark : nullptr;
        const std::vector<std::pair<QString, Cut>> utterances =
            readingStart ? openingUtterances(sentence.input)
                         : std::vector<std::pair<QString, Cut>>{{sentence.input, Cut{}}};
        readingStart = false;
        for (const auto& [text, cut] : utterances) {
            if (!target.isCurrent(run))
                return std::nullopt;
            EST_Utterance* utterance = synthesise(text);
            if (utterance == nullptr)
                continue;
            if (!deliver(*utterance, cut, pendingMark, target, run, delivered))
                return std::nullopt;
            pendingMark = nullptr;
        }
        if (pendingMark != nullptr)
            target.markSentence(run, pendingMark->start, firstSample + delivered);
    }
    return delivered;
}

// festival is set up once per process (festival_initialize cannot run twice), on the thread that
// first starts its voice. Its Scheme interpreter keeps all of its state in globals, which no lock
// guards, and its garbage collector scans the stack of the thread it runs on for objects in use:
// only that one thread ever drives it.
struct FestivalProcess {
    std::mutex mutex;
    bool started = false;
    std::thread::id owner;
    QString failure;
};

FestivalProcess& festivalProcess() {
    static FestivalProcess process;
    return process;
}

QString startFestival() {
    festival_initialize(1, heapCells);
    if (!evaluate("(voice_cmu_us_slt_arctic_hts)"))
        return QStringLiteral("festival could not load the voice cmu_us_slt_arctic_hts");
    for (const FestivalLexiconEntry& entry : festivalLexiconEntries()) {
        const EST_String command = EST_String("(lex.add.entry (list \"") + entry.word.c_str() +
                                   "\" nil (lex.syllabify.phstress '(" + entry.phones.c_str() +
                                   "))))";
        if (!evaluate(command))
            return QStringLiteral("festival rejected the reading of %1")
                .arg(QString::fromStdString(entry.word));
    }
    // The first synthesis of a process sets up what later ones reuse (some 20 ms): done now, it
    // does not delay the first reading.
    evaluate("(SynthText \"a\")");
    return {};
}

} // namespace

std::vector<VoiceDescription> festivalVoices() {
    return {{voiceName, QStringLiteral("festival"), QStringLiteral("English (US)"), voiceSampleRate,
             missingData()}};
}

std::unique_ptr<VoiceEngine> startFestivalVoice(const QString& name, QString* error) {
    const auto fail = [error](const QString& message) -> std::unique_ptr<VoiceEngine> {
        if (error != nullptr)
            *error = message;
        return nullptr;
    };
    if (name != voiceName)
        return fail(QStringLiteral("festival has no voice named %1").arg(name));
    if (const QString missing = missingData(); !missing.isEmpty())
        return fail(missing);
    FestivalProcess& process = festivalProcess();
    std::lock_guard lock(process.mutex);
    if (!process.started) {
        process.started = true;
        process.owner = std::this_thread::get_id();
        process.failure = startFestival();
    }
    if (!process.failure.isEmpty())
        return fail(process.failure);
    if (process.owner != std::this_thread::get_id())
        return fail(QStringLiteral("festival already speaks on another thread of this program"));
    return std::make_unique<FestivalEngine>();
}

} // namespace tellwick
