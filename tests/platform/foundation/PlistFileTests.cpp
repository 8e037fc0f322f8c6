#include "TemporaryDirectory.h"

#include <sys/stat.h>

#include <Foundation/PlistFile.h>
#include <Foundation/PlistFileLock.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using ns::FailureKind;
using ns::PlistArray;
using ns::PlistData;
using ns::PlistDictionary;
using ns::PlistFile;
using ns::PlistValue;

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes readRaw(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeRaw(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::string> entriesIn(const std::string& directory) {
    std::vector<std::string> names;
    // Lock files stay beside their targets by design.
    for (const auto& entry : fs::directory_iterator(directory))
        if (!entry.path().filename().string().ends_with(".lock"))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

PlistDictionary everyKind() {
    return {
        {"yes", true},
        {"no", false},
        {"int", 42},
        {"negative", -5},
        {"wide", (std::int64_t{1} << 32) + 1},
        {"min", std::numeric_limits<std::int64_t>::min()},
        {"real", 2.7},
        {"text", "h\xc3\xa9llo \xe2\x9c\x93 <&>"},
        {"empty", ""},
        {"data", PlistData{0, 1, 0x7f, 0x80, 0xff}},
        {"noData", PlistData{}},
        {"date", PlistValue::Date{611411445.0}},
        // XML keeps whole seconds only.
        {"early", PlistValue::Date{-100.0}},
        {"list", PlistArray{1, "two", 3.5, PlistArray{}, PlistDictionary{}}},
        {"map", PlistDictionary{{"inner", PlistDictionary{{"deep", PlistArray{false}}}}}},
    };
}

// Builds binary property lists object by object, with four-byte offsets and
// references, so tests can shape graphs no writer would produce.
class BinaryPlist {
  public:
    std::uint32_t array(std::vector<std::uint32_t> refs) { return add(0xA, std::move(refs)); }
    // Keys first, then values, as the format lays them out.
    std::uint32_t dictionary(std::vector<std::uint32_t> keysThenValues) {
        const std::size_t pairs = keysThenValues.size() / 2;
        return add(0xD, std::move(keysThenValues), pairs);
    }
    std::uint32_t string(const std::string& ascii) {
        Bytes object = header(0x5, ascii.size());
        object.insert(object.end(), ascii.begin(), ascii.end());
        m_objects.push_back(object);
        return static_cast<std::uint32_t>(m_objects.size() - 1);
    }
    // Reserves an index so that containers can refer forward to it.
    std::uint32_t reserve() {
        m_objects.emplace_back();
        return static_cast<std::uint32_t>(m_objects.size() - 1);
    }
    void setArray(std::uint32_t index, const std::vector<std::uint32_t>& refs) {
        m_objects[index] = encodeContainer(0xA, refs, refs.size());
    }

    Bytes bytes(std::uint32_t top) const {
        Bytes out = bytesOf("bplist00");
        std::vector<std::uint32_t> offsets;
        for (const Bytes& object : m_objects) {
            offsets.push_back(static_cast<std::uint32_t>(out.size()));
            out.insert(out.end(), object.begin(), object.end());
        }
        const std::uint64_t tableOffset = out.size();
        for (const std::uint32_t offset : offsets)
            appendBigEndian(out, offset, 4);
        out.insert(out.end(), 6, 0);
        out.push_back(4);
        out.push_back(4);
        appendBigEndian(out, m_objects.size(), 8);
        appendBigEndian(out, top, 8);
        appendBigEndian(out, tableOffset, 8);
        return out;
    }

  private:
    static void appendBigEndian(Bytes& out, std::uint64_t value, int size) {
        for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    static Bytes header(std::uint8_t type, std::size_t count) {
        Bytes out;
        if (count < 15) {
            out.push_back(static_cast<std::uint8_t>(type << 4 | count));
        } else {
            out.push_back(static_cast<std::uint8_t>(type << 4 | 0xF));
            out.push_back(0x12);
            appendBigEndian(out, count, 4);
        }
        return out;
    }
    static Bytes encodeContainer(std::uint8_t type, const std::vector<std::uint32_t>& refs,
                                 std::size_t count) {
        Bytes out = header(type, count);
        for (const std::uint32_t ref : refs)
            appendBigEndian(out, ref, 4);
        return out;
    }
    std::uint32_t add(std::uint8_t type, std::vector<std::uint32_t> refs, std::size_t count = SIZE_MAX) {
        m_objects.push_back(encodeContainer(type, refs, count == SIZE_MAX ? refs.size() : count));
        return static_cast<std::uint32_t>(m_objects.size() - 1);
    }

    std::vector<Bytes> m_objects;
};

// A dictionary {"k": <chain of `levels` arrays, each holding the next `fanOut` times>}.
Bytes nestedBinary(std::size_t levels, std::size_t fanOut) {
    BinaryPlist plist;
    const std::uint32_t key = plist.string("k");
    std::uint32_t inner = plist.string("leaf");
    for (std::size_t level = 0; level < levels; ++level)
        inner = plist.array(std::vector<std::uint32_t>(fanOut, inner));
    return plist.bytes(plist.dictionary({key, inner}));
}

// The same shape in XML, one array per level.
std::string nestedXml(std::size_t levels) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>k</key>";
    for (std::size_t level = 0; level < levels; ++level)
        text += "<array>";
    text += "<string>leaf</string>";
    for (std::size_t level = 0; level < levels; ++level)
        text += "</array>";
    return text + "</dict></plist>\n";
}

template <class F> double secondsTaken(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class PlistFileTest : public ::testing::Test {
  protected:
    std::string pathOf(const std::string& name) const { return m_directory.path() + "/" + name; }
    TemporaryDirectory m_directory;
};

} // namespace

TEST_F(PlistFileTest, EveryKindRoundTripsThroughAnXmlFile) {
    const std::string path = pathOf("every.plist");
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, everyKind()).ok());
    const Bytes written = readRaw(path);
    EXPECT_TRUE(std::string(written.begin(), written.end()).starts_with("<?xml"));
    const auto read = PlistFile::readDictionaryAtHostPath(path);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value(), everyKind());
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

TEST_F(PlistFileTest, EveryKindRoundTripsThroughBinary) {
    const auto encoded = PlistFile::encodeDictionary(everyKind(), PlistFile::Format::Binary);
    ASSERT_TRUE(encoded.ok()) << encoded.error();
    ASSERT_TRUE(std::string(encoded.value().begin(), encoded.value().begin() + 8) == "bplist00");
    const auto decoded = PlistFile::parseDictionary(std::span<const std::uint8_t>(encoded.value()));
    ASSERT_TRUE(decoded.ok()) << decoded.error();
    EXPECT_EQ(decoded.value(), everyKind());

    const PlistDictionary fractions{{"before", PlistValue::Date{-99.5}},
                                    {"after", PlistValue::Date{1e9 + 0.25}}};
    const auto binary = PlistFile::encodeDictionary(fractions, PlistFile::Format::Binary);
    EXPECT_EQ(PlistFile::parseDictionary(std::span<const std::uint8_t>(binary.value())).value(), fractions);
}

TEST_F(PlistFileTest, ValuesWithoutPlistFormAreNotWritten) {
    const std::string path = pathOf("kept.plist");
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"old", 1}}).ok());
    const Bytes before = readRaw(path);
    const PlistDictionary unwritable[] = {
        {{"null", PlistValue()}},          {{"nested", PlistArray{PlistValue()}}},
        {{"nul", std::string("a\0b", 3)}}, {{std::string("k\0", 2), 1}},
        {{"far", PlistValue::Date{1e12}}},
    };
    for (const PlistDictionary& dictionary : unwritable) {
        const auto written = PlistFile::writeDictionaryAtHostPath(path, dictionary);
        EXPECT_EQ(written.kind(), FailureKind::Unencodable) << written.error();
        EXPECT_EQ(written.failure().path, path);
        EXPECT_EQ(readRaw(path), before);
    }
    EXPECT_EQ(entriesIn(m_directory.path()), std::vector<std::string>{"kept.plist"});
}

