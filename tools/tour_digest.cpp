// Prints a fingerprint of every screen of the forward tour: the estimate,
// the error measures, the picture and the texts, bit for bit. Two builds
// that print the same lines computed the same numbers.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fingerprint.hpp"
#include "tour/tour.hpp"

namespace {

using Fnv1a = tour::tools::Fingerprint;

class QuietHost : public tour::FormHost {
  public:
    void mouse_pointer_changed(tour::MousePointer) override {}
    void end_program() override {}
    void message_box(const std::string& text) override {
        std::printf("message: %s\n", text.c_str());
    }
};

std::uint64_t fingerprint(const tour::Tour& tour) {
    Fnv1a hash;
    const tour::World& world = tour.world();
    for (int x = tour::kGridFirst; x <= tour::kGridLast; ++x) {
        hash.number(world.est(x));
        hash.number(world.vgmodel(x));
    }
    for (int stage = 0; stage <= tour::kLastTableStage; ++stage) {
        hash.number(world.rmserr(stage));
        hash.number(world.maxerr(stage));
    }
    for (const tour::Primitive& p : tour.form().picture.items()) {
        for (float v : {p.x1, p.y1, p.x2, p.y2}) {
            hash.number(v);
        }
        hash.bytes(&p.colour, sizeof p.colour);
        hash.bytes(&p.width, sizeof p.width);
    }
    hash.text(tour.form().label1);
    hash.text(tour.form().columns.method);
    hash.text(tour.form().columns.rms);
    hash.text(tour.form().columns.max);
    return hash.value();
}

}  // namespace

int main() {
    QuietHost host;
    tour::Tour tour(host);
    while (tour.scenario() < 4) {
        tour.Command1_Click();
        std::printf("scenario %d stage %2d %016llx\n", tour.scenario(), tour.stage(),
                    static_cast<unsigned long long>(fingerprint(tour)));
    }
    return 0;
}
