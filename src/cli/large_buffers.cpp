#include "cli/large_buffers.h"

#include "cli/text_io.h"

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
    InputBytes input;
    struct stat status {};
    if (descriptor >= 0 && ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        status.st_size > 0) {
        const auto size = std::size_t(status.st_size);
        void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
        if (mapping != MAP_FAILED) {
            input.mapping_ = mapping;
            input.mappedSize_ = size;
            input.view_ = std::string_view(static_cast<const char*>(mapping), size);
        }
    }
    if (!standardInput && descriptor >= 0)
        ::close(descriptor);
    if (input.mapping_ != nullptr)
        return input;
    std::optional<std::string> bytes = readAllBytes(path, error);
    if (!bytes)
        return std::nullopt;
    input.read_ = std::move(*bytes);
    input.view_ = input.read_;
    return input;
}

InputBytes::InputBytes(InputBytes&& other) noexcept
    : read_(std::move(other.read_)), mapping_(other.mapping_), mappedSize_(other.mappedSize_),
      view_(mapping_ != nullptr ? other.view_ : std::string_view(read_)) {
    other.mapping_ = nullptr;
    other.view_ = {};
}

InputBytes::~InputBytes() {
    if (mapping_ != nullptr)
        ::munmap(mapping_, mappedSize_);
}

void InputBytes::release(std::size_t end) {
    if (mapping_ == nullptr)
        return;
    const auto pageSize = std::size_t(::sysconf(_SC_PAGESIZE));
    const std::size_t pages = std::min(end, mappedSize_) / pageSize * pageSize;
    if (pages > 0)
        ::madvise(mapping_, pages, MADV_DONTNEED);
}

} // namespace tellwick
