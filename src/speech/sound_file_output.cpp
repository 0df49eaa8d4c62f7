#include "speech/sound_file_output.h"

#include <QFile>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellwick {

namespace {

// A tenth of a second at espeak-ng's rate: long enough for every encoder to write a whole frame.
constexpr std::array<short, 2205> silence{};

QString causeOf(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

} // namespace

SoundFileOutput::~SoundFileOutput() {
    QString ignored;
    close(&ignored);
}

bool SoundFileOutput::open(const QString& path, SF_INFO* info, QString* error) {
    path_ = path;
    const QByteArray name = QFile::encodeName(path);
    // A pipe is opened for writing only, so that its reader's end is the end of writing.
    struct stat status {};
    const bool pipe = ::stat(name.constData(), &status) == 0 && S_ISFIFO(status.st_mode);
    descriptor_ =
        ::open(name.constData(), (pipe ? O_WRONLY : O_RDWR | O_CREAT | O_TRUNC) | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, causeOf(errno));
        return false;
    }
    SF_VIRTUAL_IO io{&fileLength, &seek, &read, &writeBytes, &tell};
    file_ = sf_open_virtual(&io, SFM_WRITE, info, this);
    if (file_ == nullptr) {
        *error = QStringLiteral("cannot write %1: %2")
                     .arg(path, errorNumber_ != 0 ? causeOf(errorNumber_)
                                                  : QString::fromUtf8(sf_strerror(nullptr)));
        ::close(descriptor_);
        descriptor_ = -1;
        return false;
    }
    if ((info->format & SF_FORMAT_TYPEMASK) == SF_FORMAT_RF64)
        sf_command(file_, SFC_RF64_AUTO_DOWNGRADE, nullptr, SF_TRUE);
    return true;
}

bool SoundFileOutput::write(const short* samples, sf_count_t count) {
    if (file_ == nullptr || errorNumber_ != 0)
        return false;
    if (sf_write_short(file_, samples, count) != count && errorNumber_ == 0)
        fail(EIO);
    samples_ += count;
    return errorNumber_ == 0;
}

bool SoundFileOutput::close(QString* error) {
    if (descriptor_ < 0)
        return true;
    if (file_ != nullptr) {
        if (samples_ == 0)
            write(silence.data(), sf_count_t(silence.size()));
        if (sf_close(file_) != 0 && errorNumber_ == 0)
            fail(EIO);
        file_ = nullptr;
    }
    if (::close(descriptor_) != 0 && errorNumber_ == 0)
        fail(errno);
    descriptor_ = -1;
    if (errorNumber_ == 0)
        return true;
    *error = QStringLiteral("writing %1 failed: %2").arg(path_, causeOf(errorNumber_));
    return false;
}

void SoundFileOutput::fail(int errorNumber) {
    if (errorNumber_ == 0)
        errorNumber_ = errorNumber;
}

sf_count_t SoundFileOutput::fileLength(void* self) {
    struct stat status {};
    if (::fstat(static_cast<SoundFileOutput*>(self)->descriptor_, &status) != 0)
        return -1;
    return status.st_size;
}

sf_count_t SoundFileOutput::seek(sf_count_t offset, int whence, void* self) {
    return ::lseek(static_cast<SoundFileOutput*>(self)->descriptor_, offset, whence);
}

sf_count_t SoundFileOutput::read(void* data, sf_count_t count, void* self) {
    const ssize_t got = ::read(static_cast<SoundFileOutput*>(self)->descriptor_, data, count);
    return got < 0 ? 0 : got;
}

sf_count_t SoundFileOutput::writeBytes(const void* data, sf_count_t count, void* self) {
    auto* output = static_cast<SoundFileOutput*>(self);
    const char* bytes = static_cast<const char*>(data);
    sf_count_t written = 0;
    while (written < count) {
        const ssize_t result = ::write(output->descriptor_, bytes + written, count - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0) {
            output->fail(result < 0 ? errno : ENOSPC);
            break;
        }
        written += result;
    }
    return written;
}

sf_count_t SoundFileOutput::tell(void* self) {
    return ::lseek(static_cast<SoundFileOutput*>(self)->descriptor_, 0, SEEK_CUR);
}

} // namespace tellwick
