#include <gtest/gtest.h>

#include <functional>

#include "flat/FlatMemo.h"
#include "flat/Registration.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Registration.h"
#include "tests/flat/FlatFixture.h"
#include "tests/support/Golden.h"

using namespace flat;
using graphics::Bounds;
using graphics::TColor;

namespace {

constexpr TColor kFlat = 14805739;  // RGB EB EA E1
constexpr TColor kFocused = 0xFFFFFF;
constexpr TColor kBorder = 8623776;

// The three rings of the frame and the first client pixel, outside in.
struct Look {
    TColor outer, middle, inner, client;
    bool operator==(const Look&) const = default;
};
constexpr Look kInactive{kBorder, kFlat, kFlat, kFlat};
constexpr Look kActive{kBorder, kFocused, kFocused, kFocused};

void PrintTo(const Look& l, std::ostream* os)
{
    *os << std::hex << "{" << l.outer << ", " << l.middle << ", " << l.inner << ", " << l.client << "}";
}

// A box derived from the flat memo, as the labelled edits are.
class TDerivedMemo : public TFlatMemo {
public:
    using TFlatMemo::TFlatMemo;
};

class FlatMemoTest : public FlatFixture {
protected:
    template <typename T = TFlatMemo>
    T* Memo(const char* name, graphics::TRect bounds, ui::TWinControl* parent = nullptr)
    {
        auto* m = Add<T>(name, bounds, parent);
        m->SetParentColor(false);
        m->SetColorFlat(kFlat);
        return m;
    }
    Look LookOf(const ui::TControl* memo) const
    {
        return {PixelOf(memo, {-3, 10}), PixelOf(memo, {-2, 10}), PixelOf(memo, {-1, 10}), PixelOf(memo, {0, 10})};
    }
    // Gives the focus to the form itself, so that no control has it.
    void FocusForm()
    {
        form->SetActiveControl(nullptr);
        ui::WindowManager().SetFocus(form->Handle());
        Pump();
    }
    void Hover(const ui::TControl* c)
    {
        display->MoveMouse(At(c, {5, 5}));
        Pump();
    }
    void Away()
    {
        display->MoveMouse({5, 5});
        Pump();
    }
};

}  // namespace

TEST_F(FlatMemoTest, ANewBoxHasThePublishedDefaults)
{
    TFlatMemo m(nullptr);
    EXPECT_EQ(m.Width(), 185);
    EXPECT_EQ(m.Height(), 89);
    EXPECT_EQ(m.BorderStyle(), ui::bsNone);
    EXPECT_FALSE(m.Ctl3D());
    EXPECT_FALSE(m.AutoSize());
    EXPECT_TRUE(m.ParentFont());
    struct Expected {
        const char* name;
        int64_t value;
    };
    const Expected expected[] = {
        {"ColorFlat", kFlat},   {"ColorFocused", kFocused}, {"ColorBorder", kBorder},  {"ParentColor", 1},
        {"AdvColorFocused", 10}, {"AdvColorBorder", 50},     {"UseAdvColors", 0},      {"Alignment", ui::taLeftJustify},
        {"ScrollBars", ui::ssNone}, {"WordWrap", 1},         {"WantReturns", 1},       {"WantTabs", 0},
        {"HideSelection", 1},   {"MaxLength", 0},           {"OEMConvert", 0},        {"ReadOnly", 0},
        {"TabStop", 1},         {"BorderStyle", ui::bsNone},
    };
    for (const Expected& e : expected) {
        const core::PropInfo* p = TFlatMemo::StaticClass().FindProperty(e.name);
        ASSERT_NE(p, nullptr) << e.name;
        EXPECT_EQ(p->GetOrd(m), e.value) << e.name;
        EXPECT_TRUE(p->IsDefaultValue(m)) << e.name;
    }
    for (const char* name : {"Lines", "Font", "ParentFont", "Enabled", "Visible", "OnChange", "OnEnter", "OnExit",
                             "OnKeyPress", "OnMouseDown"})
        EXPECT_NE(TFlatMemo::StaticClass().FindProperty(name), nullptr) << name;
}

