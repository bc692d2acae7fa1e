#include "explore/setup_commands.hpp"

#include "explore/curves_csv.hpp"
#include "explore/score_csv.hpp"
#include "explore/setup_file.hpp"

namespace tour::explore {

namespace {

// The setup in the file at path, or the exit status after the message that
// says what is wrong went to err: 1 when it cannot be read, 2 when it is no
// valid setup.
int read_setup(const std::string& path, std::ostream& err, Setup& setup) {
    LoadedSetup loaded = load_setup(path);
    switch (loaded.status) {
        case LoadedSetup::Status::unreadable:
            err << loaded.message << "\n";
            return 1;
        case LoadedSetup::Status::invalid:
            err << loaded.message << "\n";
            return 2;
        case LoadedSetup::Status::ok:
            break;
    }
    setup = std::move(loaded.setup);
    return 0;
}

}  // namespace

int score_setup_file(const std::string& path, std::ostream& out, std::ostream& err) {
    Setup setup;
    if (const int status = read_setup(path, err, setup)) {
        return status;
    }
    out << score_csv(setup);
    out.flush();
    return out ? 0 : 1;
}

int curves_setup_file(const std::string& path, std::ostream& out, std::ostream& err) {
    Setup setup;
    if (const int status = read_setup(path, err, setup)) {
        return status;
    }
    const CurvesCsv csv = curves_csv(setup);
    out << csv.text;
    out.flush();
    for (const std::string& fault : csv.faults) {
        err << fault << "\n";
    }
    if (!out) {
        return 1;
    }
    return csv.faults.empty() ? 0 : 3;
}

}  // namespace tour::explore
