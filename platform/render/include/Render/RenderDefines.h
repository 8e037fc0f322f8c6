#pragma once

#define RENDER_EXPORT __attribute__((visibility("default")))
