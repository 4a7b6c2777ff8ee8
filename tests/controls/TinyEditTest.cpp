#include <gtest/gtest.h>

#include <vector>

#include "controls/EditExitCheck.h"
#include "controls/Registration.h"
#include "flat/FlatButton.h"
#include "controls/TinyEdit.h"
#include "controls/TinyEditBtn.h"
#include "platform/core/StringList.h"
#include "platform/filing/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Label.h"
#include "platform/ui/Registration.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace controls;
using graphics::Bounds;

namespace {

class TinyEditTest : public HeadlessFixture {
protected:
    void TearDown() override
    {
        BaseInfoSelector = nullptr;
        ShowInfoHints = false;
        HeadlessFixture::TearDown();
    }

    TTinyEdit* Edit(const char* name, int top, int left = 100)
    {
        return Add<TTinyEdit>(name, Bounds(left, top, 120, 18));
    }
    // Leaves the focused field for `next` by the keyboard (Tab), so that its
    // exit check runs.
    void TabTo(ui::TWinControl* next)
    {
        display->PressKey(ui::VK_TAB);
        ASSERT_TRUE(next->Focused());
    }
};

std::vector<AnsiString> Items(std::initializer_list<const char*> items)
{
    return {items.begin(), items.end()};
}

void Fill(core::TStrings& list, const std::vector<AnsiString>& items)
{
    list.Clear();
    for (const AnsiString& item : items)
        list.Add(item);
}

}  // namespace

TEST_F(TinyEditTest, ANewEditHasTheFamilysDefaults)
{
    ShowInfoHints = true;
    auto* edit = new TTinyEdit(form);
    EXPECT_EQ(edit->Width(), 80);
    EXPECT_EQ(edit->Height(), 18);
    EXPECT_TRUE(edit->TabStop());
    EXPECT_FALSE(edit->WordWrap());
    EXPECT_TRUE(edit->ShowHint()) << "ShowInfoHints at creation";
    EXPECT_EQ(edit->CheckFmt(), cfNone);
    EXPECT_TRUE(edit->PlusNumber());
    EXPECT_EQ(edit->LabelSpacing(), 3);
    EXPECT_EQ(edit->ButtonWidth(), 15);
    EXPECT_TRUE(edit->ButtonEnabled());
    EXPECT_FALSE(edit->ButtonVisible());
    ASSERT_NE(edit->Button(), nullptr);
    EXPECT_FALSE(edit->Button()->Visible());
    // The magnifier, on olive, which the bottom-left pixel makes transparent.
    ASSERT_NE(edit->Glyph(), nullptr);
    EXPECT_EQ(edit->Glyph()->Width(), 12);
    EXPECT_EQ(edit->Glyph()->Height(), 12);
    EXPECT_EQ(edit->Glyph()->Pixel(0, 11), graphics::clOlive);
    EXPECT_EQ(edit->Glyph()->Pixel(0, 4), graphics::clBlack);
    ShowInfoHints = false;
    EXPECT_FALSE((new TTinyEdit(form))->ShowHint());
}

TEST_F(TinyEditTest, ReturnsWhatTheUserTypedAsGbk)
{
    auto* edit = Add<TTinyEdit>("Server", Bounds(80, 16, 185, 18));
    ShowForm();
    EXPECT_EQ(edit->Height(), 18) << "the height stays what the form gave";
    display->Click(Centre(edit));
    display->Type("\xE4\xB8\xBB\xE6\x9C\xBA 01");  // 主机 01 in UTF-8
    EXPECT_EQ(edit->Text(), "主机 01");
    // The clipboard carries Chinese text both ways.
    edit->SelectAll();
    edit->CopyToClipboard();
    EXPECT_EQ(display->ClipboardText(), "主机 01");
    display->SetClipboardText("中文");
    display->PressKey(ui::VK_END);
    display->PressKey('V', {ui::VK_CONTROL});
    EXPECT_EQ(edit->Text(), "主机 01中文");
    // The input method's window follows the caret.
    graphics::TRect area = display->TextInputArea();
    graphics::TPoint corner = edit->ClientToScreen({0, 0});
    EXPECT_GT(area.Left, corner.X + 40) << "past the typed text";
    EXPECT_GE(area.Top, corner.Y);
    EXPECT_LE(area.Top, corner.Y + edit->Height());
}

