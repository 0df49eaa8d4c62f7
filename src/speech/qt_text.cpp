#include "speech/qt_text.h"

#include <algorithm>

namespace tellwick {

namespace {

std::u16string_view units(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace

QString withCrLfLineBreaks(QStringView text) {
    return QString::fromStdU16String(text::withCrLfLineBreaks(units(text)));
}

QString withLfLineBreaks(QStringView text) {
    return withLfLineBreaks(text.toString());
}

QString withLfLineBreaks(QString text) {
    const auto otherBreak = [](QChar c) { return isLineBreak(c) && c != u'\n'; };
    const qsizetype first = std::find_if(text.cbegin(), text.cend(), otherBreak) - text.cbegin();
    if (first == text.size())
        return text;
    QChar* units = text.data();
    qsizetype kept = first;
    for (qsizetype i = first; i < text.size(); ++i) {
        const QChar unit = units[i];
        if (!isLineBreak(unit)) {
            units[kept++] = unit;
            continue;
        }
        units[kept++] = u'\n';
        if (unit == u'\r' && i + 1 < text.size() && units[i + 1] == u'\n')
            ++i;
    }
    text.truncate(kept);
    return text;
}

} // namespace tellwick
