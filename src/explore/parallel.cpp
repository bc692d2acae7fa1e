#include "explore/parallel.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tour::explore {

void parallel_for(int count, const std::function<void(int)>& task,
                  const std::function<bool()>& stopped) {
    std::atomic<int> next{0};
    std::exception_ptr error;
    std::mutex error_lock;
    const auto work = [&] {
        for (;;) {
            if (stopped && stopped()) {
                return;
            }
            const int i = next.fetch_add(1);
            if (i >= count) {
                return;
            }
            try {
                task(i);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(error_lock);
                if (!error) {
                    error = std::current_exception();
                }
                next.store(count);
            }
        }
    };
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int helpers = std::min(cores, count) - 1;
    std::vector<std::thread> threads;
    for (int t = 0; t < helpers; ++t) {
        threads.emplace_back(work);
    }
    work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (error) {
        std::rethrow_exception(error);
    }
}

}  // namespace tour::explore
