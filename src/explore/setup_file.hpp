// The setup file: JSON in UTF-8 that names the field, the stations, the
// chosen method and the method to compare with.
//
//   {
//     "format": "interp1d-tour setup",
//     "version": 1,
//     "field": "bump",
//     "stations": [0, 120, 260, 500, 730, 1000],
//     "method": {"name": "invdist", "power": 2.5, "displacement": 0},
//     "compare": {"name": "kriging", "model": "linear"}
//   }
//
// A file is read and checked whole before it is used; what is wrong is
// reported with where it is: a line and column for JSON that does not parse,
// the key (like "stations[3]" or "method.power") for everything else.
#pragma once

#include <string>
#include <string_view>

#include "explore/setup.hpp"

namespace tour::explore {

struct ParsedSetup {
    Setup setup;
    std::string error;  // empty: setup holds the file's setup
    bool ok() const { return error.empty(); }
};

ParsedSetup parse_setup(std::string_view text);

// The setup as a file's text; parse_setup reads it back as the same setup.
std::string setup_text(const Setup& setup);

// A setup file read from disk. A file that cannot be read and one that is
// not a valid setup are told apart (the command line exits with 1 or 2).
struct LoadedSetup {
    enum class Status { ok, unreadable, invalid };
    Status status = Status::ok;
    Setup setup;
    std::string message;  // "<path>: <what is wrong>"
};
LoadedSetup load_setup(const std::string& path);

}  // namespace tour::explore
