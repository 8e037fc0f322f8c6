#include <MobileCoreServices/LSApplicationProxy.h>

RT_DEFINE_CLASS(LSApplicationProxy, nullptr)
