#include "documents/document_loader.h"

#include <QMetaObject>

#include <cmath>

namespace tellwick {

DocumentLoader::~DocumentLoader() {
    stop();
}

void DocumentLoader::stop() {
    cancelled_ = true;
    if (reading_.joinable())
        reading_.join();
}

void DocumentLoader::start(const QString& path) {
    stop();
    cancelled_ = false;
    const int generation = ++generation_;
    reading_ = std::thread([this, path, generation] {
        int reported = -1;
        ReadingMonitor monitor;
        monitor.cancelled = [this] { return cancelled_.load(); };
        monitor.progress = [this, generation, &reported](double done) {
            const int percent = int(std::floor(done * 100));
            if (percent == reported)
                return;
            reported = percent;
            QMetaObject::invokeMethod(
                this,
                [this, generation, done] {
                    if (generation == generation_)
                        emit progressed(done);
                },
                Qt::QueuedConnection);
        };
        DocumentReading reading = readDocument(path, monitor);
        QMetaObject::invokeMethod(
            this,
            [this, generation, reading = std::move(reading)] {
                if (generation != generation_)
                    return;
                if (reading_.joinable())
                    reading_.join();
                emit finished(reading);
            },
            Qt::QueuedConnection);
    });
}

} // namespace tellwick
