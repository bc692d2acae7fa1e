// What --score, --curves and --check-lesson do: a setup file read and its
// table or curves written as CSV, or a lesson checked and its texts written
// with their numbers, and the exit status that says how it went.
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

// The lesson file at path checked: each step's table computed at the step's
// own setup, and the lesson written to out with every number filled in, for
// the teacher to proofread. Returns 0; 1 when the file cannot be read; 2
// when something is wrong, each problem with its place on a line of err.
int check_lesson_file(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace tour::explore
