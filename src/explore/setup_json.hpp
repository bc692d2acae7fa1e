// The setup format: JSON text in UTF-8 that names the field, the stations,
// the chosen method and the method to compare with. Text in, text out; files
// are read elsewhere (setup_file.hpp), so that a page uses the same reader.
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
// A text is read and checked whole before it is used; what is wrong is
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
// The same in one line without spaces, as a link carries it.
std::string compact_setup_text(const Setup& setup);

}  // namespace tour::explore
