#pragma once

#include <QObject>

class QSocketNotifier;

namespace tellwick {

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in the terminal that started us, kill) end the
// program in order: the window closes as its close button does, so that the unload runs and no
// synthesised key stays held; a command closes the file it writes.
class CloseSignals : public QObject {
    Q_OBJECT

public:
    // Installs the handlers for the life of the process; emits arrived() on this thread's event
    // loop after each signal. Only one may exist.
    explicit CloseSignals(QObject* parent = nullptr);
    ~CloseSignals() override;

    // Whether a closing signal has come. Safe from any thread.
    static bool received();
    // The status a shell reports for a program that the last closing signal ended (130 for
    // SIGINT, 143 for SIGTERM, 129 for SIGHUP).
    static int exitStatus();
    // A descriptor that becomes readable when a closing signal comes, for code that blocks the
    // event loop (the key macro's waits) and must stop at once; -1 before any CloseSignals exists.
    static int wakeDescriptor();

signals:
    void arrived();

private:
    QSocketNotifier* notifier_ = nullptr;
};

// Thrown by code that stops at once because a closing signal came; the top-level handling lets
// the event loop run, which then closes the window.
struct ClosingSignalled {};

} // namespace tellwick
