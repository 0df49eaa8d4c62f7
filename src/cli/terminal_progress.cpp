#include "cli/terminal_progress.h"

#include <unistd.h>

namespace tellwick {

namespace {

// Often enough to look alive, rarely enough not to flicker.
constexpr qint64 refreshMilliseconds = 250;

QString duration(qint64 seconds) {
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

TerminalProgress::TerminalProgress(std::FILE* stream, QString task)
    : stream_(stream), task_(std::move(task)), terminal_(::isatty(fileno(stream)) == 1) {
    elapsed_.start();
}

void TerminalProgress::update(double done) {
    if (!terminal_)
        return;
    const qint64 now = elapsed_.elapsed();
    if (lastShown_ >= 0 && now - lastShown_ < refreshMilliseconds && done < 1)
        return;
    lastShown_ = now;
    QString line = QStringLiteral("%1: %2% done").arg(task_).arg(int(done * 100));
    // The time left follows from the pace so far, once there is a pace to go by.
    if (done > 0.01 && done < 1)
        line += QStringLiteral(", %1 left").arg(duration(qint64(now * (1 - done) / done / 1000)));
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