TEST_F(TinyEditTest, PasswordCharShowsInPlaceOfEachCharacterAndTextStaysTyped)
{
    auto* secret = Edit("Secret", 20);
    auto* stars = Edit("Stars", 60);
    auto* other = Edit("Other", 100);
    secret->SetPasswordChar('*');
    ShowForm();
    display->Click(Centre(secret));
    display->Type("ab;c");
    stars->SetText("****");
    EXPECT_EQ(secret->Text(), "ab;c");
    // Away from the focus, the two fields look alike.
    display->Click(Centre(other));
    auto picture = Picture(form);
    int differing = 0;
    int inked = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 120; ++x) {
            graphics::TColor p = picture->Pixel(100 + x, 20 + y);
            differing += p != picture->Pixel(100 + x, 60 + y);
            inked += p == graphics::clBlack;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, 10) << "the stars are drawn";
}

TEST_F(TinyEditTest, TheLabelStandsWhereLabelPositionSays)
{
    auto* edit = Add<TTinyEdit>("Server", Bounds(100, 50, 120, 18));
    edit->SetLabelCaption("服务器名");
    ShowForm();
    ui::TCustomLabel* label = edit->Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), form);
    EXPECT_EQ(label->Width(), 48) << "four characters of 12 pixels";
    int h = label->Height();
    struct {
        TLabelPosition position;
        int spacing, left, top;
    } const cases[] = {
        {lpLeft, 3, 100 - 48 - 3, 50 + (18 - h) / 2 - 2},
        {lpRight, 3, 100 + 120 + 3, 50 + (18 - h) / 2 - 2},
        {lpAbove, 5, 100, 50 - h - 5},
        {lpBelow, 5, 100, 50 + 18 + 5},
        {lpLeft, 10, 100 - 48 - 10, 50 + (18 - h) / 2 - 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        edit->SetLabelPosition(c.position);
        edit->SetLabelSpacing(c.spacing);
        EXPECT_EQ(label->Left(), c.left);
        EXPECT_EQ(label->Top(), c.top);
    }
    // Moving the edit or changing the caption places the label again.
    edit->SetBounds(150, 80, 120, 18);
    EXPECT_EQ(label->Left(), 150 - 48 - 10);
    edit->SetLabelCaption("名");
    EXPECT_EQ(label->Left(), 150 - 12 - 10);

    edit->SetLabelVisible(false);
    EXPECT_FALSE(label->Visible());
    edit->SetLabelVisible(true);
    edit->Hide();
    EXPECT_FALSE(label->Visible());
    edit->Show();
    EXPECT_TRUE(label->Visible());
    edit->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
    edit->SetEnabled(true);
    // Label and button are the edit's: not filed with the form, gone with it.
    EXPECT_EQ(label->Owner(), edit);
    delete edit;
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(TinyEditTest, TheCaptionsAcceleratorFocusesTheEdit)
{
    auto* first = Edit("First", 20);
    auto* server = Edit("Server", 60);
    server->SetLabelCaption("服务器(&S)");
    ShowForm();
    first->SetFocus();
    display->PressKey('S', {ui::VK_MENU});
    EXPECT_TRUE(server->Focused());
    EXPECT_EQ(server->SelLength(), 0) << "nothing typed: the accelerator is no character";
}

TEST_F(TinyEditTest, ABaseTypeGivesAnEmptyCaptionItsKindsName)
{
    struct {
        TBaseType type;
        const char* caption;
    } const kinds[] = {{btSubject, "帐户"}, {btCustomer, "客户名称"}, {btDept, "部门"}, {btEmployee, "经手人"},
                       {btStock, "仓库"}, {btProduct, "商品"},      {btVendor, "供应商"}, {btVoucher, "单据"},
                       {btZone, "地区"},   {btPos, "货位"},         {btBType, "往来单位"}, {btLocation, ""},
                       {btAudit, ""},      {btSign, ""},            {btVipCard, ""},       {btNone, ""}};
    for (const auto& k : kinds) {
        auto* edit = new TTinyEdit(form);
        edit->SetBaseType(k.type);
        EXPECT_EQ(edit->LabelCaption(), k.caption) << k.type;
        EXPECT_EQ(edit->Label()->Caption(), k.caption) << k.type;
        delete edit;
    }
    auto* kept = new TTinyEdit(form);
    kept->SetLabelCaption("买方");
    kept->SetBaseType(btCustomer);
    EXPECT_EQ(kept->LabelCaption(), "买方");
}

TEST_F(TinyEditTest, ThePickButtonStandsAtTheRightOnlyWhenShown)
{
    auto* edit = Add<TTinyEdit>("Customer", Bounds(100, 50, 120, 18));
    TTinyEditBtn* button = edit->Button();
    ShowForm();
    EXPECT_EQ(button->Parent(), form);
    EXPECT_FALSE(button->Visible());
    EXPECT_EQ(button->BoundsRect(), Bounds(101, 50, 15, 18)) << "hidden: inside the edit's left edge";
    edit->SetButtonVisible(true);
    EXPECT_TRUE(button->Visible());
    EXPECT_EQ(button->BoundsRect(), Bounds(221, 50, 15, 18));
    edit->SetButtonWidth(20);
    edit->SetBounds(80, 70, 100, 22);
    EXPECT_EQ(button->BoundsRect(), Bounds(181, 70, 20, 22));
    edit->Hide();
    EXPECT_FALSE(button->Visible());
    edit->Show();
    EXPECT_TRUE(button->Visible());
    edit->SetButtonEnabled(false);
    EXPECT_FALSE(button->Enabled());
    edit->SetEnabled(false);
    edit->SetEnabled(true);
    EXPECT_TRUE(button->Enabled()) << "the edit's Enabled is handed on";
    // RedWord turns the text red and back.
    edit->SetRedWord(true);
    EXPECT_EQ(edit->Font()->Color(), graphics::clRed);
    edit->SetRedWord(false);
    EXPECT_EQ(edit->Font()->Color(), graphics::clWindowText);
}

TEST_F(TinyEditTest, LeavingTheFieldRunsItsExitCheck)
{
    struct {
        TCheckFmt check;
        TFmtDec format;
        const char* typed;
        const char* shown;
    } const cases[] = {
        {cfNone, fdNone, "  plain  ", "plain"},
        {cfDecimal, fdNone, "1200*3+5", "3605"},
        {cfDecimal, fdQty, "1,234.50", "1234.5"},
        {cfDecimal, fdQty, "0", ""},
        {cfNumber, fdNone, "1,234.99", "1234"},
        {cfDate, fdNone, "2004-13-45", ""},
        {cfDate, fdNone, " 2004-2-9 ", "2004-02-09"},
    };
    auto* field = Edit("Field", 20);
    auto* next = Edit("Next", 60);
    ShowForm();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        field->SetCheckFmt(c.check);
        field->SetFmtDecimal(c.format);
        field->SetFocus();
        field->SelectAll();
        display->Type(c.typed);
        TabTo(next);
        EXPECT_EQ(field->Text(), c.shown);
        EXPECT_EQ(field->AcceptedValue(), c.shown);
    }
    // A read-only field is left as it is.
    field->SetCheckFmt(cfNumber);
    field->SetText(" 12a ");
    field->SetReadOnly(true);
    field->SetFocus();
    TabTo(next);
    EXPECT_EQ(field->Text(), " 12a ");
}

