// How often the voice says the intended reading of each heteronym, with its decision tables and
// with espeak-ng's own readings, on labelled sentences (heteronym_sentences.tsv). Each sentence is
// rewritten and listed as phonemes exactly as `tellwick say --phonemes` would.
//
//   heteronym_eval [--misses] [SENTENCES.tsv]

#include "rewriter/respell.h"
#include "speech/heteronym_decisions.h"
#include "speech/phoneme_listing.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace tellwick;

namespace {

struct Reading {
    const char* word;
    const char* label;
    // What espeak-ng's listing shows for the reading, stress marks left out; a word of the listing
    // that is one of these says the reading.
    QStringList spoken;
};

const std::vector<Reading> readings = {
    {"read", "past", {"rEd"}},
    {"read", "present", {"ri:d"}},
    {"sow", "pig", {"saU", "saUz"}},
    {"sow", "plant", {"soU", "soUz"}},
    {"lead", "metal", {"lEd"}},
    {"lead", "guide", {"li:d"}},
    {"minute", "tiny", {"maInju:t"}},
    {"minute", "time", {"mInIt"}},
    {"wound", "coiled", {"waUnd"}},
    {"wound", "injury", {"wu:nd"}},
    {"learned", "adjective", {"l3:nI2d", "l3:nId"}},
    {"learned", "verb", {"l3:nd"}},
    {"resume", "noun", {"rEzjUmeI", "rEzju:meI", "rEzu:meI"}},
    {"resume", "verb", {"rI2zju:m"}},
    {"record", "noun", {"rEkO@d", "rEk3:d"}},
    {"record", "verb", {"rI2ko@d", "rI2kO@d"}},
    {"project", "noun", {"pr0dZEkt"}},
    {"project", "verb", {"pr@dZEkt"}},
    {"live", "verb", {"lIv"}},
    {"live", "adjective", {"laIv"}},
};

struct Sentence {
    QString word;
    QString label;
    QString text;
};

std::vector<Sentence> readSentences(const QString& path) {
    std::vector<Sentence> sentences;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return sentences;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QStringList fields = line.split(u'\t');
        if (line.startsWith(u'#') || fields.size() != 3)
            continue;
        sentences.push_back({fields[0], fields[1], fields[2]});
    }
    return sentences;
}

// The label of the reading that the listing says, or nothing when it says none or both.
QString spokenLabel(const QString& word, const QString& listing) {
    // Pauses ("_:") and linking marks ("r-") are glued to the word before them.
    static const QRegularExpression stress(QStringLiteral("[',%=]|_:?|-$"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString said;
    int found = 0;
    for (QString token : listing.split(blanks)) {
        token.remove(stress);
        for (const Reading& reading : readings) {
            if (word == QLatin1String(reading.word) && reading.spoken.contains(token)) {
                said = QLatin1String(reading.label);
                ++found;
            }
        }
    }
    return found == 1 ? said : QStringLiteral("?");
}

struct Score {
    int sentences = 0;
    int engine = 0;
    int tables = 0;
};

} // namespace

int main(int argc, char** argv) {
    bool misses = false;
    QString path = QStringLiteral(TELLWICK_HETERONYM_SENTENCES);
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--misses")
            misses = true;
        else
            path = QString::fromLocal8Bit(argv[i]);
    }
    const std::vector<Sentence> sentences = readSentences(path);
    if (sentences.empty()) {
        std::fprintf(stderr, "heteronym_eval: no sentences in %s\n", qPrintable(path));
        return 1;
    }
    std::map<QString, Score> scores;
    Score total;
    for (const Sentence& sentence : sentences) {
        const QString respelled =
            QString::fromStdU16String(respellText(sentence.text.toStdU16String()));
        QString said[2];
        for (int tables = 0; tables < 2; ++tables) {
            setHeteronymTablesEnabled(tables == 1);
            QString error;
            const std::optional<QString> listing =
                phonemesOf(respelled, speakingRate(1), PhonemeAlphabet::Mnemonics, &error);
            if (!listing) {
                std::fprintf(stderr, "heteronym_eval: %s\n", qPrintable(error));
                return 1;
            }
            said[tables] = spokenLabel(sentence.word, *listing);
            if (misses && tables == 1 && said[1] != sentence.label)
                std::printf("miss %-8s %-9s said %-9s (engine %-9s) %s\n    %s",
                            qPrintable(sentence.word), qPrintable(sentence.label),
                            qPrintable(said[1]), qPrintable(said[0]), qPrintable(respelled),
                            qPrintable(*listing));
        }
        Score& score = scores[sentence.word];
        for (Score* s : {&score, &total}) {
            ++s->sentences;
            s->engine += said[0] == sentence.label;
            s->tables += said[1] == sentence.label;
        }
    }
    const auto percent = [](int part, int whole) { return 100.0 * part / whole; };
    std::printf("%-9s %9s %14s %12s\n", "word", "sentences", "espeak-ng own", "with tables");
    for (const auto& [word, score] : scores)
        std::printf("%-9s %9d %13.1f%% %11.1f%%\n", qPrintable(word), score.sentences,
                    percent(score.engine, score.sentences), percent(score.tables, score.sentences));
    std::printf("%-9s %9d %13.1f%% %11.1f%%\n", "overall", total.sentences,
                percent(total.engine, total.sentences), percent(total.tables, total.sentences));
    return 0;
}
