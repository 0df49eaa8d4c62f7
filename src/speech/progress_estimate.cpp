#include "speech/progress_estimate.h"

#include <algorithm>
#include <cmath>

namespace tellwick {

namespace {

// The first hundredth of the work goes with starting up, which says little about its pace.
constexpr double leastDoneForPace = 0.01;

QString duration(qint64 seconds) {
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

std::optional<qint64> secondsLeft(double done, qint64 elapsedMilliseconds) {
    if (done <= leastDoneForPace || done >= 1)
        return std::nullopt;
    return std::llround(double(elapsedMilliseconds) * (1 - done) / done / 1000);
}

QString progressDescription(double done, qint64 elapsedMilliseconds) {
    QString text = QStringLiteral("%1% done").arg(int(std::clamp(done, 0.0, 1.0) * 100));
    if (const std::optional<qint64> left = secondsLeft(done, elapsedMilliseconds))
        text += QStringLiteral(", %1 left").arg(duration(*left));
    return text;
}

} // namespace tellwick