TEST_F(TinyEditTest, AFieldBoundToMasterDataTakesNoTypedText)
{
    auto* customer = Edit("Customer", 20);
    auto* next = Edit("Next", 60);
    customer->SetBaseType(btCustomer);
    customer->SetText("华联超市");
    customer->SetszID("0001");
    customer->SetnID(7);
    customer->SetHint("说明：");
    ShowForm();
    display->Click(Centre(customer));
    display->Type("x");
    TabTo(next);
    EXPECT_EQ(customer->Text(), "华联超市") << "the accepted value comes back";
    EXPECT_EQ(customer->szID(), "0001");
    // Emptying it clears the record's identifiers and the hint.
    display->Click(Centre(customer));
    customer->SelectAll();
    display->PressKey(ui::VK_DELETE);
    display->Type("  ");
    TabTo(next);
    EXPECT_EQ(customer->Text(), "");
    EXPECT_EQ(customer->szID(), "");
    EXPECT_EQ(customer->nID(), 0);
    EXPECT_EQ(customer->Hint(), "");
}

TEST_F(TinyEditTest, AFormsOwnHandlerReplacesTheDefault)
{
    auto* field = Edit("Field", 20);
    auto* next = Edit("Next", 60);
    field->SetCheckFmt(cfNumber);
    int exits = 0;
    field->OnExit = [&](core::TObject*) { ++exits; };
    ShowForm();
    display->Click(Centre(field));
    display->Type("12abc");
    TabTo(next);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(field->Text(), "12abc");
}

