#include <gtest/gtest.h>

#include "platform/core/ClassRegistry.h"
#include "platform/filing/Streaming.h"
#include "platform/graphics/FontEngine.h"
#include "tests/platform/ui/EditTestSupport.h"
#include "tests/support/Golden.h"

using namespace edittest;

namespace {

// A control that takes Enter as a default button would, and counts it.
class TEnterTaker : public TCustomControl {
    CORE_CLASS(TEnterTaker, TCustomControl)
    explicit TEnterTaker(core::TComponent* owner) : TCustomControl(owner) {}
    int Taken = 0;
    bool Take = true;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == CM_DIALOGKEY && m.WParam == VK_RETURN && Take) {
            ++Taken;
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
    }
};
CORE_CLASS_IMPL(TEnterTaker)

// A memo that keeps a band of three pixels around its client area for a
// border of its own, as a flat memo does.
class TInsetMemo : public TMemo {
    CORE_CLASS(TInsetMemo, TMemo)
    explicit TInsetMemo(core::TComponent* owner) : TMemo(owner) {}
    void WndProc(TMessage& m) override
    {
        TMemo::WndProc(m);
        if (m.Msg == WM_NCCALCSIZE) {
            auto* r = reinterpret_cast<TRect*>(m.LParam);
            *r = graphics::Inflate(*r, -3, -3);
        }
    }
};
CORE_CLASS_IMPL(TInsetMemo)

class MemoTest : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        memo = Add<TMemo>("Memo1", graphics::Bounds(10, 10, 200, 100));
        memo->OnChange = [this](core::TObject*) { ++changes; };
        ShowForm();
        memo->SetFocus();
        Pump();
    }
    int FirstVisible() { return static_cast<int>(memo->Perform(EM_GETFIRSTVISIBLELINE)); }
    int VisualLines() { return static_cast<int>(memo->Perform(EM_GETLINECOUNT)); }
    int CaretLine() { return static_cast<int>(memo->Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1))); }

    TMemo* memo = nullptr;
    int changes = 0;
};

}  // namespace

TEST_F(MemoTest, LinesAreAViewOfTheText)
{
    core::TStrings* lines = memo->Lines();
    EXPECT_EQ(lines->Count(), 0);
    lines->Add("第一行");
    lines->Add("second");
    EXPECT_EQ(memo->Text(), "第一行\r\nsecond\r\n");
    EXPECT_EQ(lines->Count(), 2);
    EXPECT_EQ(changes, 2);
    lines->Insert(1, "中间");
    lines->SetStrings(0, "首");
    EXPECT_EQ(memo->Text(), "首\r\n中间\r\nsecond\r\n");
    lines->Delete(2);
    EXPECT_EQ(memo->Text(), "首\r\n中间\r\n");
    EXPECT_EQ(lines->Strings(1), "中间");
    EXPECT_THROW(lines->Strings(2), core::EStringListError);
    // Text typed without a final break still counts as a line.
    memo->SetText("a\r\nb");
    EXPECT_EQ(lines->Count(), 2);
    lines->Add("c");
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
    // Any kind of break in assigned text becomes CR LF.
    lines->SetText("x\ny\rz");
    EXPECT_EQ(memo->Text(), "x\r\ny\r\nz");
    core::TStringList list;
    list.Add("一");
    list.Add("二");
    memo->SetLines(&list);
    EXPECT_EQ(memo->Text(), "一\r\n二\r\n");
    EXPECT_TRUE(lines->Equals(list));
}

TEST_F(MemoTest, EnterInsertsALineWhenTheMemoWantsReturns)
{
    Type(u8"第一");
    display->PressKey(VK_RETURN);
    Type(u8"二");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(0), "第一");
    EXPECT_EQ(memo->Lines()->Strings(1), "二");
    EXPECT_EQ(memo->CaretPos(), (TPoint{2, 1}));
    // Backspace at the start of a line joins it to the one before.
    display->PressKey(VK_HOME);
    display->PressKey(VK_BACK);
    EXPECT_EQ(memo->Text(), "第一二");
    EXPECT_EQ(static_cast<uint32_t>(memo->Perform(WM_GETDLGCODE)),
              DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTALLKEYS);
}

