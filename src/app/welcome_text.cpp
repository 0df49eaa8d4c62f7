#include "app/welcome_text.h"

#include "reader/box_text.h"

#include <algorithm>

namespace tellwick {

namespace {

const char* const welcomeLines[] = {
    "        Welcome to Tellwick!\r\n",
    "This program reads aloud text that you highlight in another application or paste into this "
    "window. It does this with a front end to %1 that improves its pronunciation, "
    "especially of heteronyms, words that are spelled the same but pronounced differently. So it "
    "is an 'educated %2' if you like. Just highlight text in another application, such as a "
    "web page, then click the Read Highlighted button below. You can also copy text using Ctrl + C "
    "and paste it into this window, then click 'Read'. If you click Read when there is no text in "
    "this window, the contents of the clipboard will be read.\r\n",
    "     Tellwick includes a Speed Reading Trainer that trains your eyes to scan reading material "
    "more effectively. To use it, click the Paste button to put the text you want to practice "
    "with into the window, then click the 'SR' button. You then press the down-arrow key after "
    "you read each line. At the bottom of each screen you will be taken to the top of the next "
    "one.\r\n\r\n",
    "V1.50  Copyright (C) the Tellwick developers. Free to use and share.",
};

} // namespace

VoiceWords voiceWords(const VoiceDescription* voice, const std::vector<VoiceDescription>& voices) {
    const QString engine = voice ? voice->engine : QStringLiteral("espeak-ng");
    const auto sameEngine = [&engine](const VoiceDescription& other) {
        return other.engine == engine;
    };
    const QString nickname = engine.section(QLatin1Char('-'), 0, 0);
    if (!voice || std::count_if(voices.begin(), voices.end(), sameEngine) < 2)
        return {QStringLiteral("the %1 voice").arg(engine), nickname};
    // Names are "<engine>-<voice>".
    const QString own = voice->name.mid(engine.size() + 1);
    return {QStringLiteral("the %1 voice (%2)").arg(engine, own), nickname};
}

QString welcomeText(int screenLines, const VoiceWords& words) {
    QString text;
    for (const char* line : welcomeLines)
        text += QString::fromLatin1(line);
    return text.arg(words.voice, words.nickname) + emptyLineRun(screenLines);
}

} // namespace tellwick