TEST_F(PlistFileTest, ReadingAcceptsOnlyADictionaryAtTheTop) {
    EXPECT_TRUE(PlistFile::parseDictionary("<plist><dict/></plist>").ok());
    EXPECT_EQ(PlistFile::parseDictionary("<plist><array><dict/></array></plist>").kind(),
              FailureKind::NotDictionary);
    EXPECT_EQ(PlistFile::parseDictionary("<plist><string>x</string></plist>").kind(),
              FailureKind::NotDictionary);
    EXPECT_EQ(PlistFile::parseDictionary("").kind(), FailureKind::Malformed);
    EXPECT_EQ(PlistFile::parseDictionary("not a property list").kind(), FailureKind::Malformed);
    BinaryPlist binary;
    EXPECT_EQ(
        PlistFile::parseDictionary(std::span<const std::uint8_t>(binary.bytes(binary.array({})))).kind(),
        FailureKind::NotDictionary);
    const auto missing = PlistFile::readDictionaryAtHostPath(pathOf("missing.plist"));
    EXPECT_EQ(missing.kind(), FailureKind::NotFound);
    EXPECT_EQ(missing.failure().path, pathOf("missing.plist"));
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(m_directory.path()).kind(), FailureKind::NotRegularFile);
    writeRaw(pathOf("junk.plist"), bytesOf("junk"));
    const auto junk = PlistFile::readDictionaryAtHostPath(pathOf("junk.plist"));
    EXPECT_EQ(junk.kind(), FailureKind::Malformed);
    EXPECT_EQ(junk.failure().path, pathOf("junk.plist"));
}

TEST_F(PlistFileTest, ReadingUnderstandsForeignSpellings) {
    const auto read = PlistFile::parseDictionary(
        "\xef\xbb\xbf<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\"><!-- a comment --><dict>"
        "<key>n</key><integer>-5</integer><key>e</key><array /><key>t</key><string><![CDATA[a<b]]></string>"
        "<key>u</key><dict><key>CF$UID</key><integer>3</integer></dict>"
        "</dict ></plist>");
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value(),
              (PlistDictionary{
                  {"n", -5}, {"e", PlistArray{}}, {"t", "a<b"}, {"u", PlistDictionary{{"CF$UID", 3}}}}));
}

