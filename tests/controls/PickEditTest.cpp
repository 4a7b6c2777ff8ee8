#include <gtest/gtest.h>

#include "controls/EditExitCheck.h"
#include "controls/EditHelpers.h"
#include "controls/PickButton.h"
#include "controls/PickEdit.h"
#include "controls/Registration.h"
#include "controls/TinyEdit.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Registration.h"
#include "platform/ui/Shape.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace controls;
using graphics::Bounds;

namespace {

class PickEditTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        ui::RegisterControls();
        controls::RegisterControls();
    }

    // A pick edit of a fixed height (AutoSize off), so that the font does
    // not decide it.
    TQorPickEditClass* AddEdit(const char* name, graphics::TRect bounds, ui::TWinControl* parent = nullptr)
    {
        auto* edit = new TQorPickEditClass(form);
        edit->SetName(name);
        edit->SetAutoSize(false);
        edit->SetBoundsRect(bounds);
        edit->SetParent(parent ? parent : form);
        return edit;
    }

    // Clicks into the field and types over its whole text.
    void TypeInto(TQorPickEditClass* edit, const char* text)
    {
        display->Click(Centre(edit));
        display->PressKey('A', {ui::VK_CONTROL});
        display->Type(text);
    }
};

}  // namespace

// ---- The exit check ---------------------------------------------------------------

