#pragma once
// The Core Foundation types the other CoreFoundation headers share.
#include <Foundation/FoundationDefines.h>

typedef const char* CFStringRef;
typedef const void* CFDictionaryRef;
typedef const struct CFAllocatorStorage* CFAllocatorRef;
typedef unsigned char Boolean;
typedef long CFIndex;
typedef unsigned long CFOptionFlags;
typedef double CFTimeInterval;

// Allocators are accepted and ignored: everything comes from the one heap.
#define kCFAllocatorDefault ((CFAllocatorRef) nullptr)
