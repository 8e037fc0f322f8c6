#pragma once
#include <Foundation/FoundationDefines.h>

// The Settings host's framework: symbols are hidden unless exported here.
#define PS_EXPORT __attribute__((visibility("default")))
