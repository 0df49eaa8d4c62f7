#include "support/recorded_sound.h"

#include <QFile>

#include <sndfile.h>

#include <cmath>

namespace tellwick {

namespace {

constexpr int profileMilliseconds = 50;
// Root mean square level above which a window counts as speech; espeak-ng's speech is far above
// it, a null sink's silence is 0.
constexpr double speechLevel = 300;

} // namespace

QString RecordedSound::profile() const {
    QString out;
    const std::size_t window = std::size_t(sampleRate) * profileMilliseconds / 1000;
    for (std::size_t start = 0; window > 0 && start < samples.size(); start += window) {
        const std::size_t end = std::min(samples.size(), start + window);
        double sum = 0;
        for (std::size_t i = start; i < end; ++i)
            sum += double(samples[i]) * samples[i];
        out += std::sqrt(sum / double(end - start)) > speechLevel ? u'#' : u'.';
    }
    return out;
}

std::optional<RecordedSound> readSoundFile(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (file == nullptr)
        return std::nullopt;
    std::vector<std::int16_t> frames(std::size_t(info.frames) * std::size_t(info.channels));
    const sf_count_t read = sf_readf_short(file, frames.data(), info.frames);
    sf_close(file);
    RecordedSound sound;
    sound.sampleRate = info.samplerate;
    for (sf_count_t frame = 0; frame < read; ++frame)
        sound.samples.push_back(frames[std::size_t(frame) * std::size_t(info.channels)]);
    return sound;
}

RecordedSound readRawSound(const QString& path, int sampleRate) {
    QFile file(path);
    RecordedSound sound;
    sound.sampleRate = sampleRate;
    if (!file.open(QIODevice::ReadOnly))
        return sound;
    const QByteArray bytes = file.readAll();
    sound.samples.resize(std::size_t(bytes.size()) / 2);
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        const auto low = std::uint8_t(bytes[qsizetype(2 * i)]);
        const auto high = std::uint8_t(bytes[qsizetype(2 * i + 1)]);
        sound.samples[i] = std::int16_t(std::uint16_t(low | (high << 8)));
    }
    return sound;
}

double speechSeconds(const QString& profile) {
    return profile.count(u'#') * profileMilliseconds / 1000.0;
}

double longestInnerSilenceSeconds(const QString& profile) {
    const qsizetype first = profile.indexOf(u'#');
    const qsizetype last = profile.lastIndexOf(u'#');
    qsizetype longest = 0;
    qsizetype run = 0;
    for (qsizetype i = first; first >= 0 && i <= last; ++i) {
        run = profile[i] == u'.' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest * profileMilliseconds / 1000.0;
}

} // namespace tellwick
