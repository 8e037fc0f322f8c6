#include "PreviewPictures.h"

#include "SimError.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace sim {

PreviewPictures::Picture PreviewPictures::get(const std::string& key,
                                              const std::function<void(const std::string&)>& draw) {
    std::shared_ptr<Entry> entry;
    std::string file;
    {
        std::lock_guard lock(m_mutex);
        auto& slot = m_entries[key];
        if (!slot)
            slot = std::make_shared<Entry>();
        entry = slot;
        file = m_folder + "/picture-" + std::to_string(++m_drawn) + ".png";
    }
    std::lock_guard drawing(entry->drawing);
    if (entry->picture)
        return *entry->picture;
    const auto start = std::chrono::steady_clock::now();
    draw(file);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::ifstream in(file, std::ios::binary);
    Picture picture{std::string(std::istreambuf_iterator<char>(in), {}), took.count()};
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (picture.png.empty())
        throw SimError("the picture " + key + " was not drawn");
    entry->picture = picture;
    return picture;
}

void PreviewPictures::forget() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

} // namespace sim
