#include "speech/flite_engine.h"

#include "pronunciation/homograph_pronunciations.h"
#include "speech/opening_words.h"
#include "speech/qt_text.h"
#include "speech/reading_speed.h"
#include "speech/us_english_ipa.h"
#include "speech/us_english_respellings.h"

// flite is linked with these names renamed (cmake/flite_renamed_symbols.txt): festival's speech
// tools, in the same program, have symbols of their own by the same names.
#define val_int tellwick_flite_val_int
#define val_float tellwick_flite_val_float
#define val_string tellwick_flite_val_string
#define swapdouble tellwick_flite_swapdouble
#define swapfloat tellwick_flite_swapfloat
#define swap_bytes_short tellwick_flite_swap_bytes_short
#include <flite/flite.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The functions of flite's voice libraries that make their voices (they ship no header).
extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_rms(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
cst_voice* register_cmu_us_kal16(const char* voxdir);
}

namespace tellwick {

namespace {

struct FliteVoice {
    const char* name;
    cst_voice* (*registration)(const char*); // makes the voice
    // The statistical voices compute the whole of an utterance's sound before its first sample,
    // which for a long sentence is heard to wait: a reading's first words are said apart (see
    // opening_words.h). The diphone voice is quick enough to say them with the rest.
    bool saysFirstWordsApart;
};
constexpr FliteVoice voices[] = {
    {"flite-rms", register_cmu_us_rms, true},
    {"flite-slt", register_cmu_us_slt, true},
    {"flite-awb", register_cmu_us_awb, true},
    {"flite-kal16", register_cmu_us_kal16, false},
};
// Every voice of the package speaks at this rate; the engine asks its voice all the same.
constexpr int fliteSampleRate = 16000;

// flite hands sound over in pieces of at least this many samples (50 ms): short enough that an
// abort or a backpressure wait takes effect almost at once.
constexpr int streamSamples = fliteSampleRate / 20;

const FliteVoice* voiceNamed(const QString& name) {
    for (const FliteVoice& voice : voices) {
        if (name == QLatin1String(voice.name))
            return &voice;
    }
    return nullptr;
}

// A stretch [start, end) of the text.
struct TextSpan {
    qsizetype start;
    qsizetype end;
};

bool closesWithSentence(QChar c) {
    return c == u'"' || c == u'\'' || c == u')' || c == u']' || c == QChar(0x201D) ||
           c == QChar(0x2019);
}

// The sentences of a piece: where the highlight, skips and a reading from a sentence's start go.
// One ends after a sentence's end mark (and the quotes or brackets that close with it) followed by
// white space, or at a line break.
std::vector<TextSpan> sentencesOf(QStringView text, qsizetype from, qsizetype to) {
    std::vector<TextSpan> sentences;
    qsizetype start = from;
    bool speakable = false;
    const auto endAt = [&](qsizetype end) {
        // A stretch of punctuation alone says nothing and is no sentence to go to.
        if (speakable)
            sentences.push_back({start, end});
        start = end;
        speakable = false;
    };
    for (qsizetype i = from; i < to; ++i) {
        if (!speakable) {
            if (text[i].isSpace()) {
                start = i + 1;
                continue;
            }
            speakable = text[i].isLetterOrNumber();
            if (!speakable)
                continue;
        }
        if (isLineBreak(text[i])) {
            endAt(i);
            start = i + 1;
        } else if (isSentenceEndMark(text[i])) {
            qsizetype after = i + 1;
            while (after < to &&
                   (isSentenceEndMark(text[after]) || closesWithSentence(text[after])))
                ++after;
            if (after < to && text[after].isSpace()) {
                endAt(after);
                i = after;
                start = after + 1;
            }
        }
    }
    if (speakable)
        sentences.push_back({start, to});
    return sentences;
}

// flite prepares the whole of an utterance before its first sound, and holds all of its sound: a
// sentence longer than this (a text without full stops) is spoken as several utterances, each
// ending after a clause's mark where there is one, else at a space.
constexpr qsizetype longestUtterance = 400;

std::vector<TextSpan> utterancesOf(QStringView text, const TextSpan& sentence) {
    std::vector<TextSpan> utterances;
    qsizetype start = sentence.start;
    while (sentence.end - start > longestUtterance) {
        const qsizetype limit = start + longestUtterance;
        qsizetype cut = -1;
        for (qsizetype i = limit; i > start + 1 && cut < 0; --i) {
            if (text[i].isSpace() && endsClause(text[i - 1]))
                cut = i;
        }
        for (qsizetype i = limit; i > start && cut < 0; --i) {
            if (text[i].isSpace())
                cut = i;
        }
        if (cut < 0)
            cut = text[limit - 1].isHighSurrogate() ? limit - 1 : limit;
        utterances.push_back({start, cut});
        start = cut;
    }
    utterances.push_back({start, sentence.end});
    return utterances;
}

// The phones of cmudict's spelling ("r iy1 d") as the voice's lexicon writes them: it knows no
// secondary stress. Empty when a phone is not in the voice's phone set: the word is then left to
// the voice, as the voice would otherwise stop the program on an unknown phone.
std::string voicePhones(std::string_view phones, const cst_phoneset* phoneset) {
    std::string out;
    std::size_t at = 0;
    while (at < phones.size()) {
        std::size_t end = phones.find(' ', at);
        if (end == std::string_view::npos)
            end = phones.size();
        std::string phone(phones.substr(at, end - at));
        at = end + 1;
        if (phone.empty())
            continue;
        if (phone.back() == '2')
            phone.back() = '0';
        const std::string bare =
            phone.back() == '0' || phone.back() == '1' ? phone.substr(0, phone.size() - 1) : phone;
        if (phone_id(phoneset, bare.c_str()) < 0)
            return {};
        out += out.empty() ? phone : ' ' + phone;
    }
    return out;
}

// A possessive's "s": "z" after a voiced sound, "s" after a voiceless one, a syllable of its own
// after a hissing one.
std::string_view possessiveEnding(std::string_view phones) {
    const std::string_view last = phones.substr(phones.rfind(' ') + 1);
    for (std::string_view hissing : {"s", "z", "sh", "zh", "ch", "jh"}) {
        if (last == hissing)
            return " ih0 z";
    }
    for (std::string_view voiceless : {"p", "t", "k", "f", "th"}) {
        if (last == voiceless)
            return " s";
    }
    return " z";
}

// flite's steps from an utterance's tokens to its phones, as utt_synth_tokens takes them before
// it times and makes the sound.
const cst_synth_module phonesOnly[] = {
    {"textanalysis_func", default_textanalysis},
    {"pos_tagger_func", default_pos_tagger},
    {"phrasing_func", default_phrasing},
    {"lexical_insertion_func", default_lexical_insertion},
    {"pause_insertion_func", default_pause_insertion},
    {"intonation_func", cart_intonation},
    {"postlex_func", nullptr},
    {nullptr, nullptr},
};

// flite's tokens are parted by white space, and lose these marks at their edges.
constexpr std::string_view openingMarks = "\"'`({[";
constexpr std::string_view closingMarks = "\"'`.,:;!?(){}[]";

// Whether flite would take the text from `at` on, going by `step`, into the token of the word
// beside it: a word joined to more ("moped/scooter", "increment_counter") is not a token of its
// own, and is given a space there so that it takes its phones.
bool joinsToken(QStringView text, const TextSpan& span, qsizetype at, int step,
                std::string_view marks) {
    for (; at >= span.start && at < span.end; at += step) {
        const char16_t c = text[at].unicode();
        if (text[at].isSpace())
            return false;
        if (c >= 0x80 || marks.find(char(c)) == std::string_view::npos)
            return true;
    }
    return false;
}

// A word of an utterance that the voice is told how to say, in bytes of the utterance's UTF-8.
struct SpokenWord {
    std::size_t start;
    std::size_t size;
    std::string phones;
};

// flite opens every utterance with a pause of about a fifth of a second, and closes it with one;
// the statistical voices fill them with a faint noise, which is silenced (it made the sentences of
// a reading run together for a listener that waits for silence). A sentence is reported where the
// opening pause of its first utterance ends, and before any of that utterance's sound is handed
// over: the listener could otherwise hear the pause, and report the sentence, before its mark.

// The pause that opens a reading's first utterance is cut to this many samples (10 ms): the first
// sound is not held back by silence.
constexpr int keptOpeningSamples = fliteSampleRate / 100;
// A reading's first words are said as an utterance of their own (see opening_words.h): up to this
// many, or to the end of a clause among them. Fewer words would sound hurried apart from the
// rest; more would make the first sound wait for them.
constexpr int openingWords = 4;
// Where they join the rest, the pauses that close the one utterance and open the next are each cut
// to this many samples (20 ms), so that the join sounds like the gap between two words; after a
// clause, more of the closing pause is kept (60 ms), so that it is heard as the voice's own pause
// there.
constexpr int keptJoinSamples = fliteSampleRate / 50;
constexpr int keptClauseSamples = fliteSampleRate * 3 / 50;

// The samples of an utterance's sound that are handed over: its pauses cut as asked.
struct Cut {
    // The samples kept of the pause that opens the utterance, and of the one that closes it; all
    // when negative.
    int keptOpening = -1;
    int keptClosing = -1;
};

// The parts of an utterance's sound, in samples: [begin, end) is handed over, of which
// [speechBegin, speechEnd) lies between its opening and closing pauses.
struct UtteranceSound {
    int begin = 0;
    int speechBegin = 0;
    int speechEnd = 0;
    int end = 0;
};

UtteranceSound soundOf(const cst_utterance* utterance, int samples, Cut cut) {
    const cst_item* first = relation_head(utt_relation(utterance, "Segment"));
    const cst_item* last = relation_tail(utt_relation(utterance, "Segment"));
    const auto isPause = [](const cst_item* segment) {
        return segment != nullptr && std::string_view(item_feat_string(segment, "name")) == "pau";
    };
    const auto sampleAt = [samples](const cst_item* segment) {
        return std::clamp(int(item_feat_float(segment, "end") * fliteSampleRate), 0, samples);
    };
    UtteranceSound sound{0, 0, samples, samples};
    if (isPause(first))
        sound.speechBegin = sampleAt(first);
    if (isPause(last) && item_prev(last) != nullptr)
        sound.speechEnd = std::max(sound.speechBegin, sampleAt(item_prev(last)));
    if (cut.keptOpening >= 0)
        sound.begin = std::max(0, sound.speechBegin - cut.keptOpening);
    if (cut.keptClosing >= 0)
        sound.end = std::min(samples, sound.speechEnd + cut.keptClosing);
    return sound;
}

// What the synthesis in progress writes to; flite hands it back with every piece of sound.
struct SynthesisCall {
    SynthesisTarget* target = nullptr;
    int run = 0;
    qint64 delivered = 0;
    bool aborted = false;
    // The sentence whose first sound is still to come.
    std::optional<SentenceStart> unheard;
    // The utterance being synthesised, its pauses cut as asked, and its sound once its segments
    // are timed.
    const cst_utterance* utterance = nullptr;
    Cut cut;
    std::optional<UtteranceSound> sound;
    std::vector<short> handed;
};

int receiveSound(const cst_wave* wave, int start, int size, int, cst_audio_streaming_info* info) {
    SynthesisCall& call = *static_cast<SynthesisCall*>(info->userdata);
    if (!call.sound) {
        call.sound = soundOf(call.utterance, wave->num_samples, call.cut);
        if (call.unheard) {
            const int heard =
                std::clamp(call.sound->speechBegin, call.sound->begin, call.sound->end);
            call.target->markSentence(call.run, *call.unheard,
                                      call.delivered + (heard - call.sound->begin));
            call.unheard.reset();
        }
    }
    const UtteranceSound& sound = *call.sound;
    const int from = std::max(start, sound.begin);
    const int to = std::min(start + size, sound.end);
    call.handed.clear();
    for (int i = from; i < to; ++i)
        call.handed.push_back(i >= sound.speechBegin && i < sound.speechEnd ? wave->samples[i] : 0);
    const short* samples = call.handed.data();
    const int count = int(call.handed.size());
    if (count > 0 ? !call.target->append(call.run, samples, count)
                  : !call.target->isCurrent(call.run)) {
        call.aborted = true;
        return CST_AUDIO_STREAM_STOP;
    }
    call.delivered += count;
    return CST_AUDIO_STREAM_CONT;
}

class FliteEngine : public VoiceEngine {
public:
    FliteEngine(cst_voice* voice, bool saysFirstWordsApart)
        : voice_(voice), saysFirstWordsApart_(saysFirstWordsApart),
          phoneset_(val_phoneset(feat_val(voice->features, "phoneset"))),
          sampleRate_(flite_get_param_int(voice->features, "sample_rate", fliteSampleRate)),
          streaming_(new_audio_streaming_info()) {
        streaming_->asc = receiveSound;
        streaming_->min_buffsize = streamSamples;
        // The voice's features own the streaming information from now on.
        flite_feat_set(voice_->features, "streaming_info", audio_streaming_info_val(streaming_));
    }

