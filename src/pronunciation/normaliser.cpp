#include "pronunciation/normaliser.h"

#include "pronunciation/token_classifier.h"

#include <algorithm>

namespace tellwick {

namespace {

using pronunciation::SpokenToken;
using pronunciation::TextScan;
using pronunciation::TokenClassifier;

// One run of the rewriter's map with where it ends, in its output and in the user's text.
struct RewrittenStretch {
    std::size_t outputBegin = 0;
    std::size_t outputEnd = 0;
    std::size_t sourceBegin = 0;
    std::size_t sourceEnd = 0;
    bool copied = false;
};

class RespellingRuns {
public:
    explicit RespellingRuns(const MappedRespelling& respelled) : respelled_(respelled) {}

    std::size_t count() const { return respelled_.map.runs.size(); }
    RewrittenStretch operator[](std::size_t k) const {
        const std::vector<SourceMap::Run>& runs = respelled_.map.runs;
        const SourceMap::Run& run = runs[k];
        RewrittenStretch stretch;
        stretch.outputBegin = run.output;
        stretch.outputEnd = k + 1 < runs.size() ? runs[k + 1].output : respelled_.text.size();
        stretch.outputEnd = std::max(stretch.outputEnd, stretch.outputBegin);
        stretch.sourceBegin = run.source;
        stretch.copied = run.copied;
        // A piece stands for everything up to where the next run takes up the text.
        const std::size_t next =
            k + 1 < runs.size() ? runs[k + 1].source : respelled_.map.sourceSize;
        stretch.sourceEnd = run.copied ? run.source + (stretch.outputEnd - stretch.outputBegin)
                                       : std::max<std::size_t>(next, run.source);
        return stretch;
    }

private:
    const MappedRespelling& respelled_;
};

// Builds the voice's text and its map back to the user's text.
class SpeakableBuilder {
public:
    SpeakableBuilder(std::u16string_view user, const MappedRespelling& respelled)
        : user_(user), respelled_(respelled), runs_(respelled) {
        result_.text.reserve(respelled.text.size() + respelled.text.size() / 8);
        result_.map.sourceSize = user.size();
    }

    // Copies the rewriter's output from where the last copy ended up to output position end.
    void copyRewrittenUntil(std::size_t end) {
        while (position_ < end && run_ < runs_.count()) {
            const RewrittenStretch stretch = runs_[run_];
            if (stretch.outputEnd <= position_) {
                ++run_;
                continue;
            }
            const std::size_t until = std::min(end, stretch.outputEnd);
            const std::u16string_view part =
                std::u16string_view(respelled_.text).substr(position_, until - position_);
            if (stretch.copied)
                appendCopied(part, stretch.sourceBegin + (position_ - stretch.outputBegin));
            else
                appendPiece(part, stretch.sourceBegin);
            position_ = until;
        }
    }

    // Puts token's words in place of what the rewriter made of it, widened to whole pieces.
    void replace(const SpokenToken& token) {
        if (token.start < sourceDone_)
            return; // taken up already by a piece of the token before
        std::size_t sourceBegin = token.start;
        std::size_t sourceEnd = token.end;
        std::size_t k = run_;
        std::size_t outputBegin = respelled_.text.size();
        // Where the token's stretch of the output starts.
        for (; k < runs_.count(); ++k) {
            const RewrittenStretch s = runs_[k];
            if (s.outputEnd <= position_ || s.sourceEnd <= sourceBegin)
                continue;
            if (s.copied) {
                outputBegin = std::max(position_, s.outputBegin + (sourceBegin > s.sourceBegin
                                                                       ? sourceBegin - s.sourceBegin
                                                                       : 0));
            } else {
                outputBegin = std::max(position_, s.outputBegin);
                sourceBegin = std::min(sourceBegin, s.sourceBegin);
            }
            break;
        }
        // And where it ends.
        std::size_t outputEnd = outputBegin;
        for (; k < runs_.count(); ++k) {
            const RewrittenStretch s = runs_[k];
            if (s.outputEnd <= outputBegin)
                continue;
            if (s.sourceBegin >= sourceEnd)
                break;
            if (s.copied && s.sourceEnd > sourceEnd) {
                outputEnd = s.outputBegin + (sourceEnd - s.sourceBegin);
                break;
            }
            outputEnd = s.outputEnd;
            sourceEnd = std::max(sourceEnd, s.sourceEnd);
        }
        sourceBegin = std::max(sourceBegin, sourceDone_);
        if (outputEnd <= outputBegin || !speaks(outputBegin, outputEnd))
            return; // the rewriter leaves it unsaid (a page number, text in brackets)
        copyRewrittenUntil(outputBegin);
        appendCopied(user_.substr(sourceBegin, token.start - sourceBegin), sourceBegin);
        appendPiece(std::u16string(token.words.begin(), token.words.end()), token.start);
        appendCopied(user_.substr(token.end, sourceEnd - token.end), token.end);
        position_ = outputEnd;
        sourceDone_ = sourceEnd;
    }

