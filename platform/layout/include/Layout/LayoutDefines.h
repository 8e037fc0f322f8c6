#pragma once
// Basic definitions shared by every Layout header.

// Symbols are hidden by default; exported declarations say so.
#define LAYOUT_EXPORT __attribute__((visibility("default")))
