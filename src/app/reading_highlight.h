#pragma once

#include "reader/box_reading.h"

#include <QColor>
#include <QObject>

#include <optional>

class QPalette;
class QPlainTextEdit;

namespace tellwick {

class InputBox;

// Shows, in the text box, the sentence of a reading of the box that is being heard. The highlight
// is a background of the box's own (extra selections), so the box's selection, which the trainer
// and the user use, stays as it is. Any change of the box's text ends the following: the reading
// no longer matches what the box holds.
class ReadingHighlight : public QObject {
    Q_OBJECT

public:
    explicit ReadingHighlight(InputBox* box);

    // Follows a reading of the box that starts now, until the box's text changes.
    void follow();
    // Shows range, the sentence of the followed reading now heard, and scrolls the box only when
    // its start is out of view, so that a user who scrolled elsewhere keeps the view until the
    // next sentence. What is shown stays until the next sentence is heard.
    void sentenceHeard(BoxRange range);
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
    bool following_ = false;
    std::optional<BoxRange> shown_;
};

} // namespace tellwick
