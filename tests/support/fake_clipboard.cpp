#include "support/fake_clipboard.h"

namespace tellwick {

std::optional<QString> FakeClipboard::text() {
    ++readCount;
    if (failRead)
        return std::nullopt;
    return content;
}

void FakeClipboard::requestText(ClipboardSource source, QObject* context, ClipboardAnswer answer) {
    if (holderFailure.isEmpty())
        Clipboard::requestText(source, context, std::move(answer));
    else
        answer({std::nullopt, holderFailure});
}

bool FakeClipboard::clear() {
    ++clearCount;
    if (failClear)
        return false;
    content.clear();
    return true;
}

bool FakeClipboard::setText(const QString& text) {
    ++setCount;
    if (failSet)
        return false;
    content = text;
    return true;
}

} // namespace tellwick
