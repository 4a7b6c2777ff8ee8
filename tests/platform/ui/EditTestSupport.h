#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/HeadlessFixture.h"

// What the edit and memo tests share: the headless fixture's form, and
// helpers that look at where the edit put things.
namespace edittest {

using namespace ui;
using backend::THeadlessBackend;

class EditFixture : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        form->SetBounds(100, 100, 320, 240);
    }

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

    // Text as an input method commits it.
    void Type(std::u8string_view utf8)
    {
        display->Type(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
    }

};

}  // namespace edittest
