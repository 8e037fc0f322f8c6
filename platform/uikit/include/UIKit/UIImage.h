#pragma once
#include <CoreGraphics/CGGeometry.h>
#include <Foundation/FoundationDefines.h>
#include <UIKit/ImageBitmap.h>
#include <UIKit/SymbolShape.h>
#include <UIKit/UIKitDefines.h>
#include <objc/message.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

enum UIImageRenderingMode : NSInteger {
    UIImageRenderingModeAutomatic = 0,
    UIImageRenderingModeAlwaysOriginal = 1,
    UIImageRenderingModeAlwaysTemplate = 2,
};

// A picture: a decoded bitmap, or a system symbol kept as vector outlines and
// drawn at whatever size it is shown. Images never change once made; the
// pixels are shared between an image and its variants.
//
// Files and data are decoded by their content, never by name: PNG and JPEG.
// Anything else, damaged data or a picture over the size limits answers nil.
//
// "imageWithContentsOfFile:" takes a device path; "systemImageNamed:" answers
// nil for a name the platform does not have.
#define UIIMAGE_METHODS(M, O, C)                                                                             \
    C(rt::Ref<UIImage>, imageWithContentsOfFile, "imageWithContentsOfFile:", (const std::string&))           \
    C(rt::Ref<UIImage>, imageWithData, "imageWithData:", (const std::vector<std::uint8_t>&))                 \
    C(rt::Ref<UIImage>, systemImageNamed, "systemImageNamed:", (const std::string&))

class UIKIT_EXTERN UIImage : public NSObject {
    RT_OBJECT_HEAD(UIImage, NSObject)
    RT_METHODS(UIIMAGE_METHODS)

  public:
    // Pixels made by the platform (a drawing), at `scale` pixels per point.
    static rt::Ref<UIImage> imageWithBitmap(uikit::ImageBitmap bitmap, CGFloat scale = 1.0);

    // The same picture drawn as a template (tinted) or as is.
    rt::Ref<UIImage> imageWithRenderingMode(UIImageRenderingMode mode) const;

    // Size in points.
    CGSize size() const;
    CGFloat scale() const { return m_scale; }
    UIImageRenderingMode renderingMode() const { return m_renderingMode; }
    // Symbols are templates unless asked otherwise; bitmaps are drawn as they are.
    bool isTemplate() const;
    bool isSymbolImage() const { return m_symbol != nullptr; }

    // Exactly one of the two is set.
    const uikit::ImageBitmap* bitmap() const { return m_bitmap.get(); }
    const uikit::SymbolShape* symbol() const { return m_symbol; }

  protected:
    explicit UIImage(Class cls) : NSObject(cls) {}

  private:
    std::shared_ptr<const uikit::ImageBitmap> m_bitmap;
    const uikit::SymbolShape* m_symbol = nullptr;
    CGFloat m_scale = 1.0;
    UIImageRenderingMode m_renderingMode = UIImageRenderingModeAutomatic;
};

// The image as PNG data; nil for a symbol image.
UIKIT_EXTERN std::optional<std::vector<std::uint8_t>> UIImagePNGRepresentation(const UIImage* image);
// The image as JPEG data, alpha composited over black. Quality 0.0 is the
// strongest compression, 1.0 the least; values outside are clamped. Nil for a
// symbol image.
UIKIT_EXTERN std::optional<std::vector<std::uint8_t>> UIImageJPEGRepresentation(const UIImage* image,
                                                                                CGFloat compressionQuality);
