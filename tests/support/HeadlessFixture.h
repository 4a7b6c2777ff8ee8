#pragma once

// A headless display with a dialog form in the program's 9-point Song face,
// for driving the in-house controls as a user would: the pointer and keys
// go through the application's loop, and pictures come from the display.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Surface.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class HeadlessFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = &backend::THeadlessBackend::Install();
        ui::Application().Initialize();
        graphics::ResetSysColors();
        form = new ui::TForm(nullptr);
        form->SetName("Form1");
        form->SetBorderStyle(ui::bsDialog);
        form->SetBounds(100, 100, 400, 300);
        form->Font()->SetName("宋体");
        form->Font()->SetCharset(graphics::GB2312_CHARSET);
        form->Font()->SetHeight(-12);
    }
    void TearDown() override
    {
        delete form;
        ui::WindowManager().Reset();
    }

    template <typename T>
    T* Add(const char* name, graphics::TRect bounds, ui::TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetName(name);
        c->SetBoundsRect(bounds);
        c->SetParent(parent ? parent : form);
        return c;
    }

    void ShowForm()
    {
        form->Show();
        Pump();
    }
    void Pump() { ui::Application().ProcessMessages(); }

    // A client point of a control on the screen.
    graphics::TPoint At(const ui::TControl* c, graphics::TPoint p) const { return c->ClientToScreen(p); }
    graphics::TPoint Centre(const ui::TControl* c) const { return At(c, {c->Width() / 2, c->Height() / 2}); }

    // What a top-level window shows now, as a bitmap.
    std::unique_ptr<graphics::TBitmap> Picture(ui::TWinControl* window) const
    {
        backend::TSnapshot shot = display->Snapshot(window->Handle());
        auto bitmap = std::make_unique<graphics::TBitmap>(shot.Width, shot.Height);
        for (int y = 0; y < shot.Height; ++y)
            std::copy_n(&shot.Pixels[static_cast<size_t>(y) * shot.Width], shot.Width, bitmap->ScanLine(y));
        return bitmap;
    }
    // The colour of a pixel of a control, in its client coordinates.
    graphics::TColor PixelOf(const ui::TControl* c, graphics::TPoint p) const
    {
        graphics::TPoint s = c->ClientToScreen(p) - form->ClientOrigin();
        backend::TSnapshot shot = display->Snapshot(form->Handle());
        return graphics::PixelToRgb(shot.At(s.X, s.Y)) & 0xFFFFFF;
    }

    backend::THeadlessBackend* display = nullptr;
    ui::TForm* form = nullptr;
};
