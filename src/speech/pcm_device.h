#pragma once

#include "speech/speech_buffer.h"

#include <QIODevice>

#include <memory>

namespace tellwick {

// The sound of a reading as a device that an audio output pulls from. It never blocks: when
// synthesis has not caught up it gives nothing, and the buffer's wake handler must then emit
// readyRead() so that the output asks again.
class PcmDevice : public QIODevice {
    Q_OBJECT
public:
    explicit PcmDevice(std::shared_ptr<SpeechBuffer> buffer, QObject* parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::shared_ptr<SpeechBuffer> buffer_;
};

} // namespace tellwick
