#pragma once

#include "platform/clipboard.h"

#include <QString>

#include <cstdint>

namespace tellwick {

// The trainer button's caption shows what the next press does.
inline const QString trainerOffCaption = QStringLiteral("&SR");
inline const QString trainerOnCaption = QStringLiteral("&X");

// The speed-reading trainer: whether it runs, and how many lines of the present screenful the
// user has read (each down arrow released in the box is one).
class Trainer {
public:
    bool isOn() const { return on_; }
    int lineCount() const { return lineCount_; }

    // Switching on starts the count again, from the start of the text.
    void switchOn();
    void switchOff();
    // One more line read. True when it completes a screenful of screenLines lines: the page turns
    // and the count starts again. With a box lower than one line, screenLines is 0 or less and
    // never met: the count then stops at its maximum instead of wrapping round.
    bool lineRead(int screenLines);

private:
    bool on_ = false;
    std::int16_t lineCount_ = 0;
};

// F2: puts the box's text (CR LF line breaks) on the clipboard without its trailing line breaks,
// as Unicode with LF line breaks, which is what the programs it is pasted into here expect. Every
// step may fail (a busy clipboard); each is tried regardless.
void copyBoxText(const QString& boxText, Clipboard& clipboard);

// Removes every CR LF pair from the end of text; a lone CR or LF there stops the removal.
QString withoutTrailingLineBreaks(QString text);

} // namespace tellwick
