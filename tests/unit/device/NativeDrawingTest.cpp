#include "device/NativeDrawing.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace quorix::device {
namespace {

TEST(NativeDrawingTest, SoftwareRenderersAreToldFromGraphicsCards) {
    for (const GraphicsRenderer& software : std::initializer_list<GraphicsRenderer>{
             {"llvmpipe (LLVM 15.0.6, 256 bits)", "Mesa/X.org"},
             {"softpipe", "Mesa/X.org"},
             {"zink (llvmpipe (LLVM 15.0.6, 256 bits))", "Collabora Ltd"},
             {"Software Rasterizer", "Mesa Project"},
             {"GDI Generic", "Microsoft Corporation"},
             {"", ""}}) {
        EXPECT_TRUE(IsSoftwareRenderer(software)) << software.renderer;
    }
    for (const GraphicsRenderer& card : std::initializer_list<GraphicsRenderer>{
             {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "Intel"},
             {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-18-amd64)", "AMD"},
             {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", "NVIDIA Corporation"},
             {"virgl (Intel(R) Iris(R) Xe Graphics)", "Mesa"}}) {
        EXPECT_FALSE(IsSoftwareRenderer(card)) << card.renderer;
    }
}

TEST(NativeDrawingTest, GraphicsCardsAreLookedForInTheDeviceFiles) {
    QTemporaryDir folder;
    const std::filesystem::path devices = folder.path().toStdString();
    const auto add = [&devices](const std::filesystem::path& name) {
        std::filesystem::create_directories((devices / name).parent_path());
        std::ofstream(devices / name).put('\n');
    };
    EXPECT_FALSE(MayHaveGraphicsCard(devices));
    // A display controller alone (a firmware frame buffer, a display-only driver) draws nothing.
    add("dri/card0");
    EXPECT_FALSE(MayHaveGraphicsCard(devices));
    add("dri/renderD128");
    EXPECT_TRUE(MayHaveGraphicsCard(devices));
    std::filesystem::remove_all(devices / "dri");
    add("nvidiactl");
    EXPECT_TRUE(MayHaveGraphicsCard(devices));
}

TEST(NativeDrawingTest, ChoiceFollowsTheRendererUnlessForced) {
    const GraphicsRenderer software{"llvmpipe (LLVM 15.0.6, 256 bits)", "Mesa/X.org"};
    const GraphicsRenderer card{"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "Intel"};
    EXPECT_EQ(ChooseNativeDrawing(std::nullopt, software).drawing, NativeDrawing::Images);
    EXPECT_EQ(ChooseNativeDrawing(std::nullopt, card).drawing, NativeDrawing::Gpu);
    // Nothing found: the drawing every X server shows.
    EXPECT_EQ(ChooseNativeDrawing(std::nullopt, std::nullopt).drawing, NativeDrawing::Images);
    EXPECT_EQ(ChooseNativeDrawing("gpu", software).drawing, NativeDrawing::Gpu);
    EXPECT_EQ(ChooseNativeDrawing("x11", card).drawing, NativeDrawing::Images);
    EXPECT_TRUE(ChooseNativeDrawing("x11", card).problem.empty());

    // A value not known is reported and does not count.
    const DrawingChoice unknown = ChooseNativeDrawing("GPU", card);
    EXPECT_EQ(unknown.drawing, NativeDrawing::Gpu);
    EXPECT_NE(unknown.problem.find("'GPU'"), std::string::npos) << unknown.problem;
    EXPECT_EQ(ChooseNativeDrawing("", software).drawing, NativeDrawing::Images);
    EXPECT_FALSE(ChooseNativeDrawing("", software).problem.empty());
}

} // namespace
} // namespace quorix::device