TEST(PickCheckedTextTest, ReadsNumbersWithoutTheCalculatorAndKeepsThePatternsZeros)
{
    struct Case {
        const char* text;
        TCheckFmt check;
        TFmtDec format;
        bool plusNumber;
        const char* expected;
    } const cases[] = {
        {"  abc  ", cfNone, fdNone, true, "abc"},
        {"", cfDecimal, fdNone, true, ""},
        {" \t ", cfNumber, fdNone, true, ""},
        // No calculator: the digits of a formula run together.
        {"2*3.5", cfDecimal, fdNone, true, "23.5"},
        {"12.50", cfDecimal, fdNone, true, "12.5"},
        {"abc", cfDecimal, fdNone, true, "0"},
        {"1.2.3", cfDecimal, fdNone, true, "1.23"},
        {".", cfDecimal, fdNone, true, "0"},
        {"1,234.5", cfDecimal, fdNone, true, "1234.5"},
        // The pattern's zeros stay, except where FormatQty cuts them.
        {"12.5", cfDecimal, fdPrice, true, "12.5000"},
        {"3", cfDecimal, fdTotal, true, "3.0000"},
        {"0.123456", cfDecimal, fdOther, true, "0.1235"},
        {"12", cfDecimal, fdQty, true, "12"},
        {"12.25", cfDecimal, fdQty, true, "12.2500"},
        {"0", cfDecimal, fdQty, true, ""},
        {"0", cfDecimal, fdPrice, true, ""},
        // Signs: PlusNumber drops them; without it a typed minus stays.
        {"-12.5", cfDecimal, fdNone, true, "12.5"},
        {"-12.5", cfDecimal, fdNone, false, "-12.5"},
        {" - 7", cfDecimal, fdPrice, false, "-7.0000"},
        {"-7", cfDecimal, fdQty, false, "-7"},
        {"-abc", cfDecimal, fdNone, false, "0"},
        {"-.", cfDecimal, fdNone, false, "0"},
        {"12-5", cfDecimal, fdNone, false, "125"},
        {"-0", cfDecimal, fdNone, false, "0"},
        {"-0.00", cfDecimal, fdTotal, false, ""},
        {"-0.00001", cfDecimal, fdPrice, false, "0.0000"},
        {"1,234.99", cfNumber, fdNone, true, "1234"},
        {"abc", cfNumber, fdNone, true, "0"},
        {"-5", cfNumber, fdNone, true, "5"},
        {"-5", cfNumber, fdNone, false, "-5"},
        {"-0", cfNumber, fdNone, false, "0"},
        {"99999999999", cfNumber, fdNone, false, "0"},
        {"2004-2-3", cfDate, fdNone, true, "2004-02-03"},
        {"2004-13-45", cfDate, fdNone, true, ""},
        {"2004-2-3", cfForceDate, fdNone, true, "2004-02-03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PickCheckedText(c.text, c.check, c.format, c.plusNumber), c.expected);
    }
    EXPECT_EQ(PickCheckedText("2004-13-45", cfForceDate, fdNone, true), TodayText());
}

TEST(PickCheckedTextTest, DiffersFromTheLabelledEditOnlyInCalculatorAndZeros)
{
    // The labelled edit evaluates and trims; the pick edit does neither.
    EXPECT_EQ(CheckedText("12.5", LabelledEditRules(cfDecimal, fdPrice, true)), "12.5");
    EXPECT_EQ(PickCheckedText("12.5", cfDecimal, fdPrice, true), "12.5000");
    EXPECT_EQ(CheckedText("2*3.5", LabelledEditRules(cfDecimal, fdNone, true)), "7");
    EXPECT_EQ(PickCheckedText("2*3.5", cfDecimal, fdNone, true), "23.5");
    const AnsiString saved = PriceFormat;
    PriceFormat = "0.00";
    EXPECT_EQ(PickCheckedText("12.5", cfDecimal, fdPrice, true), "12.50") << "the setting is read when used";
    PriceFormat = saved;
}

TEST_F(PickEditTest, LeavingTheFieldChecksItsText)
{
    auto* amount = AddEdit("Amount", Bounds(80, 10, 120, 21));
    auto* next = AddEdit("Next", Bounds(80, 50, 120, 21));
    amount->SetCheckFmt(cfDecimal);
    amount->SetFmtDecimal(fdPrice);
    amount->SetPlusNumber(false);
    ShowForm();
    TypeInto(amount, "  -12.5 ");
    display->PressKey(ui::VK_TAB);
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(amount->Text(), "-12.5000");
    EXPECT_EQ(amount->AcceptedValue(), "-12.5000");

    // Emptied, the field accepts the empty text.
    TypeInto(amount, " ");
    display->PressKey(ui::VK_TAB);
    EXPECT_EQ(amount->Text(), "");
    EXPECT_EQ(amount->AcceptedValue(), "");

    // A read-only field is left as it is.
    amount->SetText(" 7 ");
    amount->SetReadOnly(true);
    amount->SetFocus();
    display->PressKey(ui::VK_TAB);
    EXPECT_EQ(amount->Text(), " 7 ");

    // A form's own OnExit replaces the check.
    amount->SetReadOnly(false);
    int exits = 0;
    amount->OnExit = [&](core::TObject*) { ++exits; };
    TypeInto(amount, " 3 ");
    display->PressKey(ui::VK_TAB);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(amount->Text(), " 3 ");
}

TEST_F(PickEditTest, APriceKeepsItsZerosWhereTheLabelledEditCutsThem)
{
    auto* pick = AddEdit("Pick", Bounds(80, 10, 120, 21));
    auto* tiny = Add<TTinyEdit>("Tiny", Bounds(80, 50, 120, 21));
    pick->SetCheckFmt(cfDecimal);
    pick->SetFmtDecimal(fdPrice);
    tiny->SetCheckFmt(cfDecimal);
    tiny->SetFmtDecimal(fdPrice);
    ShowForm();
    TypeInto(pick, "12.5");
    display->Click(Centre(tiny));
    display->Type("12.5");
    display->Click(Centre(pick));
    EXPECT_EQ(pick->Text(), "12.5000");
    EXPECT_EQ(tiny->Text(), "12.5");
}

TEST_F(PickEditTest, EnteringAcceptsTheTextAndTheKeyboardSelectsIt)
{
    auto* first = AddEdit("First", Bounds(80, 10, 120, 21));
    auto* edit = AddEdit("Edit", Bounds(80, 50, 120, 21));
    edit->SetText("abc");
    ShowForm();
    first->SetFocus();
    display->PressKey(ui::VK_TAB);
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(edit->AcceptedValue(), "abc");
    EXPECT_EQ(edit->SelLength(), 3);

    first->SetFocus();
    edit->SetText("xyz");
    display->Click(At(edit, {10, 10}));
    EXPECT_EQ(edit->AcceptedValue(), "xyz");
    EXPECT_EQ(edit->SelLength(), 0) << "a click places the caret";

    first->SetFocus();
    edit->SetAutoSelect(false);
    display->PressKey(ui::VK_TAB);
    EXPECT_EQ(edit->SelLength(), 0);
}

// ---- Geometry ---------------------------------------------------------------------

TEST_F(PickEditTest, ButtonUnderlineAndTextAreaFollowTheSizeAndBorder)
{
    struct Case {
        const char* name;
        ui::TBorderStyle border;
        int width, height;
        bool buttonVisible;
        int expectedHeight;
        graphics::TRect button;  // when hidden, only its top counts
        graphics::TRect underline;
        bool underlineVisible;
        graphics::TRect textArea;
    } const cases[] = {
        {"framed", ui::bsSingle, 120, 22, true, 22, Bounds(100, 0, 15, 17), Bounds(0, 21, 102, 1), false,
         {1, 1, 99, 19}},
        {"too low", ui::bsSingle, 120, 10, true, 17, Bounds(100, 0, 15, 12), Bounds(0, 16, 102, 1), false,
         {1, 1, 99, 14}},
        {"borderless", ui::bsNone, 120, 22, true, 22, Bounds(105, 1, 15, 20), Bounds(0, 21, 102, 1), true,
         {1, 1, 103, 23}},
        {"framed, button hidden", ui::bsSingle, 120, 22, false, 22, Bounds(0, 32, 15, 0), Bounds(0, 21, 120, 1),
         false, {1, 1, 114, 19}},
        {"borderless, button hidden", ui::bsNone, 120, 22, false, 22, Bounds(0, 32, 15, 0), Bounds(0, 21, 120, 1),
         true, {1, 1, 118, 23}},
        // Narrower than the button: nothing goes left of the edge, and the
        // text area is empty rather than inverted.
        {"framed, narrow", ui::bsSingle, 12, 22, true, 22, Bounds(0, 0, 15, 17), Bounds(0, 21, 0, 1), false,
         {1, 1, 1, 19}},
        {"borderless, narrow", ui::bsNone, 12, 22, true, 22, Bounds(0, 1, 15, 20), Bounds(0, 21, 0, 1), true,
         {1, 1, 1, 23}},
        {"borderless, just wide enough", ui::bsNone, 18, 22, true, 22, Bounds(3, 1, 15, 20), Bounds(0, 21, 0, 1),
         true, {1, 1, 1, 23}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* edit = AddEdit("Edit", Bounds(60, 20, c.width, c.height));
        edit->SetBorderStyle(c.border);
        edit->PickButton()->SetVisible(c.buttonVisible);
        ShowForm();
        EXPECT_EQ(edit->Height(), c.expectedHeight);
        if (c.buttonVisible)
            EXPECT_EQ(edit->PickButton()->BoundsRect(), c.button);
        else
            EXPECT_EQ(edit->PickButton()->Top(), c.button.Top);
        EXPECT_EQ(edit->Underline()->BoundsRect(), c.underline);
        EXPECT_EQ(edit->Underline()->Visible(), c.underlineVisible);
        EXPECT_EQ(edit->FormatRect(), c.textArea);
        delete edit;
    }
}

TEST_F(PickEditTest, ResizingLaysOutAgain)
{
    auto* edit = AddEdit("Edit", Bounds(60, 20, 120, 22));
    ShowForm();
    edit->SetBounds(60, 20, 200, 30);
    EXPECT_EQ(edit->PickButton()->BoundsRect(), Bounds(180, 0, 15, 25));
    // Hiding the button gives its room to the text and the underline.
    edit->PickButton()->SetVisible(false);
    EXPECT_EQ(edit->PickButton()->Top(), 40);
    EXPECT_EQ(edit->FormatRect().Right, 196 - 2);
    EXPECT_EQ(edit->Underline()->Width(), 200);
    edit->PickButton()->SetVisible(true);
    EXPECT_EQ(edit->PickButton()->BoundsRect(), Bounds(180, 0, 15, 25));
    EXPECT_EQ(edit->FormatRect().Right, 196 - 17);
    edit->SetHeight(5);
    EXPECT_EQ(edit->Height(), 17);
    EXPECT_EQ(edit->PickButton()->Height(), 12);
    // A wider button makes room for itself.
    edit->PickButton()->SetWidth(30);
    edit->SetWidth(150);
    EXPECT_EQ(edit->PickButton()->BoundsRect(), Bounds(115, 0, 30, 12));
    EXPECT_EQ(edit->FormatRect().Right, 146 - 32);
}

// ---- The label --------------------------------------------------------------------

TEST_F(PickEditTest, TheLabelStandsThreePixelsLeftAndFollowsTheEdit)
{
    auto* edit = AddEdit("Customer", Bounds(100, 40, 120, 22));
    TBoundLabel* label = edit->EditLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), form);
    EXPECT_EQ(label->Caption(), "") << "at run time the caption stays empty until set";
    label->SetCaption("客户名称");
    ShowForm();
    auto expectLeftOfEdit = [&] {
        EXPECT_EQ(label->Left(), edit->Left() - label->Width() - 3);
        EXPECT_EQ(label->Top(), edit->Top() + (edit->Height() - label->Height()) / 2 - 2);
    };
    EXPECT_EQ(label->Width(), 48);
    EXPECT_EQ(label->Height(), 12);
    EXPECT_EQ(label->BoundsRect(), Bounds(49, 43, 48, 12));

    edit->SetBounds(150, 100, 120, 17);
    EXPECT_EQ(label->BoundsRect(), Bounds(99, 100, 48, 12));
    // The label grows with its caption and font, and is placed again.
    label->SetCaption("部门");
    expectLeftOfEdit();
    EXPECT_EQ(label->Left(), 150 - 24 - 3);
    label->Font()->SetHeight(-16);
    expectLeftOfEdit();
    EXPECT_GT(label->Height(), 12);

    // Moved to another parent, the label goes along.
    auto* panel = new ui::TPanel(form);
    panel->SetBounds(0, 150, 300, 100);
    panel->SetParent(form);
    edit->SetParent(panel);
    EXPECT_EQ(label->Parent(), panel);
    expectLeftOfEdit();
}

