// Private to the layer: the one interface behind which off-screen OpenGL
// rendering lives (GlOsMesa.cpp implements it with Mesa's OSMesa), so that
// another off-screen API could take its place without touching the context
// calls of GlContext.cpp.
//
// A context renders into memory that its caller owns: rows of 32-bit words
// 0xAARRGGBB (bytes B, G, R, A), either top row first or bottom row first.
// After Finish the memory holds the finished picture.
#pragma once

#include <memory>

namespace gl {

class OffscreenContext {
 public:
  virtual ~OffscreenContext() = default;
  // Makes the context current on the calling thread, drawing into `pixels`.
  virtual bool Bind(void* pixels, int width, int height, bool topRowFirst) = 0;
  // The calling thread has no current context afterwards.
  virtual void Unbind() = 0;
  virtual void Finish() = 0;
};

// nullptr when no context can be made.
std::unique_ptr<OffscreenContext> CreateOffscreenContext(int depthBits, int stencilBits);
// The largest width and height the off-screen renderer draws.
int MaximumPictureSide();

}  // namespace gl
