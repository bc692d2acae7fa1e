// Setup files on disk: read whole (at most 1 MB) and checked by the setup
// reader before anything uses them.
#pragma once

#include <string>

#include "explore/setup_json.hpp"

namespace tour::explore {

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
