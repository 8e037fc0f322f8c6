#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// The device's photo library, as the system's image picker shows it: the
// pictures of one camera-roll folder, named IMG_<number>.<JPG|PNG> by
// content. Needs the device entered.
class PhotoLibrary {
  public:
    struct Picture {
        std::string format; // "JPEG" or "PNG", from the content
        long width = 0;     // pixels; 0 for a file that does not decode
        long height = 0;
        std::vector<std::uint8_t> bytes;
    };
    struct Photo {
        std::string name;
        Picture picture;
    };

    // A picture file of this machine: a regular file (a FIFO or device is
    // refused rather than read) that decodes as JPEG or PNG. Throws SimError.
    static Picture readHostPicture(const std::string& hostPath);
    // Every file first checked, then each copied in under the next free
    // number; nothing is added when one is refused. Answers the new names.
    static std::vector<std::string> add(const std::vector<std::string>& hostPaths);
    // The photos the picker shows, in its order.
    static std::vector<Photo> list();
    // A new device's few pictures (JPEG and PNG, portrait and landscape),
    // drawn here; a library that has photos is left as it is.
    static void fillWithSamples();
};

} // namespace sim