TEST_F(PlistFileTest, AFifoInAFilesPlaceIsRefusedWithoutWaiting) {
    const std::string path = pathOf("settings.plist");
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    // Nobody ever writes into it: a blocking open would never return.
    EXPECT_EQ(ns::PlistFile::readDictionaryAtHostPath(path).kind(), FailureKind::NotRegularFile);
}

TEST_F(PlistFileTest, OversizedFilesAreRefused) {
    const std::string path = pathOf("big.plist");
    std::string text = "<plist><dict><key>k</key><string>";
    text.append(PlistFile::kMaxFileSize, 'x');
    writeRaw(path, bytesOf(text + "</string></dict></plist>"));
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).kind(), FailureKind::TooLarge);
}

TEST_F(PlistFileTest, DamagedFilesNeverCrash) {
    const Bytes xml = PlistFile::encodeDictionary(everyKind(), PlistFile::Format::Xml).value();
    const Bytes binary = PlistFile::encodeDictionary(everyKind(), PlistFile::Format::Binary).value();
    for (const Bytes* sample : {&xml, &binary}) {
        for (std::size_t length = 0; length < sample->size(); ++length) {
            const Bytes truncated(sample->begin(), sample->begin() + static_cast<std::ptrdiff_t>(length));
            // Only the closing markup may go missing without losing content.
            const auto parsed = PlistFile::parseDictionary(std::span<const std::uint8_t>(truncated));
            if (parsed.ok()) {
                EXPECT_EQ(parsed.value(), everyKind()) << length;
            }
        }
        for (std::size_t at = 0; at < sample->size(); ++at) {
            for (const std::uint8_t flip : {0x01, 0x10, 0x80, 0xff}) {
                Bytes damaged = *sample;
                damaged[at] ^= flip;
                // Whatever comes back, the sanitizers watch the parse.
                (void)PlistFile::parseDictionary(std::span<const std::uint8_t>(damaged));
            }
        }
    }
}

TEST_F(PlistFileTest, NestingIsLimitedExactly) {
    // The dictionary at the top is the first level.
    for (const std::size_t arrays : {PlistFile::kMaxDepth - 1, PlistFile::kMaxDepth}) {
        const auto expected =
            arrays < PlistFile::kMaxDepth ? std::nullopt : std::optional(FailureKind::TooDeep);
        EXPECT_EQ(PlistFile::parseDictionary(nestedXml(arrays)).kind(), expected) << arrays;
        EXPECT_EQ(PlistFile::parseDictionary(std::span<const std::uint8_t>(nestedBinary(arrays, 1))).kind(),
                  expected)
            << arrays;
    }
    const auto deepest = PlistFile::parseDictionary(nestedXml(PlistFile::kMaxDepth - 1));
    ASSERT_TRUE(deepest.ok());
    const PlistValue* level = &deepest.value().at("k");
    for (std::size_t i = 0; i < PlistFile::kMaxDepth - 1; ++i)
        level = &level->asArray()->at(0);
    EXPECT_EQ(*level, PlistValue("leaf"));
}

