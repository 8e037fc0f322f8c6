#pragma once
// Declarations of the drawing layer's classes, for headers that only pass them on.
namespace render {
class Screenshot;
class BoxBlur;
class Typesetter;
} // namespace render
