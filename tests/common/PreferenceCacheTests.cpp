// Freshness is the store's promise: every answer reflects the file as it is at
// the call, whoever changed it. These tests change files from other processes
// and threads as fast as they can and compare every answer with what had been
// written before the question was asked.
#include "PreferenceCache.h"
#include "PreferenceFileFixture.h"
#include "VRPrefs.h"

#include <Foundation/PlistFile.h>
#include <Foundation/ProcessIdentity.h>
#include <objc/message.h>
#include <objc/runtime.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Validation = PreferenceCache::Validation;
using namespace preference_files;

// Files as long as a user's, so a read takes the time a real one does.
constexpr int kUserColours = 40;

// A process that replaces the file in a tight loop and publishes, after each
// rename, the sequence number now on disk. Every few hundred replacements it
// pauses long enough for the file to settle, so that readers keep it and the
// next burst must be noticed.
class WriterProcess {
  public:
    explicit WriterProcess(std::string hostPath) : m_hostPath(std::move(hostPath)) {
        void* memory =
            ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            std::abort();
        m_shared = new (memory) Shared;
        replace(m_hostPath, version(0, kUserColours));
        m_pid = ::fork();
        if (m_pid == 0) {
            run();
            ::_exit(0);
        }
        if (m_pid < 0)
            std::abort();
    }
    ~WriterProcess() {
        m_shared->stop.store(true);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        ::munmap(m_shared, sizeof(Shared));
    }
    WriterProcess(const WriterProcess&) = delete;
    WriterProcess& operator=(const WriterProcess&) = delete;

    long published() const { return m_shared->published.load(std::memory_order_acquire); }

  private:
    struct Shared {
        std::atomic<long> published{0};
        std::atomic<bool> stop{false};
    };
    static_assert(std::atomic<long>::is_always_lock_free);

    void run() const {
        for (long sequence = 1; !m_shared->stop.load(); ++sequence) {
            replace(m_hostPath, version(sequence, kUserColours));
            m_shared->published.store(sequence, std::memory_order_release);
            if (sequence % 300 == 0)
                std::this_thread::sleep_for(PreferenceCache::kSettleTime + 30ms);
        }
    }

    std::string m_hostPath;
    Shared* m_shared = nullptr;
    pid_t m_pid = -1;
};

struct Tally {
    long rounds = 0;
    long stale = 0;
    long quietRounds = 0; // answers during which nothing was written
};

// Asks until `rounds` answers are in and the writer has gone through several
// pauses; an answer older than what was on disk before the question is stale.
Tally askWhileWriting(const WriterProcess& writer, const std::function<std::optional<long>()>& ask,
                      long rounds) {
    Tally tally;
    while (tally.rounds < rounds || writer.published() < 1500) {
        const long before = writer.published();
        const std::optional<long> answer = ask();
        if (!answer || *answer < before)
            ++tally.stale;
        if (writer.published() == before)
            ++tally.quietRounds;
        ++tally.rounds;
    }
    return tally;
}

class PreferenceCacheTest : public DeviceTest {
  protected:
    // The store's own answer, as the engine asks for it.
    static std::optional<long> storeAnswer() {
        const ns::PlistValue value = VRPrefs::shared()->objectForKey("sequence", kID);
        return value.isString() ? std::optional<long>(std::stol(value.stringValue())) : std::nullopt;
    }
};

TEST_F(PreferenceCacheTest, EveryAnswerFollowsAWriterProcess) {
    WriterProcess writer(host(kFile));
    const Tally tally = askWhileWriting(writer, storeAnswer, 4000);
    EXPECT_EQ(tally.stale, 0) << "of " << tally.rounds << " answers";
    EXPECT_GT(tally.quietRounds, 100) << "answers were also given from a settled, kept file";
}

// The negative control: a cache that trusts what it read first fails the same
// test, so the test can tell a fresh store from a stale one.
TEST_F(PreferenceCacheTest, ACacheThatSkipsTheCheckFailsTheSameTest) {
    WriterProcess writer(host(kFile));
    PreferenceCache unchecked(Validation::FirstReadForever);
    const Tally tally = askWhileWriting(
        writer, [&] { return sequenceIn(*unchecked.read(kFile)); }, 4000);
    EXPECT_GT(tally.stale, tally.rounds / 2);
    std::printf("without the check: %ld stale answers of %ld\n", tally.stale, tally.rounds);
}

TEST_F(PreferenceCacheTest, TwoThreadsAskWhileAProcessWrites) {
    WriterProcess writer(host(kFile));
    Tally tallies[2];
    std::thread second([&] { tallies[1] = askWhileWriting(writer, storeAnswer, 2000); });
    tallies[0] = askWhileWriting(writer, storeAnswer, 2000);
    second.join();
    EXPECT_EQ(tallies[0].stale, 0) << "of " << tallies[0].rounds;
    EXPECT_EQ(tallies[1].stale, 0) << "of " << tallies[1].rounds;
}