TEST_F(PickEditTest, VisibleEnabledAndReadingDirectionPassToTheLabel)
{
    auto* edit = AddEdit("Edit", Bounds(100, 40, 120, 22));
    TBoundLabel* label = edit->EditLabel();
    ShowForm();
    EXPECT_TRUE(label->Visible());
    edit->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    edit->SetVisible(true);
    EXPECT_TRUE(label->Visible());
    edit->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
    edit->SetEnabled(true);
    EXPECT_TRUE(label->Enabled());
    edit->SetBiDiMode(ui::bdRightToLeft);
    EXPECT_EQ(label->BiDiMode(), ui::bdRightToLeft);

    // A hidden edit put on a parent keeps its label hidden too.
    auto* hidden = new TQorPickEditClass(form);
    hidden->SetVisible(false);
    hidden->SetParent(form);
    EXPECT_FALSE(hidden->EditLabel()->Visible());
}

TEST_F(PickEditTest, WhileDesignedTheCaptionFollowsTheName)
{
    form->SetDesigning(true);
    auto* edit = new TQorPickEditClass(form);
    edit->SetName("PickEdit1");
    EXPECT_EQ(edit->EditLabel()->Caption(), "PickEdit1");
    edit->SetName("Customer");
    EXPECT_EQ(edit->EditLabel()->Caption(), "Customer");
    edit->EditLabel()->SetCaption("客户");
    edit->SetName("Vendor");
    EXPECT_EQ(edit->EditLabel()->Caption(), "客户") << "a caption of its own stays";
    form->SetDesigning(false);
}

