#include <memory>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontEngine.h"
#include "platform/ui/Messages.h"
#include "tests/grid/view/EditBoxFixture.h"
#include "tests/support/Golden.h"

namespace editboxtest {
namespace {

using namespace ui;

class EditBoxTest : public EditBoxFixture {};

// ---- Clipboard ------------------------------------------------------------------------

TEST_F(EditBoxTest, ChineseTextGoesToTheClipboardAndComesBack)
{
    Load("中文abc", 0, 4);
    Key('C', {VK_CONTROL});
    EXPECT_EQ(WindowManager().ClipboardText(), "中文");
    Key(VK_END);
    Key('V', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "中文abc中文");
    EXPECT_EQ(box->CaretByte(), 11);
    box->Select(4, 6);
    Key(VK_DELETE, {VK_SHIFT});  // cut
    EXPECT_EQ(WindowManager().ClipboardText(), "ab");
    EXPECT_EQ(box->Value(), "中文c中文");
    box->Select(0, 2);
    Key(VK_INSERT, {VK_CONTROL});  // copy
    EXPECT_EQ(WindowManager().ClipboardText(), "中");
    box->Select(5, 5);
    Key(VK_INSERT, {VK_SHIFT});  // paste
    EXPECT_EQ(box->Value(), "中文c中中文");
    box->SelectAll();
    Key('X', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "");
    EXPECT_EQ(WindowManager().ClipboardText(), "中文c中中文");
    // The platform's cut, copy and paste messages do the same.
    box->Perform(WM_PASTE);
    EXPECT_EQ(box->Value(), "中文c中中文");
    // Line breaks of any kind arrive as CR LF.
    WindowManager().SetClipboardText("一\n二");
    box->SetValue("");
    box->Perform(WM_PASTE);
    EXPECT_EQ(box->Value(), "一\r\n二");
}

TEST_F(EditBoxTest, PastesThatDoNotFitOrBringNothingAreIgnored)
{
    box->SetMaxLength(5);
    Load("abc", 3, 3);
    WindowManager().SetClipboardText("中文字");
    Key('V', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "abc");  // refused whole, never cut inside a character
    WindowManager().SetClipboardText("中文");
    Key('V', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "abc中文");
    events.clear();
    WindowManager().SetClipboardText("");
    Key('V', {VK_CONTROL});
    EXPECT_TRUE(events.empty());
    // Half characters and zero bytes from outside never get in.
    box->SetMaxLength(0);
    Load("ab", 2, 2);
    WindowManager().SetClipboardText(AnsiString("x\xD6\0y\xD6", 5));
    Key('V', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "abxy");
    box->SetValue(AnsiString("cut\0here", 8));
    EXPECT_EQ(box->Value(), "cut");
}

// ---- Masks ------------------------------------------------------------------------------

// Digits only, checked as they are typed.
class DigitsMask : public TtsMask {
public:
    bool CheckKeys() const override { return true; }
    bool RequiresComplete() const override { return false; }
    bool CheckText(const AnsiString& text, AnsiString& trailing) const override
    {
        trailing.clear();
        return text.find_first_not_of("0123456789") == AnsiString::npos;
    }
};

// Four digits to leave the cell, completed by a literal "-00".
class CodeMask : public TtsMask {
public:
    bool CheckKeys() const override { return false; }
    bool RequiresComplete() const override { return true; }
    bool CheckText(const AnsiString& text, AnsiString& trailing) const override
    {
        trailing = "-00";
        return text.size() == 4;
    }
};

class MaskDefs : public TtsMaskDefsComponent {
public:
    MaskDefs() : TtsMaskDefsComponent(nullptr) {}
    void RemoveMaskLink(TtsMaskLink* link) override { SetLinkMaskDefs(*link, nullptr); }
    void AddMaskLink(TtsMaskLink* link) override { SetLinkMaskDefs(*link, this); }
    TtsMask* FindMask(const AnsiString& name) const override
    {
        ++finds;
        if (name == "digits")
            return const_cast<DigitsMask*>(&digits);
        if (name == "code")
            return const_cast<CodeMask*>(&code);
        return nullptr;
    }
    DigitsMask digits;
    CodeMask code;
    mutable int finds = 0;
};

TEST_F(EditBoxTest, AMaskThatChecksKeysRefusesWhatDoesNotFitUnlessTheGridAccepts)
{
    MaskDefs defs;
    box->SetMaskDefs(&defs);
    box->SetMaskName("digits");
    std::vector<AnsiString> refused;
    bool accept = false;
    box->OnTextChanged = [&](const AnsiString& keys, bool& ok) {
        refused.push_back(keys);
        ok = accept;
    };
    Load("12", 2, 2);
    Type(u8"3a4");
    EXPECT_EQ(box->Value(), "1234");
    WindowManager().SetClipboardText("5x");
    Key('V', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "1234");
    EXPECT_EQ(refused, (std::vector<AnsiString>{"a", "5x"}));
    accept = true;
    Type(u8"中");
    EXPECT_EQ(box->Value(), "1234中");
    // The mask is looked up once, and again after the definitions change.
    int finds = defs.finds;
    Type(u8"5");
    EXPECT_EQ(defs.finds, finds);
    box->MaskLink().MasksChanged();
    Type(u8"6");
    EXPECT_EQ(defs.finds, finds + 1);
    box->SetMaskDefs(nullptr);
    EXPECT_EQ(box->Mask(), nullptr);
}

TEST_F(EditBoxTest, AMaskRequiringCompleteInputChecksAtTheEndAndAppendsItsLiteral)
{
    MaskDefs defs;
    box->SetMaskDefs(&defs);
    box->SetMaskName("code");
    Load("123", 3, 3);
    EXPECT_FALSE(box->CompleteMaskedText());
    EXPECT_EQ(box->Value(), "123");
    Type(u8"4");
    EXPECT_TRUE(box->CompleteMaskedText());
    EXPECT_EQ(box->Value(), "1234-00");
    EXPECT_EQ(box->CaretByte(), 7);
    box->SetMaskDefs(nullptr);
}

// ---- Mouse --------------------------------------------------------------------------------

TEST_F(EditBoxTest, APressPlacesTheCaretOnTheNearestCharacterBoundary)
{
    Load("ab中文cd", 0, 0);
    // A press on a box without the focus gives it the focus and a caret,
    // which shows once the button is up.
    auto* other = Add<TtsGridEditBox>("Other", graphics::Bounds(10, 40, 60, 16));
    other->SetFocus();
    Pump();
    display->Press(ScreenBefore(1));
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(WindowManager().CaretOwner(), box->Handle());
    EXPECT_FALSE(WindowManager().CaretShown());
    display->Release(ScreenBefore(1));
    EXPECT_TRUE(WindowManager().CaretShown());
    EXPECT_EQ(box->CaretByte(), 1);
    struct Case {
        int dx;       // pixels right of the start of byte 2 (中, 12 pixels wide)
        int caret;
    } cases[] = {{1, 2}, {5, 2}, {7, 4}, {11, 4}, {13, 4}, {-2, 2}};
    for (const Case& c : cases) {
        graphics::TPoint p = ScreenBefore(2);
        p.X += c.dx;
        display->Click(p);
        EXPECT_EQ(box->CaretByte(), c.caret) << c.dx;
        EXPECT_EQ(box->SelLengthByte(), 0);
    }
}

TEST_F(EditBoxTest, DraggingSelectsFromTheAnchorAndScrollsPastTheEdge)
{
    Load("中文abcdefghijklmnopqrstuvwxyz0123456789", 0, 0);
    display->Press(ScreenBefore(2));
    display->MoveMouse(ScreenBefore(6, 4));
    EXPECT_EQ(box->SelStartByte(), 2);
    EXPECT_EQ(box->SelLengthByte(), 4);
    display->MoveMouse(ScreenBefore(0, 4) + graphics::TPoint{-3, 0});
    EXPECT_EQ(box->SelStartByte(), 0);
    EXPECT_EQ(box->SelLengthByte(), 2);
    // Beyond the right edge the text keeps scrolling to its end.
    display->MoveMouse(box->ClientToScreen({box->Width() + 20, 4}));
    display->Release(box->ClientToScreen({box->Width() + 20, 4}));
    int n = static_cast<int>(box->Value().size());
    EXPECT_GT(box->FirstVisibleByte(), 0);
    EXPECT_EQ(box->SelStartByte(), 2);
    EXPECT_EQ(box->SelLengthByte(), n - 2);
    EXPECT_LT(box->CaretPoint().X, box->Width());
    // In wrapped text a press below the last line goes to the end.
    box->SetWordWrap(wwOn);
    box->SetBounds(10, 10, 120, 60);
    Load("中文 wraps", 0, 0);
    display->Click(box->ClientToScreen({5, 50}));
    EXPECT_EQ(box->CaretByte(), static_cast<int>(box->Value().size()));
}

TEST_F(EditBoxTest, TwoQuickPressesOnOneSpotMakeADoubleClick)
{
    int doubles = 0;
    box->OnDblClick = [&](core::TObject*) { ++doubles; };
    Load("abc", 0, 0);
    graphics::TPoint p = ScreenBefore(1);
    display->Click(p);
    display->Click(p);
    EXPECT_EQ(doubles, 1);
    display->Click(p);
    display->Click(p + graphics::TPoint{1, 0});  // another spot
    EXPECT_EQ(doubles, 1);
    display->Click(p);
    display->Advance(WindowManager().DoubleClickTime() + 1);
    display->Click(p);  // too late
    EXPECT_EQ(doubles, 1);
    display->MoveMouse(p);
    EXPECT_EQ(display->Cursor(), crIBeam);
}

// ---- Focus, caret and painting --------------------------------------------------------------

TEST_F(EditBoxTest, TheControlAsksForArrowsCharactersAndTabs)
{
    LRESULT code = box->Perform(WM_GETDLGCODE);
    EXPECT_TRUE(code & DLGC_WANTARROWS);
    EXPECT_TRUE(code & DLGC_WANTCHARS);
    EXPECT_TRUE(code & DLGC_WANTTAB);
    box->SetWantTabs(false);
    EXPECT_FALSE(box->Perform(WM_GETDLGCODE) & DLGC_WANTTAB);
}

TEST_F(EditBoxTest, TheCaretIsOneFontHighAndSlantedForItalicFonts)
{
    EXPECT_EQ(WindowManager().CaretOwner(), box->Handle());
    EXPECT_EQ(WindowManager().CaretSize().cx, 1);
    box->Font()->SetStyle(graphics::TFontStyles{graphics::fsItalic});
    graphics::TSize italic = box->CaretSize();
    graphics::TCanvas probe;
    probe.Font()->Assign(box->Font());
    int overhang = probe.TextMetrics().Overhang;
    ASSERT_GT(overhang, 0);
    EXPECT_EQ(italic.cx, overhang + 1);
    EXPECT_EQ(italic.cy, probe.TextMetrics().Height);
    EXPECT_EQ(WindowManager().CaretSize().cx, italic.cx);
    const graphics::TBitmap* slant = box->CaretBitmap();
    ASSERT_NE(slant, nullptr);
    EXPECT_EQ(slant->Canvas()->Pixel(italic.cx - 1, 0) & 0xFFFFFF, graphics::clWhite);  // top right
    EXPECT_EQ(slant->Canvas()->Pixel(0, italic.cy - 1) & 0xFFFFFF, graphics::clWhite);  // bottom left
    EXPECT_EQ(slant->Canvas()->Pixel(0, 0) & 0xFFFFFF, graphics::clBlack);
    // On the screen the caret inverts the slant only.
    const graphics::TRegion& shape = WindowManager().CaretShape();
    EXPECT_TRUE(shape.Contains({italic.cx - 1, 0}));
    EXPECT_TRUE(shape.Contains({0, italic.cy - 1}));
    EXPECT_FALSE(shape.Contains({0, 0}));
    Load("", 0, 0);
    unsigned blink = WindowManager().CaretBlinkTime();
    while ((display->TickCount() / blink) % 2 != 0)
        display->Advance(blink - display->TickCount() % blink);
    graphics::TPoint at = box->CaretPoint();
    EXPECT_EQ(PixelOf(box, at + graphics::TPoint{italic.cx - 1, 0}), graphics::clBlack);
    EXPECT_EQ(PixelOf(box, at), graphics::clWhite);
    box->Font()->SetStyle(graphics::TFontStyles{graphics::fsItalic, graphics::fsBold});
    EXPECT_EQ(box->CaretSize().cx, italic.cx - 1);
}

TEST_F(EditBoxTest, TheSelectionShowsOnlyWithFocusOrAlwaysShowFocus)
{
    Load("选中文字 text", 2, 6);
    graphics::TColor highlight = graphics::ColorToRGB(graphics::clHighlight) & 0xFFFFFF;
    // Pixels of the highlight colour where the selection is.
    auto highlighted = [&] {
        Pump();
        int count = 0;
        for (int y = 0; y < box->Height(); ++y)
            for (int x = box->PointOf(2, false).X; x < box->PointOf(6, false).X; ++x)
                count += PixelOf(box, {x, y}) == highlight;
        return count;
    };
    int band = 24 * box->Height();
    EXPECT_GT(highlighted(), band / 2);
    auto* other = Add<TtsGridEditBox>("Other", graphics::Bounds(10, 40, 60, 16));
    other->SetFocus();
    EXPECT_EQ(highlighted(), 0);
    EXPECT_NE(WindowManager().CaretOwner(), box->Handle());
    box->SetAlwaysShowFocus(true);
    EXPECT_GT(highlighted(), band / 2);

    // The grid paints the current cell with the same pixels.
    graphics::TBitmap cell(box->Width() + 3, box->Height());
    box->PaintCell(*cell.Canvas(), {0, 0, box->Width() + 3, box->Height()}, false);
    int differing = 0;
    for (int y = 0; y < box->Height(); ++y)
        for (int x = 0; x < box->Width(); ++x)
            if ((cell.Canvas()->Pixel(x + 3, y) & 0xFFFFFF) != PixelOf(box, {x, y}))
                ++differing;
    EXPECT_EQ(differing, 0);
}

TEST_F(EditBoxTest, PictureOfABoxWithASelection)
{
    box->SetBounds(10, 10, 120, 34);
    box->SetWordWrap(wwOn);
    Load("选中文字 text 第二行的文字", 2, 11);
    EXPECT_TRUE(testsupport::MatchesGolden(*PictureAround(box), "grid_edit_box_selection"));
}

}  // namespace
}  // namespace editboxtest
