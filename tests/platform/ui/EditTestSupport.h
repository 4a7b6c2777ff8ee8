#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"
#include "platform/ui/VirtualKeys.h"

// What the edit and memo tests share: a dialog form in the Song font of the
// program, controls placed on it, and helpers that look at where the edit
// put things.
namespace edittest {

using namespace ui;
using backend::THeadlessBackend;

class EditFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = &THeadlessBackend::Install();
        form = new TForm(nullptr);
        form->SetName("EditForm");
        form->SetBorderStyle(bsDialog);
        form->SetBounds(100, 100, 320, 240);
        form->Font()->SetName("宋体");
        form->Font()->SetCharset(graphics::GB2312_CHARSET);
        form->Font()->SetHeight(-12);
    }
    void TearDown() override
    {
        delete form;
        WindowManager().Reset();
    }

    template <typename T>
    T* Add(const char* name, TRect bounds)
    {
        auto* c = new T(form);
        c->SetName(name);
        c->SetBoundsRect(bounds);
        c->SetParent(form);
        return c;
    }
    void Show()
    {
        form->Show();
        Pump();
    }
    void Pump() { Application().ProcessMessages(); }

    // Where the edit draws the caret before `pos`, in its client coordinates.
    static TPoint PosOf(TCustomEdit* edit, int pos)
    {
        LRESULT r = edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(pos), 0);
        return {SignedLoWord(r), SignedHiWord(r)};
    }
    // A screen point in the middle of the line before character `pos`.
    static TPoint ScreenBefore(TCustomEdit* edit, int pos, int dx = 0)
    {
        TPoint p = PosOf(edit, pos);
        return edit->ClientToScreen({p.X + dx, p.Y + 6});
    }
    static std::pair<int, int> Selection(TCustomEdit* edit)
    {
        int start = -1, end = -1;
        edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    // Waits until the blinking caret is drawn, for pictures that show it.
    void CaretOn()
    {
        unsigned blink = WindowManager().CaretBlinkTime();
        while ((display->TickCount() / blink) % 2 != 0)
            display->Advance(blink - display->TickCount() % blink);
    }

    // The part of the form's picture around a control, `margin` pixels wide.
    std::unique_ptr<graphics::TBitmap> Picture(TControl* control, int margin = 4)
    {
        Pump();
        backend::TSnapshot shot = display->Snapshot(form->Handle());
        TRect r = graphics::Inflate(control->BoundsRect(), margin, margin);
        auto bitmap = std::make_unique<graphics::TBitmap>(r.Width(), r.Height());
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                bitmap->ScanLine(y)[x] = shot.At(r.Left + x, r.Top + y);
        return bitmap;
    }

    // Text as an input method commits it.
    void Type(std::u8string_view utf8)
    {
        display->Type(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
    }

    THeadlessBackend* display = nullptr;
    TForm* form = nullptr;
};

}  // namespace edittest
