#include "reader/trainer.h"

#include "speech/qt_text.h"

#include <limits>

namespace tellwick {

void Trainer::switchOn() {
    on_ = true;
    lineCount_ = 0;
}

void Trainer::switchOff() {
    on_ = false;
}

bool Trainer::lineRead(int screenLines) {
    if (lineCount_ < std::numeric_limits<std::int16_t>::max())
        ++lineCount_;
    if (lineCount_ != screenLines)
        return false;
    lineCount_ = 0;
    return true;
}

void copyBoxText(const QString& boxText, Clipboard& clipboard) {
    (void)clipboard.clear();
    (void)clipboard.setText(withLfLineBreaks(withoutTrailingLineBreaks(boxText)));
}

QString withoutTrailingLineBreaks(QString text) {
    while (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text;
}

} // namespace tellwick
