#include "speech/qt_text.h"

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
    return QString::fromStdU16String(text::withLfLineBreaks(units(text)));
}

} // namespace tellwick
