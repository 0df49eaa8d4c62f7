#pragma once

#include "app/box_reading.h"

#include <QColor>
#include <QObject>

#include <memory>
#include <optional>

class QPalette;
class QPlainTextEdit;

namespace tellwick {

class RawTextMirror;

// Shows, in the text box, the sentence of a reading of the box that is being heard. The highlight
// is a background of the box's own (extra selections), so the box's selection, which the trainer
// and the user use, stays as it is. Any change of the box's text ends the following: the reading
// no longer matches what the box holds.
class ReadingHighlight : public QObject {
    Q_OBJECT

public:
    ReadingHighlight(QPlainTextEdit* box, const RawTextMirror* boxText);

    // Follows reading from now on; null follows nothing. What is shown stays until the next
    // sentence is heard, so that the whole of a reading can take over from its beginning.
    void follow(std::shared_ptr<const BoxReading> reading);
    const BoxReading* following() const { return reading_.get(); }
    // Shows the sentence that starts at position of the followed reading's spoken text, and
    // scrolls the box only when the sentence's start is out of view, so that a user who scrolled
    // elsewhere keeps the view until the next sentence.
    void sentenceHeard(qsizetype position);
    // Removes the highlight and follows nothing.
    void stop();

    std::optional<BoxRange> shown() const { return shown_; }

    // A background that sets a sentence apart from the box's base and keeps its text legible in
    // light and dark palettes alike: the base tinted towards the palette's highlight.
    static QColor colourFor(const QPalette& palette);

private:
    bool startIsInView(qsizetype position) const;
    void scrollToLineOf(qsizetype position);

    QPlainTextEdit* box_;
    const RawTextMirror* boxText_;
    std::shared_ptr<const BoxReading> reading_;
    std::optional<BoxRange> shown_;
};

} // namespace tellwick
