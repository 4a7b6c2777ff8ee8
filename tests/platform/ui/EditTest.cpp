#include <gtest/gtest.h>

#include "platform/core/ClassRegistry.h"
#include "platform/core/CodePage.h"
#include "platform/filing/Streaming.h"
#include "tests/platform/ui/EditTestSupport.h"
#include "tests/support/Golden.h"

using namespace edittest;

namespace {

// An edit that refuses cut and paste requests, as an edit with its editor
// switched off does: the keys still send them, the control drops them.
class TNoPasteEdit : public TEdit {
    CORE_CLASS(TNoPasteEdit, TEdit)
    explicit TNoPasteEdit(core::TComponent* owner) : TEdit(owner) {}
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_PASTE || m.Msg == WM_CUT)
            return;
        TEdit::WndProc(m);
    }
};
CORE_CLASS_IMPL(TNoPasteEdit)

class EditTest : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        edit = Add<TEdit>("Edit1", graphics::Bounds(10, 10, 160, 21));
        edit->OnChange = [this](core::TObject*) { changes.push_back(edit->Text()); };
        ShowForm();
        edit->SetFocus();
        Pump();
    }

    TEdit* edit = nullptr;
    std::vector<AnsiString> changes;
};

}  // namespace

TEST_F(EditTest, TypedChineseArrivesWholeAndOnChangeSeesOnlyWholeCharacters)
{
    Type(u8"中文ab");
    EXPECT_EQ(edit->Text(), "中文ab");
    // One change per character; none of them holds half a character.
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[0], "中");
    EXPECT_EQ(changes[1], "中文");
    for (const AnsiString& text : changes)
        EXPECT_NE(core::ByteType(text, text.size() - 1), core::mbLeadByte);
    EXPECT_EQ(edit->SelStart(), 6);

    // A lead byte waits for its trail byte.
    AnsiString wen = "文";
    edit->Perform(WM_CHAR, static_cast<unsigned char>(wen[0]), 0);
    EXPECT_EQ(edit->Text(), "中文ab");
    edit->Perform(WM_CHAR, static_cast<unsigned char>(wen[1]), 0);
    EXPECT_EQ(edit->Text(), "中文ab文");
}

TEST_F(EditTest, CaretAndSelectionNeverStandInsideACharacter)
{
    edit->SetText("中文ab");
    display->PressKey(VK_HOME);
    display->PressKey(VK_RIGHT);
    EXPECT_EQ(edit->SelStart(), 2);
    display->PressKey(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(edit->SelText(), "文");
    // Positions from code are moved back to where the character starts.
    edit->SetSelStart(3);
    EXPECT_EQ(edit->SelStart(), 2);
    edit->Perform(EM_SETSEL, 1, 5);
    EXPECT_EQ(Selection(edit), std::make_pair(0, 5));
    EXPECT_EQ(edit->SelText(), "中文a");
    // Shift+Left from the end shrinks by whole characters.
    edit->Perform(EM_SETSEL, 6, 2);
    display->PressKey(VK_LEFT, {VK_SHIFT});
    EXPECT_EQ(edit->SelText(), "中文ab");
}

TEST_F(EditTest, BackspaceAndDeleteRemoveWholeCharacters)
{
    edit->SetText("一二三ab");
    edit->SetSelStart(4);
    display->PressKey(VK_BACK);
    EXPECT_EQ(edit->Text(), "一三ab");
    EXPECT_EQ(edit->SelStart(), 2);
    display->PressKey(VK_DELETE);
    EXPECT_EQ(edit->Text(), "一ab");
    // A selection goes as a whole.
    edit->Perform(EM_SETSEL, 0, 3);
    display->PressKey(VK_DELETE);
    EXPECT_EQ(edit->Text(), "b");
}

TEST_F(EditTest, KeysMoveAndSelectByCharacterWordAndLine)
{
    edit->SetText("hello world 中文");
    display->PressKey(VK_END);
    EXPECT_EQ(edit->SelStart(), 16);
    display->PressKey(VK_LEFT, {VK_CONTROL});
    EXPECT_EQ(edit->SelStart(), 12);
    display->PressKey(VK_LEFT, {VK_CONTROL});
    EXPECT_EQ(edit->SelStart(), 6);
    display->PressKey(VK_RIGHT, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(edit->SelText(), "world ");
    // Left with a selection collapses it to its start.
    display->PressKey(VK_LEFT);
    EXPECT_EQ(Selection(edit), std::make_pair(6, 6));
    display->PressKey(VK_HOME, {VK_SHIFT});
    EXPECT_EQ(edit->SelText(), "hello ");
    display->PressKey(VK_END, {VK_SHIFT});
    EXPECT_EQ(Selection(edit), std::make_pair(6, 16));
    display->PressKey('A', {VK_CONTROL});
    EXPECT_EQ(edit->SelLength(), 16);
}

TEST_F(EditTest, MaxLengthCountsBytesAndNeverSplitsACharacter)
{
    edit->SetMaxLength(5);
    Type(u8"ab中文");
    EXPECT_EQ(edit->Text(), "ab中");
    Type(u8"cd");
    EXPECT_EQ(edit->Text(), "ab中c");
    // Pasting fills the room that is left with whole characters only.
    edit->SetText("abcd");
    edit->SetSelStart(4);
    WindowManager().SetClipboardText("中x");
    display->PressKey('V', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), "abcd");
    WindowManager().SetClipboardText("x中");
    display->PressKey('V', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), "abcdx");
    // Text from code is not limited.
    edit->SetText("一二三四五");
    EXPECT_EQ(edit->Text(), "一二三四五");
}

