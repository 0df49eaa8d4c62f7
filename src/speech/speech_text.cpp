#include "speech/speech_text.h"

#include <algorithm>

namespace tellwick {

void SpeechText::reset(QString text, bool whole) {
    std::lock_guard lock(mutex_);
    text_ = std::move(text);
    whole_ = whole;
    relied_ = 0;
    changed_.notify_all();
}

bool SpeechText::complete(const QString& whole) {
    std::lock_guard lock(mutex_);
    const qsizetype common = std::min(text_.size(), whole.size());
    const auto differs =
        std::mismatch(text_.cbegin(), text_.cbegin() + common, whole.cbegin()).first;
    if (differs - text_.cbegin() < relied_)
        return false;
    text_ = whole;
    whole_ = true;
    changed_.notify_all();
    return true;
}

bool SpeechText::isWhole() const {
    std::lock_guard lock(mutex_);
    return whole_;
}

std::optional<QString> SpeechText::read(qsizetype needed, const std::function<bool()>& abandoned) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return abandoned() || whole_ || text_.size() >= needed; });
    if (abandoned())
        return std::nullopt;
    if (!whole_)
        relied_ = std::max(relied_, needed);
    return text_;
}

void SpeechText::wake() {
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

} // namespace tellwick