    int sampleRate() const override { return sampleRate_; }

    std::optional<qint64> speakPiece(const PieceToSpeak& piece, SynthesisTarget& target, int run,
                                     qint64 firstSample) override {
        // Each step of speed stretches every sound by the same factor.
        flite_feat_set_float(voice_->features, "duration_stretch",
                             float(1 / speedFactor(piece.readingSpeed)));
        // The opening of a reading heard as it is made is hurried.
        bool readingStart = piece.heardAtOnce && firstSample == 0;
        SynthesisCall call;
        call.target = &target;
        call.run = run;
        call.delivered = firstSample;
        streaming_->userdata = &call;
        for (const TextSpan& sentence : sentencesOf(piece.decided, piece.start, piece.end)) {
            if (sentence.start - piece.start < piece.from)
                continue;
            call.unheard = SentenceStart{piece.start, sentence.start - piece.start, sentence.start};
            for (const TextSpan& utterance : utterancesOf(piece.decided, sentence)) {
                if (readingStart)
                    speakOpeningApart(piece, utterance, call);
                else
                    speakUtterance(piece, utterance, call, Cut{});
                readingStart = false;
                if (call.aborted)
                    return std::nullopt;
            }
            // A sentence of silence starts where it ends.
            if (call.unheard)
                target.markSentence(run, *call.unheard, call.delivered);
        }
        return call.delivered - firstSample;
    }