TEST_F(PlistFileTest, HostileNestingIsRefusedQuickly) {
    const std::string xml = nestedXml(100'000);
    const Bytes binary = nestedBinary(100'000, 1);
    // Each level's array holds the next twice: 2^60 values once expanded.
    const Bytes shared = nestedBinary(60, 2);
    BinaryPlist cyclic;
    const std::uint32_t key = cyclic.string("k");
    const std::uint32_t first = cyclic.reserve();
    const std::uint32_t second = cyclic.array({first});
    cyclic.setArray(first, {second});
    const Bytes cycle = cyclic.bytes(cyclic.dictionary({key, first}));

    const double seconds = secondsTaken([&] {
        EXPECT_EQ(PlistFile::parseDictionary(xml).kind(), FailureKind::TooDeep);
        EXPECT_EQ(PlistFile::parseDictionary(std::span<const std::uint8_t>(binary)).kind(),
                  FailureKind::TooDeep);
        EXPECT_EQ(PlistFile::parseDictionary(std::span<const std::uint8_t>(shared)).kind(),
                  FailureKind::TooMany);
        EXPECT_EQ(PlistFile::parseDictionary(std::span<const std::uint8_t>(cycle)).kind(),
                  FailureKind::Malformed);
    });
    EXPECT_LT(seconds, 2.0);
}

TEST_F(PlistFileTest, ModestSharingIsExpanded) {
    const auto read = PlistFile::parseDictionary(std::span<const std::uint8_t>(nestedBinary(8, 2)));
    ASSERT_TRUE(read.ok()) << read.error();
    std::size_t leaves = 0;
    std::vector<const PlistValue*> pending{&read.value().at("k")};
    while (!pending.empty()) {
        const PlistValue* value = pending.back();
        pending.pop_back();
        if (const PlistArray* array = value->asArray())
            for (const PlistValue& item : *array)
                pending.push_back(&item);
        else
            leaves += *value == PlistValue("leaf");
    }
    EXPECT_EQ(leaves, 256u);
}

TEST_F(PlistFileTest, PlausibleMarkupIsRead) {
    // Well-formed files other writers make; each once read as empty and then replaced.
    const std::pair<const char*, PlistDictionary> plausible[] = {
        {"<plist><dict><!-- was <dict> once --><key>a</key><array><!-- </array> --></array></dict></plist>",
         {{"a", PlistArray{}}}},
        {"<plist><dict><key>a</key><string><![CDATA[<array> and <plist>]]></string></dict></plist>",
         {{"a", "<array> and <plist>"}}},
        {"<plist><dict><?note <dict> ?><key>a</key><array><?pi </array> ?></array></dict></plist>",
         {{"a", PlistArray{}}}},
        {"<plist version=\"1.0\"><dict><key id=\"a>b\">a</key><integer>1</integer></dict></plist>",
         {{"a", 1}}},
    };
    for (const auto& [text, expected] : plausible) {
        const auto read = PlistFile::parseDictionary(text);
        ASSERT_TRUE(read.ok()) << text << ": " << read.error();
        EXPECT_EQ(read.value(), expected) << text;
    }
}

TEST_F(PlistFileTest, Utf16XmlIsRead) {
    const std::u16string text = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><plist><dict>"
                                u"<key>\u00e9t\u00e9</key><string>\U0001F600 ok</string></dict></plist>";
    const PlistDictionary expected{{"\xc3\xa9t\xc3\xa9", "\xf0\x9f\x98\x80 ok"}};
    for (const bool bigEndian : {false, true}) {
        for (const bool mark : {false, true}) {
            Bytes bytes;
            if (mark)
                bytes = bigEndian ? Bytes{0xFE, 0xFF} : Bytes{0xFF, 0xFE};
            for (const char16_t unit : text) {
                const auto high = static_cast<std::uint8_t>(unit >> 8);
                const auto low = static_cast<std::uint8_t>(unit & 0xFF);
                bytes.push_back(bigEndian ? high : low);
                bytes.push_back(bigEndian ? low : high);
            }
            const auto read = PlistFile::parseDictionary(std::span<const std::uint8_t>(bytes));
            ASSERT_TRUE(read.ok()) << bigEndian << mark << ": " << read.error();
            EXPECT_EQ(read.value(), expected);
        }
    }
    // A lone surrogate is not text.
    const Bytes lone{0xFF, 0xFE, '<', 0, 0x00, 0xD8, 'x', 0};
    EXPECT_EQ(PlistFile::parseDictionary(std::span<const std::uint8_t>(lone)).kind(), FailureKind::Malformed);
}

TEST_F(PlistFileTest, MarkupThatCouldHideNestingIsRefused) {
    std::string deepComment = "<plist><dict><!--";
    for (std::size_t i = 0; i <= PlistFile::kMaxDepth; ++i)
        deepComment += "<array>";
    deepComment += "--></dict></plist>";
    const std::string hiding[] = {
        // libplist ends the tag at a '>' inside single quotes.
        "<plist><dict><key x='>'>a</key><array></array></dict></plist>",
        "<plist><dict><key x=\"<array>\">a</key></dict></plist>",
        "<!DOCTYPE plist [ <!ENTITY e \"x\"> ]><plist><dict/></plist>",
        "<plist><dict><key>a</key><array></dict></array></plist>",
        // Were the comment to end early, all of these would nest.
        deepComment,
    };
    for (const std::string& text : hiding)
        EXPECT_EQ(PlistFile::parseDictionary(text).kind(), FailureKind::Malformed) << text;
}

TEST_F(PlistFileTest, FailedWritesLeaveTheOldFileAndNoTemporaries) {
    const std::string path = pathOf("prefs.plist");
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"v", 1}}).ok());
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"v", 2}}).ok());
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value(), (PlistDictionary{{"v", 2}}));

    EXPECT_EQ(PlistFile::writeDictionaryAtHostPath(pathOf("missing/prefs.plist"), {{"v", 3}}).kind(),
              FailureKind::Unwritable);
    fs::create_directory(pathOf("folder.plist"));
    fs::create_directory(pathOf("folder.plist/inside"));
    const auto intoDirectory = PlistFile::writeDictionaryAtHostPath(pathOf("folder.plist"), {{"v", 3}});
    EXPECT_EQ(intoDirectory.kind(), FailureKind::NotRegularFile);
    EXPECT_NE(intoDirectory.error().find("folder.plist"), std::string::npos) << intoDirectory.error();
    EXPECT_TRUE(fs::is_directory(pathOf("folder.plist/inside")));

    // A directory that refuses new entries: the temporary cannot even be made.
    // Root writes anywhere, so then the writer is a child running as a plain user.
    fs::permissions(m_directory.path(), fs::perms::owner_write, fs::perm_options::remove);
    fs::permissions(m_directory.path(), fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    if (::geteuid() != 0) {
        EXPECT_EQ(PlistFile::writeDictionaryAtHostPath(path, {{"v", 4}}).kind(), FailureKind::Unwritable);
    } else {
        const pid_t child = ::fork();
        if (child == 0) {
            constexpr gid_t kNobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
                ::setresuid(kNobody, kNobody, kNobody) != 0)
                ::_exit(3);
            ::_exit(PlistFile::writeDictionaryAtHostPath(path, {{"v", 4}}).kind() == FailureKind::Unwritable
                        ? 0
                        : 1);
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    fs::permissions(m_directory.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value(), (PlistDictionary{{"v", 2}}));
    EXPECT_EQ(entriesIn(m_directory.path()), (std::vector<std::string>{"folder.plist", "prefs.plist"}));
}

TEST_F(PlistFileTest, DevicePathsMapUnderTheSimulatedDevice) {
    ::unsetenv("SIMDEVICE_ROOT");
    EXPECT_EQ(PlistFile::writeDictionary("/var/mobile/x.plist", {{"a", 1}}).kind(), FailureKind::NoDevice);
    EXPECT_EQ(PlistFile::readDictionary("/var/mobile/x.plist").kind(), FailureKind::NoDevice);

    ::setenv("SIMDEVICE_ROOT", m_directory.path().c_str(), 1);
    fs::create_directories(pathOf("var/mobile"));
    EXPECT_TRUE(PlistFile::writeDictionary("/var/mobile/x.plist", {{"a", 1}}).ok());
    EXPECT_TRUE(fs::exists(pathOf("var/mobile/x.plist")));
    EXPECT_EQ(PlistFile::readDictionary("/var/mobile/x.plist").value(), (PlistDictionary{{"a", 1}}));
    ::unsetenv("SIMDEVICE_ROOT");
}

// Python's plistlib is the independent reader and writer.

namespace {

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Output of a helper command, or nothing when it failed.
std::optional<std::string> runHelper(const std::string& arguments) {
    const std::string command = "python3 " + shellQuoted(PLIST_HELPER) + " " + arguments;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    char buffer[4096];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, count);
    if (::pclose(pipe) != 0)
        return std::nullopt;
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

std::string hex(const std::uint8_t* bytes, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0xF];
    }
    return out;
}