TEST_F(TinyEditTest, EnterAndTheArrowsMoveTheFocusUnlessMultiLine)
{
    auto* a = Edit("A", 20);
    auto* b = Edit("B", 50);
    auto* c = Edit("C", 80);
    int picks = 0;
    b->OnButtonClick = [&](core::TObject* sender) {
        EXPECT_EQ(sender, b);
        ++picks;
    };
    ShowForm();
    display->Click(Centre(a));
    display->PressKey(ui::VK_DOWN);
    EXPECT_TRUE(b->Focused());
    display->PressKey(ui::VK_RETURN);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(picks, 1) << "Enter picks through the pick button's click";
    EXPECT_EQ(b->Text(), "") << "no line break in a one-line field";
    display->PressKey(ui::VK_UP);
    EXPECT_TRUE(b->Focused());
    b->SetReadOnly(true);
    display->PressKey(ui::VK_RETURN);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(picks, 1) << "a read-only field moves on without a pick";

    c->SetMultiLine(true);
    c->SetBounds(100, 80, 120, 60);
    c->SetFocus();
    display->Type("ab");
    display->PressKey(ui::VK_RETURN);
    display->Type("cd");
    display->PressKey(ui::VK_UP);
    display->PressKey(ui::VK_DOWN);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(c->Text(), "ab\r\ncd");
    EXPECT_EQ(c->Lines()->Count(), 2);
}

namespace {

// A host's selector that notes every call and chooses the record it was given.
struct RecordingSelector {
    struct Call {
        TTinyEdit* edit;
        TBaseType type;
        AnsiString textSeen;
    };
    std::vector<Call> calls;
    bool choose = true;
    AnsiString text;
    std::vector<AnsiString> record;

    void Install()
    {
        BaseInfoSelector = [this](TTinyEdit* edit, TBaseType type) {
            calls.push_back({edit, type, edit->Text()});
            if (!choose)
                return false;
            Fill(*edit->RecordData(), record);
            edit->SetText(text);
            edit->SetszID(record.empty() ? AnsiString() : record[0]);
            edit->Perform(WM_TINYACCEPTTEXT, 0, 0);
            return true;
        };
    }
};

}  // namespace

