#pragma once

#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace tellwick {

// The text of one reading, shared by the voice and its synthesis jobs. A text too large to prepare
// at once comes in two steps: its beginning, so that speech starts at once, then the whole.
// Synthesis reads the beginning as far as it is sure of it and then waits for the whole; the
// whole takes over without a break when it agrees with the beginning on everything read so far.
class SpeechText {
public:
    explicit SpeechText(QString text = {}, bool whole = true)
        : text_(std::move(text)), whole_(whole) {}

    // Replaces the text (the whole of it, or a beginning) and wakes every waiting reader.
    void reset(QString text, bool whole);
    // Gives the whole of a beginning. False, and nothing changes, when the whole differs from the
    // beginning somewhere synthesis has already read: the reading must start over.
    bool complete(const QString& whole);
    bool isWhole() const;
    // The text, once it holds at least needed units or is whole. Waits for that without spinning;
    // gives nothing as soon as abandoned() says so, which is asked again on every wake().
    std::optional<QString> read(qsizetype needed, const std::function<bool()>& abandoned);
    void wake();

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    QString text_;
    bool whole_;
    // How much of the beginning synthesis has relied on.
    qsizetype relied_ = 0;
};

} // namespace tellwick