TEST_F(EditTest, PasswordCharHidesTheTextButTextReturnsIt)
{
    edit->SetPasswordChar('*');
    Type(u8"密码ab");
    EXPECT_EQ(edit->Text(), "密码ab");
    // Four characters, four stars: each character is one star wide.
    graphics::TCanvas measure;
    measure.Font()->Assign(edit->Font());
    int star = measure.TextWidth("*");
    EXPECT_EQ(PosOf(edit, 6).X - PosOf(edit, 0).X, 4 * star);
    EXPECT_EQ(PosOf(edit, 2).X - PosOf(edit, 0).X, star);
    // Copy and cut leave the clipboard alone and the text in place.
    WindowManager().SetClipboardText("before");
    display->PressKey('A', {VK_CONTROL});
    display->PressKey('C', {VK_CONTROL});
    display->PressKey('X', {VK_CONTROL});
    EXPECT_EQ(WindowManager().ClipboardText(), "before");
    EXPECT_EQ(edit->Text(), "密码ab");
    // Backspace takes a whole character.
    display->PressKey(VK_END);
    display->PressKey(VK_BACK);
    display->PressKey(VK_BACK);
    display->PressKey(VK_BACK);
    EXPECT_EQ(edit->Text(), "密");
}

TEST_F(EditTest, UndoTakesBackTheLastStepAndASecondUndoRedoesIt)
{
    EXPECT_EQ(edit->Perform(EM_CANUNDO), 0);
    Type(u8"abc");
    display->PressKey(VK_LEFT);
    Type(u8"中");
    EXPECT_EQ(edit->Text(), "ab中c");
    EXPECT_EQ(edit->Perform(EM_CANUNDO), 1);
    display->PressKey('Z', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), "abc");
    display->PressKey('Z', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), "ab中c");
    // Typing in a row is one step; so are deletions in a row.
    edit->SetText("");
    EXPECT_EQ(edit->Perform(EM_CANUNDO), 0);
    Type(u8"一二三");
    display->PressKey(VK_BACK);
    display->PressKey(VK_BACK);
    EXPECT_EQ(edit->Text(), "一");
    edit->Perform(EM_UNDO);
    EXPECT_EQ(edit->Text(), "一二三");
    edit->Undo();
    EXPECT_EQ(edit->Text(), "一");
}

