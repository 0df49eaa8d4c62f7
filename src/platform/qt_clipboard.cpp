#include "platform/qt_clipboard.h"

#include "platform/plain_text_data.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tellwick {

namespace {

QClipboard* systemClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

// Under X11 a read asks the owner for the text with the last server time this program has seen,
// and an owner refuses a request older than its ownership. After a handler has blocked (Read
// Highlighted waits while another application copies), that time predates the copy, so the read
// would come back empty: the window system's pending events bring it up to date first.
QClipboard* clipboardForReading() {
    QClipboard* clipboard = systemClipboard();
    if (clipboard && QGuiApplication::platformName() == QLatin1String("xcb"))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return clipboard;
}

// Plain text kept as UTF-8: what other programs are given as it stands, and half a QString's size
// for most text. The clipboard keeps what the user read (a book, maybe) for as long as this program
// owns it.
class Utf8TextData : public PlainTextData {
public:
    explicit Utf8TextData(QByteArray utf8) : utf8_(std::move(utf8)) {}

protected:
    QVariant plainText(QMetaType type) const override {
        if (type.id() == QMetaType::QString)
            return QString::fromUtf8(utf8_);
        return utf8_;
    }

private:
    QByteArray utf8_;
};

} // namespace

std::optional<QString> QtClipboard::text() {
    QClipboard* clipboard = clipboardForReading();
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
    clipboard->setMimeData(new Utf8TextData(text.toUtf8()), QClipboard::Clipboard);
    return true;
}

std::optional<QString> QtClipboard::selectionText() {
    QClipboard* clipboard = clipboardForReading();
    if (!clipboard || !clipboard->supportsSelection())
        return std::nullopt;
    return clipboard->text(QClipboard::Selection);
}

} // namespace tellwick
