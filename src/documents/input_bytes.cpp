#include "documents/input_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellwick {

namespace {

constexpr std::size_t smallestCapacity = std::size_t(1) << 20;

bool sameTime(const struct timespec& before, const struct timespec& after) {
    return before.tv_sec == after.tv_sec && before.tv_nsec == after.tv_nsec;
}

// Whether the file read up to readEnd stayed as it was from before to after. Any write or
// truncation moves the change time, which no program can set back (the modification time can be);
// both times only tick every few milliseconds, so the size is compared as well. A read that ended
// short of a size that held before and after saw the file cut and filled again within one tick.
// Files of the kernel's own (sysfs, procfs) occupy no blocks and state a size that is no promise
// of what a read gives.
bool unchanged(const struct stat& before, const struct stat& after, off_t readEnd) {
    const bool sizeHeld =
        before.st_size == after.st_size && (after.st_blocks == 0 || readEnd == after.st_size);
    return sizeHeld && sameTime(before.st_mtim, after.st_mtim) &&
           sameTime(before.st_ctim, after.st_ctim);
}

bool isStandardInput(const std::string& path) {
    return path.empty() || path == "-";
}

} // namespace

std::string InputBytes::Failure::cause() const {
    return kind == Kind::Changed ? std::string("changed while it was read")
                                 : std::string(std::strerror(systemError));
}

std::optional<InputBytes> InputBytes::load(const std::string& path, Failure* failure) {
    const bool standardInput = isStandardInput(path);
    const int descriptor =
        standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        *failure = {Failure::Kind::CannotOpen, errno};
        return std::nullopt;
    }
    InputBytes input;
    struct stat before {};
    const bool regular = ::fstat(descriptor, &before) == 0 && S_ISREG(before.st_mode);
    // Standard input may have been read in part before it came to us.
    const off_t readStart = regular ? std::max<off_t>(0, ::lseek(descriptor, 0, SEEK_CUR)) : 0;
    int readError = input.readAll(descriptor, regular ? std::size_t(before.st_size) : 0);
    struct stat after {};
    const bool changed = readError == 0 && regular &&
                         (::fstat(descriptor, &after) != 0 ||
                          !unchanged(before, after, readStart + off_t(input.view().size())));
    if (!standardInput)
        ::close(descriptor);
    if (changed) {
        *failure = {Failure::Kind::Changed, 0};
        return std::nullopt;
    }
    if (readError != 0) {
        *failure = {Failure::Kind::CannotRead, readError};
        return std::nullopt;
    }
    return input;
}

std::optional<InputBytes> InputBytes::load(const std::string& path, std::string* error) {
    Failure failure;
    std::optional<InputBytes> input = load(path, &failure);
    if (input)
        return input;
    const std::string name =
        isStandardInput(path) ? std::string("standard input") : "'" + path + "'";
    switch (failure.kind) {
    case Failure::Kind::CannotOpen:
        *error = "cannot open " + name + ": " + failure.cause();
        break;
    case Failure::Kind::CannotRead:
        *error = "cannot read " + name + ": " + failure.cause();
        break;
    case Failure::Kind::Changed:
        *error = name + " " + failure.cause() + "; nothing was written";
        break;
    }
    return std::nullopt;
}

int InputBytes::readAll(int descriptor, std::size_t expectedSize) {
    // Anonymous memory costs nothing until it is written, and mremap moves its pages instead of
    // copying them, so growing it leaves no second copy behind. A regular file gets room for its
    // size, and one byte more to see its end, at once.
    capacity_ = std::max(smallestCapacity, expectedSize + 1);
    memory_ =
        ::mmap(nullptr, capacity_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory_ == MAP_FAILED) {
        memory_ = nullptr;
        return errno;
    }
    std::size_t size = 0;
    for (;;) {
        if (size == capacity_) {
            void* grown = ::mremap(memory_, capacity_, capacity_ * 2, MREMAP_MAYMOVE);
            if (grown == MAP_FAILED)
                return errno;
            memory_ = grown;
            capacity_ *= 2;
        }
        const ssize_t count =
            ::read(descriptor, static_cast<char*>(memory_) + size, capacity_ - size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        if (count == 0)
            break;
        size += std::size_t(count);
    }
    view_ = std::string_view(static_cast<const char*>(memory_), size);
    return 0;
}

InputBytes::InputBytes(InputBytes&& other) noexcept
    : memory_(other.memory_), capacity_(other.capacity_), released_(other.released_),
      view_(other.view_) {
    other.memory_ = nullptr;
    other.view_ = {};
}

InputBytes::~InputBytes() {
    if (memory_ != nullptr)
        ::munmap(memory_, capacity_);
}

void InputBytes::release(std::size_t end) {
    const auto pageSize = std::size_t(::sysconf(_SC_PAGESIZE));
    const std::size_t pages = std::min(end, capacity_) / pageSize * pageSize;
    if (pages > released_)
        ::madvise(static_cast<char*>(memory_) + released_, pages - released_, MADV_DONTNEED);
    released_ = std::max(released_, pages);
}

} // namespace tellwick
