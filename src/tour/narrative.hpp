// Every text the tour shows: the welcome, the narrative of each stage by
// scenario, the texts of the later stages, the scenario transitions, the
// closing words and the short method labels of the error table.
#pragma once

#include <cstdint>
#include <string>

#include "world/checked_array.hpp"

namespace tour {

extern const char* const kWelcomeText;
extern const char* const kEnteringScenario2Text;
extern const char* const kEnteringScenario3Text;
extern const char* const kClosingText;

struct Narrative {
    Array2<std::string> stagetext{0, 40, 1, 3};  // stage by scenario
    Array1<std::string> methodname{0, 40};       // by stage
};

// Fills both tables; entries not listed stay empty.
void filltexts(Narrative& narrative);

// The text that stages 25 to 36 write themselves, the same in every scenario.
const std::string& laterstagetext(std::int16_t stage);

}  // namespace tour