    MappedRespelling finish() {
        copyRewrittenUntil(respelled_.text.size());
        result_.map.outputSize = result_.text.size();
        return std::move(result_);
    }

private:
    bool speaks(std::size_t begin, std::size_t end) const {
        for (std::size_t i = begin; i < end; ++i) {
            if (!TextScan::isSpace(respelled_.text[i]))
                return true;
        }
        return false;
    }

    void appendCopied(std::u16string_view part, std::size_t source) {
        if (part.empty())
            return;
        std::vector<SourceMap::Run>& runs = result_.map.runs;
        const bool continues =
            !runs.empty() && runs.back().copied &&
            runs.back().source + (result_.text.size() - runs.back().output) == source;
        if (!continues)
            runs.push_back({result_.text.size(), source, 1});
        result_.text.append(part);
    }

    void appendPiece(std::u16string_view part, std::size_t source) {
        if (part.empty())
            return;
        const std::size_t start = result_.text.size();
        result_.map.runs.push_back({start, source, 0});
        result_.text.append(part);
        keepSentenceBreak(start, source);
    }

    // A word that starts a sentence of the user's text keeps its capital for the voice: after a
    // full stop, espeak-ng takes a word in lower case to mean the stop was an abbreviation's and
    // reads on without the sentence's end.
    void keepSentenceBreak(std::size_t start, std::size_t source) {
        char16_t& first = result_.text[start];
        if (first < u'a' || first > u'z' ||
            TextScan::isLower(source < user_.size() ? user_[source] : u'a'))
            return;
        std::size_t i = start;
        const std::size_t stop = start > 8 ? start - 8 : 0;
        while (i > stop && TextScan::isSpace(result_.text[i - 1]))
            --i;
        if (i == 0) {
            // The text's first word too: a text that starts a sentence is read as one.
            if (TextScan::isUpper(source < user_.size() ? user_[source] : u'a'))
                first = static_cast<char16_t>(first - u'a' + u'A');
            return;
        }
        if (i == start)
            return;
        const char16_t end = result_.text[i - 1];
        if (end == u'.' || end == u'!' || end == u'?')
            first = static_cast<char16_t>(first - u'a' + u'A');
    }

    std::u16string_view user_;
    const MappedRespelling& respelled_;
    RespellingRuns runs_;
    MappedRespelling result_;
    std::size_t run_ = 0;
    std::size_t position_ = 0;   // how much of the rewriter's output is done
    std::size_t sourceDone_ = 0; // how much of the user's text the replacements took up
};

} // namespace

MappedRespelling normalisedRespelling(std::u16string_view userText,
                                      const MappedRespelling& respelled) {
    SpeakableBuilder builder(userText, respelled);
    TokenClassifier classifier(userText);
    SpokenToken token;
    while (classifier.next(token))
        builder.replace(token);
    return builder.finish();
}

MappedRespelling speakableText(std::u16string_view userText, const RespellOptions& options) {
    return normalisedRespelling(userText, respellTextMapped(userText, options));
}

std::vector<std::u16string> normalisedTokenLines(std::u16string_view userText) {
    std::vector<std::u16string> lines;
    TokenClassifier classifier(userText);
    SpokenToken token;
    while (classifier.next(token)) {
        std::u16string line(userText.substr(token.start, token.end - token.start));
        line += u'\t';
        for (const char c : pronunciation::kindName(token.kind))
            line += static_cast<char16_t>(c);
        line += u'\t';
        line.append(token.words.begin(), token.words.end());
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace tellwick
