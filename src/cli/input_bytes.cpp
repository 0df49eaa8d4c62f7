#include "cli/input_bytes.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellwick {

std::optional<InputBytes> InputBytes::load(const std::string& path, std::string* error) {
    const bool standardInput = path.empty() || path == "-";
    const int descriptor =
        standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        *error = "cannot open '" + path + "': " + std::strerror(errno);
        return std::nullopt;
    }
    InputBytes input;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const auto size = std::size_t(status.st_size);
        void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
        if (mapping != MAP_FAILED) {
            input.mapping_ = mapping;
            input.mappedSize_ = size;
            input.fileBacked_ = true;
            input.view_ = std::string_view(static_cast<const char*>(mapping), size);
        }
    }
    const int readError = input.mapping_ != nullptr ? 0 : input.readAll(descriptor);
    if (!standardInput)
        ::close(descriptor);
    if (readError != 0) {
        *error = (standardInput ? std::string("cannot read standard input")
                                : "cannot read '" + path + "'") +
                 ": " + std::strerror(readError);
        return std::nullopt;
    }
    return input;
}

int InputBytes::readAll(int descriptor) {
    // Anonymous memory costs nothing until it is written, and mremap moves its pages instead of
    // copying them, so doubling it leaves no second copy behind.
    std::size_t capacity = std::size_t(1) << 20;
    void* memory =
        ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return errno;
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            void* grown = ::mremap(memory, capacity, capacity * 2, MREMAP_MAYMOVE);
            if (grown == MAP_FAILED) {
                const int cause = errno;
                ::munmap(memory, capacity);
                return cause;
            }
            memory = grown;
            capacity *= 2;
        }
        const ssize_t count =
            ::read(descriptor, static_cast<char*>(memory) + size, capacity - size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int cause = errno;
            ::munmap(memory, capacity);
            return cause;
        }
        if (count == 0)
            break;
        size += std::size_t(count);
    }
    mapping_ = memory;
    mappedSize_ = capacity;
    view_ = std::string_view(static_cast<const char*>(memory), size);
    return 0;
}

InputBytes::InputBytes(InputBytes&& other) noexcept
    : mapping_(other.mapping_), mappedSize_(other.mappedSize_), fileBacked_(other.fileBacked_),
      view_(other.view_) {
    other.mapping_ = nullptr;
    other.view_ = {};
}

InputBytes::~InputBytes() {
    if (mapping_ != nullptr)
        ::munmap(mapping_, mappedSize_);
}

void InputBytes::release(std::size_t end) {
    // Memory that was read into has no file to come back from.
    if (!fileBacked_)
        return;
    const auto pageSize = std::size_t(::sysconf(_SC_PAGESIZE));
    const std::size_t pages = std::min(end, mappedSize_) / pageSize * pageSize;
    if (pages > 0)
        ::madvise(mapping_, pages, MADV_DONTNEED);
}

} // namespace tellwick
