#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// A dialog form on the headless display, in the 9-point Song face the
// program's windows use, with helpers to add controls, drive the pointer
// and take pictures of the client area.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = &backend::THeadlessBackend::Install();
        ui::Application().Initialize();
        graphics::ResetSysColors();
        form = new ui::TForm(nullptr);
        form->SetName("Form1");
        form->SetBorderStyle(ui::bsDialog);
        form->SetBounds(100, 100, 320, 240);
        form->Font()->SetName("宋体");
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
        if (name && *name)
            c->SetName(name);
        c->SetBoundsRect(bounds);
        c->SetParent(parent ? parent : form);
        return c;
    }

    void ShowForm(int clientWidth, int clientHeight)
    {
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        form->Show();
        Pump();
    }
    void Pump() { ui::Application().ProcessMessages(); }

    // A point of a control in screen coordinates.
    graphics::TPoint At(const ui::TControl* c, graphics::TPoint p) const { return c->ClientToScreen(p); }

    // What the form's client area shows now.
    std::unique_ptr<graphics::TBitmap> Picture() const
    {
        backend::TSnapshot shot = display->Snapshot(form->Handle());
        auto bitmap = std::make_unique<graphics::TBitmap>(shot.Width, shot.Height);
        for (int y = 0; y < shot.Height; ++y)
            std::copy_n(&shot.Pixels[static_cast<size_t>(y) * shot.Width], shot.Width, bitmap->ScanLine(y));
        return bitmap;
    }
    // The colour of one pixel of the client area.
    graphics::TColor PixelAt(int x, int y) const
    {
        backend::TSnapshot shot = display->Snapshot(form->Handle());
        return graphics::PixelToRgb(shot.At(x, y)) & 0xFFFFFF;
    }

    backend::THeadlessBackend* display = nullptr;
    ui::TForm* form = nullptr;
};
