#pragma once

#include <QString>

#include <sndfile.h>

namespace tellwick {

// A file written through libsndfile that notices every failed write. libsndfile's own file
// handling lets some writers (MPEG) drop a failed write silently, which leaves a cut file that
// looks complete; here each write, and the close, goes through this class and the first failure
// is kept with its cause.
class SoundFileOutput {
public:
    SoundFileOutput() = default;
    ~SoundFileOutput();
    SoundFileOutput(const SoundFileOutput&) = delete;
    SoundFileOutput& operator=(const SoundFileOutput&) = delete;

    // Creates (or empties) path and opens it for libsndfile in info's format; false with a message
    // naming the file and the cause.
    bool open(const QString& path, SF_INFO* info, QString* error);
    // False once any write failed.
    bool write(const short* samples, sf_count_t count);
    // Completes the file. A file that got no sound gets a moment of silence first: the FLAC and
    // MPEG writers leave an empty file, which no player opens, when they are given no samples.
    // False with a message naming the file and the cause when any write or the close failed.
    bool close(QString* error);

private:
    static sf_count_t fileLength(void* self);
    static sf_count_t seek(sf_count_t offset, int whence, void* self);
    static sf_count_t read(void* data, sf_count_t count, void* self);
    static sf_count_t writeBytes(const void* data, sf_count_t count, void* self);
    static sf_count_t tell(void* self);
    void fail(int errorNumber);

    QString path_;
    int descriptor_ = -1;
    SNDFILE* file_ = nullptr;
    sf_count_t samples_ = 0;
    int errorNumber_ = 0; // the first failure's errno
};

} // namespace tellwick
