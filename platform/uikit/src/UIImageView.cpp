#include <UIKit/UIImageView.h>

RT_DEFINE_CLASS(UIImageView, nullptr)

UIImageView* UIImageView::initWithImage(UIImage* image) {
    setImage(image);
    if (image)
        setFrame(CGRect{{}, image->size()});
    return this;
}
