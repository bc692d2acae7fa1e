#include "explore/setup_file.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tour::explore {

namespace {
constexpr std::size_t kLargestFile = 1 << 20;
}  // namespace

LoadedSetup load_setup(const std::string& path) {
    LoadedSetup loaded;
    loaded.status = LoadedSetup::Status::unreadable;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        loaded.message = path + ": is a folder, not a setup file";
        return loaded;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        loaded.message = path + ": cannot be read (" + std::strerror(errno) + ")";
        return loaded;
    }
    std::string text;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > kLargestFile) {
            loaded.message = path + ": is too large for a setup file (over 1 MB)";
            return loaded;
        }
    }
    if (file.bad()) {
        loaded.message = path + ": cannot be read (" + std::strerror(errno) + ")";
        return loaded;
    }
    ParsedSetup parsed = parse_setup(text);
    if (!parsed.ok()) {
        loaded.status = LoadedSetup::Status::invalid;
        loaded.message = path + ": " + parsed.error;
        return loaded;
    }
    loaded.status = LoadedSetup::Status::ok;
    loaded.setup = std::move(parsed.setup);
    return loaded;
}

}  // namespace tour::explore
