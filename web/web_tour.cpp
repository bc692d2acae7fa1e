#include "web_tour.hpp"

#include <utility>

#include "world/runtime_error.hpp"

namespace tour {

WebTour::WebTour(std::string decimal_separator, emscripten::val on_pointer)
    : on_pointer_(std::move(on_pointer)), tour_(*this, std::move(decimal_separator)) {}

std::string WebTour::press_continue() {
    return run_guarded(&Tour::Command1_Click);
}

std::string WebTour::press_back() {
    return run_guarded(&Tour::Command2_Click);
}

std::string WebTour::run_guarded(void (Tour::*click)()) {
    try {
        (tour_.*click)();
    } catch (const RuntimeError& error) {
        return error.what();
    }
    return "";
}

std::vector<std::string> WebTour::take_messages() {
    return std::exchange(messages_, {});
}

emscripten::val WebTour::primitives() const {
    const std::vector<Primitive>& items = tour_.form().picture.items();
    primitives_.clear();
    primitives_.reserve(items.size() * kPrimitiveFloats);
    for (const Primitive& p : items) {
        const float kind = p.kind == Primitive::Kind::dot ? 1.0f : 0.0f;
        primitives_.insert(primitives_.end(),
                           {kind, p.x1, p.y1, p.x2, p.y2, static_cast<float>(p.colour.r),
                            static_cast<float>(p.colour.g), static_cast<float>(p.colour.b),
                            static_cast<float>(p.width)});
    }
    return emscripten::val(emscripten::typed_memory_view(primitives_.size(), primitives_.data()));
}

void WebTour::mouse_pointer_changed(MousePointer pointer) {
    on_pointer_(static_cast<int>(pointer));
}

}  // namespace tour