TEST_F(FlatMemoTest, TheFrameTakesThreePixelsOnEverySide)
{
    auto* m = Memo("Memo1", Bounds(10, 10, 185, 89));
    m->Lines()->Add("text");
    ShowForm(300, 200);
    EXPECT_EQ(m->ClientWidth(), 185 - 6);
    EXPECT_EQ(m->ClientHeight(), 89 - 6);
    EXPECT_EQ(m->ClientToScreen({0, 0}), form->ClientToScreen({13, 13}));
    EXPECT_EQ(m->FormatRect().Left, 1) << "the text keeps its margin inside the client area";
}

TEST_F(FlatMemoTest, TheBoxLooksActiveWhileFocusedOrHovered)
{
    auto* a = Memo("A", Bounds(10, 10, 100, 60));
    auto* b = Memo("B", Bounds(120, 10, 100, 60));
    ShowForm(300, 200);
    FocusForm();
    EXPECT_EQ(LookOf(a), kInactive);
    EXPECT_EQ(LookOf(b), kInactive);

    a->SetFocus();
    Pump();
    EXPECT_EQ(LookOf(a), kActive);
    EXPECT_EQ(a->Color(), kFocused) << "the background is the active colour";
    EXPECT_EQ(LookOf(b), kInactive);

    b->SetFocus();
    Pump();
    EXPECT_EQ(LookOf(a), kInactive) << "losing the focus";
    EXPECT_EQ(a->Color(), kFlat);
    EXPECT_EQ(LookOf(b), kActive);

    FocusForm();
    Hover(a);
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_EQ(LookOf(a), kActive);
    Away();
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_EQ(LookOf(a), kInactive);
}

TEST_F(FlatMemoTest, HoverShowsOnlyWhenNoOtherFlatMemoHasTheFocusAndTheProgramIsActive)
{
    auto* hovered = Memo("Hovered", Bounds(10, 10, 100, 60));
    auto* other = Memo("Other", Bounds(120, 10, 100, 60));
    auto* derived = Memo<TDerivedMemo>("Derived", Bounds(10, 80, 100, 60));
    auto* edit = Add<ui::TEdit>("Edit", Bounds(120, 80, 100, 21));
    ShowForm(300, 200);
    struct Case {
        const char* what;
        ui::TWinControl* focused;  // nullptr: the form itself
        bool programActive;
        bool looksActive;
    };
    const Case cases[] = {
        {"nothing focused", nullptr, true, true},
        {"a plain edit focused", edit, true, true},
        {"another flat memo focused", other, true, false},
        {"a descendant of the flat memo focused", derived, true, false},
        {"another program in front", nullptr, false, false},
    };
    int entered = 0;
    hovered->OnMouseEnter = [&](core::TObject*) { ++entered; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Away();
        int before = entered;
        ui::WindowManager().SetActiveWindow(form->Handle());
        if (c.focused)
            c.focused->SetFocus();
        else
            FocusForm();
        if (!c.programActive)
            ui::WindowManager().SetActiveWindow(nullptr);
        Pump();
        Hover(hovered);
        EXPECT_EQ(entered, before + 1) << "the pointer came in";
        EXPECT_EQ(hovered->MouseInControl(), c.programActive);
        EXPECT_EQ(LookOf(hovered), c.looksActive ? kActive : kInactive);
    }
}

TEST_F(FlatMemoTest, ABoxInAFormDesignerNeverLooksActive)
{
    auto* m = Memo("Memo1", Bounds(10, 10, 100, 60));
    ShowForm(300, 200);
    m->SetDesigning(true);
    m->SetFocus();
    Pump();
    Hover(m);
    m->Invalidate();
    Pump();
    EXPECT_EQ(LookOf(m), kInactive);
}

TEST_F(FlatMemoTest, EnablingAndDisablingRepaintTheFrame)
{
    auto* m = Memo("Memo1", Bounds(10, 10, 100, 60));
    ShowForm(300, 200);
    FocusForm();
    m->SetColorBorder(graphics::clRed);
    m->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelOf(m, {-3, 10}), 0x0000FF);
}

