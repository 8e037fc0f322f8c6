#include "PhotoLibrary.h"

#include "SimError.h"
#include "Wallpapers.h"

#include <Foundation/NSFileManager.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIImagePickerController.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace sim {

namespace {

const std::string kFolder = UIImagePickerController::kPhotoLibraryFolder;

struct Rgb {
    double r, g, b; // 0 to 1
};

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

rt::Ref<UIImage> draw(int width, int height, const std::function<Rgb(double x, double y)>& colourAt) {
    uikit::ImageBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(double(x) / width, double(y) / height);
            auto channel = [](double v) { return std::uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
            bitmap.pixels[static_cast<std::size_t>(y) * width + x] =
                0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
        }
    return UIImage::imageWithBitmap(std::move(bitmap));
}

// An evening sky over a sun low on the horizon.
Rgb sunset(double x, double y) {
    Rgb sky = mix({0.25, 0.10, 0.45}, {1.00, 0.55, 0.20}, y / 0.7);
    const double sun = std::hypot((x - 0.5) * 0.75, y - 0.62);
    if (sun < 0.12)
        sky = mix({1.0, 0.95, 0.70}, sky, sun / 0.12 * 0.3);
    return y > 0.7 ? mix({0.20, 0.10, 0.25}, {0.05, 0.03, 0.10}, (y - 0.7) / 0.3) : sky;
}

// Sky over a sea with a few waves.
Rgb sea(double x, double y) {
    if (y < 0.55)
        return mix({0.55, 0.80, 0.98}, {0.85, 0.93, 1.00}, y / 0.55);
    const double wave = std::sin(x * 40 + y * 90) * 0.5 + 0.5;
    return mix(mix({0.05, 0.35, 0.55}, {0.02, 0.15, 0.30}, (y - 0.55) / 0.45), {0.6, 0.85, 0.95},
               wave > 0.96 ? 0.5 : 0.0);
}

// Green hills under a pale sky, standing up.
Rgb meadow(double x, double y) {
    const double ridge = 0.55 + 0.06 * std::sin(x * 7.0) + 0.03 * std::sin(x * 19.0 + 1.0);
    if (y < ridge)
        return mix({0.70, 0.85, 0.95}, {0.95, 0.97, 0.90}, y / ridge);
    const double stripe = std::fmod((y - ridge) * 30 + x * 3, 1.0) < 0.5 ? 0.0 : 0.15;
    return mix({0.30, 0.65, 0.25}, {0.10, 0.35, 0.10}, (y - ridge) / (1 - ridge) + stripe);
}

// Coloured rings, lying down.
Rgb rings(double x, double y) {
    const double r = std::hypot((x - 0.5) * 1.5, y - 0.5);
    const double band = std::fmod(r * 12, 3.0);
    if (band < 1)
        return mix({0.95, 0.30, 0.35}, {0.95, 0.75, 0.30}, r);
    if (band < 2)
        return mix({0.30, 0.70, 0.60}, {0.25, 0.45, 0.85}, r);
    return {0.97, 0.96, 0.92};
}

struct Sample {
    const char* name;
    int width, height;
    Rgb (*colourAt)(double, double);
};
constexpr Sample kSamples[] = {
    {"IMG_0001.JPG", 480, 640, &sunset},
    {"IMG_0002.JPG", 640, 480, &sea},
    {"IMG_0003.PNG", 480, 640, &meadow},
    {"IMG_0004.PNG", 640, 480, &rings},
};

std::string formatOf(const std::vector<std::uint8_t>& bytes) {
    static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return "JPEG";
    if (bytes.size() >= 8 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin()))
        return "PNG";
    return "";
}

PhotoLibrary::Picture pictureOf(std::vector<std::uint8_t> bytes) {
    PhotoLibrary::Picture picture;
    picture.format = formatOf(bytes);
    if (rt::Ref<UIImage> image = UIImage::imageWithData(bytes)) {
        picture.width = std::lround(image->size().width * image->scale());
        picture.height = std::lround(image->size().height * image->scale());
    }
    picture.bytes = std::move(bytes);
    return picture;
}

