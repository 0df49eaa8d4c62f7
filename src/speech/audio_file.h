#pragma once

#include "speech/homograph_readings.h"

#include <QString>

#include <functional>

namespace tellwick {

// Writes the speech of a text to an audio file through libsndfile, with the voice's synthesis.
// The format follows the file name's extension: .wav, .flac, .ogg and .mp3 (where the installed
// libsndfile can write it).

// Checks the file name before anything is synthesised; false, with a message, when its extension
// names no format that can be written here.
bool canWriteAudioFile(const QString& path, QString* error);
// The libsndfile format (for SoundFileOutput) that path's extension names at sampleRate; 0, with a
// message, as canWriteAudioFile.
int audioFileFormat(const QString& path, int sampleRate, QString* error);

// Speaks text at the window's reading speed into the file, with the voice named (empty for the
// default voice), at the voice's own sample rate. Returns false with a message when the
// file cannot be written or stopped() became true (the synthesis then stops at once); stopped is
// asked from the synthesis thread too.
bool writeSpeechFile(const QString& text, int readingSpeed, const QString& path,
                     std::function<bool()> stopped, QString* error,
                     const HomographReadings& homographs = {},
                     const QString& voiceName = QString());

} // namespace tellwick