TEST_F(PreferenceCacheTest, KeepsASettledFileUntilItsStampChanges) {
    PreferenceCache cache;
    replace(host(kFile), version(1, kUserColours));
    const auto firstRead = cache.read(kFile);
    const auto secondRead = cache.read(kFile);
    if (std::chrono::system_clock::now() - ns::FileStamp::ofItemAtPath(kFile)->changed <
        PreferenceCache::kSettleTime) {
        EXPECT_NE(firstRead.get(), secondRead.get()) << "a file changed just now is read every time";
    }
    settle();
    const auto kept = cache.read(kFile);
    EXPECT_EQ(cache.read(kFile).get(), kept.get()) << "a settled file is parsed once";
    EXPECT_EQ(sequenceIn(*kept), 1);

    // Same size, within the same second, and the content's time set back.
    const auto before = fs::last_write_time(host(kFile));
    replace(host(kFile), version(2, kUserColours));
    fs::last_write_time(host(kFile), before);
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 2);
    replace(host(kFile), version(3, kUserColours));
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 3);
    settle();
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 3);
    replace(host(kFile), version(4, kUserColours));
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 4) << "the first answer after a change of a kept file";
}

// A link naming a device path resolves inside the device for the read, and
// outside it for the host's quick lookup: such a file is never kept, so each
// answer is still the content as it is.
TEST_F(PreferenceCacheTest, AFileReachedThroughAnAbsoluteLinkIsReadEveryTime) {
    PreferenceCache cache;
    const std::string real = kContainer + "/Documents/real.plist";
    replace(host(real), version(1, kUserColours));
    fs::create_symlink(real, host(kFile));
    settle();
    const auto first = cache.read(kFile);
    EXPECT_EQ(sequenceIn(*first), 1);
    EXPECT_NE(cache.read(kFile).get(), first.get()) << "never kept";
    // Changed in place, size and times kept: only a fresh read can tell.
    const auto before = fs::last_write_time(host(real));
    {
        std::fstream out(host(real), std::ios::in | std::ios::out | std::ios::binary);
        out << version(2, kUserColours);
    }
    fs::last_write_time(host(real), before);
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 2);

    // A relative link resolves alike on both roads and is kept as usual.
    fs::remove(host(kFile));
    fs::create_symlink("real.plist", host(kFile));
    settle();
    const auto kept = cache.read(kFile);
    EXPECT_EQ(cache.read(kFile).get(), kept.get());
}

TEST_F(PreferenceCacheTest, ADeletedFileReadsEmptyUntilItIsCreatedAgain) {
    PreferenceCache cache;
    replace(host(kFile), version(1, kUserColours));
    settle();
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 1);
    fs::remove(host(kFile));
    EXPECT_TRUE(cache.read(kFile)->empty());
    replace(host(kFile), version(2, kUserColours));
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 2);
    settle();
    fs::remove(host(kFile));
    std::ofstream(host(kFile), std::ios::binary) << version(3, kUserColours); // created in place, not renamed
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 3);
}

TEST_F(PreferenceCacheTest, ADirectoryOrFifoInTheFilesPlaceReadsEmptyWithoutBlocking) {
    PreferenceCache cache;
    for (const char* kind : {"directory", "fifo"}) {
        replace(host(kFile), version(1, kUserColours));
        settle();
        ASSERT_EQ(sequenceIn(*cache.read(kFile)), 1) << kind;
        fs::remove(host(kFile));
        if (std::string(kind) == "directory")
            fs::create_directory(host(kFile));
        else
            ASSERT_EQ(::mkfifo(host(kFile).c_str(), 0600), 0);
        settle();
        EXPECT_TRUE(cache.read(kFile)->empty()) << kind;
        EXPECT_TRUE(VRPrefs::shared()->objectForKey("sequence", kID).isNull()) << kind;
        fs::remove(host(kFile));
        replace(host(kFile), version(2, kUserColours));
        EXPECT_EQ(sequenceIn(*cache.read(kFile)), 2) << kind;
    }
}

