#pragma once
// Every property-list file a process reads or writes goes through here.
// Reading accepts XML and binary; writing produces XML and replaces the file in
// one step, so a reader sees the old file or the new one, never a mix.
#include <Foundation/FoundationDefines.h>
#include <Foundation/PlistValue.h>
#include <Foundation/Result.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ns {

class FOUNDATION_EXPORT PlistFile {
  public:
    enum class Format { Xml, Binary };

    // Files beyond these are refused before parsing: the parser recurses per
    // level and expands shared binary objects, so hostile files could crash or
    // stall it. Preference files are a few kilobytes and a few levels deep.
    static constexpr std::size_t kMaxFileSize = 8 * 1024 * 1024;
    static constexpr std::size_t kMaxDepth = 128;
    static constexpr std::size_t kMaxValues = 1'000'000;

    // Failure kinds: those of DevicePath::toHost, then those of the host-path call.
    static Result<PlistDictionary> readDictionary(const std::string& devicePath);
    static Result<void> writeDictionary(const std::string& devicePath, const PlistDictionary& dictionary);

    // NotFound, NotRegularFile, Unreadable, TooLarge, then those of parseDictionary;
    // the failure names the file.
    static Result<PlistDictionary> readDictionaryAtHostPath(const std::string& hostPath);
    // Unencodable (see encodeDictionary), InvalidPath, Unwritable; the old file
    // stays as it was.
    static Result<void> writeDictionaryAtHostPath(const std::string& hostPath,
                                                  const PlistDictionary& dictionary);

    // Malformed, TooLarge, TooDeep, TooMany (refused before parsing), NotDictionary.
    static Result<PlistDictionary> parseDictionary(std::span<const std::uint8_t> bytes);
    static Result<PlistDictionary> parseDictionary(std::string_view text);
    // Unencodable for values with no property-list form (null, strings holding
    // NUL, dates outside what the format's seconds field holds); TooDeep for
    // nesting beyond kMaxDepth.
    static Result<std::vector<std::uint8_t>> encodeDictionary(const PlistDictionary& dictionary,
                                                              Format format);
};

} // namespace ns
