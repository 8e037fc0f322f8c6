// A full layout pass of Messages' screens, without the engine and then with
// it, in the same run. Registered last: once the engine is in, its
// replacements stay for the rest of the process.
#include "BenchDevice.h"
#include "MessagesScreen.h"
#include "VantorelStartup.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kListConversations = 50;

std::vector<CKConversationRecord> conversations() {
    using Kind = CKMessageRecord::Kind;
    std::vector<CKConversationRecord> list;
    for (int i = 0; i < kListConversations; ++i) {
        CKConversationRecord conversation{"Contact " + std::to_string(i),
                                          "A summary of the last message, two lines long "
                                          "when it does not fit on one",
                                          "9:41 AM",
                                          i % 4 == 0,
                                          i < 3,
                                          {}};
        if (i == 0)
            for (int round = 0; round < 4; ++round)
                conversation.messages.insert(
                    conversation.messages.end(),
                    {{Kind::timestamp, "Today 9:12 AM", ""},
                     {Kind::incoming, "Are you still up for the hike on Saturday?", ""},
                     {Kind::iMessage, "Yes! Leaving at 7 so we beat the heat", ""},
                     {Kind::sms, "Saved it", ""},
                     {Kind::picture, "", ""},
                     {Kind::link, "Ridge Trail Loop", "trails.example.org"},
                     {Kind::status, "Delivered", ""}});
        list.push_back(std::move(conversation));
    }
    return list;
}

// Arguments: the screen (0 the list, 1 a transcript), then 1 with the engine.
void BM_MessagesLayoutPass(benchmark::State& state) {
    benchDevice();
    if (state.range(1) == 1)
        VantorelStartup::mainInitialiser(); // once per process, however often called
    const auto kind =
        state.range(0) == 0 ? messages::MessagesScreen::Kind::list : messages::MessagesScreen::Kind::chat;
    messages::MessagesScreen screen(kind, conversations());
    size_t views = 0;
    for (auto _ : state)
        views = screen.layOutEverything();
    state.counters["views"] = static_cast<double>(views);
}
BENCHMARK(BM_MessagesLayoutPass)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1});

} // namespace