TEST_F(FlatMemoTest, ColorFlatAndParentColorFollowEachOther)
{
    auto* panel = Add<ui::TPanel>("Panel", Bounds(0, 0, 300, 200));
    panel->SetColor(0x336699);
    auto* m = Add<TFlatMemo>("Memo1", Bounds(10, 10, 100, 60), panel);
    ShowForm(300, 200);
    FocusForm();
    EXPECT_TRUE(m->ParentColor());
    EXPECT_EQ(m->ColorFlat(), 0x336699) << "a new box takes its parent's colour";

    struct Step {
        const char* what;
        std::function<void()> act;
        bool parentColor;
        TColor colorFlat;
    };
    const Step steps[] = {
        {"the parent's colour changes", [&] { panel->SetColor(0x113355); }, true, 0x113355},
        {"setting ColorFlat turns ParentColor off", [&] { m->SetColorFlat(0x00FF00); }, false, 0x00FF00},
        {"the parent's colour no longer reaches it", [&] { panel->SetColor(0x224466); }, false, 0x00FF00},
        {"ParentColor on takes the parent's colour", [&] { m->SetParentColor(true); }, true, 0x224466},
        {"ParentColor off keeps the colour", [&] { m->SetParentColor(false); }, false, 0x224466},
        {"a system colour change leaves it", [&] { m->Perform(ui::CM_SYSCOLORCHANGE, 0, 0); panel->SetColor(1); },
         false, 0x224466},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        Pump();
        EXPECT_EQ(m->ParentColor(), s.parentColor);
        EXPECT_EQ(m->ColorFlat(), s.colorFlat);
        EXPECT_EQ(PixelOf(m, {-1, 10}), graphics::ColorToRGB(s.colorFlat)) << "repainted";
    }
}

TEST_F(FlatMemoTest, AdvancedColoursAreDerivedFromColorFlat)
{
    auto* panel = Add<ui::TPanel>("Panel", Bounds(0, 0, 300, 200));
    panel->SetColor(0x3C7850);
    auto* m = Memo("Memo1", Bounds(10, 10, 100, 60), panel);
    ShowForm(300, 200);
    m->SetAdvColorFocused(40);
    EXPECT_EQ(m->ColorFocused(), kFocused) << "nothing derived while UseAdvColors is off";

    m->SetUseAdvColors(true);
    EXPECT_TRUE(m->ParentColor());
    EXPECT_EQ(m->ColorFlat(), 0x3C7850);
    EXPECT_EQ(m->ColorFocused(), ShiftedColor(0x3C7850, kFocused, 40, false));
    EXPECT_EQ(m->ColorBorder(), ShiftedColor(0x3C7850, kBorder, 50, true));
    EXPECT_NE(m->ColorFocused(), kFocused);
    Pump();
    EXPECT_EQ(PixelOf(m, {-3, 10}), graphics::ColorToRGB(m->ColorBorder()));

    m->SetAdvColorBorder(150);
    EXPECT_EQ(m->AdvColorBorder(), 100);
    EXPECT_EQ(m->ColorBorder(), graphics::clBlack) << "100 per cent darker";

    panel->SetColor(0x808080);
    EXPECT_EQ(m->ColorFlat(), 0x808080);
    EXPECT_EQ(m->ColorFocused(), ShiftedColor(0x808080, kFocused, 40, false));

    m->SetUseAdvColors(false);
    EXPECT_FALSE(m->ParentColor());
    TColor focused = m->ColorFocused();
    m->SetAdvColorFocused(90);
    EXPECT_EQ(m->ColorFocused(), focused);
}

TEST_F(FlatMemoTest, TheCornerBetweenTwoScrollBarsTakesTheBackgroundColour)
{
    auto* both = Memo("Both", Bounds(10, 10, 120, 90));
    both->SetScrollBars(ui::ssBoth);
    auto* vertical = Memo("Vertical", Bounds(140, 10, 120, 90));
    vertical->SetScrollBars(ui::ssVertical);
    ShowForm(300, 200);
    FocusForm();
    graphics::TPoint corner{both->ClientWidth() + 8, both->ClientHeight() + 8};
    EXPECT_EQ(PixelOf(both, corner), kFlat);
    EXPECT_EQ(PixelOf(both, {both->ClientWidth(), both->ClientHeight()}), kFlat);
    EXPECT_EQ(PixelOf(both, {both->ClientWidth() + 16, both->ClientHeight() + 16}), kFlat);
    both->SetFocus();
    Pump();
    EXPECT_EQ(PixelOf(both, corner), kFocused);
    // One scroll bar: no corner, the bar runs to the frame.
    EXPECT_NE(PixelOf(vertical, {vertical->ClientWidth() + 8, vertical->ClientHeight() - 2}), kFlat);
}

