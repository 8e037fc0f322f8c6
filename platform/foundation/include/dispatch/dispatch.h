#pragma once
// The dispatch calls the product uses: one-time initialisation and queues.
#include <dispatch/queue.h>

#include <mutex>
#include <utility>

using dispatch_once_t = std::once_flag;

// Runs `block` exactly once per predicate, also when the first calls race;
// every caller returns only after it has finished.
template <class F> void dispatch_once(dispatch_once_t* predicate, F&& block) {
    std::call_once(*predicate, std::forward<F>(block));
}
