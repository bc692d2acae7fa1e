// Lesson files on disk, read whole (at most 1 MB) and checked by the lesson
// reader before anything uses them.
#pragma once

#include <string>

#include "explore/lesson.hpp"

namespace tour::explore {

struct LoadedLesson {
    enum class Status { ok, unreadable, invalid };
    Status status = Status::ok;
    Lesson lesson;
    std::vector<std::string> problems;  // each "<path>: <where>: <what is wrong>"
};
LoadedLesson load_lesson(const std::string& path);

}  // namespace tour::explore
