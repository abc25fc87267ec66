#include "io/formats/bounded_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

BoundedRead ReadBoundedFile(const std::string& path, std::size_t maxSize,
                            std::vector<uint8_t>& bytes, std::string& error) {
    bytes.clear();
    std::error_code code;
    const auto status = std::filesystem::status(path, code);
    if (!std::filesystem::exists(status)) {
        error = std::strerror(ENOENT);
        return BoundedRead::CannotOpen;
    }
    if (std::filesystem::is_directory(status)) {
        error = std::strerror(EISDIR);
        return BoundedRead::CannotOpen;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno != 0 ? errno : EIO);
        return BoundedRead::CannotOpen;
    }
    // Read in pieces up to one byte past the bound, so that a file that
    // grows or lies about its size (a pipe) is still bounded.
    std::vector<uint8_t> read;
    char buffer[65536];
    while (in && read.size() <= maxSize) {
        in.read(buffer, sizeof buffer);
        read.insert(read.end(), buffer, buffer + in.gcount());
    }
    if (read.size() > maxSize) {
        return BoundedRead::TooLarge;
    }
    if (in.bad()) {
        error = std::strerror(errno != 0 ? errno : EIO);
        return BoundedRead::CannotOpen;
    }
    bytes = std::move(read);
    return BoundedRead::Read;
}
