// Drives a tour by presses and reads back what it shows.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "support/recording_host.hpp"
#include "tour/tour.hpp"

namespace tour::testing {

inline void press_continue(Tour& tour, int times = 1) {
    for (int i = 0; i < times; ++i) {
        tour.Command1_Click();
    }
}

inline void press_back(Tour& tour, int times = 1) {
    for (int i = 0; i < times; ++i) {
        tour.Command2_Click();
    }
}

inline std::vector<std::string> lines(const std::string& column) {
    std::vector<std::string> result;
    if (column.empty()) {
        return result;
    }
    std::string::size_type start = 0;
    while (true) {
        const auto end = column.find('\n', start);
        result.push_back(column.substr(start, end - start));
        if (end == std::string::npos) {
            return result;
        }
        start = end + 1;
    }
}

inline std::size_t count_colour(const Picture& picture, Rgb colour) {
    return static_cast<std::size_t>(
        std::count_if(picture.items().begin(), picture.items().end(),
                      [&](const Primitive& p) { return p.colour == colour; }));
}

}  // namespace tour::testing
