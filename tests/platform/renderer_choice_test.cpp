#include <gtest/gtest.h>

#include "display/renderer_choice.h"

TEST(RendererChoice, OpenGlOnTheProcessorIsToldFromGraphicsHardware)
{
    struct Case {
        const char* glRenderer;
        bool onTheProcessor;
    };
    const Case cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa DRI Software Rasterizer", true},
        {"Gallium 0.4 on SWR", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-18-amd64)", false},
        {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
        {"", false},
        {nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::display::IsSoftwareRasterizer(c.glRenderer), c.onTheProcessor)
            << (c.glRenderer ? c.glRenderer : "(none)");
}