// The number of an IMG_<digits>.<extension> name; 0 for any other.
long numberOf(const std::string& name) {
    if (name.rfind("IMG_", 0) != 0)
        return 0;
    const std::size_t dot = name.find('.');
    const std::string digits = name.substr(4, dot == std::string::npos ? std::string::npos : dot - 4);
    if (digits.empty() || digits.size() > 9 ||
        !std::ranges::all_of(digits, [](unsigned char c) { return std::isdigit(c) != 0; }))
        return 0;
    return std::stol(digits);
}

void writePhoto(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    if (!NSFileManager::defaultManager()->createFileAtPath(kFolder + name, bytes))
        throw SimError("cannot write " + kFolder + name +
                       " into the device (is its disk full or read-only?)");
}

} // namespace

PhotoLibrary::Picture PhotoLibrary::readHostPicture(const std::string& hostPath) {
    // Non-blocking, so that a FIFO in the file's place is refused, not waited on.
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw SimError(hostPath + ": " + std::strerror(errno));
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool small = regular && static_cast<std::uint64_t>(info.st_size) <= uikit::kMaxImageBytes;
    std::vector<std::uint8_t> bytes;
    bool readAll = false;
    if (small) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        ssize_t got = 0;
        while (done < bytes.size() && (got = ::read(fd, bytes.data() + done, bytes.size() - done)) > 0)
            done += static_cast<std::size_t>(got);
        readAll = got >= 0;
        bytes.resize(done);
    }
    ::close(fd);
    if (!regular)
        throw SimError(hostPath + " is not a regular file");
    if (!small)
        throw SimError(hostPath + " is too large for a picture");
    if (!readAll)
        throw SimError("cannot read " + hostPath);
    Picture picture = pictureOf(std::move(bytes));
    if (picture.format.empty() || picture.width == 0) {
        const auto why = Wallpapers::problem(picture.bytes);
        throw SimError(hostPath +
                       " is not a picture Messages can show: " + why.value_or("it cannot be decoded"));
    }
    return picture;
}

std::vector<std::string> PhotoLibrary::add(const std::vector<std::string>& hostPaths) {
    std::vector<Picture> pictures;
    for (const std::string& path : hostPaths)
        pictures.push_back(readHostPicture(path));
    if (!NSFileManager::defaultManager()->createDirectoryAtPath(kFolder, YES))
        throw SimError("cannot create the photo library " + kFolder + " in the device");
    long next = 0;
    for (const std::string& name :
         NSFileManager::defaultManager()->contentsOfDirectoryAtPath(kFolder).value_or(
             std::vector<std::string>{}))
        next = std::max(next, numberOf(name));
    std::vector<std::string> names;
    for (const Picture& picture : pictures) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04ld.%s", ++next, picture.format == "JPEG" ? "JPG" : "PNG");
        writePhoto(name, picture.bytes);
        names.emplace_back(name);
    }
    return names;
}

std::vector<PhotoLibrary::Photo> PhotoLibrary::list() {
    std::vector<Photo> photos;
    for (const std::string& name : UIImagePickerController::photoLibrary()) {
        auto bytes = NSFileManager::defaultManager()->contentsAtPath(kFolder + name);
        photos.push_back({name, bytes ? pictureOf(std::move(*bytes)) : Picture{}});
    }
    return photos;
}

void PhotoLibrary::fillWithSamples() {
    if (!NSFileManager::defaultManager()->createDirectoryAtPath(kFolder, YES))
        throw SimError("cannot create the photo library " + kFolder + " in the device");
    if (!UIImagePickerController::photoLibrary().empty())
        return;
    for (const Sample& sample : kSamples) {
        rt::Ref<UIImage> image = draw(sample.width, sample.height, sample.colourAt);
        const bool jpeg = std::string(sample.name).ends_with(".JPG");
        auto bytes = jpeg ? UIImageJPEGRepresentation(image, 0.9) : UIImagePNGRepresentation(image);
        if (!bytes)
            throw SimError(std::string("cannot draw the sample photo ") + sample.name);
        writePhoto(sample.name, *bytes);
    }
}

} // namespace sim
