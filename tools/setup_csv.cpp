// Writes the score table (--score FILE) or the curves (--curves FILE) of a
// setup file as CSV, as the program's options of the same names do, so that
// the WebAssembly build's CSV can be compared with the native program's.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "explore/curves_csv.hpp"
#include "explore/score_csv.hpp"
#include "explore/setup_json.hpp"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: setup_csv --score|--curves FILE\n");
        return 1;
    }
    const std::string option = argv[1];
    std::ifstream file(argv[2], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const tour::explore::ParsedSetup parsed = tour::explore::parse_setup(text);
    if (!file || !parsed.ok()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], parsed.error.c_str());
        return 2;
    }
    const std::string csv = option == "--score" ? tour::explore::score_csv(parsed.setup)
                                                : tour::explore::curves_csv(parsed.setup).text;
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    return 0;
}