TEST_F(EditTest, ClipboardKeysSendTheMessagesThatCutCopyAndPaste)
{
    edit->SetText("复制 text");
    display->PressKey(VK_HOME);
    display->PressKey(VK_RIGHT, {VK_CONTROL, VK_SHIFT});
    display->PressKey('C', {VK_CONTROL});
    EXPECT_EQ(WindowManager().ClipboardText(), "复制 ");
    display->PressKey(VK_END);
    display->PressKey(VK_INSERT, {VK_SHIFT});
    EXPECT_EQ(edit->Text(), "复制 text复制 ");
    display->PressKey(VK_HOME, {VK_SHIFT});
    display->PressKey(VK_DELETE, {VK_SHIFT});
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(WindowManager().ClipboardText(), "复制 text复制 ");
    // A line break in pasted text ends what a one-line edit takes.
    WindowManager().SetClipboardText("第一行\r\n第二行");
    display->PressKey('V', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), "第一行");
    edit->SelectAll();
    display->PressKey(VK_INSERT, {VK_CONTROL});
    EXPECT_EQ(WindowManager().ClipboardText(), "第一行");
    display->PressKey('X', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), "");
    // WM_CLEAR deletes without touching the clipboard.
    edit->SetText("abc");
    edit->SelectAll();
    edit->ClearSelection();
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(WindowManager().ClipboardText(), "第一行");
}

TEST_F(EditTest, ASubclassDropsPasteAndCutByHandlingTheirMessages)
{
    auto* guarded = Add<TNoPasteEdit>("Guarded", graphics::Bounds(10, 40, 160, 21));
    guarded->SetFocus();
    WindowManager().SetClipboardText("粘贴");
    Type(u8"打字");
    display->PressKey('V', {VK_CONTROL});
    display->PressKey(VK_INSERT, {VK_SHIFT});
    EXPECT_EQ(guarded->Text(), "打字");
    display->PressKey('A', {VK_CONTROL});
    display->PressKey('X', {VK_CONTROL});
    display->PressKey(VK_DELETE, {VK_SHIFT});
    EXPECT_EQ(guarded->Text(), "打字");
    // Copy still goes through.
    display->PressKey('C', {VK_CONTROL});
    EXPECT_EQ(WindowManager().ClipboardText(), "打字");
}

TEST_F(EditTest, ReadOnlyRefusesEveryChangeButCopies)
{
    edit->SetText("只读");
    edit->Perform(EM_SETREADONLY, 1);
    EXPECT_TRUE(edit->ReadOnly());
    WindowManager().SetClipboardText("x");
    Type(u8"abc");
    display->PressKey(VK_BACK);
    display->PressKey('V', {VK_CONTROL});
    display->PressKey('A', {VK_CONTROL});
    display->PressKey(VK_DELETE);
    display->PressKey('X', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), "只读");
    display->PressKey('C', {VK_CONTROL});
    EXPECT_EQ(WindowManager().ClipboardText(), "只读");
    EXPECT_EQ(changes.size(), 1u);  // the SetText above
}

TEST_F(EditTest, MouseClicksPlaceTheCaretAndDragsAndDoubleClicksSelect)
{
    edit->SetText("你好 世界 ab");
    // A click nearer the right half of a character goes after it.
    TPoint after = PosOf(edit, 2);
    display->Click(edit->ClientToScreen({after.X - 2, after.Y + 6}));
    EXPECT_EQ(Selection(edit), std::make_pair(2, 2));
    display->Advance(1000);
    display->Click(edit->ClientToScreen({after.X - 9, after.Y + 6}));
    EXPECT_EQ(Selection(edit), std::make_pair(0, 0));
    // Shift+click extends from the anchor.
    display->Advance(1000);
    WindowManager().InjectKey(VK_SHIFT, true);
    display->Click(ScreenBefore(edit, 7));
    WindowManager().InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(edit->SelText(), "你好 世");
    // Dragging selects from the press to the pointer, in either direction.
    display->Advance(1000);
    display->Press(ScreenBefore(edit, 9));
    display->MoveMouse(ScreenBefore(edit, 5));
    display->Release(ScreenBefore(edit, 5));
    EXPECT_EQ(edit->SelText(), "世界");
    EXPECT_EQ(Selection(edit), std::make_pair(5, 9));
    // A double-click selects the word and the blank after it.
    display->Advance(1000);
    display->DoubleClick(ScreenBefore(edit, 5, 3));
    EXPECT_EQ(edit->SelText(), "世界 ");
}