std::string hex(const std::string& text) {
    return hex(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The helper's canonical JSON, built from a PlistValue.
std::string canonicalJson(const PlistValue& value) {
    switch (value.kind()) {
    case PlistValue::Kind::Bool:
        return std::string(R"({"bool":)") + (*value.asBool() ? "true" : "false") + "}";
    case PlistValue::Kind::Integer:
        return R"({"integer":)" + std::to_string(*value.asInteger()) + "}";
    case PlistValue::Kind::Real: {
        const auto bits = std::bit_cast<std::uint64_t>(*value.asReal());
        std::uint8_t bigEndian[8];
        for (int i = 0; i < 8; ++i)
            bigEndian[i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
        return R"({"real":")" + hex(bigEndian, 8) + "\"}";
    }
    case PlistValue::Kind::String:
        return R"({"string":")" + hex(*value.asString()) + "\"}";
    case PlistValue::Kind::Data:
        return R"({"data":")" + hex(value.asData()->data(), value.asData()->size()) + "\"}";
    case PlistValue::Kind::Date:
        return R"({"date":)" + std::to_string(std::llround(value.asDate()->secondsSince2001 * 1e6)) + "}";
    case PlistValue::Kind::Array: {
        std::string out = R"({"array":[)";
        for (const PlistValue& item : *value.asArray())
            out += (out.back() == '[' ? "" : ",") + canonicalJson(item);
        return out + "]}";
    }
    case PlistValue::Kind::Dictionary: {
        // Hex keeps the byte order of the keys, which is the map's order.
        std::string out = R"({"dict":{)";
        for (const auto& [key, item] : *value.asDictionary())
            out += (out.back() == '{' ? "\"" : ",\"") + hex(key) + "\":" + canonicalJson(item);
        return out + "}}";
    }
    case PlistValue::Kind::Null:
        break;
    }
    return "null";
}

} // namespace

TEST_F(PlistFileTest, ReadsWhatPlistlibWrites) {
    for (const char* format : {"xml", "binary"}) {
        const std::string path = pathOf(std::string("python.") + format);
        ASSERT_TRUE(runHelper(std::string("write ") + format + " " + shellQuoted(path))) << format;
        const auto expected = runHelper("dump " + shellQuoted(path));
        ASSERT_TRUE(expected);
        const auto read = PlistFile::readDictionaryAtHostPath(path);
        ASSERT_TRUE(read.ok()) << read.error();
        EXPECT_EQ(canonicalJson(PlistValue(read.value())), *expected) << format;
        EXPECT_EQ(read.value().at("wide").intValue(), 1);
    }
}

