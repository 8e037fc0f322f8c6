#include "PreferencePass.h"

#include <atomic>

namespace {

std::atomic<std::uint64_t> g_lastPass{0};
thread_local std::uint64_t t_pass = 0;

} // namespace

void PreferencePass::begin() {
    t_pass = g_lastPass.fetch_add(1, std::memory_order_relaxed) + 1;
}

void PreferencePass::end() {
    t_pass = 0;
}

std::uint64_t PreferencePass::current() {
    return t_pass;
}