TEST_F(TinyEditTest, PickAsksTheHostsSelectorByDoubleClickButtonAndEnter)
{
    auto* customer = Edit("Customer", 20);
    auto* next = Edit("Next", 60);
    customer->SetBaseType(btCustomer);
    customer->SetButtonVisible(true);
    int afterPick = 0;
    customer->OnButtonClick = [&](core::TObject*) { ++afterPick; };
    RecordingSelector selector;
    selector.text = "华联超市";
    selector.record = Items({"0001"});
    selector.Install();
    ShowForm();

    display->DoubleClick(Centre(customer));
    ASSERT_EQ(selector.calls.size(), 1u);
    EXPECT_EQ(selector.calls[0].edit, customer);
    EXPECT_EQ(selector.calls[0].type, btCustomer);
    EXPECT_EQ(customer->Text(), "华联超市");
    EXPECT_EQ(customer->AcceptedValue(), "华联超市");
    EXPECT_EQ(customer->szID(), "0001");
    EXPECT_EQ(afterPick, 1);

    // The accepted text is not a filter: the selector starts from nothing.
    display->Click(Centre(customer->Button()));
    ASSERT_EQ(selector.calls.size(), 2u);
    EXPECT_EQ(selector.calls[1].textSeen, "");
    // Newly typed text stays as the filter; a cancelled choice puts it back.
    selector.choose = false;
    customer->SetFocus();
    customer->SelectAll();
    display->Type("\xE5\x8D\x8E");  // 华 in UTF-8
    display->PressKey(ui::VK_RETURN);
    ASSERT_EQ(selector.calls.size(), 3u);
    EXPECT_EQ(selector.calls[2].textSeen, "华");
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(customer->Text(), "华联超市") << "the typed filter went back, then the exit check restored the choice";
    EXPECT_EQ(afterPick, 3) << "OnButtonClick after every pick, chosen or not";

    // A disabled field, or a read-only one, is not picked; audit and
    // signature fields are picked while read-only.
    customer->SetReadOnly(true);
    customer->Pick(customer);
    EXPECT_EQ(selector.calls.size(), 3u);
    EXPECT_EQ(afterPick, 3);
    customer->SetBaseType(btAudit);
    customer->Pick(customer);
    EXPECT_EQ(selector.calls.size(), 4u);
    customer->SetEnabled(false);
    customer->Pick(customer);
    EXPECT_EQ(selector.calls.size(), 4u);
    // Without a base type (or a selector) only OnButtonClick runs.
    customer->SetEnabled(true);
    customer->SetReadOnly(false);
    customer->SetBaseType(btNone);
    customer->Pick(customer);
    EXPECT_EQ(selector.calls.size(), 4u);
    EXPECT_EQ(afterPick, 5);
}

TEST_F(TinyEditTest, AChosenRecordFillsTheOtherFieldsOfItsGroup)
{
    auto* customer = Edit("Customer", 10);
    auto* phone = Edit("Phone", 35);
    auto* address = Edit("Address", 60);
    auto* date = Edit("Date", 85);
    auto* deliveryDate = Edit("DeliveryDate", 110);
    auto* otherGroup = Edit("OtherGroup", 135);
    auto* dept = Edit("Dept", 160);
    auto* none = Edit("None", 185);
    auto* longText = Edit("LongText", 210);
    auto* counted = Edit("Counted", 235);
    for (TTinyEdit* e : {customer, phone, address, date, deliveryDate, dept, none, longText, counted})
        e->SetGroupIndex(3);
    otherGroup->SetGroupIndex(4);
    none->SetGroupIndex(0);
    customer->SetBaseType(btCustomer);
    customer->SetDataIndex(5);
    phone->SetDataIndex(3);
    address->SetDataIndex(4);
    otherGroup->SetDataIndex(3);
    date->SetCheckFmt(cfDate);
    deliveryDate->SetCheckFmt(cfForceDate);
    deliveryDate->SetDataIndex(2);
    dept->SetBaseType(btDept);
    dept->SetDataIndex(3);
    none->SetDataIndex(3);
    longText->SetDataIndex(6);
    counted->SetCheckFmt(cfNumber);
    counted->SetDataIndex(1);
    for (TTinyEdit* e : {phone, address, date, deliveryDate, otherGroup, dept, none, longText, counted})
        e->SetText("before");

    AnsiString longItem(254, 'x');
    longItem += "中文";
    RecordingSelector selector;
    selector.text = "华联超市";
    selector.record = {"0001", "a12", "2003-05-06", "8765 4321", "北京路 1 号", "C001", longItem};
    selector.Install();
    ShowForm(400, 260);
    customer->Pick(customer);

    EXPECT_EQ(customer->DataIndex(), 0) << "the choosing field's own index is reset";
    EXPECT_EQ(phone->Text(), "8765 4321") << "DataIndex 3: the fourth item";
    EXPECT_EQ(address->Text(), "北京路 1 号");
    EXPECT_EQ(date->Text(), TodayText()) << "a date field is stamped with today, not given item 0";
    EXPECT_EQ(deliveryDate->Text(), "2003-05-06") << "a date field that names an item takes it";
    EXPECT_EQ(otherGroup->Text(), "before");
    EXPECT_EQ(dept->Text(), "before") << "fields with a base type pick for themselves";
    EXPECT_EQ(none->Text(), "before");
    EXPECT_EQ(longText->Text(), AnsiString(254, 'x')) << "255 bytes at most, never half a character";
    EXPECT_EQ(counted->Text(), "a12") << "a filled text is not passed through the exit check";
    EXPECT_EQ(counted->AcceptedValue(), "a12");
    EXPECT_EQ(phone->AcceptedValue(), "8765 4321");

    // An index beyond the record, or below 0, asks for nothing.
    phone->SetDataIndex(40);
    address->SetDataIndex(-1);
    phone->SetText("kept");
    address->SetText("kept");
    customer->Pick(customer);
    EXPECT_EQ(phone->Text(), "kept");
    EXPECT_EQ(address->Text(), "kept");
    EXPECT_EQ(ui::WindowManager().SendMessage(customer->Handle(), WM_TINYGETITEM,
                                              reinterpret_cast<ui::WPARAM>(phone->Handle()), 7),
              0);
    EXPECT_EQ(ui::WindowManager().SendMessage(customer->Handle(), WM_TINYGETITEM,
                                              reinterpret_cast<ui::WPARAM>(phone->Handle()), 0),
              1);
    EXPECT_EQ(phone->Text(), "0001");
}

