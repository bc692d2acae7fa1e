#include "geostat/kriging.hpp"

#include <cfenv>
#include <cmath>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "geostat/solvelin.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

// The model value at a distance rounded to the nearest lag, halves to even.
double model_at(const World& world, double distance) {
    const double lag = std::nearbyint(distance);
    if (!(lag >= kGridFirst && lag <= kGridLast)) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return world.vgmodel(static_cast<int>(lag));
}

// The kriging matrix G in columns 1..N of an augmented matrix whose column
// N + 1 takes each position's right-hand side.
Array2<double> kriging_matrix(const World& world) {
    const int n = world.nstat;
    const int big_n = n + 1;
    Array2<double> g(1, big_n, 1, big_n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            g(i, j) =
                model_at(world, std::fabs(static_cast<double>(world.statx(j)) - world.statx(i)));
        }
    }
    for (int j = 1; j <= n; ++j) {
        g(big_n, j) = 1.0;
        g(j, big_n) = 1.0;
    }
    g(big_n, big_n) = 0.0;

    Array2<double> augmented(1, big_n, 1, big_n + 1);
    for (int i = 1; i <= big_n; ++i) {
        for (int j = 1; j <= big_n; ++j) {
            augmented(i, j) = g(i, j);
        }
    }
    return augmented;
}

// Positions first..last, each with its own solve of the whole system.
void krige(World& world, MessageSink& messages, Array2<double> augmented, int first, int last,
           Array1<double>* variance = nullptr) {
    const int n = world.nstat;
    const int big_n = n + 1;
    Array1<double> rhs(1, big_n);
    Array1<double> x(1, big_n);
    rhs(big_n) = 1.0;

    for (int p = first; p <= last; ++p) {
        const auto xpos = static_cast<float>(p);

        for (int j = 1; j <= n; ++j) {
            rhs(j) = model_at(world, std::fabs(static_cast<double>(world.statx(j)) - xpos));
        }
        for (int j = 1; j <= big_n; ++j) {
            augmented(j, big_n + 1) = rhs(j);
        }
        solvelin(world, messages, static_cast<std::int16_t>(big_n), augmented, x, x);
        if (variance != nullptr) {
            // The weights stay the same when a constant is taken off the
            // model, so this is ordinary kriging with vgmodel(h) - vgmodel(0),
            // a model that is 0 at lag 0: its variance vanishes at a station.
            double sigma2 = 0.0;
            for (int j = 1; j <= n; ++j) {
                sigma2 = sigma2 + x(j) * rhs(j);
            }
            (*variance)(p) = sigma2 + x(big_n) - world.vgmodel(0);
        }

        double s = 0.0;
        for (int j = 1; j <= n; ++j) {
            s = s + world.statw(j);
        }

        if (s == 0.0) {
            // No weights to renormalise: fall back on the nearest station.
            world.est(p) = world.statv(neareststation(world, xpos));
            continue;
        }
        world.est(p) = 0.0f;
        for (int j = 1; j <= n; ++j) {
            world.est(p) = static_cast<float>(
                static_cast<double>(world.statw(j)) * world.statv(j) / s + world.est(p));
        }
    }
}

class MessageLog : public MessageSink {
  public:
    void message_box(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

#ifndef __EMSCRIPTEN__
constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// The second half of the grid, solved on a thread of its own with a copy of
// the world: its solves write that copy's statw, its messages are kept for
// later, and so are a run-time error and the floating-point faults it raised.
class UpperHalf {
  public:
    UpperHalf(const World& world, const Array2<double>& augmented, int first)
        : copy_(world), first_(first) {
        std::fenv_t environment;
        std::fegetenv(&environment);  // the caller's traps and rounding
        thread_ = std::thread([this, environment, augmented] {
            std::fesetenv(&environment);
            std::feclearexcept(kFaults);
            try {
                krige(copy_, log_, augmented, first_, kGridLast);
            } catch (...) {
                error_ = std::current_exception();
            }
            raised_ = std::fetestexcept(kFaults);
        });
    }
    UpperHalf(const UpperHalf&) = delete;
    UpperHalf& operator=(const UpperHalf&) = delete;
    ~UpperHalf() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    // Waits for the thread and hands its results over as if the solves had
    // run here, after those of the first half.
    void hand_over(World& world, MessageSink& messages) {
        thread_.join();
        if (error_) {
            std::rethrow_exception(error_);
        }
        if (raised_ != 0) {
            std::feraiseexcept(raised_);
        }
        for (int p = first_; p <= kGridLast; ++p) {
            world.est(p) = copy_.est(p);
        }
        for (int k = 1; k <= kMaxStations; ++k) {
            world.statw(k) = copy_.statw(k);
        }
        for (const std::string& text : log_.texts) {
            messages.message_box(text);
        }
    }

  private:
    World copy_;
    int first_;
    MessageLog log_;
    std::exception_ptr error_;
    int raised_ = 0;
    std::thread thread_;
};
#endif

}  // namespace

void kriging(World& world, MessageSink& messages, KrigingThreads threads,
             Array1<double>* variance) {
    const Array2<double> augmented = kriging_matrix(world);
#ifdef __EMSCRIPTEN__
    // A page opened from disk gets no shared memory, so no second thread.
    threads = KrigingThreads::one;
#endif
    if (threads == KrigingThreads::one || variance != nullptr) {
        krige(world, messages, augmented, kGridFirst, kGridLast, variance);
        return;
    }
#ifndef __EMSCRIPTEN__
    // The positions do not depend on each other: every one solves the same
    // matrix with its own right-hand side. Whether a solve succeeds depends on
    // the matrix alone, so either all of them refresh statw or none does, and
    // each half starts from statw as it stands. The two halves run on the
    // machine's two cores and give the bits a single run gives.
    constexpr int kFirstOfUpperHalf = 501;
    UpperHalf upper(world, augmented, kFirstOfUpperHalf);
    krige(world, messages, augmented, kGridFirst, kFirstOfUpperHalf - 1);
    upper.hand_over(world, messages);
#endif
}

}  // namespace tour
