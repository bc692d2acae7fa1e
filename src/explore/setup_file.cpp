#include "explore/setup_file.hpp"

#include "explore/text_file.hpp"

namespace tour::explore {

namespace {
constexpr std::size_t kLargestFile = 1 << 20;
}  // namespace

LoadedSetup load_setup(const std::string& path) {
    LoadedSetup loaded;
    const TextFile file = read_text_file(path, kLargestFile, "a setup file");
    if (file.status != TextFile::Status::ok) {
        loaded.status = LoadedSetup::Status::unreadable;
        loaded.message = file.message;
        return loaded;
    }
    ParsedSetup parsed = parse_setup(file.text);
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
