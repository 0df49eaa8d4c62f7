#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tellwick {

// How far a long piece of work is (writing speech to a file), told the same way wherever it is
// shown: a terminal's line or the window's progress dialog.

// How often the progress shown is brought up to date: often enough to look alive, rarely enough
// not to flicker.
inline constexpr int progressRefreshMilliseconds = 250;

// The seconds the work will take yet at the pace it has kept so far, from the part done (0 to 1)
// after elapsedMilliseconds; nothing while too little is done to judge the pace, or once all is.
std::optional<qint64> secondsLeft(double done, qint64 elapsedMilliseconds);

// "42% done, 1:05 left" (hours shown when there are any: "1:02:05"); the time left only where
// secondsLeft gives one.
QString progressDescription(double done, qint64 elapsedMilliseconds);

} // namespace tellwick
