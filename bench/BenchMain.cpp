// Runs every benchmark, then prints the ratios the speed goals are stated in.
#include "RatioReporter.h"

#include <iostream>
#include <string>

namespace {

constexpr double kFrameSeconds = 1.0 / 120.0;

std::vector<RatioReporter::Ratio> goals() {
    std::vector<RatioReporter::Ratio> ratios;
    for (const char* keys : {"10", "100", "1000", "10000"})
        ratios.push_back({std::string("colour answer / stat() of the file, ") + keys + " keys",
                          std::string("BM_ColourAnswerOverStat/") + keys, "", 0, 1.5, "ratio"});
    for (const char* keys : {"10", "100", "1000", "10000"})
        ratios.push_back({std::string("first answer after a change / answer before, ") + keys + " keys",
                          std::string("BM_FirstAnswerAfterChange/") + keys, "", 0, 1.0, "ratio"});
    ratios.push_back({"themed layout pass (120 reads) / 8.3 ms frame", "BM_ThemedLayoutPass", "",
                      kFrameSeconds, 0.05, ""});
    ratios.push_back({"the same reads inside one pass / 8.3 ms frame", "BM_ThemedLayoutPassInAPass", "",
                      kFrameSeconds, 0.05, ""});
    for (const char* screen : {"0", "1"}) {
        const std::string name = screen[0] == '0' ? "list of 50" : "transcript";
        const bool list = screen[0] == '0';
        ratios.push_back({"Messages " + name + " layout pass, with the engine / without",
                          std::string("BM_MessagesLayoutPass/") + screen + "/1",
                          std::string("BM_MessagesLayoutPass/") + screen + "/0", 0, list ? 3.0 : 0, ""});
        ratios.push_back({"Messages " + name + " layout pass with the engine / 8.3 ms frame",
                          std::string("BM_MessagesLayoutPass/") + screen + "/1", "", kFrameSeconds,
                          list ? 0.05 : 0, ""});
    }
    // Filled in by the runtime's benchmarks once they exist under these names.
    ratios.push_back({"message send / virtual call", "BM_MessageSend", "BM_VirtualCall", 0, 3.0, ""});
    return ratios;
}

// A format other than the console's (json, csv) is for programs: the
// library's own reporter writes it, with no table of ratios after it.
bool asksForAnotherFormat(int argc, char** argv) {
    const std::string flag = "--benchmark_format=";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with(flag) && argument.substr(flag.size()) != "console")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const bool machineReadable = asksForAnotherFormat(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (machineReadable) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }
    RatioReporter reporter(goals());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(std::cout);
    benchmark::Shutdown();
    return 0;
}
