#include "pronunciation/normaliser.h"
#include "rewriter/respell.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <span>
#include <string>
#include <string_view>

// How fast the rewriter gets through book-length text, beside a plain copy of the same text.
namespace {

using Words = std::span<const std::u16string_view>;

constexpr std::u16string_view ordinaryWords[] = {
    u"the",     u"of",     u"and",     u"to",      u"in",      u"that",    u"it",      u"was",
    u"he",      u"for",    u"on",      u"are",     u"with",    u"they",    u"be",      u"at",
    u"one",     u"have",   u"this",    u"from",    u"by",      u"hot",     u"word",    u"but",
    u"what",    u"some",   u"is",      u"you",     u"or",      u"had",     u"water",   u"long",
    u"people",  u"little", u"morning", u"village", u"thought", u"window",  u"quietly", u"zone",
    u"between", u"under",  u"country", u"history", u"always",  u"nothing", u"story",   u"again"};

constexpr std::u16string_view ruleWords[] = {
    u"live",   u"lives",   u"lead",    u"learned", u"read",       u"record",   u"minute",
    u"resume", u"project", u"present", u"sow",     u"wound",      u"wind",     u"arithmetic",
    u"Dr.",    u"Mr.",     u"II",      u"IV",      u"is.",        u"no.",      u"Jan",
    u"kinder", u"sole",    u"vegan",   u"Wi-Fi",   u"well-known", u"U.S.-led", u"5bn"};

constexpr std::u16string_view numbers[] = {u"3.14", u"1999", u"$5.99", u"12",
                                           u"9/11", u"42",   u"2.5"};

constexpr std::u16string_view sentenceEnds[] = {u". ", u". ",    u". ",    u"? ",
                                                u"! ", u"...  ", u".\r\n", u".\r\n\r\n12\r\n\r\n"};

constexpr std::u16string_view inSentence[] = {u" ",  u" ",  u" ",  u" ",        u" ",  u" ",
                                              u", ", u" (", u") ", u" \u2014 ", u" [", u"] "};

std::u16string_view pick(std::mt19937& rng, Words words) {
    return words[std::uniform_int_distribution<std::size_t>(0, words.size() - 1)(rng)];
}

// Sentences of ordinary words with rule words, numbers, brackets and line breaks mixed in.
std::u16string makeProse(std::size_t length) {
    std::mt19937 rng(1);
    std::u16string text;
    text.reserve(length + 64);
    while (text.size() < length) {
        const int words = std::uniform_int_distribution<int>(4, 20)(rng);
        for (int i = 0; i < words; ++i) {
            const int kind = std::uniform_int_distribution<int>(0, 19)(rng);
            const auto word = kind < 15   ? pick(rng, ordinaryWords)
                              : kind < 19 ? pick(rng, ruleWords)
                                          : pick(rng, numbers);
            const std::size_t start = text.size();
            text += word;
            if (i == 0 && text[start] >= u'a' && text[start] <= u'z')
                text[start] -= u'a' - u'A';
            text += i + 1 < words ? pick(rng, inSentence) : pick(rng, sentenceEnds);
        }
    }
    text.resize(length);
    return text;
}

// Runs of Chinese characters with Latin words between them and no ASCII space or punctuation:
// the scanner never sees a character below "A", so nothing ever ends the current word.
std::u16string makeCjk(std::size_t length) {
    std::mt19937 rng(2);
    std::u16string text;
    text.reserve(length + 64);
    while (text.size() < length) {
        const int run = std::uniform_int_distribution<int>(1, 6)(rng);
        for (int i = 0; i < run; ++i)
            text.push_back(
                static_cast<char16_t>(std::uniform_int_distribution<int>(0x4e00, 0x9fa5)(rng)));
        text += std::uniform_int_distribution<int>(0, 1)(rng) ? pick(rng, ruleWords).substr(0, 4)
                                                              : pick(rng, ordinaryWords);
    }
    text.resize(length);
    return text;
}

// Digits and the punctuation that numbers, dates, times and telephone numbers are written with, at
// random: every few characters a token starts, or nearly does.
std::u16string makeDigitsAndPunctuation(std::size_t length) {
    constexpr std::u16string_view marks = u"0123456789012345678901234567890123456789 .,:/-()$%";
    std::mt19937 rng(3);
    std::u16string text(length, u' ');
    for (char16_t& c : text)
        c = marks[std::uniform_int_distribution<std::size_t>(0, marks.size() - 1)(rng)];
    return text;
}

// Texts are made once per size and kept, so that the timing holds only the work measured.
template <std::u16string (*make)(std::size_t)> const std::u16string& cached(std::size_t megabytes) {
    static std::map<std::size_t, std::u16string> texts;
    auto& text = texts[megabytes];
    if (text.empty())
        text = make(megabytes << 20);
    return text;
}

void reportCharacters(benchmark::State& state, std::size_t characters) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * characters));
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * characters * sizeof(char16_t)));
}

template <std::u16string (*make)(std::size_t)> void respell(benchmark::State& state) {
    const auto& text = cached<make>(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tellwick::respellText(text));
    reportCharacters(state, text.size());
}

// The rewrite that also maps each unit of its output back to the text.
template <std::u16string (*make)(std::size_t)> void respellMapped(benchmark::State& state) {
    const auto& text = cached<make>(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tellwick::respellTextMapped(text));
    reportCharacters(state, text.size());
}

// What the voice is given: the rewrite and the words for numbers, dates and the like in it.
template <std::u16string (*make)(std::size_t)> void speakable(benchmark::State& state) {
    const auto& text = cached<make>(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tellwick::speakableText(text));
    reportCharacters(state, text.size());
}

template <std::u16string (*make)(std::size_t)> void copy(benchmark::State& state) {
    const auto& text = cached<make>(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(std::u16string(text));
    reportCharacters(state, text.size());
}

void BM_RespellProse(benchmark::State& state) {
    respell<makeProse>(state);
}
void BM_RespellMappedProse(benchmark::State& state) {
    respellMapped<makeProse>(state);
}
void BM_SpeakableProse(benchmark::State& state) {
    speakable<makeProse>(state);
}
void BM_SpeakableDigitsAndPunctuation(benchmark::State& state) {
    speakable<makeDigitsAndPunctuation>(state);
}
void BM_CopyProse(benchmark::State& state) {
    copy<makeProse>(state);
}
void BM_RespellCjk(benchmark::State& state) {
    respell<makeCjk>(state);
}
void BM_CopyCjk(benchmark::State& state) {
    copy<makeCjk>(state);
}

// Arguments are sizes in mebi-characters.
BENCHMARK(BM_RespellProse)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RespellMappedProse)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeakableProse)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeakableDigitsAndPunctuation)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyProse)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RespellCjk)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyCjk)->Arg(4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
