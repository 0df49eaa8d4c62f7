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

// The part of the text spoken into the file so far, from 0 to 1.
using SpeechFileProgress = std::function<void(double done)>;

// Speaks text at the window's reading speed, with the voice named (see voice_catalogue.h; empty:
// the default voice), into the file, at the voice's own sample rate. Returns false with a message
// when the file cannot be written or stopped() became true (the synthesis then stops at once);
// stopped is asked from the synthesis thread too. progress, where given, is told how far the
// synthesis is every few hundredths of a second, on the caller's thread.
bool writeSpeechFile(const QString& text, int readingSpeed, const QString& path,
                     std::function<bool()> stopped, QString* error,
                     const HomographReadings& homographs = {}, const QString& voiceName = {},
                     const SpeechFileProgress& progress = {});

} // namespace tellwick
