#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/view/GridEditBox.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"
#include "tests/support/HeadlessFixture.h"

// An edit box alone on the headless form, with its hook events recorded
// the way a grid would receive them.
namespace editboxtest {

using namespace grid;
using core::AnsiString;

class EditBoxFixture : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        box = Add<TtsGridEditBox>("Box", graphics::Bounds(10, 10, 120, 16));
        box->SetLeftMargin(3);
        box->SetWordWrap(wwOff);
        // Shift, Ctrl and Alt going down reach the grid as well; they are left out here.
        box->OnGridKeyDown = [this](uint16_t& key, ui::TShiftState) {
            if (key != ui::VK_SHIFT && key != ui::VK_CONTROL && key != ui::VK_MENU)
                gridKeys.push_back(key);
        };
        box->OnGridKeyPress = [this](char& key) { gridChars.push_back(key); };
        box->OnChange = [this](bool byUser) { events.push_back(byUser ? "change" : "select"); };
        box->OnEdited = [this](bool changed, bool extra, bool) {
            events.push_back(std::string("edited") + (changed ? "+" : "-") + (extra ? "extra" : ""));
        };
        box->OnTextResized = [this](bool) { events.push_back("resized"); };
        box->OnStartEdit = [this](bool& cancel) {
            ++startEdits;
            cancel = refuseStart;
        };
        ShowForm();
        box->SetFocus();
        Pump();
    }

    void Key(unsigned vk, std::initializer_list<unsigned> modifiers = {}) { display->PressKey(vk, modifiers); }
    // A key held down long enough to repeat once.
    void Held(unsigned vk)
    {
        display->KeyDown(vk);
        display->KeyDown(vk);
        display->KeyUp(vk);
    }
    void Type(std::u8string_view utf8)
    {
        display->Type(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
    }
    void Load(const AnsiString& text, int anchor, int caret)
    {
        box->SetValue(text);
        box->Select(anchor, caret);
        gridKeys.clear();
        gridChars.clear();
        events.clear();
    }
    // A screen point on the text before byte `pos`.
    graphics::TPoint ScreenBefore(int pos, int dy = 4)
    {
        graphics::TPoint p = box->PointOf(pos, false);
        return box->ClientToScreen({p.X, p.Y + dy});
    }

    TtsGridEditBox* box = nullptr;
    std::vector<unsigned> gridKeys;
    std::vector<char> gridChars;
    std::vector<std::string> events;
    int startEdits = 0;
    bool refuseStart = false;
};

}  // namespace editboxtest
