#pragma once
// Queues: the main queue, drained by the host's run loop, and global queues,
// each on its own thread.
#include <Foundation/FoundationDefines.h>

#include <functional>

namespace ns {
class DispatchQueue;
}

using dispatch_queue_t = ns::DispatchQueue*;
using dispatch_block_t = std::function<void()>;

#define DISPATCH_QUEUE_PRIORITY_HIGH 2
#define DISPATCH_QUEUE_PRIORITY_DEFAULT 0
#define DISPATCH_QUEUE_PRIORITY_LOW (-2)
#define DISPATCH_QUEUE_PRIORITY_BACKGROUND (-32768)

FOUNDATION_EXPORT dispatch_queue_t dispatch_get_main_queue();
// One queue per priority; flags must be 0. Other priorities answer null.
FOUNDATION_EXPORT dispatch_queue_t dispatch_get_global_queue(long priority, unsigned long flags);
// Submits and returns at once. A null queue runs nothing.
FOUNDATION_EXPORT void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);

namespace ns {

class FOUNDATION_EXPORT DispatchRuntime {
  public:
    // The host's run loop: runs main-queue blocks until no block is queued or
    // running anywhere (work on other queues may still queue more). False when
    // `timeoutSeconds` passed first.
    static bool runMainQueueUntilIdle(double timeoutSeconds);
    // One turn of the host's run loop up to where it would wait: the blocks
    // queued on the main queue, then the main run loop's observers before
    // waiting, where the user interface commits pending layout.
    static void runOneTurn();
};

} // namespace ns
