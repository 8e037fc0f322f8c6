#pragma once
#include <Foundation/FileStamp.h>
#include <Foundation/PlistValue.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

// The parsed preference files of a store, each kept while its file's stamp is
// unchanged. Every read still asks the file system for the stamp, so a change
// written by any process shows at the very next read; what is saved is the
// read and parse of an unchanged file. Inside a layout pass of the calling
// thread (PreferencePass) a file is checked once, at its first read in the
// pass. Safe to use from several threads.
class PreferenceCache {
  public:
    using Dictionary = std::shared_ptr<const ns::PlistDictionary>;

    // How far a kept dictionary is trusted. Only `Stamp` keeps every answer
    // fresh; the others exist so that tests can show what each check guards.
    enum class Validation {
        Stamp,           // same stamp, and the file had settled when it was read
        StampUnsettled,  // same stamp, however recent the file's last change
        FirstReadForever // no check at all once a file has been read
    };

    // File times move in coarse steps (4 ms here) and atomic replacements
    // alternate between two inode numbers, so two replacements inside one step
    // can leave identical stamps. A file whose last change is at least this
    // old has a stamp no later version can repeat.
    static constexpr std::chrono::milliseconds kSettleTime{50};

    // Where stamps come from; tests substitute one that repeats stamps.
    using StampSource = std::function<std::optional<ns::FileStamp>(const std::string& devicePath)>;

    // By default a kept file is recognised by the host's lookup, one stat()'s
    // worth; a file read carries the stamp of the open file, and is kept only
    // where the host's lookup found that same file: a path that leads out of
    // the device is read every time. A given source is asked before each read.
    explicit PreferenceCache(Validation validation = Validation::Stamp, StampSource stamps = {})
        : m_validation(validation), m_stamps(std::move(stamps)),
          m_quickStamps(m_stamps ? StampSource() : StampSource(ns::FileStamp::ofItemFoundByHost)) {}
    PreferenceCache(const PreferenceCache&) = delete;
    PreferenceCache& operator=(const PreferenceCache&) = delete;

    // The dictionary of the file at a device path as it is now, or as it was
    // at this pass's check of it; empty when the file is missing, not a
    // regular file, or does not hold a dictionary.
    Dictionary read(const std::string& path);
    // As it is now, pass or not: what a change is made to.
    Dictionary readNow(const std::string& path);
    // This process changed the file: the next read checks it again.
    void forget(const std::string& path);

  private:
    // Checks the file; a kept dictionary it confirms counts as checked in `pass`.
    Dictionary check(const std::string& path, std::uint64_t pass);
    // With a given stamp source: the stamp first, then the file.
    Dictionary readChecking(const std::string& path, const std::optional<ns::FileStamp>& stamp,
                            std::chrono::system_clock::time_point now, std::uint64_t pass);

    struct Entry {
        ns::FileStamp stamp;
        Dictionary dictionary;
        std::uint64_t checkedInPass = 0; // the last pass whose first read confirmed it
    };

    const Validation m_validation;
    const StampSource m_stamps;      // a given source, or empty
    const StampSource m_quickStamps; // the host's lookup, when no source is given
    std::mutex m_lock;
    std::unordered_map<std::string, Entry> m_entries;
};
