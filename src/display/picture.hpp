// The plot as a recorded list of drawing primitives in world coordinates.
// Drawing appends to the list; Refresh() erases it. The window replays the
// list on every paint, so a covered and uncovered plot shows what was drawn.
#pragma once

#include <cstdint>
#include <vector>

namespace tour {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kWhite{255, 255, 255};
// Points drawn without a colour of their own: a blue that stands apart from
// the red model curves and the green truth on the white background.
inline constexpr Rgb kPlotForeground{0, 0, 192};

struct Primitive {
    enum class Kind { segment, dot };
    Kind kind = Kind::segment;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;  // equal to x1, y1 for a dot
    float y2 = 0.0f;
    Rgb colour;
    int width = 1;  // pen width in pixels
    friend bool operator==(const Primitive&, const Primitive&) = default;
};

// The user coordinate system: the world x at the left and right edges, the
// value y at the top and bottom edges.
struct Scale {
    float left = 0.0f;
    float top = 0.0f;
    float right = 1.0f;
    float bottom = 1.0f;
};

// A point of the world on a drawing area of the given size in pixels, the
// area's top-left corner at (0, 0).
struct DevicePoint {
    double x = 0.0;
    double y = 0.0;
};
inline DevicePoint to_device(const Scale& scale, double width, double height, float x, float y) {
    return {(static_cast<double>(x) - scale.left) / (scale.right - scale.left) * width,
            (static_cast<double>(y) - scale.top) / (scale.bottom - scale.top) * height};
}

class Picture {
  public:
    void set_scale(float left, float top, float right, float bottom) {
        scale_ = Scale{left, top, right, bottom};
    }
    const Scale& scale() const { return scale_; }

    void set_draw_width(int width) { draw_width_ = width; }
    int draw_width() const { return draw_width_; }

    // A segment with the current pen width.
    void line(float x1, float y1, float x2, float y2, Rgb colour) {
        items_.push_back({Primitive::Kind::segment, x1, y1, x2, y2, colour, draw_width_});
    }
    // A round dot one pen width across.
    void pset(float x, float y, Rgb colour) {
        items_.push_back({Primitive::Kind::dot, x, y, x, y, colour, draw_width_});
    }
    void pset(float x, float y) { pset(x, y, kPlotForeground); }

    void refresh() { items_.clear(); }

    const std::vector<Primitive>& items() const { return items_; }

  private:
    Scale scale_;
    int draw_width_ = 1;
    std::vector<Primitive> items_;
};

}  // namespace tour
