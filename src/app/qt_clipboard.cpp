#include "app/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tellwick {

namespace {

QClipboard* systemClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

} // namespace

std::optional<QString> QtClipboard::text() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard)
        return std::nullopt;
    return clipboard->text(QClipboard::Clipboard);
}

bool QtClipboard::clear() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard)
        return false;
    clipboard->clear(QClipboard::Clipboard);
    return true;
}

bool QtClipboard::setText(const QString& text) {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text, QClipboard::Clipboard);
    return true;
}

std::optional<QString> QtClipboard::selectionText() {
    QClipboard* clipboard = systemClipboard();
    if (!clipboard || !clipboard->supportsSelection())
        return std::nullopt;
    return clipboard->text(QClipboard::Selection);
}

} // namespace tellwick
