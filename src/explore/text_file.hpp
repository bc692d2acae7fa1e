// A text file read whole, up to a size: a folder, a file that cannot be read
// and one too large are told apart, each with its message.
#pragma once

#include <cstddef>
#include <string>

namespace tour::explore {

struct TextFile {
    enum class Status { ok, unreadable, too_large };
    Status status = Status::ok;
    std::string text;
    std::string message;  // "<path>: <what is wrong>", naming what the file was to be
};

// what: the kind of file for the messages, "a setup file".
TextFile read_text_file(const std::string& path, std::size_t largest, const std::string& what);

}  // namespace tour::explore
