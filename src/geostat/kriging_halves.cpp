// The two halves of kriging's grid side by side: the second on a thread of
// its own.
#include <cfenv>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "geostat/kriging_grid.hpp"

namespace tour {

namespace {

class MessageLog : public MessageSink {
  public:
    void message_box(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

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
                krige_positions(copy_, log_, augmented, first_, kGridLast);
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

}  // namespace

void krige_in_two_halves(World& world, MessageSink& messages, const Array2<double>& augmented) {
    // The positions do not depend on each other: every one solves the same
    // matrix with its own right-hand side. Whether a solve succeeds depends on
    // the matrix alone, so either all of them refresh statw or none does, and
    // each half starts from statw as it stands. The two halves give the bits
    // a single run gives.
    constexpr int kFirstOfUpperHalf = 501;
    UpperHalf upper(world, augmented, kFirstOfUpperHalf);
    krige_positions(world, messages, augmented, kGridFirst, kFirstOfUpperHalf - 1);
    upper.hand_over(world, messages);
}

}  // namespace tour