TEST_F(EditTest, AutoSelectSelectsAllWhenEnteredByKeyboardNotByMouse)
{
    auto* other = Add<TEdit>("Edit2", graphics::Bounds(10, 40, 160, 21));
    other->SetText("第二个");
    edit->SetText("第一个");
    edit->SetFocus();
    display->PressKey(VK_TAB);
    ASSERT_TRUE(other->Focused());
    EXPECT_EQ(other->SelLength(), 6);
    // Back by a click: the caret goes where the click was.
    display->Click(ScreenBefore(edit, 2));
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(Selection(edit), std::make_pair(2, 2));
    other->SetAutoSelect(false);
    other->SetSelStart(0);
    display->PressKey(VK_TAB);
    ASSERT_TRUE(other->Focused());
    EXPECT_EQ(other->SelLength(), 0);
}

TEST_F(EditTest, ALongLineScrollsToKeepTheCaretInside)
{
    edit->SetWidth(60);
    TRect area;
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    Type(u8"一二三四五六七八九十");
    TPoint caret = WindowManager().CaretPos();
    EXPECT_GE(caret.X, area.Left);
    EXPECT_LT(caret.X, area.Right);
    EXPECT_LT(PosOf(edit, 0).X, area.Left);  // the start scrolled out
    display->PressKey(VK_HOME);
    EXPECT_EQ(PosOf(edit, 0).X, area.Left);
    EXPECT_EQ(WindowManager().CaretPos().X, area.Left);
    display->PressKey(VK_END);
    EXPECT_EQ(WindowManager().CaretPos().X, area.Right - 1);
}

TEST_F(EditTest, TheFormattingRectangleHoldsTheText)
{
    TRect defaultRect;
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&defaultRect));
    EXPECT_EQ(defaultRect.Left, 1);
    EXPECT_EQ(defaultRect.Right, edit->ClientWidth() - 1);
    TRect r = graphics::Rect(20, 1, 80, edit->ClientHeight() + 1);
    edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    TRect got;
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got, r);
    EXPECT_EQ(PosOf(edit, 0), (TPoint{20, 1}));
    // Text beyond the right edge of the rectangle scrolls, not the client's.
    Type(u8"abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(WindowManager().CaretPos().X, 79);
    edit->Perform(EM_SETRECT, 0, 0);
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got, defaultRect);
    // Margins move the default rectangle's sides.
    edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MakeLParam(4, 6));
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.Left, 4);
    EXPECT_EQ(got.Right, edit->ClientWidth() - 6);
}

TEST_F(EditTest, AutoSizeTakesTheHeightFromTheFont)
{
    graphics::TCanvas measure;
    measure.Font()->Assign(edit->Font());
    int fontHeight = measure.TextHeight("X");
    EXPECT_EQ(edit->Height(), fontHeight + 8);
    edit->Font()->SetHeight(-16);
    measure.Font()->Assign(edit->Font());
    EXPECT_EQ(edit->Height(), measure.TextHeight("X") + 8);
    edit->SetCtl3D(false);
    EXPECT_EQ(edit->Height(), measure.TextHeight("X") + 6);
    EXPECT_TRUE(edit->Handle()->Style() & WS_BORDER);
    edit->SetAutoSize(false);
    edit->SetHeight(40);
    edit->Font()->SetHeight(-12);
    EXPECT_EQ(edit->Height(), 40);
}