TEST_F(PickEditTest, CompanionsLiveAndDieWithTheEdit)
{
    auto* edit = AddEdit("Edit", Bounds(100, 40, 120, 22));
    ShowForm();
    const int controls = form->ControlCount();
    EXPECT_EQ(edit->PickButton()->Parent(), edit);
    EXPECT_EQ(edit->Underline()->Parent(), edit);
    EXPECT_EQ(edit->PickButton()->FocusControl(), edit);
    EXPECT_EQ(edit->EditLabel()->FocusControl(), edit);
    EXPECT_TRUE(edit->EditLabel()->Transparent());

    delete edit->EditLabel();
    EXPECT_EQ(edit->EditLabel(), nullptr);
    EXPECT_EQ(form->ControlCount(), controls - 1);
    edit->SetBounds(120, 60, 100, 22);  // places no freed label
    edit->SetVisible(false);

    auto* other = AddEdit("Other", Bounds(100, 90, 120, 22));
    EXPECT_EQ(form->ControlCount(), controls + 1);
    delete other;
    EXPECT_EQ(form->ControlCount(), controls - 1) << "the label went with its edit";
}

// ---- The button and the keys ------------------------------------------------------

TEST_F(PickEditTest, AClickOnTheButtonRaisesOnButtonClickAndFocusesTheEdit)
{
    auto* other = AddEdit("Other", Bounds(80, 10, 120, 22));
    auto* edit = AddEdit("Edit", Bounds(80, 50, 120, 22));
    core::TObject* sender = nullptr;
    int clicks = 0, downClicks = 0;
    edit->OnButtonClick = [&](core::TObject* s) {
        sender = s;
        ++clicks;
    };
    edit->PickButton()->OnDownClick = [&](core::TObject*) { ++downClicks; };
    ShowForm();
    other->SetFocus();
    display->Click(Centre(edit->PickButton()->Btn()));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, edit->PickButton()->Btn());
    EXPECT_EQ(downClicks, 0) << "the edit takes the button's clicks";
    EXPECT_TRUE(edit->Focused());

    edit->SetButtonEnabled(false);
    EXPECT_FALSE(edit->PickButton()->Btn()->Enabled());
    display->Click(Centre(edit->PickButton()->Btn()));
    EXPECT_EQ(clicks, 1);
    edit->SetButtonEnabled(true);
    EXPECT_TRUE(edit->ButtonEnabled());
}

