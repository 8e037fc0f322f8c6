#pragma once
#include "Device.h"
#include "PreviewPictures.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <shared_mutex>
#include <string>

namespace sim {

// What the preview page can ask and do. Every change takes the user's road:
// the pane's cell through the Settings app, then a respring so that
// SpringBoard mirrors the file into Messages; the pictures are then drawn by
// Messages itself. Changes run one at a time; drawing waits for a change.
// Refusals are SimErrors with one line; nothing is written for them.
class PreviewApi {
  public:
    using Json = nlohmann::json;
    PreviewApi(const Device& device, std::string folder);

    Json pages();
    Json info(const std::string& key);
    Json photos();
    Json presets();
    Json contrast();
    Json doctor();
    // Changes a settings-wide token: another tab reloads when it differs.
    std::string version();

    Json set(const Json& body);
    Json pickColour(const Json& body);
    Json choose(const Json& body);
    Json pickPhoto(const Json& body);
    Json pickUpload(const std::string& key, const std::string& picture);
    Json applyPreset(const Json& body);
    // Without `confirm` only what importing would change.
    Json importTheme(const std::string& file, bool replace, bool confirm);
    std::string exportTheme();

    PreviewPictures::Picture screen(const std::string& name, const std::string& appearance, int scale);
    PreviewPictures::Picture page(const std::string& name);

  private:
    // Runs a change under the exclusive lock, then the respring, then
    // forgets the pictures drawn before it.
    template <typename Change> Json change(Change&& work);
    std::string temporaryFile(const std::string& name, const std::string& bytes);
    Json stored(const std::string& key);

    const Device& m_device;
    std::string m_folder;
    std::shared_mutex m_state;
    std::atomic<unsigned long> m_generation{0};
    std::atomic<unsigned long> m_uploads{0};
    PreviewPictures m_pictures;
    Json m_pages; // the last answer of `pages`, for this version
    std::string m_pagesVersion;
    std::mutex m_pagesMutex;
};

} // namespace sim
