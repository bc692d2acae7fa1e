// The tour as the page sees it: the core's Tour behind the page's two
// buttons. The pointer changes go to the page's callback at once; message
// boxes wait for the page to show them after the click; a fatal run-time
// error comes back from the click as its message.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <vector>

#include "tour/tour.hpp"

namespace tour {

class WebTour : public FormHost {
  public:
    // on_pointer(code) is called with the pointer codes of the tour (1 the
    // arrow, 11 the hourglass); the decimal separator is the browser's.
    WebTour(std::string decimal_separator, emscripten::val on_pointer);

    // Each returns the message of a fatal run-time error, or "" if none.
    std::string press_continue();
    std::string press_back();

    const FormState& form() const { return tour_.form(); }
    bool ended() const { return tour_.ended(); }
    // The message boxes asked for since the last call, in order.
    std::vector<std::string> take_messages();

    // The recorded picture, kPrimitiveFloats numbers per primitive: 0 for a
    // segment or 1 for a dot, x1, y1, x2, y2, red, green, blue, pen width.
    // A view into the module's memory, valid until the next call.
    emscripten::val primitives() const;
    static constexpr int kPrimitiveFloats = 9;

  private:
    void mouse_pointer_changed(MousePointer pointer) override;
    void end_program() override {}
    void message_box(const std::string& text) override { messages_.push_back(text); }
    std::string run_guarded(void (Tour::*click)());

    emscripten::val on_pointer_;
    std::vector<std::string> messages_;
    mutable std::vector<float> primitives_;
    Tour tour_;  // last: its start-up may already call the host
};

}  // namespace tour