TEST_F(PickEditTest, EnterPicksAndMovesOnArrowsMoveAlone)
{
    struct Case {
        const char* name;
        unsigned key;
        bool readOnly;
        int clicks;
        const char* focused;
    } const cases[] = {
        {"Enter", ui::VK_RETURN, false, 1, "Third"},
        {"Enter, read-only", ui::VK_RETURN, true, 0, "Third"},
        {"Down", ui::VK_DOWN, false, 0, "Third"},
        {"Up", ui::VK_UP, false, 0, "First"},
        {"Left", ui::VK_LEFT, false, 0, "Second"},
    };
    AddEdit("First", Bounds(80, 10, 120, 22));
    auto* second = AddEdit("Second", Bounds(80, 50, 120, 22));
    AddEdit("Third", Bounds(80, 90, 120, 22));
    core::TObject* sender = nullptr;
    int clicks = 0;
    second->OnButtonClick = [&](core::TObject* s) {
        sender = s;
        ++clicks;
    };
    ShowForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks = 0;
        sender = nullptr;
        second->SetReadOnly(c.readOnly);
        second->SetFocus();
        display->PressKey(c.key);
        EXPECT_EQ(clicks, c.clicks);
        if (c.clicks) {
            EXPECT_EQ(sender, second);
        }
        ASSERT_NE(form->ActiveControl(), nullptr);
        EXPECT_EQ(form->ActiveControl()->Name(), c.focused);
    }

    // A form's own OnKeyDown replaces the key handling.
    second->SetReadOnly(false);
    second->OnKeyDown = [](core::TObject*, uint16_t&, ui::TShiftState) {};
    second->SetFocus();
    display->PressKey(ui::VK_RETURN);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form->ActiveControl(), second);
}

TEST_F(PickEditTest, CutAndPasteNeedEditorEnabledAndAWritableField)
{
    struct Case {
        bool editorEnabled, readOnly;
        bool cutAndPaste;
    } const cases[] = {{true, false, true}, {false, false, false}, {true, true, false}, {false, true, false}};
    auto* edit = AddEdit("Edit", Bounds(80, 10, 120, 22));
    ShowForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "EditorEnabled " << c.editorEnabled << ", ReadOnly " << c.readOnly);
        edit->SetReadOnly(false);
        edit->SetText("");
        edit->SetEditorEnabled(c.editorEnabled);
        edit->SetFocus();
        display->Type("ab");
        EXPECT_EQ(edit->Text(), "ab") << "typing always works";
        edit->SetReadOnly(c.readOnly);

        ui::WindowManager().SetClipboardText("XY");
        display->PressKey(ui::VK_END);
        display->PressKey('V', {ui::VK_CONTROL});
        display->PressKey(ui::VK_INSERT, {ui::VK_SHIFT});
        EXPECT_EQ(edit->Text(), c.cutAndPaste ? "abXYXY" : "ab");

        edit->SelectAll();
        display->PressKey('X', {ui::VK_CONTROL});
        EXPECT_EQ(edit->Text(), c.cutAndPaste ? "" : "ab");
        edit->SetText("cd");
        edit->SelectAll();
        display->PressKey(ui::VK_DELETE, {ui::VK_SHIFT});
        EXPECT_EQ(edit->Text(), c.cutAndPaste ? "" : "cd");

        // Copying takes nothing away, so it is always allowed.
        edit->SetText("copy me");
        edit->SelectAll();
        display->PressKey('C', {ui::VK_CONTROL});
        EXPECT_EQ(ui::WindowManager().ClipboardText(), "copy me");
    }
}

