#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tellwick {

// Sound read back from a file or a recording, and what tests look at in it.
struct RecordedSound {
    int sampleRate = 0;
    std::vector<std::int16_t> samples; // the first channel

    double seconds() const { return sampleRate > 0 ? double(samples.size()) / sampleRate : 0; }
    // One character per 50 ms: '#' where there is speech, '.' where there is silence.
    QString profile() const;
};

// Any file libsndfile reads; nothing when it cannot.
std::optional<RecordedSound> readSoundFile(const QString& path);
// Raw signed 16-bit little-endian mono, as parec records it.
RecordedSound readRawSound(const QString& path, int sampleRate);

// Seconds of speech in a profile, and the longest silence between its first and last speech.
double speechSeconds(const QString& profile);
double longestInnerSilenceSeconds(const QString& profile);

} // namespace tellwick
