#pragma once
// Chooses how Qt Quick draws: the software renderer where no GPU driver is present (a much
// faster first frame and a third of the memory on a CPU rasteriser), the default otherwise.

// Must run before the first Qt Quick window is created.
namespace RenderBackend {

// Leaves the choice to Qt when QT_QUICK_BACKEND or QSG_RHI_BACKEND is set. With the software
// renderer, requested frames are drawn without the platform's idle pause. Returns whether the
// software renderer was chosen.
bool chooseForStrip();

// The OpenGL renderer's name marks a CPU rasteriser (llvmpipe, softpipe, swrast).
bool isSoftwareRenderer(const char *glRenderer);

} // namespace RenderBackend
