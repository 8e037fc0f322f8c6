// The conversations file read two ways: walked once as plain XML, or parsed
// whole. The quick walk must never answer what the full parse would not.
#include "ConversationsFile.h"
#include "ConversationsXml.h"

#include "../foundation/TemporaryDirectory.h"

#include <Foundation/PlistFile.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using messages::ConversationsFile;
using messages::ConversationsXml;

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>\n";
}

std::string conversation(const std::string& fields) {
    return plist("<dict><key>conversations</key><array><dict>" + fields + "</dict></array></dict>");
}

// Everything a record holds, so that two reads can be compared whole.
std::string describe(const std::vector<CKConversationRecord>& conversations) {
    std::string out;
    for (const CKConversationRecord& c : conversations) {
        out += "[" + c.name + "|" + c.summary + "|" + c.date + "|" + (c.unread ? "U" : "-") +
               (c.pinned ? "P" : "-");
        for (const CKMessageRecord& m : c.messages)
            out += " (" + std::to_string(static_cast<int>(m.kind)) + "|" + m.text + "|" + m.detail + ")";
        out += "]";
    }
    return out;
}

ns::Result<std::vector<CKConversationRecord>> fullRead(const std::string& text) {
    auto file = ns::PlistFile::parseDictionary(text);
    if (!file.ok())
        return file.failure();
    return ConversationsFile::parse(file.value());
}

// The quick walk's answer, checked against the full parse: whenever it
// answers, the full parse reads the same records.
std::optional<std::string> quickRead(const std::string& text) {
    auto quick = ConversationsXml::read(bytesOf(text));
    if (!quick)
        return std::nullopt;
    auto full = fullRead(text);
    EXPECT_TRUE(full.ok()) << "the quick walk read a file the full parse refuses: " << text;
    if (full.ok()) {
        EXPECT_EQ(describe(*quick), describe(full.value())) << text;
    }
    return describe(*quick);
}

TEST(ConversationsXml, ReadsWhatTheDeviceWriterWritesWithoutTheFullParse) {
    ns::PlistArray messages{
        ns::PlistValue(ns::PlistDictionary{{"kind", ns::PlistValue("incoming")},
                                           {"text", ns::PlistValue("Fish & chips <at> \"5\" o'clock")}}),
        ns::PlistValue(ns::PlistDictionary{{"kind", ns::PlistValue("link")},
                                           {"text", ns::PlistValue("  Spaced\ttitle  ")},
                                           {"site", ns::PlistValue("example.org")}}),
        ns::PlistValue(ns::PlistDictionary{{"kind", ns::PlistValue("status")}, {"text", ns::PlistValue("")}}),
    };
    ns::PlistArray list{
        ns::PlistValue(ns::PlistDictionary{{"name", ns::PlistValue("Zoë 🐟")},
                                           {"summary", ns::PlistValue("Line one\nline two")},
                                           {"date", ns::PlistValue("9:41 AM")},
                                           {"unread", ns::PlistValue(true)},
                                           {"pinned", ns::PlistValue(std::int64_t{0})},
                                           {"colour", ns::PlistValue(2.5)},
                                           {"messages", ns::PlistValue(std::move(messages))}}),
        ns::PlistValue(
            ns::PlistDictionary{{"name", ns::PlistValue("B")}, {"pinned", ns::PlistValue(std::int64_t{7})}}),
    };
    auto encoded = ns::PlistFile::encodeDictionary(
        ns::PlistDictionary{{"conversations", ns::PlistValue(std::move(list))}}, ns::PlistFile::Format::Xml);
    ASSERT_TRUE(encoded.ok());
    const std::string text(encoded.value().begin(), encoded.value().end());
    // A real number in a field Messages ignores is the full parse's to read.
    EXPECT_FALSE(quickRead(text));
    std::string plain = text;
    const size_t colour = plain.find("<key>colour</key>");
    ASSERT_NE(colour, std::string::npos);
    plain.erase(colour, plain.find("</real>", colour) + 7 - colour);
    const auto read = quickRead(plain);
    ASSERT_TRUE(read) << plain;
    EXPECT_EQ(*read, "[Zoë 🐟|Line one\nline two|9:41 AM|U- (3|Fish & chips <at> \"5\" o'clock|) "
                     "(5|  Spaced\ttitle  |example.org) (6||)][B|||-P]");
}

