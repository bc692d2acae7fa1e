// The lessons that come with the program (data/lessons), built into it so
// that the desktop and the page list the same ones.
#pragma once

#include <span>

namespace tour::explore {

struct BuiltinLesson {
    const char* name;  // the file's name without .json: "why-cross-validate"
    const char* text;  // the lesson file's JSON
};

std::span<const BuiltinLesson> builtin_lessons();

}  // namespace tour::explore
