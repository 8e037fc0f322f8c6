#pragma once
#include <map>
#include <string>
#include <vector>

namespace sim {

// A Debian package file as dpkg-deb reads it: its control fields and the
// paths its data would create. Reading the whole data archive also finds a
// truncated or damaged file before anything is installed.
class DebFile {
  public:
    struct Entry {
        std::string path;       // without the leading "./"
        char type = 'f';        // 'f' file, 'd' folder, 'l' symbolic link, 'h' hard link, 'o' other
        std::string linkTarget; // for links
    };

    // Throws SimError with dpkg-deb's reason when the file does not read.
    static DebFile read(const std::string& hostFile);

    const std::string& file() const { return m_file; }
    // A control field, empty when the package has none.
    std::string field(const std::string& name) const;
    const std::vector<Entry>& entries() const { return m_entries; }
    // The first entry that would be written outside `root` (a folder of this
    // machine) or through a link, described; empty when every one stays inside.
    std::string escapeFrom(const std::string& root) const;

  private:
    std::string m_file;
    std::map<std::string, std::string> m_fields;
    std::vector<Entry> m_entries;
};

} // namespace sim
