// Shared by the geostatistics tests: the tour's station layouts and a
// message sink that records the solver's messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/worlds.hpp"
#include "world/message_sink.hpp"
#include "world/world.hpp"

namespace tour::testing {

class MessageLog : public MessageSink {
  public:
    void message_box(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace tour::testing