TEST_F(PlistFileTest, PlistlibReadsWhatWeWrite) {
    const std::string xmlPath = pathOf("ours.plist");
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(xmlPath, everyKind()).ok());
    const std::string binaryPath = pathOf("ours.bplist");
    writeRaw(binaryPath, PlistFile::encodeDictionary(everyKind(), PlistFile::Format::Binary).value());
    for (const std::string& path : {xmlPath, binaryPath}) {
        const auto dumped = runHelper("dump " + shellQuoted(path));
        ASSERT_TRUE(dumped) << path;
        EXPECT_EQ(*dumped, canonicalJson(PlistValue(everyKind()))) << path;
    }
}

// Values a rewrite used to alter: dates beyond 32-bit seconds, unsigned integers
// above the signed maximum.
TEST_F(PlistFileTest, WideValuesSurviveARewrite) {
    const std::string path = pathOf("wide.plist");
    writeRaw(path, bytesOf("<plist><dict>"
                           "<key>far</key><date>2100-06-01T12:00:00Z</date>"
                           "<key>old</key><date>1800-01-01T00:00:00Z</date>"
                           "<key>first</key><date>0001-01-01T00:00:00Z</date>"
                           "<key>max</key><integer>18446744073709551615</integer>"
                           "<key>top</key><integer>9223372036854775808</integer>"
                           "<key>min</key><integer>-9223372036854775808</integer>"
                           "<key>minus</key><integer>-1</integer>"
                           "</dict></plist>"));
    const auto before = runHelper("dump " + shellQuoted(path));
    ASSERT_TRUE(before);
    const auto read = PlistFile::readDictionaryAtHostPath(path);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value().at("max").asUnsigned(), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(read.value().at("max").stringValue(), "18446744073709551615");
    EXPECT_EQ(read.value().at("minus"), PlistValue(-1));
    EXPECT_EQ(read.value().at("far"), PlistValue(PlistValue::Date{3137227200.0}));

    PlistDictionary changed = read.value();
    changed["added"] = "x";
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, changed).ok());
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value(), changed);
    // plistlib sees the same values as before, plus the new key.
    auto after = runHelper("dump " + shellQuoted(path));
    ASSERT_TRUE(after);
    const std::string addedEntry = "\"" + hex(std::string("added")) + "\":{\"string\":\"" + hex("x") + "\"},";
    const std::size_t at = after->find(addedEntry);
    ASSERT_NE(at, std::string::npos) << *after;
    after->erase(at, addedEntry.size());
    EXPECT_EQ(*after, *before);
}

TEST_F(PlistFileTest, ValuesThatCannotBeCarriedRefuseTheWrite) {
    const std::string path = pathOf("strict.plist");
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"old", 1}}).ok());
    const Bytes before = readRaw(path);
    const PlistDictionary refused[] = {
        {{"note", "a\x01"
                  "b"}},
        {{"note", "a\rb"}},
        {{"note", "\xff\xfe"}},
        {{"k\x1b", 1}},
        {{"half", PlistValue::Date{0.5}}},
        {{"nested", PlistArray{"\xc0\x80"}}},
    };
    for (const PlistDictionary& dictionary : refused) {
        const auto written = PlistFile::writeDictionaryAtHostPath(path, dictionary);
        EXPECT_EQ(written.kind(), FailureKind::Unencodable) << dictionary.begin()->first;
        EXPECT_EQ(readRaw(path), before);
    }
    // Tabs, line feeds and every plane of Unicode are text.
    EXPECT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"ok", "a\tb\nc \xf0\x9f\x98\x80"}}).ok());
    const auto encoded = PlistFile::encodeDictionary({{"u", std::numeric_limits<std::uint64_t>::max()}},
                                                     PlistFile::Format::Binary);
    EXPECT_EQ(encoded.kind(), FailureKind::Unencodable);
}

TEST_F(PlistFileTest, UnreadableFilesAreKeptBeforeTheyAreReplaced) {
    const std::string path = pathOf("prefs.plist");
    for (int round = 0; round < 5; ++round) {
        const Bytes junk = bytesOf("not a plist " + std::to_string(round));
        writeRaw(path, junk);
        if (round % 2 == 0)
            ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"v", round}}).ok());
        else
            ASSERT_TRUE(PlistFile::updateDictionaryAtHostPath(path, [&](PlistDictionary& d) {
                            EXPECT_TRUE(d.empty());
                            d["v"] = round;
                        }).ok());
        EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value(), (PlistDictionary{{"v", round}}));
        bool kept = false;
        for (const std::string& name : entriesIn(m_directory.path()))
            kept = kept || (name.starts_with("prefs.plist.unreadable-") && readRaw(pathOf(name)) == junk);
        EXPECT_TRUE(kept) << round;
    }
    EXPECT_EQ(entriesIn(m_directory.path()).size(), 1 + PlistFile::kUnreadableKept);

    // A readable file is replaced without a copy; a FIFO is not replaced at all.
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"v", 9}}).ok());
    EXPECT_EQ(entriesIn(m_directory.path()).size(), 1 + PlistFile::kUnreadableKept);
    const std::string fifo = pathOf("fifo.plist");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(PlistFile::writeDictionaryAtHostPath(fifo, {{"v", 1}}).kind(), FailureKind::NotRegularFile);
    EXPECT_EQ(PlistFile::updateDictionaryAtHostPath(fifo, [](PlistDictionary&) {}).kind(),
              FailureKind::NotRegularFile);
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST_F(PlistFileTest, TemporariesOfDeadWritersAreRemoved) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string dead = ".prefs.plist." + std::to_string(child) + ".AbCdEf";
    const std::string alive = ".prefs.plist." + std::to_string(::getpid()) + ".GhIjKl";
    writeRaw(pathOf(dead), bytesOf("half"));
    writeRaw(pathOf(alive), bytesOf("busy"));
    ASSERT_TRUE(PlistFile::writeDictionaryAtHostPath(pathOf("prefs.plist"), {{"v", 1}}).ok());
    EXPECT_EQ(entriesIn(m_directory.path()), (std::vector<std::string>{alive, "prefs.plist"}));
}

