#include "ScreenSheet.h"

#include "HostRunner.h"
#include "SimError.h"

#include <Render/Screenshot.h>
#include <UIKit/ImageBitmap.h>
#include <UIKit/UIFont.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIWindow.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace sim {

namespace fs = std::filesystem;

namespace {

struct Screen {
    const char* name;
    const char* caption;
};
constexpr Screen kScreens[] = {
    {"list", "Conversations"}, {"search", "Search"},     {"swipe", "Swipe actions"},
    {"chat", "Transcript"},    {"menu", "Context menu"},
};

// The sheet, in points: phones in a black bezel on a light grey ground.
constexpr double kMargin = 32;
constexpr double kGap = 28;
constexpr double kTitleHeight = 56;
constexpr double kCaptionHeight = 34;
constexpr double kBezel = 10;
constexpr double kScreenWidth = 390;
constexpr double kScreenHeight = 844;
constexpr double kScreenCorner = 44;
constexpr double kPhoneWidth = kScreenWidth + 2 * kBezel;
constexpr double kPhoneHeight = kScreenHeight + 2 * kBezel;
constexpr double kRowHeight = kCaptionHeight + kPhoneHeight + kGap;

CGSize sheetSize(std::size_t rows) {
    const double screens = static_cast<double>(std::size(kScreens));
    return {2 * kMargin + screens * kPhoneWidth + (screens - 1) * kGap,
            kMargin + kTitleHeight + static_cast<double>(rows) * kRowHeight + kMargin - kGap};
}

bool fits(std::size_t rows, double scale) {
    const CGSize size = sheetSize(rows);
    const double width = std::ceil(size.width * scale), height = std::ceil(size.height * scale);
    return width <= uikit::kMaxImageSide && height <= uikit::kMaxImageSide &&
           width * height * 4 <= static_cast<double>(uikit::kMaxImageBytes);
}

// A folder for the screens, removed with everything in it however the sheet ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "vantorel-sheet-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw SimError("cannot create a temporary folder for the sheet");
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

// Every process started meanwhile shows `look`; the caller's look comes back after.
class LookForChildren {
  public:
    explicit LookForChildren(const std::string& look) {
        if (const char* before = std::getenv(kVariable))
            m_before = before;
        setenv(kVariable, look.c_str(), 1);
    }
    ~LookForChildren() { setenv(kVariable, m_before.c_str(), 1); }
    LookForChildren(const LookForChildren&) = delete;
    LookForChildren& operator=(const LookForChildren&) = delete;

  private:
    static constexpr const char* kVariable = "SIMDEVICE_APPEARANCE";
    std::string m_before = "light";
};

std::string scaleText(double scale) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", scale);
    return text;
}

rt::Ref<UIImage> drawScreen(const fs::path& folder, const Screen& screen, const std::string& look,
                            double scale) {
    const fs::path file = folder / (std::string(screen.name) + "-" + look + ".png");
    HostRunner::Captured run;
    {
        LookForChildren shown(look);
        run = HostRunner::capture(
            HostRunner::programFolder() + "/MobileSMS",
            {"screenshot", "--screen", screen.name, file.string(), "--scale", scaleText(scale)});
    }
    if (run.status != 0) {
        std::string reason = run.errors;
        while (!reason.empty() && reason.back() == '\n')
            reason.pop_back();
        throw SimError("Messages could not draw the " + std::string(screen.name) + " screen (" + look +
                       "): " + reason);
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    rt::Ref<UIImage> image = UIImage::imageWithData(bytes);
    if (!image)
        throw SimError("the " + std::string(screen.name) + " screen (" + look +
                       ") is not a readable picture");
    return image;
}

rt::Ref<UILabel> label(const std::string& text, CGRect frame, CGFloat size, UIFontWeight weight,
                       const rt::Ref<UIColor>& colour) {
    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setText(text);
    label->setFont(UIFont::systemFontOfSize(size, weight));
    label->setTextColor(colour);
    label->setFrame(frame);
    return label;
}

} // namespace

void ScreenSheet::checkFits(const std::string& verb, std::size_t rows, double scale) {
    if (fits(rows, scale))
        return;
    double largest = scale;
    while (largest > 0.25 && !fits(rows, largest))
        largest -= 0.25;
    throw SimError(verb + ": a sheet of " + std::to_string(rows) + " row" + (rows == 1 ? "" : "s") +
                   " at scale " + scaleText(scale) + " is over the picture limits (use --scale " +
                   scaleText(largest) + " or less)");
}

void ScreenSheet::write(const std::string& path, double scale, const std::vector<std::string>& looks,
                        const std::string& title) {
    ScratchFolder folder;
    const rt::Ref<UIColor> ink = UIColor::colorWithRed(0.11, 0.11, 0.12, 1);
    const rt::Ref<UIColor> quiet = UIColor::colorWithRed(0.43, 0.43, 0.45, 1);
    const CGSize size = sheetSize(looks.size());
    rt::Ref<UIWindow> sheet = rt::make<UIWindow>();
    sheet->setFrame(CGRectMake(0, 0, size.width, size.height));
    sheet->setBackgroundColor(UIColor::colorWithRed(0.9, 0.9, 0.92, 1));
    sheet->addSubview(label(title, CGRectMake(kMargin, kMargin, size.width - 2 * kMargin, kTitleHeight - 12),
                            30, UIFontWeightBold, ink));

    for (std::size_t row = 0; row < looks.size(); ++row) {
        const double top = kMargin + kTitleHeight + static_cast<double>(row) * kRowHeight;
        for (std::size_t column = 0; column < std::size(kScreens); ++column) {
            const Screen& screen = kScreens[column];
            const double left = kMargin + static_cast<double>(column) * (kPhoneWidth + kGap);
            rt::Ref<UILabel> caption =
                label(screen.caption, CGRectMake(left + 4, top, kPhoneWidth - 8, kCaptionHeight - 8), 17,
                      UIFontWeightSemibold, ink);
            sheet->addSubview(caption);
            rt::Ref<UILabel> look = label(looks[row] == "dark" ? "Dark" : "Light",
                                          CGRectMake(left + 4, top, kPhoneWidth - 8, kCaptionHeight - 8), 15,
                                          UIFontWeightRegular, quiet);
            look->setTextAlignment(NSTextAlignmentRight);
            sheet->addSubview(look);

            rt::Ref<UIView> phone = rt::make<UIView>();
            phone->setFrame(CGRectMake(left, top + kCaptionHeight, kPhoneWidth, kPhoneHeight));
            phone->setBackgroundColor(UIColor::blackColor());
            phone->layer()->setCornerRadius(kScreenCorner + kBezel);
            rt::Ref<UIImageView> picture = rt::make<UIImageView>();
            picture->setImage(drawScreen(folder.path(), screen, looks[row], scale));
            picture->setFrame(CGRectMake(kBezel, kBezel, kScreenWidth, kScreenHeight));
            picture->layer()->setCornerRadius(kScreenCorner);
            picture->layer()->setMasksToBounds(YES);
            phone->addSubview(picture);
            sheet->addSubview(phone);
        }
    }
    if (auto written = render::Screenshot::writePNG(sheet, path, scale); !written.ok())
        throw SimError("cannot write the sheet: " + written.error());
}

} // namespace sim
