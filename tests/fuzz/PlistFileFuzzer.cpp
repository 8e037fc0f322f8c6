// Hostile bytes through the guard and the reader; whatever reads must write
// and read back the same.
#include <Foundation/PlistFile.h>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = ns::PlistFile::parseDictionary(std::span<const std::uint8_t>(data, size));
    if (!read)
        return 0;
    const auto written = ns::PlistFile::encodeDictionary(read.value(), ns::PlistFile::Format::Xml);
    // A value the writer refuses is refused loudly, never altered.
    if (!written)
        return 0;
    const auto again = ns::PlistFile::parseDictionary(std::span<const std::uint8_t>(written.value()));
    if (!again || !(again.value() == read.value())) {
        std::fprintf(stderr, "a rewrite altered the file: %s\n",
                     again ? "values differ" : again.error().c_str());
        std::abort();
    }
    return 0;
}
