#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace tellwick {

// A long text's speech written to an audio file by several processes at once: a speech library
// keeps global state, so each synthesises in a process of its own. The text is cut where the voice
// itself starts a new piece (at a sentence start where there is one, see text_chunks.h), each
// process synthesises its share of the parts exactly as one voice would, and the parts are
// written in order, sample for sample the speech of one synthesis of the whole.
struct ExportRequest {
    QString text; // as the voice is given it
    int readingSpeed = 1;
    bool homographsByEngine = false;
    int jobs = 1;
    QString path;
    QString voice; // empty for the default voice
};

// The part done, from 0 to 1.
using ExportProgress = std::function<void(double)>;

// Writes the file; false with a message when it cannot be written, a synthesis process fails, or
// stopped() became true (the file is then closed, playable up to where it was cut).
bool exportInParallel(const ExportRequest& request, const std::function<bool()>& stopped,
                      const ExportProgress& progress, QString* error);

// The hidden command that each synthesis process runs: "say" followed by this, the voice's name
// (empty for the default voice), the reading speed, 1 or 0 for homographs decided by the voice or
// left to the engine, and the start and end of each of its parts. The text comes on standard input
// as UTF-16 in the machine's byte order; the speech goes to standard output as the sample rate,
// then for each part its sound in frames and an empty frame at its end.
inline constexpr char synthesisWorkerArgument[] = "--synthesis-worker";
int runSynthesisWorker(int argc, char** argv);

// A frame: its size in bytes (a 32-bit number in the machine's byte order), then that many bytes
// of 16-bit samples.
using FrameSize = std::uint32_t;

} // namespace tellwick
