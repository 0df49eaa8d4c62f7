#pragma once

#include "documents/document.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

namespace tellwick {

// Reads a document on a thread of its own, so that a window stays responsive, and reports back on
// the thread that owns the loader. Destroying the loader cancels a reading under way and waits for
// it to stop (within a page or chapter).
class DocumentLoader : public QObject {
    Q_OBJECT
public:
    explicit DocumentLoader(QObject* parent = nullptr) : QObject(parent) {}
    ~DocumentLoader() override;

    // Starts reading path, cancelling any reading under way (whose result is then never given).
    void start(const QString& path);
    // Stops the reading; finished then comes with a cancelled reading.
    void cancel() { cancelled_ = true; }
    bool busy() const { return reading_.joinable(); }

signals:
    // The part done, from 0 to 1, at most about a hundred times per reading.
    void progressed(double done);
    void finished(const tellwick::DocumentReading& reading);

private:
    void stop();

    std::thread reading_;
    std::atomic<bool> cancelled_ = false;
    int generation_ = 0;
};

} // namespace tellwick
