// Shared by the geostatistics tests: the tour's station layouts and a
// message sink that records the solver's messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour::testing {

inline World scenario_world(std::int16_t scenario) {
    World world;
    world.scenario = scenario;
    world.nstat = scenario == 2 ? 12 : 21;
    setstations(world);
    return world;
}

class MessageLog : public MessageSink {
  public:
    void message_box(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace tour::testing
