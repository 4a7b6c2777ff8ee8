#pragma once

// The one fixture of the headless tests: a headless display with a dialog
// form ("Form1") in the program's 9-point Song face, for driving controls as
// a user would: the pointer and keys go through the application's loop, and
// pictures come from the display. Fixtures that need another form size or
// more controls derive from it and adjust the form in their own SetUp.

#include <gtest/gtest.h>

#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Surface.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tests/support/Snapshot.h"

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
        form = nullptr;
        ui::WindowManager().Reset();
    }

    // A control of class T on the form (or on `parent`), owned by the form.
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

    void ShowForm()
    {
        form->Show();
        Pump();
    }
    void ShowForm(int clientWidth, int clientHeight)
    {
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        ShowForm();
    }
    void Pump() { ui::Application().ProcessMessages(); }

    // A client point of a control on the screen.
    graphics::TPoint At(const ui::TControl* c, graphics::TPoint p) const { return c->ClientToScreen(p); }
    graphics::TPoint Centre(const ui::TControl* c) const { return At(c, {c->Width() / 2, c->Height() / 2}); }

    // What a top-level window (the form unless told) shows now, as a bitmap.
    std::unique_ptr<graphics::TBitmap> Picture(ui::TWinControl* window = nullptr) const
    {
        return testsupport::SnapshotBitmap(display->Snapshot((window ? window : form)->Handle()));
    }
    // The part of the form's picture around a control, `margin` pixels wide.
    std::unique_ptr<graphics::TBitmap> PictureAround(const ui::TControl* control, int margin = 4)
    {
        ui::Application().ProcessMessages();
        graphics::TPoint origin = control->Parent() ? control->Parent()->ClientToScreen({0, 0}) - form->ClientOrigin()
                                                    : graphics::TPoint{0, 0};
        graphics::TRect bounds = graphics::Inflate(control->BoundsRect(), margin, margin);
        return testsupport::SnapshotBitmap(display->Snapshot(form->Handle()),
                                           graphics::Bounds(bounds.Left + origin.X, bounds.Top + origin.Y,
                                                            bounds.Width(), bounds.Height()));
    }
    // The colour of a pixel of a control, in its client coordinates.
    graphics::TColor PixelOf(const ui::TControl* c, graphics::TPoint p) const
    {
        graphics::TPoint s = c->ClientToScreen(p) - form->ClientOrigin();
        return PixelAt(s.X, s.Y);
    }
    // The colour of a pixel of the form's client area.
    graphics::TColor PixelAt(int x, int y) const
    {
        backend::TSnapshot shot = display->Snapshot(form->Handle());
        return graphics::PixelToRgb(shot.At(x, y)) & 0xFFFFFF;
    }

    backend::THeadlessBackend* display = nullptr;
    ui::TForm* form = nullptr;
};