TEST_F(TinyEditTest, ThePickedRecordBecomesTheInfoHint)
{
    ShowInfoHints = true;
    auto* customer = Edit("Customer", 20);
    customer->SetBaseType(btCustomer);
    RecordingSelector selector;
    selector.text = "华联";
    selector.record.assign(29, AnsiString());
    selector.record[5] = "0001";
    selector.record[6] = "华联超市有限公司";
    selector.record[28] = "老客户";
    selector.Install();
    ShowForm();
    customer->Pick(customer);
    EXPECT_EQ(customer->Hint(), "说明：\r单位编号:0001\r单位全名:华联超市有限公司\r单位备注:老客户");

    // A record without the items shows what it has and nothing breaks.
    selector.record = Items({"", "", "", "", "", "0002"});
    customer->Pick(customer);
    EXPECT_EQ(customer->Hint(), "说明：\r单位编号:0002");
    selector.record.clear();
    customer->Pick(customer);
    EXPECT_EQ(customer->Hint(), "");

    // Only customers, vendors and trading units have one, and only while
    // the setting is on.
    selector.record = Items({"", "", "", "", "", "0003"});
    customer->SetHint("old");
    customer->SetBaseType(btDept);
    customer->Pick(customer);
    EXPECT_EQ(customer->Hint(), "old");
    customer->SetBaseType(btVendor);
    ShowInfoHints = false;
    customer->Pick(customer);
    EXPECT_EQ(customer->Hint(), "old");
}

TEST_F(TinyEditTest, GoldenPictureOfTheLooks)
{
    auto edit = [&](const char* caption, int left, int top, TLabelPosition position = lpLeft) {
        auto* e = Add<TTinyEdit>("", Bounds(left, top, 110, 18));
        e->SetColorFlat(15461355);
        e->SetLabelPosition(position);
        e->SetLabelCaption(caption);
        return e;
    };
    edit("静止", 60, 10)->SetText("plain 文字");
    auto* focused = edit("焦点", 60, 36);
    focused->SetText("focused");
    auto* hovered = edit("悬停", 60, 62);
    hovered->SetText("hovered");
    auto* disabled = edit("无效", 60, 88);
    disabled->SetText("disabled");
    disabled->SetEnabled(false);
    auto* secret = edit("密码", 60, 114);
    secret->SetPasswordChar('*');
    secret->SetText("secret");
    auto* red = edit("红字", 60, 140);
    red->SetRedWord(true);
    red->SetText("-12.5");
    edit("上方", 220, 26, lpAbove)->SetText("above");
    edit("右边", 220, 62, lpRight)->SetText("right");
    edit("下方", 220, 88, lpBelow)->SetText("below");
    auto* customer = edit("", 220, 140);
    customer->SetBaseType(btCustomer);
    customer->SetButtonVisible(true);
    customer->SetText("华联超市");
    auto* memo = edit("多行", 60, 166);
    memo->SetMultiLine(true);
    memo->SetBounds(60, 166, 110, 44);
    memo->SetText("第一行\r\nsecond line");
    ShowForm(400, 220);
    focused->SetFocus();
    display->MoveMouse(At(hovered, {50, 9}));
    EXPECT_TRUE(hovered->MouseInControl());
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "controls_tiny_edit_looks"));
    // With no flat memo focused, the pointer alone gives the active look.
    auto* holder = Add<flat::TFlatButton>("Holder", Bounds(300, 190, 40, 20));
    holder->SetFocus();
    display->MoveMouse(At(holder, {5, 5}));
    display->MoveMouse(At(hovered, {50, 9}));
    EXPECT_TRUE(hovered->IsActiveLook());
    EXPECT_TRUE(testsupport::MatchesGolden(*PictureAround(hovered, 2), "controls_tiny_edit_hovered"));
}