TEST_F(MemoTest, WithoutWantReturnsEnterGoesToTheForm)
{
    auto* taker = Add<TEnterTaker>("Taker", graphics::Bounds(220, 10, 20, 20));
    memo->SetWantReturns(false);
    memo->SetText("abc");
    memo->SetSelStart(3);
    EXPECT_EQ(memo->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
    display->PressKey(VK_RETURN);
    EXPECT_EQ(taker->Taken, 1);
    EXPECT_EQ(memo->Text(), "abc");
    // Even when no control takes the key, it puts no break into the text.
    taker->Take = false;
    display->PressKey(VK_RETURN);
    EXPECT_EQ(memo->Text(), "abc");
    taker->Take = true;
    memo->SetWantReturns(true);
    display->PressKey(VK_RETURN);
    EXPECT_EQ(taker->Taken, 1);
    EXPECT_EQ(memo->Text(), "abc\r\n");
}

TEST_F(MemoTest, TabInsertsATabOnlyWhenTheMemoWantsTabs)
{
    auto* next = Add<TMemo>("Memo2", graphics::Bounds(10, 120, 200, 60));
    display->PressKey(VK_TAB);
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(memo->Text(), "");
    memo->SetWantTabs(true);
    memo->SetFocus();
    display->PressKey(VK_TAB);
    EXPECT_TRUE(memo->Focused());
    EXPECT_EQ(memo->Text(), "\t");
    EXPECT_NE(memo->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    // A tab reaches to the next stop of eight average characters.
    Type(u8"x");
    graphics::TCanvas measure;
    measure.Font()->Assign(memo->Font());
    int stop = 8 * measure.TextMetrics().AveCharWidth;
    EXPECT_EQ(PosOf(memo, 1).X - PosOf(memo, 0).X, stop);
}

TEST_F(MemoTest, WordWrapBreaksAtBlanksAndBetweenChineseCharacters)
{
    memo->SetWidth(100);
    TRect area;
    memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    // "alpha beta gamma" is wider than the text area: it breaks after a blank.
    memo->SetText("alpha beta gamma delta");
    EXPECT_EQ(memo->Lines()->Count(), 1);
    ASSERT_GT(VisualLines(), 1);
    int second = static_cast<int>(memo->Perform(EM_LINEINDEX, 1));
    EXPECT_EQ(memo->Text()[static_cast<size_t>(second) - 1], ' ');
    for (int line = 0; line < VisualLines(); ++line) {
        int start = static_cast<int>(memo->Perform(EM_LINEINDEX, static_cast<WPARAM>(line)));
        int length = static_cast<int>(memo->Perform(EM_LINELENGTH, static_cast<WPARAM>(start)));
        AnsiString text = memo->Text().substr(static_cast<size_t>(start), static_cast<size_t>(length));
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        graphics::TCanvas measure;
        measure.Font()->Assign(memo->Font());
        EXPECT_LE(measure.TextWidth(text), area.Width()) << text;
    }
    // Chinese text breaks between any two characters, never inside one.
    memo->SetText("一二三四五六七八九十一二三四五六七八九十");
    int charWidth = PosOf(memo, 2).X - PosOf(memo, 0).X;
    int perLine = area.Width() / charWidth;
    EXPECT_EQ(VisualLines(), (20 + perLine - 1) / perLine);
    for (int line = 1; line < VisualLines(); ++line)
        EXPECT_EQ(memo->Perform(EM_LINEINDEX, static_cast<WPARAM>(line)) % 2, 0);
    // Without wrapping the text stays on one line and scrolls sideways.
    memo->SetWordWrap(false);
    EXPECT_EQ(VisualLines(), 1);
    memo->SetFocus();
    display->PressKey(VK_END);
    EXPECT_LT(WindowManager().CaretPos().X, area.Right);
    EXPECT_LT(PosOf(memo, 0).X, area.Left);
}

TEST_F(MemoTest, TheViewScrollsToKeepTheCaretVisible)
{
    memo->SetScrollBars(ssVertical);
    memo->SetFocus();
    for (int i = 0; i < 20; ++i)
        memo->Lines()->Add("行" + std::to_string(i));
    int visible = memo->ClientHeight() / (PosOf(memo, 5).Y - PosOf(memo, 0).Y);
    display->PressKey(VK_HOME, {VK_CONTROL});
    EXPECT_EQ(FirstVisible(), 0);
    display->PressKey(VK_END, {VK_CONTROL});
    // The end is the empty line after the last break.
    EXPECT_EQ(CaretLine(), 20);
    EXPECT_EQ(FirstVisible(), 21 - visible);
    TScrollInfo bar = memo->Handle()->GetScrollInfo(SB_VERT);
    EXPECT_EQ(bar.Pos, 21 - visible);
    EXPECT_EQ(bar.Max, 20);
    EXPECT_EQ(bar.Page, visible);
    // Going up past the first visible line scrolls one line at a time.
    for (int i = 0; i < visible; ++i)
        display->PressKey(VK_UP);
    EXPECT_EQ(CaretLine(), 20 - visible);
    EXPECT_EQ(FirstVisible(), 20 - visible);
    // Page Down moves caret and view by a page less one line.
    display->PressKey(VK_HOME, {VK_CONTROL});
    display->PressKey(VK_NEXT);
    EXPECT_EQ(CaretLine(), visible - 1);
    EXPECT_EQ(FirstVisible(), visible - 1);
    // The scroll bar moves the view and leaves the caret where it is.
    memo->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(FirstVisible(), visible);
    EXPECT_EQ(CaretLine(), visible - 1);
    memo->Perform(WM_VSCROLL, SB_THUMBPOSITION | (3 << 16));
    EXPECT_EQ(FirstVisible(), 3);
    memo->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(FirstVisible(), 21 - visible);
    // A notch of the wheel scrolls three lines.
    memo->Perform(WM_VSCROLL, SB_TOP);
    display->Wheel(-WHEEL_DELTA, memo->ClientToScreen({5, 5}));
    EXPECT_EQ(FirstVisible(), 3);
    display->Wheel(WHEEL_DELTA, memo->ClientToScreen({5, 5}));
    EXPECT_EQ(FirstVisible(), 0);
    // Typing brings the caret back into view.
    memo->Perform(WM_VSCROLL, SB_BOTTOM);
    Type(u8"x");
    EXPECT_EQ(FirstVisible(), visible - 1);
}

TEST_F(MemoTest, UpAndDownKeepTheColumnTheyStartedFrom)
{
    memo->SetText("abcdef\r\nab\r\nabcdef");
    memo->SetSelStart(5);
    display->PressKey(VK_DOWN);
    EXPECT_EQ(memo->SelStart(), 10);  // the end of the short line
    display->PressKey(VK_DOWN);
    EXPECT_EQ(memo->SelStart(), 17);  // back in column five
    display->PressKey(VK_UP, {VK_SHIFT});
    display->PressKey(VK_UP, {VK_SHIFT});
    EXPECT_EQ(memo->SelText(), "f\r\nab\r\nabcde");
}

TEST_F(MemoTest, AlignmentPlacesEachLine)
{
    memo->SetText("ab\r\nabcd");
    TRect area;
    memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_EQ(PosOf(memo, 0).X, area.Left);
    memo->SetAlignment(taRightJustify);
    EXPECT_EQ(PosOf(memo, 2).X, area.Right - 1);
    EXPECT_EQ(PosOf(memo, 8).X, area.Right - 1);
    memo->SetAlignment(taCenter);
    int width = PosOf(memo, 2).X - PosOf(memo, 0).X;
    EXPECT_EQ(PosOf(memo, 0).X, area.Left + (area.Width() - width) / 2);
}

TEST_F(MemoTest, LinesAreFiledAsAStringList)
{
    core::RegisterClasses({&TMemo::StaticClass()});
    memo->Lines()->Add("第一行");
    memo->Lines()->Add("'quoted'");
    memo->SetScrollBars(ssBoth);
    AnsiString text = filing::ComponentToText(memo);
    EXPECT_NE(text.find("Lines.Strings = ("), AnsiString::npos) << text;
    EXPECT_NE(text.find("ScrollBars = ssBoth"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Text ="), AnsiString::npos) << text;
    auto* copy = new TMemo(nullptr);
    filing::ReadComponentText(text, copy);
    EXPECT_EQ(copy->Text(), "第一行\r\n'quoted'\r\n");
    EXPECT_EQ(copy->ScrollBars(), ssBoth);
    delete copy;

    auto* loaded = new TForm(nullptr);
    filing::ReadComponentText(
        "object Loaded: TForm\n"
        "  object Notes: TMemo\n"
        "    Lines.Strings = (\n"
        "      'a'\n"
        "      'b')\n"
        "    WantReturns = False\n"
        "    WordWrap = False\n"
        "  end\n"
        "end\n",
        loaded);
    auto* notes = dynamic_cast<TMemo*>(loaded->FindComponent("Notes"));
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->Text(), "a\r\nb\r\n");
    EXPECT_FALSE(notes->WantReturns());
    EXPECT_FALSE(notes->WordWrap());
    delete loaded;
}

TEST_F(MemoTest, HideSelectionHidesItWhenTheFocusLeaves)
{
    auto* other = Add<TEdit>("Other", graphics::Bounds(10, 150, 100, 21));
    memo->SetText("选中的文字");
    memo->SelectAll();
    auto focused = PictureAround(memo);
    other->SetFocus();
    auto unfocused = PictureAround(memo);
    memo->SetHideSelection(false);
    auto kept = PictureAround(memo);
    auto highlighted = [](const graphics::TBitmap& b) {
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                n += b.Pixel(x, y) == graphics::ColorToRGB(graphics::clHighlight);
        return n;
    };
    EXPECT_GT(highlighted(*focused), 0);
    EXPECT_EQ(highlighted(*unfocused), 0);
    EXPECT_EQ(highlighted(*kept), highlighted(*focused));
}

TEST_F(MemoTest, PictureOfAMemoWithScrollBars)
{
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    for (const char* line : {"第一行：多行编辑框", "second line, longer than the memo is wide", "第三行", "四",
                             "五", "六", "七", "八"})
        memo->Lines()->Add(line);
    memo->SetFocus();
    display->PressKey(VK_HOME, {VK_CONTROL});
    display->PressKey(VK_DOWN);
    display->PressKey(VK_RIGHT, {VK_CONTROL, VK_SHIFT});
    memo->Perform(WM_VSCROLL, SB_LINEDOWN);
    CaretOn();
    EXPECT_TRUE(testsupport::MatchesGolden(*PictureAround(memo), "ui_memo_scrollbars"));
}

TEST_F(MemoTest, ADescendantsNonClientBandShrinksTheTextArea)
{
    auto* flat = Add<TInsetMemo>("Flat", graphics::Bounds(10, 120, 185, 89));
    flat->SetBorderStyle(bsNone);
    flat->SetCtl3D(false);
    flat->SetText("边框");
    EXPECT_EQ(flat->ClientWidth(), 179);
    EXPECT_EQ(flat->ClientHeight(), 83);
    TRect area;
    flat->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_EQ(area, graphics::Rect(1, 0, 178, 83));
    EXPECT_EQ(flat->ClientToScreen(PosOf(flat, 0)), form->ClientToScreen({10 + 3 + 1, 120 + 3}));
}
