// Off-screen OpenGL with Mesa's OSMesa: the context renders straight into
// the caller's memory in BGRA byte order, and the row order follows the
// OSMESA_Y_UP setting. Only libOSMesa is linked; it exports the gl functions
// itself (linking libGL as well could bind them to GLX and render black).
#include "platform/GlOffscreen.h"

#include <GL/osmesa.h>
#include <GL/gl.h>

namespace gl {
namespace {

class OsMesaContext final : public OffscreenContext {
 public:
  explicit OsMesaContext(OSMesaContext context) : context_(context) {}
  ~OsMesaContext() override { OSMesaDestroyContext(context_); }
  OsMesaContext(const OsMesaContext&) = delete;
  OsMesaContext& operator=(const OsMesaContext&) = delete;

  bool Bind(void* pixels, int width, int height, bool topRowFirst) override {
    if (!OSMesaMakeCurrent(context_, pixels, GL_UNSIGNED_BYTE, width, height)) return false;
    OSMesaPixelStore(OSMESA_Y_UP, topRowFirst ? 0 : 1);
    return true;
  }
  void Unbind() override { OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0); }
  void Finish() override { glFinish(); }

 private:
  OSMesaContext context_;
};

}  // namespace

std::unique_ptr<OffscreenContext> CreateOffscreenContext(int depthBits, int stencilBits) {
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_BGRA, depthBits, stencilBits, 0, nullptr);
  if (context == nullptr) return nullptr;
  return std::make_unique<OsMesaContext>(context);
}

int MaximumPictureSide() {
  // Mesa answers from its screen's texture limit; 4096 is the least any
  // version gives, should the question fail.
  GLint width = 0, height = 0;
  OSMesaGetIntegerv(OSMESA_MAX_WIDTH, &width);
  OSMesaGetIntegerv(OSMESA_MAX_HEIGHT, &height);
  const GLint side = width < height ? width : height;
  return side >= 256 ? side : 4096;
}

}  // namespace gl
