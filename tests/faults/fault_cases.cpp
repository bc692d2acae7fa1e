// Floating-point faults as the tour reports them, one program for both
// builds: on x86-64 the processor's flags find them, in WebAssembly (under
// Node) the explicit checks do. Each case expects the same report in both,
// which is what makes the two builds say the same thing to the user.
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "geostat/cubicspline.hpp"
#include "methods/polyfit.hpp"
#include "methods/weighted_averages.hpp"
#include "world/float_faults.hpp"
#include "world/runtime_error.hpp"

namespace {

using tour::Fault;

volatile double zero = 0.0;
volatile float zero_f = 0.0f;
volatile double huge = 1e300;
const double kInfinity = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

class Silent : public tour::MessageSink {
  public:
    void message_box(const std::string&) override {}
};

// Checks the estimate as a click checks what it leaves behind.
void check_estimate(const tour::World& world) {
    for (int x = tour::kGridFirst; x <= tour::kGridLast; ++x) {
        tour::check_finite(world.est(x));
    }
}

tour::World two_stations(float x1, float x2) {
    tour::World world;
    world.scenario = 1;
    world.nstat = 3;
    world.statx(1) = x1;
    world.statx(2) = x2;
    world.statx(3) = 1000.0f;
    world.statv(1) = 0.5f;
    world.statv(2) = 1.0f;
    world.statv(3) = 0.0f;
    return world;
}

struct Case {
    const char* name;
    std::optional<Fault> expected;
    std::function<void()> body;
};

const Case kCases[] = {
    {"a double divided by zero", Fault::division_by_zero,
     [] {
         volatile double r = 1.5 / zero;
         (void)r;
     }},
    {"a float divided by zero", Fault::division_by_zero,
     [] {
         volatile float r = -2.5f / zero_f;
         (void)r;
     }},
    {"zero divided by zero", Fault::invalid_operation,
     [] {
         volatile double r = zero / zero;
         (void)r;
     }},
    {"infinity divided by zero is no fault", std::nullopt,
     [] {
         volatile double r = kInfinity / zero;
         (void)r;
     }},
    {"a NaN divided by zero is no fault", std::nullopt,
     [] {
         volatile double r = kNaN / zero;
         (void)r;
     }},
    {"an overflow stored as a single, checked", Fault::overflow,
     [] {
         volatile auto r = static_cast<float>(huge);
         tour::check_finite(r);
     }},
    {"the root of a negative number, checked", Fault::invalid_operation,
     [] {
         volatile double r = std::sqrt(-huge);
         tour::check_finite(r);
     }},
    {"a division by zero is reported before an invalid operation", Fault::division_by_zero,
     [] {
         volatile double r = zero / zero;
         volatile double s = 1.0 / zero;
         (void)r;
         (void)s;
     }},
    {"faults outside the core are not blamed on it", std::nullopt,
     [] {
         tour::FloatFlagsKeeper keep;
         volatile double r = 1.0 / zero;
         tour::check_finite(r);
     }},
    {"the cubic spline through two stations at one position", Fault::division_by_zero,
     [] {
         tour::World world = two_stations(400.0f, 400.0f);
         Silent messages;
         tour::cubicspline(world, messages);
         check_estimate(world);
     }},
    {"the polynomial through two stations at one position", Fault::division_by_zero,
     [] {
         tour::World world = two_stations(400.0f, 400.0f);
         tour::polyfit(world);
         check_estimate(world);
     }},
    {"the polynomial through three stations", std::nullopt,
     [] {
         tour::World world = two_stations(300.0f, 400.0f);
         tour::polyfit(world);
         check_estimate(world);
     }},
    {"exponential weights that all underflow to zero", Fault::invalid_operation,
     [] {
         tour::World world = two_stations(0.0f, 1.0f);
         world.nstat = 1;
         tour::expave(world, 1.0f);
         check_estimate(world);
     }},
    {"Gaussian weights that all underflow to zero", Fault::invalid_operation,
     [] {
         tour::World world = two_stations(0.0f, 1.0f);
         world.nstat = 1;
         tour::gaussave(world, 10.0f);
         check_estimate(world);
     }},
    {"Gaussian weights that do not underflow", std::nullopt,
     [] {
         tour::World world = two_stations(0.0f, 1.0f);
         world.nstat = 1;
         tour::gaussave(world, 200.0f);
         check_estimate(world);
     }},
};

// The fault a watch reports for the case, if any.
std::optional<Fault> run(const Case& c) {
    try {
        const tour::FloatFaultWatch watch;
        c.body();
        watch.check();
    } catch (const tour::RuntimeError& error) {
        return error.fault();
    }
    return std::nullopt;
}

std::string describe(const std::optional<Fault>& fault) {
    return fault ? tour::fault_message(*fault) : "no fault";
}

}  // namespace

int main() {
    {
        // Faults raised before the first watch are forgotten by it.
        volatile double r = 1.0 / zero;
        (void)r;
    }
    int passed = 0;
    int failed = 0;
    for (const Case& c : kCases) {
        const std::optional<Fault> got = run(c);
        if (got == c.expected) {
            ++passed;
            std::printf("ok      %s: %s\n", c.name, describe(got).c_str());
        } else {
            ++failed;
            std::printf("FAILED  %s: expected %s, got %s\n", c.name, describe(c.expected).c_str(),
                        describe(got).c_str());
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
