#include "speech/pcm_device.h"

namespace tellwick {

PcmDevice::PcmDevice(std::shared_ptr<SpeechBuffer> buffer, QObject* parent)
    : QIODevice(parent), buffer_(std::move(buffer)) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 PcmDevice::bytesAvailable() const {
    return buffer_->bytesAvailable() + QIODevice::bytesAvailable();
}

qint64 PcmDevice::readData(char* data, qint64 maxSize) {
    return buffer_->read(data, maxSize);
}

} // namespace tellwick