TEST_F(TinyEditTest, AFormFilesTheFieldsSettingsButNotItsCompanions)
{
    ui::RegisterControls();
    controls::RegisterControls();
    const char* text = R"(object Form1: TForm
  Left = 100
  Top = 100
  Caption = 'Edits'
  ClientHeight = 100
  ClientWidth = 300
  object Price: TTinyEdit
    Left = 80
    Top = 16
    Width = 120
    Height = 18
    TabOrder = 0
    Text = '12.5'
    FieldName = 'Price'
    FmtDecimal = fdPrice
    CheckFmt = cfDecimal
    PlusNumber = False
    LabelPosition = lpAbove
    LabelSpacing = 2
    LabelCaption = #21333#20215
    BaseType = btProduct
    ButtonVisible = True
    ButtonWidth = 17
    Options = [soMulti, soClass]
    GSP_AuditLimit = gspLim_CWB
    GroupIndex = 65535
    DataIndex = 7
    OnButtonClick = PriceButtonClick
  end
end
)";
    int bound = 0;
    form->RegisterMethod<core::TObject*>("PriceButtonClick", [&](core::TObject*) { ++bound; });
    filing::ReadComponentText(text, form);
    auto* price = dynamic_cast<TTinyEdit*>(form->FindComponent("Price"));
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(price->Text(), "12.5");
    EXPECT_EQ(price->FieldName(), "Price");
    EXPECT_EQ(price->FmtDecimal(), fdPrice);
    EXPECT_EQ(price->CheckFmt(), cfDecimal);
    EXPECT_FALSE(price->PlusNumber());
    EXPECT_EQ(price->LabelCaption(), "单价") << "kept although BaseType came after it";
    EXPECT_EQ(price->Label()->Top(), 16 - price->Label()->Height() - 2);
    EXPECT_EQ(price->Button()->BoundsRect(), Bounds(201, 16, 17, 18));
    EXPECT_TRUE(price->Options().Contains(soClass));
    EXPECT_EQ(price->GSP_AuditLimit(), gspLim_CWB);
    EXPECT_EQ(price->GroupIndex(), 65535);
    EXPECT_EQ(price->DataIndex(), 7);
    price->Pick(price);
    EXPECT_EQ(bound, 1);

    AnsiString written = filing::ComponentToText(form);
    for (const char* line : {"Text = '12.5'", "FmtDecimal = fdPrice", "GroupIndex = 65535", "ButtonWidth = 17",
                             "OnButtonClick = PriceButtonClick", "LabelPosition = lpAbove"})
        EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
    for (const char* absent : {"SubLabel", "TTinyEditBtn", "Lines.Strings", "Glyph", "WordWrap", "TabStop"})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent << "\n" << written;
}

TEST_F(TinyEditTest, ACompanionDestroyedElsewhereIsForgotten)
{
    auto* edit = Edit("Edit", 20);
    ShowForm();
    delete edit->Label();
    delete edit->Button();
    EXPECT_EQ(edit->Label(), nullptr);
    EXPECT_EQ(edit->Button(), nullptr);
    edit->SetLabelCaption("still");
    edit->SetButtonVisible(true);
    edit->SetBounds(10, 10, 90, 18);
    edit->Hide();
    EXPECT_EQ(edit->LabelCaption(), "still");
    EXPECT_EQ(edit->Glyph(), nullptr);
    display->PressKey(ui::VK_RETURN);
    delete edit;
    EXPECT_EQ(form->ControlCount(), 0);
}
