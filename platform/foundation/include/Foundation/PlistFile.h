#pragma once
// Every property-list file a process reads or writes goes through here.
// Reading accepts XML and binary; writing produces XML and replaces the file in
// one step, so a reader sees the old file or the new one, never a mix.
#include <Foundation/FileStamp.h>
#include <Foundation/FoundationDefines.h>
#include <Foundation/PlistValue.h>
#include <Foundation/Result.h>

#include <cstddef>
#include <cstdint>
#include <functional>
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

    // A file that is there but cannot be read is kept beside itself as
    // "<name>.unreadable-<UTC time>" before a writer replaces it; the newest
    // kUnreadableKept such copies stay. So is a file holding values a rewrite
    // would change (integers beyond 64 bits, invalid dates, strings holding NUL
    // or lone surrogates) or could not write at all (a control character in a
    // key): those are left out of the new file. Each such copy is named in one
    // line on stderr.
    static constexpr const char* kUnreadableInfix = ".unreadable-";
    static constexpr std::size_t kUnreadableKept = 3;

    using Change = std::function<void(PlistDictionary&)>;

    // Failure kinds: those of DevicePath::toHost, then those of the host-path call.
    static Result<PlistDictionary> readDictionary(const std::string& devicePath);
    // The same, with the stamp of the very file that was read.
    struct StampedDictionary {
        PlistDictionary dictionary;
        FileStamp stamp;
    };
    static Result<StampedDictionary> readStampedDictionary(const std::string& devicePath);
    // For a reader that walks a large file's XML itself rather than building
    // every value: the text the parser would get (UTF-8, without a byte order
    // mark; binary files as they are), read and refused by the same limits as
    // readDictionary, with the same failures up to parsing.
    static Result<std::vector<std::uint8_t>> readCheckedText(const std::string& devicePath);
    static Result<void> writeDictionary(const std::string& devicePath, const PlistDictionary& dictionary);
    static Result<void> updateDictionary(const std::string& devicePath, const Change& change);

    // NotFound, NotRegularFile, Unreadable, TooLarge, then those of parseDictionary;
    // the failure names the file.
    static Result<PlistDictionary> readDictionaryAtHostPath(const std::string& hostPath);
    // Replaces the file under its lock (see PlistFileLock). Unencodable (see
    // encodeDictionary) for a value the old file did not hold, Locked,
    // InvalidPath, Unwritable (also when the old file cannot be kept); on
    // failure the old file stays as it was.
    static Result<void> writeDictionaryAtHostPath(const std::string& hostPath,
                                                  const PlistDictionary& dictionary);
    // Reads, changes and writes the file under its lock, so that no concurrent
    // update is lost. A missing or unreadable file starts empty (the latter
    // kept aside); any other read failure is answered unchanged (NotRegularFile,
    // NoDevice, ...), as are those of writeDictionaryAtHostPath.
    static Result<void> updateDictionaryAtHostPath(const std::string& hostPath, const Change& change);

    // Malformed, TooLarge, TooDeep, TooMany (refused before parsing), NotDictionary.
    // XML in UTF-16 or in the 8-bit encoding its declaration names is read as
    // such; an encoding this reader does not know is Malformed.
    static Result<PlistDictionary> parseDictionary(std::span<const std::uint8_t> bytes);
    static Result<PlistDictionary> parseDictionary(std::string_view text);
    // Unencodable for values a file of the format cannot hold so that they read
    // back the same (see PlistXmlWriter; binary: null, strings holding NUL,
    // dates beyond 32-bit seconds, unsigned integers beyond the signed range);
    // TooDeep for nesting beyond kMaxDepth.
    static Result<std::vector<std::uint8_t>> encodeDictionary(const PlistDictionary& dictionary,
                                                              Format format);
};

} // namespace ns
