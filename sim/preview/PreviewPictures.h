#pragma once
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace sim {

// Pictures drawn by the device's own processes, kept until the next change:
// several tabs asking for the same screen cost one Messages process.
class PreviewPictures {
  public:
    struct Picture {
        std::string png;
        double milliseconds = 0; // how long the drawing took
    };
    // `folder` is a private folder of this machine for the drawn files.
    explicit PreviewPictures(std::string folder) : m_folder(std::move(folder)) {}

    // The picture named `key`; `draw` writes it into the file it is given.
    Picture get(const std::string& key, const std::function<void(const std::string& hostFile)>& draw);
    void forget();

  private:
    struct Entry {
        std::mutex drawing;
        std::optional<Picture> picture;
    };
    std::string m_folder;
    std::mutex m_mutex;
    std::map<std::string, std::shared_ptr<Entry>> m_entries;
    unsigned long m_drawn = 0;
};

} // namespace sim