TEST(ConversationsXml, ReadsTheSampleAndHandWrittenFilesAsTheFullParseDoes) {
    std::ifstream sample(std::string(VANTOREL_SOURCE_DIR) + "/sim/conversations/sample.plist");
    const std::string text((std::istreambuf_iterator<char>(sample)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    const auto read = quickRead(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, describe(fullRead(text).value()));

    // Unknown keys of every plain kind, empty elements, white space around the markup.
    EXPECT_TRUE(quickRead(plist("\n<dict>\n\t<key>other</key>\n\t<dict><key>x</key><array><true/><false/>"
                                "<integer>-12</integer><string/><dict/><array/></array></dict>\n"
                                "\t<key>conversations</key>\n\t<array/>\n</dict>\n")));
    EXPECT_TRUE(quickRead(plist("<dict/>")));
    EXPECT_EQ(quickRead(conversation("<key>name</key><string/><key>unread</key><string>YES</string>"
                                     "<key>pinned</key><integer>1</integer><key></key><string>k</string>")),
              "[|||-P]");
    EXPECT_EQ(quickRead(conversation("<key>unread</key><dict><key>a</key><string>1</string></dict>")),
              "[|||--]");
}

// Files the quick walk leaves to the full parse: markup it might read
// another way, entries Messages refuses, anything but one plain dictionary.
TEST(ConversationsXml, LeavesEverythingUnusualToTheFullParse) {
    const std::vector<std::string> unusual{
        conversation("<key>name</key><string>a\r\nb</string>"),
        conversation("<key>name</key><string>&#65;</string>"),
        conversation("<key>name</key><string>a<!-- note -->b</string>"),
        conversation("<key>name</key><string><![CDATA[<b>]]></string>"),
        conversation("<key>name</key><string>x</string><key>name</key><string>y</string>"),
        conversation("<key>name</key><integer>5</integer>"),
        conversation("<key>name</key><string a=\"1\">x</string>"),
        conversation("<key>unread</key><integer>007</integer>"),
        conversation("<key>unread</key><integer> 1</integer>"),
        conversation("<key>unread</key><true>x</true>"),
        conversation("<key>date</key><date>2020-01-01T00:00:00Z</date>"),
        conversation("<key>name</key>"),
        conversation("<string>no key</string>"),
        conversation("<key>messages</key><dict/>"),
        conversation("<key>messages</key><array><string>x</string></array>"),
        conversation("<key>messages</key><array><dict><key>kind</key><string>fax</string></dict></array>"),
        conversation(
            "<key>messages</key><array><dict><key>text</key><string>no kind</string></dict></array>"),
        conversation("<key>messages</key><array><dict><key>kind</key><string>sms</string>"
                     "<key>text</key><data>AA==</data></dict></array>"),
        plist("<dict><key>conversations</key><string>x</string></dict>"),
        plist("<dict><key>conversations</key><array><string>x</string></array></dict>"),
        plist("<array/>"),
        plist("<dict/><dict/>"),
        plist(""),
        "<dict><key>conversations</key><array/></dict>",
        plist("<dict/>") + "<junk/>",
        "<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY e \"x\">]><plist><dict/></plist>",
        "<?xml version=\"1.0\"?><?other x?><plist><dict/></plist>",
        plist("<dict><key>a</key><string>&undefined;</string></dict>"),
        plist("<dict><key>a</key><string>\xff\xfe</string></dict>"),
        "bplist00",
        "",
    };
    for (const std::string& text : unusual)
        EXPECT_FALSE(quickRead(text)) << text;
}

TEST(ConversationsXml, ReadsTextAndReferencesAcrossTheSlicesItIsFedIn) {
    // Far longer than one slice, with entities and long texts at every offset.
    std::string body = "<dict><key>conversations</key><array>";
    for (int i = 0; i < 2000; ++i)
        body += "<dict><key>name</key><string>Tom &amp; Jerry " + std::to_string(i) +
                "</string><key>summary</key><string>" + std::string(static_cast<size_t>(i % 97), 'x') +
                "&lt;&gt;</string></dict>";
    const std::string text = plist(body + "</array></dict>");
    ASSERT_GT(text.size(), 4u * 64 * 1024);
    const auto read = quickRead(text);
    ASSERT_TRUE(read);
    EXPECT_NE(read->find("[Tom & Jerry 1999|" + std::string(1999 % 97, 'x') + "<>||--]"), std::string::npos);
}

TEST(ConversationsXml, RefusesMarkupNestedBeyondItsDepth) {
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "<array>";
    for (int i = 0; i < 40; ++i)
        deep += "</array>";
    EXPECT_FALSE(quickRead(plist("<dict><key>a</key>" + deep + "</dict>")));
}

class ConversationsFileLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("SIMDEVICE_ROOT", m_root.path().c_str(), 1);
        m_file = std::filesystem::path(m_root.path()) / "var/mobile/Library/SMS/conversations.plist";
        std::filesystem::create_directories(m_file.parent_path());
    }
    void TearDown() override { ::unsetenv("SIMDEVICE_ROOT"); }
    void write(const std::string& text) { std::ofstream(m_file, std::ios::binary) << text; }

    // A list of `count` conversations, the one at `damaged` (from 1) with a message of an unknown kind.
    static std::string list(int count, int damaged) {
        std::string body = "<dict><key>conversations</key><array>";
        for (int i = 1; i <= count; ++i)
            body += "<dict><key>name</key><string>Contact " + std::to_string(i) +
                    "</string><key>messages</key><array><dict><key>kind</key><string>" +
                    (i == damaged ? "fax" : "incoming") +
                    "</string><key>text</key><string>Hi</string></dict>"
                    "</array></dict>";
        return plist(body + "</array></dict>");
    }

    TemporaryDirectory m_root;
    std::filesystem::path m_file;
};

