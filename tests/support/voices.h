#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace tellwick {

// The voices that can speak on this machine, the default first. Tests and benchmarks that hear a
// voice run once for each of these, so that a voice is covered as soon as its library and data
// are installed, and one whose data is missing is left out rather than failed.
QStringList availableVoiceNames();
// Of those, the first of each engine: the voices of one engine share all of its code, so the
// slow tests that play sound run once per engine.
QStringList oneAvailableVoicePerEngine();

// The arguments of `tellwick say` speaking with the voice named, followed by rest. The default
// voice is asked for without --voice, as a user who never chose one asks for it.
QStringList sayArguments(const QString& voiceName, const QStringList& rest);

// The voice's name as test and benchmark names can hold it (letters, digits and underscores).
std::string voiceCaseName(const QString& voiceName);

} // namespace tellwick