TEST_F(PlistFileTest, ConcurrentUpdatesLoseNothing) {
    const std::string path = pathOf("shared.plist");
    constexpr int kProcesses = 4;
    constexpr int kThreads = 3;
    constexpr int kUpdates = 15;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::vector<std::thread> threads;
            for (int t = 0; t < kThreads; ++t)
                threads.emplace_back([&, t] {
                    for (int u = 0; u < kUpdates; ++u) {
                        const std::string key =
                            std::to_string(p) + "-" + std::to_string(t) + "-" + std::to_string(u);
                        if (!PlistFile::updateDictionaryAtHostPath(path,
                                                                   [&](PlistDictionary& d) { d[key] = u; }))
                            ::_exit(1);
                    }
                });
            for (std::thread& thread : threads)
                thread.join();
            ::_exit(0);
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value().size(),
              static_cast<std::size_t>(kProcesses * kThreads * kUpdates));
    // A writer that already holds the lock may take it again.
    const auto outer = ns::PlistFileLock::acquireAtHostPath(path);
    ASSERT_TRUE(outer.ok());
    EXPECT_TRUE(PlistFile::writeDictionaryAtHostPath(path, {{"v", 1}}).ok());
}

namespace {

std::string xmlWith(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist "
           "version=\"1.0\"><dict><key>keep</key><string>k</string>" +
           body + "</dict></plist>\n";
}

// The names of the files kept beside `name`, and whether one holds `bytes`.
bool keptBeside(const std::string& directory, const std::string& name, const Bytes& bytes) {
    for (const std::string& entry : entriesIn(directory))
        if (entry.starts_with(name + PlistFile::kUnreadableInfix) &&
            readRaw(directory + "/" + entry) == bytes)
            return true;
    return false;
}

} // namespace

TEST_F(PlistFileTest, ARewriteKeepsAsideValuesItWouldChangeAndSaysSo) {
    BinaryPlist withNul;
    const std::uint32_t nulKey = withNul.string("note");
    const std::uint32_t nulValue = withNul.string(std::string("a\0b", 3));
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case inexact[] = {
        {"2^70", bytesOf(xmlWith("<key>n</key><integer>1180591620717411303424</integer>"))},
        {"below 64 bits", bytesOf(xmlWith("<key>n</key><integer>-99999999999999999999</integer>"))},
        {"trailing text", bytesOf(xmlWith("<key>n</key><integer>12abc</integer>"))},
        {"octal-looking", bytesOf(xmlWith("<key>n</key><integer>010</integer>"))},
        {"not a date", bytesOf(xmlWith("<key>d</key><date>not-a-date</date>"))},
        {"year 99999", bytesOf(xmlWith("<key>d</key><date>99999-01-01T00:00:00Z</date>"))},
        {"NUL reference", bytesOf(xmlWith("<key>s</key><string>a&#0;b</string>"))},
        {"lone surrogate", bytesOf(xmlWith("<key>s</key><string>&#xD800;</string>"))},
        {"binary NUL", withNul.bytes(withNul.dictionary({nulKey, nulValue}))},
    };
    for (const Case& test : inexact) {
        const std::string path = pathOf("prefs.plist");
        for (const std::string& entry : entriesIn(m_directory.path()))
            fs::remove(pathOf(entry));
        writeRaw(path, test.bytes);
        testing::internal::CaptureStderr();
        ASSERT_TRUE(
            PlistFile::updateDictionaryAtHostPath(path, [](PlistDictionary& d) { d["added"] = 1; }).ok())
            << test.name;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(keptBeside(m_directory.path(), "prefs.plist", test.bytes)) << test.name;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << test.name << ": " << said;
        EXPECT_NE(said.find(path + PlistFile::kUnreadableInfix), std::string::npos)
            << test.name << ": " << said;
        EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value().at("added"), PlistValue(1)) << test.name;
    }

    // Values read exactly are rewritten without a copy or a word.
    const std::string path = pathOf("exact.plist");
    writeRaw(path, bytesOf(xmlWith("<key>n</key><integer>-9223372036854775808</integer>"
                                   "<key>u</key><integer>18446744073709551615</integer>"
                                   "<key>r</key><real>inf</real><key>s</key><string>&#x1F600;&#233;</string>"
                                   "<key>d</key><date>9999-12-31T23:59:59Z</date>")));
    testing::internal::CaptureStderr();
    ASSERT_TRUE(PlistFile::updateDictionaryAtHostPath(path, [](PlistDictionary& d) { d["added"] = 1; }).ok());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const PlistDictionary read = PlistFile::readDictionaryAtHostPath(path).value();
    EXPECT_TRUE(std::isinf(*read.at("r").asReal()));
    EXPECT_EQ(read.at("s"), PlistValue("\xf0\x9f\x98\x80\xc3\xa9"));
    EXPECT_EQ(read.at("u"), PlistValue(std::numeric_limits<std::uint64_t>::max()));
    for (const std::string& entry : entriesIn(m_directory.path()))
        EXPECT_FALSE(entry.starts_with(std::string("exact.plist") + PlistFile::kUnreadableInfix)) << entry;
}

