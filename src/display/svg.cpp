#include "display/svg.hpp"

#include <charconv>
#include <cstddef>
#include <vector>

namespace tour {

namespace {

std::string number(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    // Trim the zeros a fixed format leaves: 12.500 -> 12.5, 3.000 -> 3.
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string colour(Rgb c) {
    static const char* hex = "0123456789abcdef";
    std::string text = "#";
    for (std::uint8_t channel : {c.r, c.g, c.b}) {
        text += hex[channel >> 4];
        text += hex[channel & 15];
    }
    return text;
}

// Segments that join end to start in the same colour and width become one
// polyline: the same round-capped, round-joined lines in a fraction of the
// size.
void write_polyline(std::string& out, const std::vector<DevicePoint>& points, Rgb c, int width) {
    out += "<polyline fill=\"none\" stroke=\"" + colour(c) + "\" stroke-width=\"" +
           std::to_string(width) + "\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) {
            out += ' ';
        }
        out += number(points[i].x);
        out += ',';
        out += number(points[i].y);
    }
    out += "\"/>\n";
}

}  // namespace

std::string picture_svg(const Picture& picture, int width, int height) {
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
           "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    out += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    out += "<g stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";

    const auto& items = picture.items();
    const auto at = [&](float x, float y) {
        return to_device(picture.scale(), width, height, x, y);
    };
    std::size_t i = 0;
    while (i < items.size()) {
        const Primitive& first = items[i];
        if (first.kind == Primitive::Kind::dot) {
            const DevicePoint p = at(first.x1, first.y1);
            out += "<circle cx=\"" + number(p.x) + "\" cy=\"" + number(p.y) + "\" r=\"" +
                   number(first.width / 2.0) + "\" fill=\"" + colour(first.colour) + "\"/>\n";
            ++i;
            continue;
        }
        std::vector<DevicePoint> points{at(first.x1, first.y1), at(first.x2, first.y2)};
        std::size_t next = i + 1;
        while (next < items.size() && items[next].kind == Primitive::Kind::segment &&
               items[next].colour == first.colour && items[next].width == first.width &&
               items[next].x1 == items[next - 1].x2 && items[next].y1 == items[next - 1].y2) {
            points.push_back(at(items[next].x2, items[next].y2));
            ++next;
        }
        write_polyline(out, points, first.colour, first.width);
        i = next;
    }
    out += "</g>\n</svg>\n";
    return out;
}

}  // namespace tour