TEST_F(EditTest, OnChangeFollowsEveryChangeFromCodeAndMessages)
{
    edit->SetText("代码");
    edit->SetText("代码");
    EXPECT_EQ(changes.size(), 1u);
    edit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("消息"));
    EXPECT_EQ(edit->Text(), "消息");
    char buffer[16];
    EXPECT_EQ(edit->Perform(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 4);
    EXPECT_STREQ(buffer, "消息");
    EXPECT_EQ(edit->Perform(WM_GETTEXTLENGTH), 4);
    EXPECT_EQ(edit->Handle()->Text(), "消息");
    edit->SelectAll();
    edit->SetSelText("替换");
    EXPECT_EQ(changes, (std::vector<AnsiString>{"代码", "消息", "替换"}));
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditTest, DialogCodeAsksForCharactersAndArrows)
{
    EXPECT_EQ(static_cast<uint32_t>(edit->Perform(WM_GETDLGCODE)), DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
    // Enter is the form's key: nothing goes into a one-line edit.
    edit->SetText("x");
    display->PressKey(VK_RETURN);
    EXPECT_EQ(edit->Text(), "x");
}

TEST_F(EditTest, CharCaseConvertsWhatIsTypedAndWhatIsThere)
{
    edit->SetText("Abc中");
    edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(edit->Text(), "ABC中");
    display->PressKey(VK_END);
    Type(u8"xy");
    EXPECT_EQ(edit->Text(), "ABC中XY");
}

TEST_F(EditTest, LoadsFromAFormDescription)
{
    core::RegisterClasses({&TEdit::StaticClass(), &TMemo::StaticClass()});
    auto* loaded = new TForm(nullptr);
    filing::ReadComponentText(
        "object Loaded: TForm\n"
        "  object Name1: TEdit\n"
        "    Left = 8\n"
        "    Top = 8\n"
        "    Width = 100\n"
        "    Height = 21\n"
        "    MaxLength = 10\n"
        "    PasswordChar = '#'\n"
        "    ReadOnly = True\n"
        "    TabStop = False\n"
        "    Text = 'abc'\n"
        "  end\n"
        "end\n",
        loaded);
    auto* name = dynamic_cast<TEdit*>(loaded->FindComponent("Name1"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Text(), "abc");
    EXPECT_EQ(name->MaxLength(), 10);
    EXPECT_EQ(name->PasswordChar(), '#');
    EXPECT_TRUE(name->ReadOnly());
    EXPECT_FALSE(name->TabStop());
    EXPECT_FALSE(name->Modified());
    AnsiString text = filing::ComponentToText(loaded);
    EXPECT_NE(text.find("PasswordChar = '#'"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("AutoSelect"), AnsiString::npos) << text;
    delete loaded;
}

TEST_F(EditTest, PicturesOfAnEditWithSelectionAndOfAPasswordEdit)
{
    edit->SetText("选中 text");
    edit->Perform(EM_SETSEL, 0, 4);
    CaretOn();
    EXPECT_TRUE(testsupport::MatchesGolden(*PictureAround(edit), "ui_edit_selection"));

    auto* password = Add<TEdit>("Password", graphics::Bounds(10, 40, 100, 21));
    password->SetPasswordChar('*');
    password->SetText("密码abc");
    password->SetFocus();
    password->SelectAll();
    display->PressKey(VK_END);
    CaretOn();
    EXPECT_TRUE(testsupport::MatchesGolden(*PictureAround(password), "ui_edit_password"));
}

TEST(EditFont, AFontSetOnTheEditStopsFollowingTheParent)
{
    backend::THeadlessBackend::Install();
    ui::TForm form(nullptr);
    auto* edit = new ui::TEdit(&form);
    edit->SetParent(&form);
    form.Font()->SetHeight(-12);
    EXPECT_EQ(edit->Font()->Height(), -12);
    edit->Font()->SetHeight(-20);
    EXPECT_FALSE(edit->ParentFont());
    form.Font()->SetHeight(-16);
    EXPECT_EQ(edit->Font()->Height(), -20);
    ui::WindowManager().Reset();
}
