// Independent tasks spread over the machine's cores.
#pragma once

#include <functional>

namespace tour::explore {

// Runs task(0), ..., task(count - 1), each once, on as many threads as the
// machine has cores (this one among them). Once stopped() is true no further
// task starts. The first exception a task throws is thrown again here after
// every thread has finished.
void parallel_for(int count, const std::function<void(int)>& task,
                  const std::function<bool()>& stopped = {});

}  // namespace tour::explore
