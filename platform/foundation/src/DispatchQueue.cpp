#include <dispatch/queue.h>

#include "MainRunLoop.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace ns {

namespace {

// Blocks queued or running on any queue, and the signal for the run loop.
struct Work {
    std::mutex lock;
    std::condition_variable changed;
    long outstanding = 0;
    long mainQueued = 0; // blocks waiting on the main queue
};

Work& work() {
    static auto* shared = new Work; // global queue threads may outlive static destruction
    return *shared;
}

void finished() {
    Work& w = work();
    std::lock_guard guard(w.lock);
    --w.outstanding;
    w.changed.notify_all();
}

} // namespace

// The main queue is drained by the host's run loop; the others by a thread of their own.
enum class QueueThread { hostRunLoop, own };

class DispatchQueue {
  public:
    explicit DispatchQueue(QueueThread thread) : m_isMain(thread == QueueThread::hostRunLoop) {
        if (thread == QueueThread::own)
            std::thread([this] { serve(); }).detach();
    }

    void async(dispatch_block_t block) {
        {
            std::lock_guard guard(work().lock);
            ++work().outstanding;
            if (m_isMain)
                ++work().mainQueued;
        }
        {
            std::lock_guard guard(m_lock);
            m_blocks.push_back(std::move(block));
        }
        m_ready.notify_one();
        work().changed.notify_all();
    }

    // Runs one queued block; false when none was queued.
    bool runOne() {
        dispatch_block_t block;
        {
            std::lock_guard guard(m_lock);
            if (m_blocks.empty())
                return false;
            block = std::move(m_blocks.front());
            m_blocks.pop_front();
        }
        if (m_isMain) {
            std::lock_guard guard(work().lock);
            --work().mainQueued;
        }
        block();
        finished();
        return true;
    }

  private:
    void serve() {
        for (;;) {
            {
                std::unique_lock guard(m_lock);
                m_ready.wait(guard, [this] { return !m_blocks.empty(); });
            }
            runOne();
        }
    }

    bool m_isMain;
    std::mutex m_lock;
    std::condition_variable m_ready;
    std::deque<dispatch_block_t> m_blocks;
};

namespace {

// The part of a turn before the loop would sleep: the main queue's blocks,
// then the observers due before waiting (the layout commit among them).
void turnUntilWaiting() {
    notifyMainRunLoopObservers(kCFRunLoopBeforeTimers);
    notifyMainRunLoopObservers(kCFRunLoopBeforeSources);
    while (dispatch_get_main_queue()->runOne()) {
    }
    notifyMainRunLoopObservers(kCFRunLoopBeforeWaiting);
}

} // namespace

void DispatchRuntime::runOneTurn() {
    turnUntilWaiting();
}

bool DispatchRuntime::runMainQueueUntilIdle(double timeoutSeconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    notifyMainRunLoopObservers(kCFRunLoopEntry);
    for (;;) {
        turnUntilWaiting();
        bool idle = false;
        {
            Work& w = work();
            std::unique_lock guard(w.lock);
            // Woken by new blocks and by finished ones; queued main blocks
            // run on the next turn of the loop.
            idle = w.outstanding == 0;
            if (!idle && !w.changed.wait_until(guard, deadline,
                                               [&] { return w.outstanding == 0 || w.mainQueued > 0; })) {
                guard.unlock();
                notifyMainRunLoopObservers(kCFRunLoopExit);
                return false;
            }
        }
        if (idle) {
            notifyMainRunLoopObservers(kCFRunLoopExit);
            return true;
        }
        notifyMainRunLoopObservers(kCFRunLoopAfterWaiting);
    }
}

} // namespace ns

dispatch_queue_t dispatch_get_main_queue() {
    static auto* queue = new ns::DispatchQueue(ns::QueueThread::hostRunLoop);
    return queue;
}

dispatch_queue_t dispatch_get_global_queue(long priority, unsigned long flags) {
    if (flags != 0)
        return nullptr;
    switch (priority) {
    case DISPATCH_QUEUE_PRIORITY_HIGH: {
        static auto* high = new ns::DispatchQueue(ns::QueueThread::own);
        return high;
    }
    case DISPATCH_QUEUE_PRIORITY_DEFAULT: {
        static auto* normal = new ns::DispatchQueue(ns::QueueThread::own);
        return normal;
    }
    case DISPATCH_QUEUE_PRIORITY_LOW: {
        static auto* low = new ns::DispatchQueue(ns::QueueThread::own);
        return low;
    }
    case DISPATCH_QUEUE_PRIORITY_BACKGROUND: {
        static auto* background = new ns::DispatchQueue(ns::QueueThread::own);
        return background;
    }
    default:
        return nullptr;
    }
}

void dispatch_async(dispatch_queue_t queue, dispatch_block_t block) {
    if (queue && block)
        queue->async(std::move(block));
}
