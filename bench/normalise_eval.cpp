// How often the voice reads numbers, money, dates, times, measures, telephone numbers,
// abbreviations, Roman numerals, symbols and sentence breaks as a careful reader would, on everyday
// sentences (normalise_sentences.tsv), beside espeak-ng reading the sentence as written. A sentence
// is read right when its phonemes, as `tellwick say --phonemes` lists them, are those of one of its
// accepted readings written out in words (stress and pauses aside; for sentence breaks, its
// clauses too).
//
//   normalise_eval [--misses] [SENTENCES.tsv]

#include "pronunciation/normaliser.h"
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

struct Sentence {
    QString kind;
    QString text;
    QStringList accepted;
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
        sentences.push_back({fields[0], fields[1], fields[2].split(u'|')});
    }
    return sentences;
}

// The listing without what a careful reading may vary: stress, pauses, linking, word breaks; the
// clause breaks only where they are what is measured.
QString comparable(const QString& listing, bool clauses) {
    static const QRegularExpression marks(QStringLiteral("[',%=]|_:?|-"));
    QString out = listing;
    out.remove(marks);
    out.remove(u' ');
    out = out.trimmed();
    if (!clauses)
        out.remove(u'\n');
    return out;
}

std::optional<QString> phonemes(const QString& text, bool clauses) {
    QString error;
    const std::optional<QString> listing = phonemesOf(text, 1, PhonemeAlphabet::Mnemonics, &error);
    if (!listing) {
        std::fprintf(stderr, "normalise_eval: %s\n", qPrintable(error));
        return std::nullopt;
    }
    return comparable(*listing, clauses);
}

struct Score {
    int sentences = 0;
    int engine = 0;
    int tellwick = 0;
    int lost = 0; // read right by espeak-ng alone, wrong by Tellwick
};

} // namespace

int main(int argc, char** argv) {
    bool misses = false;
    QString path = QStringLiteral(TELLWICK_NORMALISE_SENTENCES);
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--misses")
            misses = true;
        else
            path = QString::fromLocal8Bit(argv[i]);
    }
    const std::vector<Sentence> sentences = readSentences(path);
    if (sentences.empty()) {
        std::fprintf(stderr, "normalise_eval: no sentences in %s\n", qPrintable(path));
        return 1;
    }
    std::map<QString, Score> scores;
    Score total;
    for (const Sentence& sentence : sentences) {
        const bool clauses = sentence.kind == QLatin1String("sentence breaks");
        const QString spoken =
            QString::fromStdU16String(speakableText(sentence.text.toStdU16String()).text);
        const std::optional<QString> ours = phonemes(spoken, clauses);
        const std::optional<QString> engine = phonemes(sentence.text, clauses);
        if (!ours || !engine)
            return 1;
        bool oursRight = false;
        bool engineRight = false;
        for (const QString& form : sentence.accepted) {
            const std::optional<QString> wanted = phonemes(form, clauses);
            if (!wanted)
                return 1;
            oursRight = oursRight || *ours == *wanted;
            engineRight = engineRight || *engine == *wanted;
        }
        if (misses && !oursRight)
            std::printf("miss %-16s %s\n    said:   %s\n    wanted: %s\n",
                        qPrintable(sentence.kind), qPrintable(sentence.text), qPrintable(spoken),
                        qPrintable(sentence.accepted.join(QStringLiteral(" | "))));
        for (Score* score : {&scores[sentence.kind], &total}) {
            ++score->sentences;
            score->engine += engineRight;
            score->tellwick += oursRight;
            score->lost += engineRight && !oursRight;
        }
    }
    std::printf("%-16s %9s %14s %9s %18s\n", "kind", "sentences", "espeak-ng own", "Tellwick",
                "lost to Tellwick");
    const auto row = [](const QString& kind, const Score& score) {
        std::printf("%-16s %9d %8d/%-5d %4d/%-4d %18d\n", qPrintable(kind), score.sentences,
                    score.engine, score.sentences, score.tellwick, score.sentences, score.lost);
    };
    for (const auto& [kind, score] : scores)
        row(kind, score);
    row(QStringLiteral("overall"), total);
    std::printf("Tellwick %.1f %%, espeak-ng own %.1f %%\n",
                100.0 * total.tellwick / total.sentences, 100.0 * total.engine / total.sentences);
    return 0;
}
