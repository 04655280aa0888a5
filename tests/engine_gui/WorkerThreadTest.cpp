// Textures and meshes loaded on a worker thread, as the start-up loader does: the worker never
// reaches the drawing thread's device, and the main thread makes their GPU copies at first use.
#include "Bitmap.h"

#include "engine/XBasicMesh.h"
#include "engine/XDXTexture.h"
#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"
#include "platform/image/Image.h"
#include "tests/engine/XFileWriter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace plk::gfx;

namespace
{

const uint32_t kRed = 0xFF0000FF; // as the image stores it: red, green, blue, alpha
const uint32_t kGreen = 0x00FF00FF;
const uint32_t kWhite = 0xFFFFFFFF;
const uint32_t kBlack = 0xFF000000;

} // namespace

TEST(WorkerThread, LoadingAndReleasingOffTheMainThreadLeavesTheDeviceToIt)
{
    const fs::path folder = fs::temp_directory_path() / "plk-worker-thread";
    fs::remove_all(folder);
    fs::create_directories(folder);
    ASSERT_EQ(0, plk::SaveBmp((folder / "Red.bmp").string(), plk::Image(4, 4, kRed), plk::BmpDepth::kRgb24));
    ASSERT_EQ(0, plk::SaveBmp((folder / "Green.bmp").string(), plk::Image(4, 4, kGreen), plk::BmpDepth::kRgb24));
    std::ofstream((folder / "Square.x").string()) << SquareMesh(5.0f, 4, {{1, 1, 1, 1, "Red.bmp"}});
    const XString meshPath((folder.string() + "/Square.x").c_str());

    XGameEngine engine;
    engine.SetPath((folder.string() + "/").c_str());
    ASSERT_TRUE(engine.Setup(true, true, 160, 120, 32, -1, nullptr, nullptr)) << engine.GetErrorMsg().GetBuffer();
    Device* device = engine.GetDevice();
    ASSERT_EQ(device, Device::Current());

    // The main thread is inside a frame with sprites queued while the worker runs.
    XDXTexture green;
    XDXTexture greenToo;
    ASSERT_TRUE(green.Load("Green.bmp", 0, 0));
    ASSERT_TRUE(greenToo.Load("Green.bmp", 0, 0));
    ASSERT_TRUE(engine.Clear(kBlack, 1.0f));
    ASSERT_EQ(kOk, device->BeginScene());
    ASSERT_TRUE(green.Draw(0, 0, 0, 0, 0, 0, 4.0f, 4.0f, kWhite, false));

    XDXTexture red;
    XBasicMesh mesh;
    bool loaded = false;
    Device* deviceSeenByWorker = device;
    std::atomic<bool> workerDone{false};
    std::thread worker([&] {
        deviceSeenByWorker = Device::Current();
        loaded = red.Load("Red.bmp", 0, 0) && mesh.Load(meshPath, nullptr, false, false);
        // What a failing loader throws away is released on the worker as well.
        XDXTexture dropped;
        XBasicMesh droppedMesh;
        dropped.Load("Green.bmp", 0, 0);
        droppedMesh.Load(meshPath, nullptr, false, false);
        dropped.Release();
        droppedMesh.Free();
        workerDone = true;
    });
    // The main thread goes on queueing sprites meanwhile, as the splash screen draws while the
    // start-up loader runs; two textures in turn make a new run of the queue each time.
    bool queued = true;
    for (int i = 0; !workerDone; ++i)
        queued = (i % 2 == 0 ? green : greenToo).Draw(0, 0, 0, 0, 0, 0, 4.0f, 4.0f, kWhite, false) && queued;
    worker.join();
    EXPECT_TRUE(queued);
    EXPECT_EQ(nullptr, deviceSeenByWorker) << "a thread without the context must not see the device";
    ASSERT_TRUE(loaded) << red.GetErrorMsg().GetBuffer() << mesh.GetErrorMsg().GetBuffer();
    ASSERT_NE(nullptr, mesh.GetMaterialTexture(0));

    // The worker's texture reaches OpenGL the first time the main thread draws it.
    ASSERT_TRUE(red.Draw(80, 0, 0, 0, 0, 0, 4.0f, 4.0f, kWhite, false));
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    ASSERT_EQ(kOk, device->ReadBackBuffer(pixels, width, height));
    ASSERT_EQ(kOk, device->EndScene());
    EXPECT_TRUE(Near(Rgb{0, 255, 0}, PixelAt(pixels, width, height, 8, 8), 2)) << "the queued sprite still drew";
    EXPECT_TRUE(Near(Rgb{255, 0, 0}, PixelAt(pixels, width, height, 88, 8), 2));
    fs::remove_all(folder);
}
