#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <unistd.h>

#include "grid/foundation/MemoryCanvas.h"
#include "platform/core/Component.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Png.h"

using namespace grid;
using graphics::Rect;

namespace {

TEST(MemoryCanvasTest, BufferOnlyGrowsAndGoesWithTheLastUser)
{
    TtsMemoryCanvas canvas;
    EXPECT_EQ(canvas.DC(), nullptr);
    canvas.Resize(nullptr, 10, 10);  // no buffer: nothing
    canvas.Detach();                 // no user: nothing
    EXPECT_EQ(canvas.DC(), nullptr);
    EXPECT_EQ(canvas.UserCount(), 0);

    canvas.Attach(nullptr, 100, 50);
    ASSERT_NE(canvas.DC(), nullptr);
    graphics::TCanvas* dc = canvas.DC();
    canvas.Attach(nullptr, 60, 80);
    EXPECT_EQ(canvas.Width(), 100);
    EXPECT_EQ(canvas.Height(), 80);
    EXPECT_EQ(canvas.UserCount(), 2);
    EXPECT_EQ(canvas.DC(), dc);
    EXPECT_EQ(canvas.DC()->Surface().Width, 100);
    EXPECT_EQ(canvas.DC()->Surface().Height, 80);

    canvas.Resize(nullptr, 30, 30);
    EXPECT_EQ(canvas.Width(), 100);
    canvas.Resize(nullptr, 120, 10);
    EXPECT_EQ(canvas.Width(), 120);
    EXPECT_EQ(canvas.Height(), 80);

    canvas.Detach();
    EXPECT_NE(canvas.DC(), nullptr);
    canvas.Detach();
    EXPECT_EQ(canvas.DC(), nullptr);
    EXPECT_EQ(canvas.Width(), 0);
    EXPECT_EQ(canvas.Height(), 0);
    canvas.Detach();
    EXPECT_EQ(canvas.UserCount(), 0);
}

TEST(MemoryCanvasTest, BufferFollowsAMonochromeReference)
{
    graphics::TBitmap screen(8, 8);
    screen.SetMonochrome(true);
    TtsMemoryCanvas canvas;
    canvas.Attach(screen.Canvas(), 8, 8);
    EXPECT_TRUE(canvas.DC()->Monochrome());
    canvas.Detach();
}

TEST(MemoryCanvasTest, PaintingIsCopiedToTheScreenWithinTheClip)
{
    core::TComponent control(nullptr);
    graphics::TBitmap screen(40, 30);
    TtsMemoryCanvas& canvas = GridMemoryCanvas();
    canvas.Lock(&control);
    canvas.Attach(screen.Canvas(), 40, 30);
    graphics::TRect clip = Rect(10, 5, 30, 20);
    canvas.SetClip(clip);
    graphics::TCanvas* dc = canvas.DC();
    dc->Brush()->SetColor(graphics::clRed);
    dc->FillRect(Rect(0, 0, 40, 30));
    screen.Canvas()->CopyRect(clip, *dc, clip);
    canvas.Unlock();
    graphics::SavePng(screen, testing::TempDir() + "memory-canvas-clip.png");

    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(screen.Pixel(x, y), clip.Contains({x, y}) ? graphics::clRed : graphics::clWhite) << x << "," << y;
    // The buffer kept its pixels outside the clip untouched too.
    EXPECT_EQ(dc->Pixel(5, 5), graphics::clWhite);
    EXPECT_EQ(dc->Pixel(15, 10), graphics::clRed);
    canvas.Lock(&control);
    canvas.Detach();
    canvas.Unlock();
    EXPECT_EQ(canvas.DC(), nullptr);
}

TEST(MemoryCanvasTest, NestedLockKeepsTheOuterHolder)
{
    core::TComponent grid(nullptr), inner(nullptr);
    TtsMemoryCanvas canvas;
    EXPECT_EQ(canvas.LockOwner(), nullptr);
    EXPECT_FALSE(canvas.BusyElsewhere(&grid));

    canvas.Lock(&grid);
    EXPECT_EQ(canvas.LockThread(), std::this_thread::get_id());
    EXPECT_EQ(canvas.LockOwner(), &grid);
    EXPECT_FALSE(canvas.BusyElsewhere(&grid));
    EXPECT_TRUE(canvas.BusyElsewhere(&inner));

    // Painting another control while holding the lock takes it again at once.
    canvas.Lock(&inner);
    EXPECT_EQ(canvas.LockOwner(), &inner);
    EXPECT_EQ(canvas.LockDepth(), 2);
    EXPECT_TRUE(canvas.BusyElsewhere(&grid));
    canvas.Unlock();
    // The inner release gives the lock back to the outer holder.
    EXPECT_EQ(canvas.LockOwner(), &grid);
    EXPECT_EQ(canvas.LockThread(), std::this_thread::get_id());
    EXPECT_TRUE(canvas.BusyElsewhere(&inner));
    canvas.Unlock();
    EXPECT_EQ(canvas.LockOwner(), nullptr);
    EXPECT_EQ(canvas.LockThread(), std::thread::id());
    EXPECT_FALSE(canvas.BusyElsewhere(&inner));
    // An unlock without a hold changes nothing.
    canvas.Unlock();
    EXPECT_EQ(canvas.LockDepth(), 0);
}

TEST(MemoryCanvasTest, LockSerialisesThreads)
{
    core::TComponent first(nullptr), second(nullptr);
    TtsMemoryCanvas canvas;
    canvas.Lock(&first);
    std::atomic<bool> entered{false};
    std::atomic<bool> busyThere{true};
    std::thread other([&] {
        // Another thread is not "painting elsewhere" on this thread's behalf.
        busyThere = canvas.BusyElsewhere(&second);
        canvas.Unlock();  // holds nothing: ignored
        canvas.Lock(&second);
        entered = true;
        canvas.Unlock();
    });
    // <chrono> does not compile with GBK literals; a plain sleep will do.
    usleep(50 * 1000);
    EXPECT_FALSE(entered);
    EXPECT_EQ(canvas.LockOwner(), &first);
    canvas.Unlock();
    other.join();
    EXPECT_TRUE(entered);
    EXPECT_FALSE(busyThere);
    EXPECT_EQ(canvas.LockDepth(), 0);
}

TEST(MemoryCanvasTest, GridsAndInCellControlsHaveTheirOwnCanvas)
{
    EXPECT_NE(&GridMemoryCanvas(), &ControlMemoryCanvas());
    EXPECT_EQ(&GridMemoryCanvas(), &GridMemoryCanvas());
}

}  // namespace