TEST_F(PlistFileTest, ValuesNoFileCanHoldNeverBlockOtherWriters) {
    const std::string path = pathOf("prefs.plist");
    const Bytes original = bytesOf(xmlWith(
        "<key>esc&#27;</key><true/><key>bell</key><string>&#7;</string><key>n</key><integer>1</integer>"));
    writeRaw(path, original);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(PlistFile::updateDictionaryAtHostPath(path, [](PlistDictionary& d) { d["n"] = 2; }).ok());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value(), (PlistDictionary{{"keep", "k"}, {"n", 2}}));
    EXPECT_TRUE(keptBeside(m_directory.path(), "prefs.plist", original));
    // The line names the left-out keys, escaped.
    EXPECT_NE(said.find("\"esc\\e\""), std::string::npos) << said;
    EXPECT_EQ(said.find('\x1b'), std::string::npos);
    // A writer's own value that no file can hold is still refused.
    EXPECT_EQ(PlistFile::updateDictionaryAtHostPath(path, [](PlistDictionary& d) { d["n"] = "\x07"; }).kind(),
              FailureKind::Unencodable);
}

TEST_F(PlistFileTest, TheDeclaredEncodingIsHonoured) {
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                               "<plist version=\"1.0\"><dict><key>caf\xe9</key><string>\xe0 la carte</string>"
                               "</dict></plist>";
    const auto read = PlistFile::parseDictionary(latin1);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value(), (PlistDictionary{{"caf\xc3\xa9", "\xc3\xa0 la carte"}}));
    // Rewritten as UTF-8, nothing kept aside: every value was read exactly.
    const std::string path = pathOf("latin.plist");
    writeRaw(path, bytesOf(latin1));
    ASSERT_TRUE(PlistFile::updateDictionaryAtHostPath(path, [](PlistDictionary& d) { d["n"] = 1; }).ok());
    EXPECT_EQ(PlistFile::readDictionaryAtHostPath(path).value().size(), 2u);
    EXPECT_EQ(entriesIn(m_directory.path()), std::vector<std::string>{"latin.plist"});

    const std::string refused[] = {
        "<?xml version=\"1.0\" encoding=\"x-no-such-encoding\"?><plist><dict/></plist>",
        "<?xml version=\"1.0\" "
        "encoding=\"US-ASCII\"?><plist><dict><key>a</key><string>\xe9</string></dict></plist>",
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><plist><dict/></plist>",
    };
    for (const std::string& text : refused)
        EXPECT_EQ(PlistFile::parseDictionary(text).kind(), FailureKind::Malformed) << text;
    EXPECT_TRUE(
        PlistFile::parseDictionary("<?xml version='1.0' encoding='utf-8'?><plist><dict/></plist>").ok());
}

// A folder swapped for a link out of the device while writers work: whatever
// a writer checked, none of its later steps may follow the link.
TEST_F(PlistFileTest, LinksPlantedBetweenCheckAndUseAreNeverFollowed) {
    TemporaryDirectory outside;
    ::setenv("SIMDEVICE_ROOT", m_directory.path().c_str(), 1);
    fs::create_directories(pathOf("var/x"));
    std::atomic<bool> done{false};
    std::thread planter([&] {
        const std::string folder = pathOf("var/x");
        const std::string aside = pathOf("var/x.real");
        while (!done) {
            ::rename(folder.c_str(), aside.c_str());
            ::symlink(outside.path().c_str(), folder.c_str());
            std::this_thread::yield();
            ::unlink(folder.c_str());
            ::rename(aside.c_str(), folder.c_str());
        }
    });
    for (int round = 0; round < 400; ++round) {
        (void)PlistFile::updateDictionary("/var/x/f.plist", [&](PlistDictionary& d) { d["n"] = round; });
        (void)PlistFile::readDictionary("/var/x/f.plist");
    }
    done = true;
    planter.join();
    ::unsetenv("SIMDEVICE_ROOT");
    EXPECT_EQ(entriesIn(outside.path()), std::vector<std::string>{});
}
