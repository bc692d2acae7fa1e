// A page opened from disk may start no thread: the tasks run one after the
// other on the page's thread (or on its Web Worker's), with the native
// version's rules for stopping and for exceptions.
#include <exception>

#include "explore/parallel.hpp"

namespace tour::explore {

void parallel_for(int count, const std::function<void(int)>& task,
                  const std::function<bool()>& stopped) {
    for (int i = 0; i < count; ++i) {
        if (stopped && stopped()) {
            return;
        }
        task(i);  // the first exception ends the loop and goes to the caller
    }
}

}  // namespace tour::explore
