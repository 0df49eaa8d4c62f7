#include "cli/terminal_progress.h"

#include "speech/progress_estimate.h"

#include <unistd.h>

namespace tellwick {

TerminalProgress::TerminalProgress(std::FILE* stream, QString task)
    : stream_(stream), task_(std::move(task)), terminal_(::isatty(fileno(stream)) == 1) {
    elapsed_.start();
}

void TerminalProgress::update(double done) {
    if (!terminal_)
        return;
    const qint64 now = elapsed_.elapsed();
    if (lastShown_ >= 0 && now - lastShown_ < progressRefreshMilliseconds && done < 1)
        return;
    lastShown_ = now;
    const QString line = task_ + QStringLiteral(": ") + progressDescription(done, now);
    std::fprintf(stream_, "\r\033[K%s", qPrintable(line));
    std::fflush(stream_);
    shown_ = true;
}

void TerminalProgress::clear() {
    if (!shown_)
        return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    shown_ = false;
}

} // namespace tellwick