TEST_F(ConversationsFileLoad, ReadsAListWhole) {
    write(list(3000, 0));
    auto loaded = ConversationsFile::load();
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    ASSERT_EQ(loaded.value().size(), 3000u);
    EXPECT_EQ(loaded.value()[2999].name, "Contact 3000");
    ASSERT_EQ(loaded.value()[2999].messages.size(), 1u);
    EXPECT_EQ(loaded.value()[2999].messages[0].text, "Hi");
}

TEST_F(ConversationsFileLoad, RefusesADamagedEntryFarDownTheListAsTheFullParseDoes) {
    write(list(3000, 2999));
    auto loaded = ConversationsFile::load();
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.kind(), ns::FailureKind::Malformed);
    EXPECT_NE(loaded.error().find("conversation 2999, message 1: unknown kind \"fax\""), std::string::npos)
        << loaded.error();
}

TEST_F(ConversationsFileLoad, KeepsTheFileLimitsAndReadsOtherFormsWhole) {
    EXPECT_TRUE(ConversationsFile::load().value().empty()); // no file: no conversations

    write("<plist><dict>" + std::string(ns::PlistFile::kMaxFileSize, ' ') + "</dict></plist>");
    EXPECT_EQ(ConversationsFile::load().kind(), ns::FailureKind::TooLarge);

    write("not a property list");
    EXPECT_EQ(ConversationsFile::load().kind(), ns::FailureKind::Malformed);

    // Binary, and XML with a byte order mark or a comment: the full parse reads them.
    const std::string text = list(4, 0);
    auto dictionary = ns::PlistFile::parseDictionary(text);
    ASSERT_TRUE(dictionary.ok());
    auto binary = ns::PlistFile::encodeDictionary(dictionary.value(), ns::PlistFile::Format::Binary);
    ASSERT_TRUE(binary.ok());
    const std::string expected = describe(fullRead(text).value());
    for (const std::string& form : {std::string(binary.value().begin(), binary.value().end()),
                                    "\xEF\xBB\xBF" + text, text + "<!-- after -->"}) {
        write(form);
        auto loaded = ConversationsFile::load();
        ASSERT_TRUE(loaded.ok()) << loaded.error();
        EXPECT_EQ(describe(loaded.value()), expected);
    }
}

} // namespace
