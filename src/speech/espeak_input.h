#pragma once

#include "speech/homograph_readings.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace tellwick {

// Prepares rewritten text for espeak-ng, which is called with phoneme input switched on:
// - The rewriter's respellings were made for another voice, and espeak-ng reads several of them
//   badly. Each one, with the endings that can follow it, becomes the phonemes of its intended
//   reading, written as espeak-ng phoneme input.
// - A homograph that the rewriter copied unchanged gets the phonemes of the reading that the
//   words around it decide (see homograph_readings.h), unless espeak-ng is left to read it.
// - Every other "[[" of the text is parted, so that nothing the user wrote is read as phonemes.
// The text given to the window's rewriter and shown to the user is never changed by this.
QString espeakInput(QStringView text, const HomographReadings& readings = {});
// The same for the piece [from, to) of a text, whose words around the piece still count for the
// homographs at its edges.
QString espeakInput(QStringView text, qsizetype from, qsizetype to,
                    const HomographReadings& readings = {});

// The input together with where each part of it came from in the text, so that a position
// espeak-ng reports can be shown in the text the user gave.
class MappedEspeakInput {
public:
    // A stretch of the input that stands for a stretch of the text of another length (phonemes
    // for a word, a parted bracket). The input outside such stretches is the text, unit for unit.
    struct Replacement {
        qsizetype inputStart, inputEnd;
        qsizetype textStart, textEnd;
    };

    QString input;
    std::vector<Replacement> replacements; // in input order

    // The text position (UTF-16 units) of an input position counted in code points, as espeak-ng
    // counts. A position within a replacement is the start of what it replaced.
    qsizetype textPositionOf(qsizetype inputCodePoint) const;
};
// The input for the piece [from, to) of a text, whose words around the piece still count for the
// homographs at its edges; text positions in its map count from `from`.
MappedEspeakInput mappedEspeakInput(QStringView text, qsizetype from, qsizetype to,
                                    const HomographReadings& readings = {});

} // namespace tellwick
