#include "explore/text_file.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tour::explore {

TextFile read_text_file(const std::string& path, std::size_t largest, const std::string& what) {
    TextFile file;
    file.status = TextFile::Status::unreadable;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        file.message = path + ": is a folder, not " + what;
        return file;
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        file.message = path + ": cannot be read (" + std::strerror(errno) + ")";
        return file;
    }
    char buffer[4096];
    while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
        file.text.append(buffer, static_cast<std::size_t>(stream.gcount()));
        if (file.text.size() > largest) {
            file.status = TextFile::Status::too_large;
            file.message = path + ": is too large for " + what + " (over " +
                           std::to_string(largest >> 20) + " MB)";
            file.text.clear();
            return file;
        }
    }
    if (stream.bad()) {
        file.message = path + ": cannot be read (" + std::strerror(errno) + ")";
        return file;
    }
    file.status = TextFile::Status::ok;
    return file;
}

}  // namespace tour::explore
