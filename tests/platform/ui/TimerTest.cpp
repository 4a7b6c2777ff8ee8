#include <gtest/gtest.h>

#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Exception.h"
#include "platform/ui/Application.h"
#include "platform/ui/Timer.h"

using namespace ui;
using backend::THeadlessBackend;

namespace {

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { display = &THeadlessBackend::Install(); }
    void TearDown() override
    {
        timer.reset();
        Application().OnException.Clear();
        WindowManager().Reset();
    }

    // Moves the virtual clock on and handles what became due.
    void Wait(uint32_t ms)
    {
        display->Advance(ms);
        WindowManager().ProcessMessages();
    }

    void MakeTimer(unsigned interval)
    {
        timer = std::make_unique<TTimer>(nullptr);
        timer->SetInterval(interval);
        timer->OnTimer = [this](core::TObject* sender) {
            EXPECT_EQ(sender, timer.get());
            ++ticks;
        };
    }

    THeadlessBackend* display = nullptr;
    std::unique_ptr<TTimer> timer;
    int ticks = 0;
};

}  // namespace

TEST_F(TimerTest, TicksEveryIntervalOnTheVirtualClock)
{
    MakeTimer(100);
    EXPECT_TRUE(timer->Enabled());
    Wait(99);
    EXPECT_EQ(ticks, 0);
    Wait(1);
    EXPECT_EQ(ticks, 1);
    Wait(100);
    Wait(100);
    EXPECT_EQ(ticks, 3);
}

TEST_F(TimerTest, DefaultsAreEnabledAndOneSecond)
{
    TTimer plain(nullptr);
    EXPECT_TRUE(plain.Enabled());
    EXPECT_EQ(plain.Interval(), 1000u);
    EXPECT_TRUE(plain.Running());
}

TEST_F(TimerTest, NothingFiresWhileDisabledOrWithoutInterval)
{
    MakeTimer(100);
    timer->SetEnabled(false);
    EXPECT_FALSE(timer->Running());
    Wait(1000);
    EXPECT_EQ(ticks, 0);

    timer->SetEnabled(true);
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());
    Wait(1000);
    EXPECT_EQ(ticks, 0);

    // Back on: the count starts when it is switched on, not before.
    timer->SetInterval(100);
    Wait(100);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, ATickWithoutHandlerDoesNothing)
{
    TTimer bare(nullptr);
    bare.SetInterval(10);
    Wait(50);
    EXPECT_TRUE(bare.Running());
}

TEST_F(TimerTest, ChangingTheIntervalRestartsTheCount)
{
    MakeTimer(100);
    Wait(60);
    timer->SetInterval(100);
    Wait(60);
    EXPECT_EQ(ticks, 0) << "the first period ran from the change";
    Wait(40);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, AFreedTimerStops)
{
    MakeTimer(50);
    timer.reset();
    Wait(200);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, AnErrorOfTheHandlerGoesToTheApplicationAndTheTimerGoesOn)
{
    MakeTimer(100);
    std::vector<std::string> errors;
    Application().OnException = [&](core::TObject* sender, const std::exception& e) {
        EXPECT_EQ(sender, timer.get());
        errors.push_back(e.what());
    };
    timer->OnTimer = [&](core::TObject*) {
        ++ticks;
        throw core::Exception("Tick failed");
    };
    Wait(100);
    Wait(100);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(errors, (std::vector<std::string>{"Tick failed", "Tick failed"}));
}
