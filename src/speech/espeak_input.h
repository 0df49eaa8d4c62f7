#pragma once

#include <QString>
#include <QStringView>

namespace tellwick {

// Prepares rewritten text for espeak-ng, which is called with phoneme input switched on:
// - The rewriter's respellings were made for another voice, and espeak-ng reads several of them
//   badly. Each one, with the endings that can follow it, becomes the phonemes of its intended
//   reading, written as espeak-ng phoneme input.
// - A heteronym that the rewriter copied unchanged gets the phonemes of the reading that its
//   neighbours decide (see heteronym_decisions.h), where they decide one.
// - Every other "[[" of the text is parted, so that nothing the user wrote is read as phonemes.
// The text given to the window's rewriter and shown to the user is never changed by this.
QString espeakInput(QStringView text);
// The same for the piece [from, to) of a text, whose words around the piece still count for the
// heteronyms at its edges.
QString espeakInput(QStringView text, qsizetype from, qsizetype to);

} // namespace tellwick
