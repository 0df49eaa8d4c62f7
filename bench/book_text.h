#pragma once

#include <QString>
#include <QStringList>

#include <random>

// Book-like prose for the document and export benchmarks: sentences of ordinary words, a
// paragraph every few sentences, the same every run.
inline QStringList bookParagraphs(qsizetype length) {
    static const char* const words[] = {
        "the",     "of",     "and",     "to",      "in",      "that",    "it",      "was",
        "he",      "for",    "on",      "are",     "with",    "they",    "be",      "at",
        "one",     "have",   "this",    "from",    "by",      "garden",  "word",    "but",
        "what",    "some",   "is",      "you",     "or",      "had",     "water",   "long",
        "people",  "little", "morning", "village", "thought", "window",  "quietly", "river",
        "between", "under",  "country", "history", "always",  "nothing", "story",   "again"};
    std::mt19937 random(7);
    const auto below = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    QStringList paragraphs;
    qsizetype size = 0;
    while (size < length) {
        QString paragraph;
        for (int sentence = 3 + below(5); sentence > 0; --sentence) {
            QString text;
            for (int word = 5 + below(14); word > 0; --word)
                text += QLatin1String(words[below(std::size(words))]) + u' ';
            text[0] = text[0].toUpper();
            text.back() = u'.';
            paragraph += text + u' ';
        }
        paragraph.chop(1);
        size += paragraph.size() + 1;
        paragraphs.append(paragraph);
    }
    return paragraphs;
}
