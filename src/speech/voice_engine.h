#pragma once

#include "speech/homograph_readings.h"
#include "speech/synthesis_target.h"

#include <QString>
#include <QStringView>

#include <cstdio>
#include <memory>
#include <optional>

namespace tellwick {

// One piece of the text (see text_chunks.h), as the speech worker hands it to an engine.
struct PieceToSpeak {
    // The text as far as it is decided; the piece is decided[start, end). The words around the
    // piece still count for the homographs at its edges.
    QStringView decided;
    qsizetype start = 0;
    qsizetype end = 0;
    // Where in the piece to begin, in the engine's own positions: 0 for the piece's start, or
    // the offset of a SentenceStart that this engine reported for this piece.
    qsizetype from = 0;
    // The window's reading speed, -9 to +9 around a normal 0; every step must sound different.
    int readingSpeed = 0;
    HomographReadings homographs;
    // The sound is heard as it is made (a reading, not a file): the first words of a run may be
    // hurried out at the cost of the run's opening pause. A file's parts, made apart, must join as
    // one whole, so its runs keep every pause.
    bool heardAtOnce = false;
};

// A speech synthesiser library driven in this process. Every call comes from the one speech
// worker thread that owns the engine, the constructor included.
class VoiceEngine {
public:
    virtual ~VoiceEngine() = default;

    // The rate of every sample the engine gives, in Hz (mono, 16-bit).
    virtual int sampleRate() const = 0;

    // Speaks the piece into target's run: samples in order (the first of them being sample
    // firstSample of the run), and each sentence start among them as
    // SentenceStart{piece.start, the engine's own position in the piece, the position in
    // decided}. Returns the number of samples delivered, or nothing when the target left the
    // run (the engine then stops at once).
    virtual std::optional<qint64> speakPiece(const PieceToSpeak& piece, SynthesisTarget& target,
                                             int run, qint64 firstSample) = 0;

    // From now on, also lists the phonemes spoken into stream, one line per clause, in the
    // engine's own phone set (IPA where asked and the engine can); null stops the listing. The
    // sound of a listed job is dropped: an engine may leave it unmade, and deliver no samples.
    virtual void listPhonemes(std::FILE* stream, bool ipa) = 0;
};

} // namespace tellwick
