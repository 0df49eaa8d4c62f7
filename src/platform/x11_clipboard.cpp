#include "platform/x11_clipboard.h"

#include "platform/x11_selection_reader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QThreadPool>

namespace tellwick {

namespace {

constexpr std::chrono::milliseconds holderPatience{1000};

bool heldHere(ClipboardSource source) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return source == ClipboardSource::Selection ? clipboard->ownsSelection()
                                                : clipboard->ownsClipboard();
}

QByteArray displayName() {
    return qgetenv("DISPLAY");
}

} // namespace

std::optional<QString> X11Clipboard::text() {
    if (heldHere(ClipboardSource::Clipboard))
        return QtClipboard::text();
    return readX11Selection(displayName(), ClipboardSource::Clipboard, holderPatience).text;
}

std::optional<QString> X11Clipboard::selectionText() {
    if (heldHere(ClipboardSource::Selection))
        return QtClipboard::selectionText();
    return readX11Selection(displayName(), ClipboardSource::Selection, holderPatience).text;
}

void X11Clipboard::requestText(ClipboardSource source, QObject* context, ClipboardAnswer answer) {
    if (heldHere(source)) {
        Clipboard::requestText(source, context, std::move(answer));
        return;
    }
    QThreadPool::globalInstance()->start([source, display = displayName(),
                                          guard = QPointer<QObject>(context),
                                          answer = std::move(answer)]() mutable {
        ClipboardRead read = readX11Selection(display, source, holderPatience);
        // The application outlives the pool's tasks: it waits for them as it ends.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard = std::move(guard), answer = std::move(answer), read = std::move(read)] {
                if (guard)
                    answer(read);
            },
            Qt::QueuedConnection);
    });
}

} // namespace tellwick
