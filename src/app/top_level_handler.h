#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace tellwick {

// A failure that the handler it happens in does not catch. It ends that handler at once; the
// window's top-level handling reports it, and the window, its text and its state stay as the
// failure left them, so the user can go on.
struct UncaughtFailure {
    QString message;
};

// Where uncaught failures are reported. The default shows a message box over the window; tests
// capture them instead.
using UncaughtSink = std::function<void(QWidget* window, const QString& message)>;

// Installs a sink and returns the one it replaces; an empty sink restores the message box.
UncaughtSink setUncaughtSink(UncaughtSink sink);

void reportUncaught(QWidget* window, const QString& message);

// Runs one event handler; a failure that escapes it is reported instead of ending the program.
template <typename Handler> void runHandler(QWidget* window, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const UncaughtFailure& failure) {
        reportUncaught(window, failure.message);
    }
}

} // namespace tellwick