    void listPhonemes(std::FILE* stream, bool ipa) override {
        listing_ = stream;
        listingIpa_ = ipa;
    }

private:
    // The utterance's first words, then the rest joined to them as if said at once.
    void speakOpeningApart(const PieceToSpeak& piece, const TextSpan& span, SynthesisCall& call) {
        const qsizetype split =
            saysFirstWordsApart_ ? openingPartEnd(piece.decided, span.start, span.end, openingWords)
                                 : span.end;
        if (split == span.end) {
            speakUtterance(piece, span, call, Cut{keptOpeningSamples, -1});
            return;
        }
        const int keptClosing =
            endsClause(piece.decided[split - 1]) ? keptClauseSamples : keptJoinSamples;
        speakUtterance(piece, {span.start, split}, call, Cut{keptOpeningSamples, keptClosing});
        if (!call.aborted)
            speakUtterance(piece, {split, span.end}, call, Cut{keptJoinSamples, -1});
    }

    // One utterance, its pauses cut as asked: flite's own analysis of the text, with the words
    // whose pronunciation is decided here given their phones.
    void speakUtterance(const PieceToSpeak& piece, const TextSpan& span, SynthesisCall& call,
                        Cut cut) {
        std::vector<SpokenWord> words;
        const QByteArray utf8 = utf8WithWords(piece, span, &words);
        cst_utterance* utterance = new_utterance();
        call.utterance = utterance;
        call.cut = cut;
        call.sound.reset();
        utt_set_input_text(utterance, utf8.constData());
        utt_init(utterance, voice_);
        default_tokenization(utterance);
        givePhones(utterance, std::string_view(utf8.constData(), std::size_t(utf8.size())), words);
        if (listing_ != nullptr) {
            // A listing's sound is dropped: the utterance is taken only as far as its phones.
            if (apply_synth_method(utterance, phonesOnly) != nullptr)
                printPhones(utterance);
        } else {
            // The voices' excitation noise comes from the C library's one generator, which would
            // otherwise go on from wherever the utterances before left it: started afresh, an
            // utterance sounds the same whatever preceded it, and a file's parts made in separate
            // processes join into the very samples that one process makes.
            std::srand(1);
            utt_synth_tokens(utterance);
        }
        call.utterance = nullptr;
        delete_utterance(utterance);
    }