// ---- Filing and painting ----------------------------------------------------------

TEST_F(PickEditTest, OnlyTheEditIsFiledAndItsSettingsComeBack)
{
    auto* edit = AddEdit("Amount", Bounds(80, 10, 120, 22));
    edit->SetCheckFmt(cfDecimal);
    edit->SetFmtDecimal(fdQty);
    edit->SetPlusNumber(false);
    edit->SetEditorEnabled(false);
    edit->SetButtonEnabled(false);
    edit->EditLabel()->SetCaption("数量");
    AnsiString text = filing::ComponentToText(form);
    EXPECT_NE(text.find("object Amount: TQorPickEditClass"), AnsiString::npos) << text;
    for (const char* absent : {"SubLabel", "TCPickButton", "TShape", "OnEnter", "OnExit", "OnKeyDown"})
        EXPECT_EQ(text.find(absent), AnsiString::npos) << absent << " in\n" << text;

    delete edit;
    filing::ReadComponentText(text, form);
    auto* read = dynamic_cast<TQorPickEditClass*>(form->FindComponent("Amount"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->CheckFmt(), cfDecimal);
    EXPECT_EQ(read->FmtDecimal(), fdQty);
    EXPECT_FALSE(read->PlusNumber());
    EXPECT_FALSE(read->EditorEnabled());
    EXPECT_FALSE(read->ButtonEnabled());
    EXPECT_EQ(read->Glyph()->Width(), 12);
    EXPECT_TRUE(read->OnExit.Assigned()) << "the default handlers are the edit's own";

    const core::TClass& cls = TQorPickEditClass::StaticClass();
    for (const char* name : {"FmtDecimal", "CheckFmt", "PlusNumber", "EditorEnabled", "ButtonEnabled", "Glyph",
                             "OnButtonClick", "AutoSelect", "AutoSize", "MaxLength", "ReadOnly", "Text", "TabStop",
                             "OnChange", "OnEnter", "OnExit", "OnKeyDown"})
        EXPECT_NE(cls.FindProperty(name), nullptr) << name;
    TQorPickEditClass fresh(nullptr);
    EXPECT_TRUE(fresh.TabStop());
    EXPECT_TRUE(fresh.PlusNumber());
    EXPECT_TRUE(fresh.EditorEnabled());
    EXPECT_TRUE(fresh.AutoSelect());
}

TEST_F(PickEditTest, FramedAndBorderlessFieldsWithTheirLabels)
{
    auto* framed = AddEdit("Framed", Bounds(80, 10, 120, 21));
    framed->EditLabel()->SetCaption("客户名称");
    framed->SetText("12.5000");
    auto* flat = AddEdit("Flat", Bounds(80, 45, 120, 21));
    flat->SetBorderStyle(ui::bsNone);
    flat->EditLabel()->SetCaption("部门");
    flat->SetText("销售部");
    auto* bare = AddEdit("Bare", Bounds(80, 80, 120, 21));
    bare->PickButton()->SetVisible(false);
    bare->EditLabel()->SetCaption("备注");
    bare->SetText("no button");
    auto* narrow = AddEdit("Narrow", Bounds(80, 115, 12, 21));
    narrow->EditLabel()->SetCaption("窄");
    ShowForm(220, 145);
    narrow->SetFocus();
    Pump();
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(form), "controls_pick_edits"));
}