TEST_F(FlatMemoTest, AFormDescriptionSetsTheBoxAndOnlyWhatDiffersIsWrittenBack)
{
    RegisterControls();
    ui::RegisterControls();
    const std::string text = R"(object Form1: TForm
  Left = 100
  Top = 100
  Caption = 'Memo'
  ClientHeight = 100
  ClientWidth = 200
  Color = 12632256
  object Notes: TFlatMemo
    Left = 8
    Top = 8
    Width = 150
    Height = 60
    ColorFocused = clYellow
    AdvColorBorder = 20
    ScrollBars = ssVertical
    Lines.Strings = (
      'one'
      'two')
    TabOrder = 0
  end
  object Fixed: TFlatMemo
    Left = 8
    Top = 70
    ColorFlat = clRed
  end
end
)";
    filing::ReadComponentText(text, form);
    auto* notes = dynamic_cast<TFlatMemo*>(form->FindComponent("Notes"));
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->ColorFocused(), graphics::clYellow);
    EXPECT_EQ(notes->AdvColorBorder(), 20);
    EXPECT_EQ(notes->ColorFlat(), 12632256) << "ParentColor by default";
    EXPECT_EQ(notes->Lines()->Count(), 2);

    AnsiString written = filing::ComponentToText(form);
    for (const char* line : {"ColorFocused = clYellow", "AdvColorBorder = 20", "ScrollBars = ssVertical"})
        EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
    AnsiString notesText = written.substr(0, written.find("object Fixed"));
    for (const char* absent : {"ParentColor", "ColorFlat", "    BorderStyle", "    Color = ", "UseAdvColors", "Ctl3D"})
        EXPECT_EQ(notesText.find(absent), std::string::npos) << absent << "\n" << written;
    AnsiString fixedText = written.substr(written.find("object Fixed"));
    for (const char* line : {"ColorFlat = clRed", "ParentColor = False"})
        EXPECT_NE(fixedText.find(line), std::string::npos) << line << "\n" << written;

    // What was written reads back to the same boxes.
    auto* again = new ui::TForm(nullptr);
    filing::ReadComponentText(written, again);
    auto* notes2 = dynamic_cast<TFlatMemo*>(again->FindComponent("Notes"));
    auto* fixed2 = dynamic_cast<TFlatMemo*>(again->FindComponent("Fixed"));
    ASSERT_TRUE(notes2 && fixed2);
    EXPECT_TRUE(notes2->ParentColor());
    EXPECT_EQ(notes2->ColorFlat(), 12632256);
    EXPECT_FALSE(fixed2->ParentColor());
    EXPECT_EQ(fixed2->ColorFlat(), graphics::clRed);
    delete again;
}

TEST_F(FlatMemoTest, TheLooksAsDrawn)
{
    form->SetColor(0xEBEBEB);
    auto* inactive = Add<TFlatMemo>("Inactive", Bounds(8, 8, 110, 50));
    inactive->Lines()->Add("不活动");
    auto* hovered = Add<TFlatMemo>("Hovered", Bounds(126, 8, 110, 50));
    hovered->Lines()->Add("鼠标在上");
    auto* scrolled = Add<TFlatMemo>("Scrolled", Bounds(126, 66, 110, 70));
    scrolled->SetScrollBars(ui::ssBoth);
    scrolled->SetWordWrap(false);
    for (const char* line : {"第一行", "第二行", "第三行", "第四行", "第五行", "a rather long sixth line"})
        scrolled->Lines()->Add(line);
    auto* advanced = Add<TFlatMemo>("Advanced", Bounds(8, 66, 110, 50));
    advanced->SetUseAdvColors(true);
    advanced->Lines()->Add("派生颜色");
    auto* sink = Add<ui::TEdit>("Sink", Bounds(8, 124, 110, 20));
    ShowForm(244, 144);
    // The focused box is active, scroll-bar corner included; with a flat
    // memo focused, the pointer over another box changes nothing.
    scrolled->SetFocus();
    Pump();
    Hover(hovered);
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "flat_memo_focused"));
    // With a plain edit focused, the box under the pointer is active.
    Away();
    sink->SetFocus();
    Pump();
    Hover(hovered);
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "flat_memo_hovered"));
}