    // The span's text for flite, and the words in it that are said as decided here.
    QByteArray utf8WithWords(const PieceToSpeak& piece, const TextSpan& span,
                             std::vector<SpokenWord>* words) const {
        QByteArray utf8;
        const QStringView text = piece.decided;
        for (qsizetype i = span.start; i < span.end;) {
            if (!text[i].isLetter()) {
                // A NUL would end flite's text early.
                utf8 += text[i].unicode() == 0 ? QByteArray(" ") : text.mid(i, 1).toUtf8();
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < span.end && isWordCharacter(text, end))
                ++end;
            const QStringView word = text.mid(i, end - i);
            const QByteArray wordUtf8 = word.toUtf8();
            const std::string phones = phonesOf(text, i, end, piece);
            if (!phones.empty()) {
                if (joinsToken(text, span, i - 1, -1, openingMarks))
                    utf8 += ' ';
                words->push_back({std::size_t(utf8.size()), std::size_t(wordUtf8.size()), phones});
            }
            utf8 += wordUtf8;
            if (!phones.empty() && joinsToken(text, span, end, 1, closingMarks))
                utf8 += ' ';
            i = end;
        }
        return utf8;
    }

    // The voice's phones for the word text[start, end) where the rewriter respelled it or the
    // homograph's reading is decided; empty where flite reads it its own way.
    std::string phonesOf(QStringView text, qsizetype start, qsizetype end,
                         const PieceToSpeak& piece) const {
        const QStringView word = text.mid(start, end - start);
        if (const UsEnglishRespelling* respelling = findUsEnglishRespelling(std::u16string_view(
                reinterpret_cast<const char16_t*>(word.utf16()), std::size_t(word.size()))))
            return voicePhones(respelling->phones, phoneset_);
        const std::optional<DecidedHomograph> decided =
            decidedHomograph(text, start, end, piece.homographs);
        if (!decided)
            return {};
        std::string phones = voicePhones(decided->reading->usEnglish, phoneset_);
        if (!phones.empty() && decided->possessive)
            phones += possessiveEnding(phones);
        return phones;
    }

