// What --score and --curves do: a setup file read, its table or curves
// written as CSV, and the exit status that says how it went.
#pragma once

#include <ostream>
#include <string>

namespace tour::explore {

// The score table of the setup file at path written to out, or what is wrong
// with the file to err. Returns the exit status: 0, 1 when the file cannot be
// read, 2 when it is not a valid setup.
int score_setup_file(const std::string& path, std::ostream& out, std::ostream& err);

// The curves of the setup file at path written to out, or what is wrong to
// err. Returns the exit status: 0, 1 when the file cannot be read, 2 when it
// is not a valid setup, 3 when the chosen or compared method cannot run on
// its layout (its columns are then empty and the reason goes to err).
int curves_setup_file(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace tour::explore