// Only the parsed file is kept, never a colour: a named colour resolves
// through a method anything may replace, so it is asked for on every answer.
TEST_F(PreferenceCacheTest, NamedColoursResolveAnewFromAKeptFile) {
    ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, {{"accent", ns::PlistValue("red")}}).ok());
    settle();
    const VRPrefs& prefs = *VRPrefs::shared();
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("accent", "000000", kID)),
              HexColorCodec::hexStringFromColor(UIColor::systemRedColor()));

    static rt::Ref<UIColor> (*previous)(id, SEL) = nullptr;
    const Class metaclass = object_getClass(UIColor::classObject());
    MSHookMessageEx(
        metaclass, rt::sel<"systemRedColor">(),
        +[](id, SEL) -> rt::Ref<UIColor> { return UIColor::colorWithRed(0.2, 0.4, 0.6, 1.0); }, &previous);
    const std::string replaced =
        HexColorCodec::hexStringFromColor(prefs.colourForKey("accent", "000000", kID));
    rt::Ref<UIColor> (*replacement)(id, SEL) = nullptr;
    MSHookMessageEx(metaclass, rt::sel<"systemRedColor">(), previous, &replacement);
    EXPECT_EQ(replaced, "336699FF");
}

// Two replacements inside one step of the file system's clock can leave the
// same stamp, when the file system hands the freed inode number back and the
// times do not move. A stamp check without the settling rule answers the old
// content there; the real check does not.
TEST_F(PreferenceCacheTest, AStampRepeatedWithinTheSettleTimeIsNotTrusted) {
    using Clock = std::chrono::system_clock;
    // One stamp for every version of the file; its change time either fixed
    // or a given age at the moment of each call.
    static ns::FileStamp repeated;
    static std::optional<Clock::duration> age;
    repeated.kind = ns::FileStamp::Kind::Regular;
    const auto sameStamp = [](const std::string&) {
        ns::FileStamp stamp = repeated;
        if (age)
            stamp.changed = std::chrono::time_point_cast<std::chrono::nanoseconds>(Clock::now() - *age);
        return std::optional<ns::FileStamp>(stamp);
    };
    PreferenceCache checked(Validation::Stamp, sameStamp);
    PreferenceCache unsettled(Validation::StampUnsettled, sameStamp);

    // A change time not yet past: changed this instant, or the clock was set back.
    repeated.changed = std::chrono::time_point_cast<std::chrono::nanoseconds>(Clock::now() + 1s);
    replace(host(kFile), version(1, kUserColours));
    EXPECT_EQ(sequenceIn(*checked.read(kFile)), 1);
    EXPECT_EQ(sequenceIn(*unsettled.read(kFile)), 1);
    replace(host(kFile), version(2, kUserColours));
    EXPECT_EQ(sequenceIn(*checked.read(kFile)), 2);
    EXPECT_EQ(sequenceIn(*unsettled.read(kFile)), 1) << "the stamp alone cannot tell";

    // Changed well inside the settle time: still read on every call.
    age = PreferenceCache::kSettleTime / 2;
    EXPECT_EQ(sequenceIn(*checked.read(kFile)), 2);
    replace(host(kFile), version(3, kUserColours));
    EXPECT_EQ(sequenceIn(*checked.read(kFile)), 3);

    // Settled: kept, so that with the stamp forged even a change goes unseen,
    // which is what keeping means.
    age.reset();
    repeated.changed = std::chrono::time_point_cast<std::chrono::nanoseconds>(Clock::now() - 1s);
    EXPECT_EQ(sequenceIn(*checked.read(kFile)), 3);
    replace(host(kFile), version(4, kUserColours));
    EXPECT_EQ(sequenceIn(*checked.read(kFile)), 3);
}

// The same on the real file system, where it can happen: kernels that keep
// coarse file times repeat stamps within a few attempts.
TEST_F(PreferenceCacheTest, TwoReplacementsWithTheSameStampStillReadFresh) {
    int collisions = 0;
    for (long attempt = 0; attempt < 300 && collisions < 3; ++attempt) {
        PreferenceCache checked;
        PreferenceCache unsettled(Validation::StampUnsettled);
        replace(host(kFile), version(4 * attempt, kUserColours));
        replace(host(kFile), version(4 * attempt + 1, kUserColours));
        const auto first = ns::FileStamp::ofItemAtPath(kFile);
        ASSERT_EQ(sequenceIn(*checked.read(kFile)), 4 * attempt + 1);
        ASSERT_EQ(sequenceIn(*unsettled.read(kFile)), 4 * attempt + 1);
        replace(host(kFile), version(4 * attempt + 2, kUserColours));
        replace(host(kFile), version(4 * attempt + 3, kUserColours));
        const bool sameStamp = ns::FileStamp::ofItemAtPath(kFile) == first;
        EXPECT_EQ(sequenceIn(*checked.read(kFile)), 4 * attempt + 3);
        if (sameStamp) {
            ++collisions;
            EXPECT_EQ(sequenceIn(*unsettled.read(kFile)), 4 * attempt + 1) << "the stamp alone cannot tell";
        }
    }
    if (collisions == 0)
        GTEST_SKIP() << "this kernel gave every replacement its own stamp (fine-grained file times)";
}

} // namespace
