#include "explore/lesson_file.hpp"

#include "explore/text_file.hpp"

namespace tour::explore {

LoadedLesson load_lesson(const std::string& path) {
    LoadedLesson loaded;
    const TextFile file = read_text_file(path, kLargestLesson, "a lesson file");
    if (file.status != TextFile::Status::ok) {
        loaded.status = file.status == TextFile::Status::too_large
                            ? LoadedLesson::Status::invalid
                            : LoadedLesson::Status::unreadable;
        loaded.problems.push_back(file.message);
        return loaded;
    }
    ParsedLesson parsed = parse_lesson(file.text);
    for (const std::string& problem : parsed.problems) {
        loaded.problems.push_back(path + ": " + problem);
    }
    loaded.status = parsed.ok() ? LoadedLesson::Status::ok : LoadedLesson::Status::invalid;
    loaded.lesson = std::move(parsed.lesson);
    return loaded;
}

}  // namespace tour::explore
