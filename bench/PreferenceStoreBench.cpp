// What the store's answers cost, each beside what it should be compared with.
// Paired benchmarks alternate their two sides in small batches inside one
// loop, so both see the same load of the shared machine, and report the
// ratio as a counter; the plain ones give the absolute figures.
#include "BenchDevice.h"
#include "PreferencePass.h"
#include "VRPrefs.h"

#include <Foundation/DevicePath.h>
#include <Foundation/PlistFile.h>
#include <Foundation/ProcessIdentity.h>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr int kLayoutReads = 120;
constexpr int kBatch = 64;

// CPU time of this thread: the machine is shared, so wall time would count
// other processes' work.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

rt::Ref<UIColor> storeAnswer(const std::string& domain) {
    return VRPrefs::shared()->colourForKey("primarylabel", "000000", domain);
}

// An answer as the store gave it before it kept parsed files: the whole file
// read in zeroed 64 KiB steps until a read returns nothing, parsed, looked up.
rt::Ref<UIColor> answerAsBefore(const std::string& domain) {
    const std::string path = hostPathOf(domain);
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    ::fstat(file, &info);
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const std::size_t used = bytes.size();
        bytes.resize(used + 64 * 1024);
        const ssize_t count = ::read(file, bytes.data() + used, 64 * 1024);
        bytes.resize(used + static_cast<std::size_t>(count > 0 ? count : 0));
        if (count <= 0)
            break;
    }
    ::close(file);
    auto dictionary = ns::PlistFile::parseDictionary(std::span<const std::uint8_t>(bytes));
    return VRPrefs::shared()->colorWithHexString(dictionary.value().at("primarylabel").stringValue());
}

void BM_ColourForKey(benchmark::State& state) {
    benchDevice();
    const std::string domain = sizedDomain(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(storeAnswer(domain));
}
BENCHMARK(BM_ColourForKey)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

void BM_StatSettingsFile(benchmark::State& state) {
    const std::string& path = benchDevice().hostFiles.at(static_cast<int>(state.range(0)));
    struct stat info {};
    for (auto _ : state)
        benchmark::DoNotOptimize(::stat(path.c_str(), &info));
}
BENCHMARK(BM_StatSettingsFile)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

// A batch of colour answers, then a batch of stat() calls of the same file.
void BM_ColourAnswerOverStat(benchmark::State& state) {
    const std::string domain = sizedDomain(static_cast<int>(state.range(0)));
    const std::string& path = benchDevice().hostFiles.at(static_cast<int>(state.range(0)));
    double answers = 0, stats = 0;
    for (auto _ : state) {
        double start = threadSeconds();
        for (int i = 0; i < kBatch; ++i)
            benchmark::DoNotOptimize(storeAnswer(domain));
        const double middle = threadSeconds();
        struct stat info {};
        for (int i = 0; i < kBatch; ++i)
            benchmark::DoNotOptimize(::stat(path.c_str(), &info));
        answers += middle - start;
        stats += threadSeconds() - middle;
    }
    state.counters["ratio"] = answers / stats;
}
BENCHMARK(BM_ColourAnswerOverStat)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

// Another process replaces the file (written beside it, renamed over it)
// before every timed answer; the store's first answer after the change and an
// answer as before alternate.
void BM_FirstAnswerAfterChange(benchmark::State& state) {
    benchDevice();
    const int keys = static_cast<int>(state.range(0));
    const std::string domain = changingDomain(keys);
    const std::string path = hostPathOf(domain);
    const std::string temporary = path + ".new";
    const char* colours[2] = {"112233FF", "445566FF"};
    std::vector<std::uint8_t> versions[2];
    for (int i = 0; i < 2; ++i)
        versions[i] =
            ns::PlistFile::encodeDictionary(settingsOfSize(keys, colours[i]), ns::PlistFile::Format::Xml)
                .value();
    int next = 0;
    auto change = [&] {
        {
            std::ofstream out(temporary, std::ios::binary);
            out.write(reinterpret_cast<const char*>(versions[next].data()),
                      static_cast<std::streamsize>(versions[next].size()));
        }
        fs::rename(temporary, path);
    };
    double store = 0, before = 0;
    for (auto _ : state) {
        change();
        double start = threadSeconds();
        auto colour = storeAnswer(domain);
        store += threadSeconds() - start;
        if (HexColorCodec::hexStringFromColor(colour) != colours[next])
            state.SkipWithError("a stale answer after a change");
        next ^= 1;
        change();
        start = threadSeconds();
        benchmark::DoNotOptimize(answerAsBefore(domain));
        before += threadSeconds() - start;
        next ^= 1;
    }
    const double rounds = static_cast<double>(state.iterations());
    state.counters["store_us"] = store / rounds * 1e6;
    state.counters["before_us"] = before / rounds * 1e6;
    state.counters["ratio"] = store / before;
}
BENCHMARK(BM_FirstAnswerAfterChange)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

// One Messages screen's layout pass: its replacements ask for 70 colours and,
// every sixth read, one of 10 switches.
class LayoutPassReads {
  public:
    LayoutPassReads() {
        for (int i = 0; i < 70; ++i)
            m_colourKeys.push_back("colourKey" + std::to_string(i));
        for (int i = 0; i < 10; ++i)
            m_switchKeys.push_back("switchKey" + std::to_string(i));
    }
    void read(const VRPrefs& prefs) const {
        for (int read = 0; read < kLayoutReads; ++read) {
            if (read % 6 == 5)
                benchmark::DoNotOptimize(prefs.boolForKey(m_switchKeys[read % 10], kPreferenceDomain));
            else
                benchmark::DoNotOptimize(
                    prefs.colourForKey(m_colourKeys[read % 70], "000000", kPreferenceDomain));
        }
    }

  private:
    std::vector<std::string> m_colourKeys, m_switchKeys;
};

void BM_ThemedLayoutPass(benchmark::State& state) {
    benchDevice();
    const VRPrefs& prefs = *VRPrefs::shared();
    const LayoutPassReads reads;
    for (auto _ : state)
        reads.read(prefs);
}
BENCHMARK(BM_ThemedLayoutPass);

// The same reads inside a preference pass, as the engine brackets each layout
// commit in Messages: one stamp check of the file for the whole pass.
void BM_ThemedLayoutPassInAPass(benchmark::State& state) {
    benchDevice();
    const VRPrefs& prefs = *VRPrefs::shared();
    const LayoutPassReads reads;
    for (auto _ : state) {
        PreferencePass::Scope pass;
        reads.read(prefs);
    }
}
BENCHMARK(BM_ThemedLayoutPassInAPass);

void BM_ParseHexColour(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(VRPrefs::shared()->colorWithHexString("FF9500CC"));
}
BENCHMARK(BM_ParseHexColour);

} // namespace