    // flite's tokens are stretches of the text in order; a token that is exactly a decided word
    // takes its phones (one inside a longer token, "read/write", is left to flite).
    static void givePhones(cst_utterance* utterance, std::string_view text,
                           const std::vector<SpokenWord>& words) {
        std::size_t cursor = 0;
        auto word = words.begin();
        for (cst_item* token = relation_head(utt_relation(utterance, "Token"));
             token != nullptr && word != words.end(); token = item_next(token)) {
            const std::string_view name = item_feat_string(token, "name");
            const std::size_t at = text.find(name, cursor);
            if (at == std::string_view::npos)
                return;
            cursor = at + name.size();
            while (word != words.end() && word->start < at)
                ++word;
            if (word != words.end() && word->start == at && word->size == name.size())
                item_set_string(token, "phones", word->phones.c_str());
        }
    }

    // One line per phrase, the phones of its words separated by " | ", each vowel with its
    // syllable's stress; or in the IPA, the words separated by spaces.
    void printPhones(cst_utterance* utterance) const {
        for (cst_item* phrase = relation_head(utt_relation(utterance, "Phrase")); phrase != nullptr;
             phrase = item_next(phrase)) {
            std::string line;
            for (cst_item* word = item_daughter(phrase); word != nullptr; word = item_next(word)) {
                std::string phones;
                const cst_item* structure = item_as(word, "SylStructure");
                for (cst_item* syllable = structure != nullptr ? item_daughter(structure) : nullptr;
                     syllable != nullptr; syllable = item_next(syllable)) {
                    for (cst_item* segment = item_daughter(syllable); segment != nullptr;
                         segment = item_next(segment)) {
                        phones += phones.empty() ? "" : " ";
                        phones += item_feat_string(segment, "name");
                        if (std::string_view(ffeature_string(segment, "ph_vc")) == "+")
                            phones += ffeature_string(syllable, "stress");
                    }
                }
                if (phones.empty())
                    continue;
                line += line.empty() ? "" : listingIpa_ ? " " : " | ";
                line += listingIpa_ ? usEnglishIpa(phones) : phones;
            }
            std::fprintf(listing_, "%s\n", line.c_str());
        }
    }

    cst_voice* const voice_;
    const bool saysFirstWordsApart_;
    const cst_phoneset* const phoneset_;
    const int sampleRate_;
    cst_audio_streaming_info* const streaming_;
    std::FILE* listing_ = nullptr;
    bool listingIpa_ = false;
};

} // namespace

std::vector<VoiceDescription> fliteVoices() {
    std::vector<VoiceDescription> described;
    for (const FliteVoice& voice : voices) {
        described.push_back({QLatin1String(voice.name), QStringLiteral("flite"),
                             QStringLiteral("English (US)"), fliteSampleRate, QString()});
    }
    return described;
}

std::unique_ptr<VoiceEngine> startFliteVoice(const QString& name, QString* error) {
    const FliteVoice* voice = voiceNamed(name);
    if (voice == nullptr) {
        *error = QStringLiteral("flite has no voice named %1").arg(name);
        return nullptr;
    }
    static std::once_flag initialised;
    std::call_once(initialised, [] { flite_init(); });
    cst_voice* made = voice->registration(nullptr);
    if (made == nullptr) {
        *error = QStringLiteral("flite could not make the voice %1").arg(name);
        return nullptr;
    }
    return std::make_unique<FliteEngine>(made, voice->saysFirstWordsApart);
}

} // namespace tellwick
