#include "ThemePreview.h"

#include "HostRunner.h"
#include "PQPrefs.h"
#include "ProductIdentity.h"
#include "ScreenSheet.h"
#include "SimError.h"

#include <Foundation/PlistFile.h>

#include <cstdlib>
#include <filesystem>

namespace sim {

namespace fs = std::filesystem;

namespace {

// The copy lives only as long as the preview; the caller's device comes back as the current one.
class ThrowAwayCopy {
  public:
    explicit ThrowAwayCopy(const Device& original) : m_original(original) {
        std::string pattern = (fs::temp_directory_path() / "vantorel-preview-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw SimError("theme preview: cannot create a temporary device folder");
        m_folder = pattern;
        std::error_code error;
        // Links are copied as links: inside a device they resolve against its root.
        fs::copy(original.root(), m_folder / "device",
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
        if (error) {
            fs::remove_all(m_folder, error);
            throw SimError("theme preview: cannot copy the device: " + error.message());
        }
        m_copy.emplace(m_folder / "device");
        m_copy->enter();
    }
    ~ThrowAwayCopy() {
        m_original.enter();
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    ThrowAwayCopy(const ThrowAwayCopy&) = delete;
    ThrowAwayCopy& operator=(const ThrowAwayCopy&) = delete;
    const Device& device() const { return *m_copy; }

  private:
    const Device& m_original;
    fs::path m_folder;
    std::optional<Device> m_copy;
};

bool messagesContainerKnown() {
    auto settings = ns::PlistFile::readDictionary(PQPrefs::shared()->pathForID(kPreferenceDomain));
    return settings.ok() && settings.value().count("messageDocumentPath") > 0;
}

void respring(const Device& device) {
    if (HostRunner::capture(device.hostPath("/usr/bin/killall").string(), {"backboardd"}).status != 0)
        throw SimError("theme preview: the respring of the copy did not finish");
}

} // namespace

void ThemePreview::write(const Device& device, const Theme& theme, ThemeStore::Mode mode,
                         const std::string& path, double scale, const std::vector<std::string>& looks) {
    ThrowAwayCopy copy(device);
    ThemeStore::import(theme, mode);
    // The first launch only finds Messages' container; the next one copies the settings there.
    const bool known = messagesContainerKnown();
    respring(copy.device());
    if (!known)
        respring(copy.device());
    ScreenSheet::write(path, scale, looks, theme.name.empty() ? "Theme preview" : theme.name);
}

} // namespace sim
