#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Exception.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageForm.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/Snapshot.h"

using namespace ui;
using backend::THeadlessBackend;

namespace {

// Input queued from inside the box's modal loop: it reaches the box the way
// the display's input does, through the application's loop.
void Key(unsigned vk, std::initializer_list<unsigned> modifiers = {})
{
    TWindowManager& wm = WindowManager();
    for (unsigned m : modifiers)
        wm.InjectKey(m, true);
    wm.InjectKey(vk, true);
    wm.InjectKey(vk, false);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        wm.InjectKey(*it, false);
}

void ClickOn(TControl* control)
{
    TPoint p = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    TWindowManager& wm = WindowManager();
    wm.InjectMouseMove(p);
    wm.InjectMouseButton(mbLeft, true, p);
    wm.InjectMouseButton(mbLeft, false, p);
}

// Runs `act` once, from a timer of whatever loop runs in 100 ms.
void Later(std::function<void()> act)
{
    auto id = std::make_shared<uintptr_t>(0);
    *id = WindowManager().SetTimer(nullptr, 0, 100, [id, act] {
        WindowManager().KillTimer(nullptr, *id);
        act();
    });
}

// Runs `act` once on the message box on screen, from a timer of its loop.
// The box is painted by then: paint requests come before a timer that is
// not yet due.
void WhenShown(std::function<void(TMessageForm&)> act)
{
    Later([act] {
        auto* box = dynamic_cast<TMessageForm*>(Screen().ActiveForm());
        ASSERT_NE(box, nullptr) << "no message box is active";
        act(*box);
    });
}

std::unique_ptr<graphics::TBitmap> Picture(THeadlessBackend& display, HWND window)
{
    return testsupport::SnapshotBitmap(display.Snapshot(window));
}

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = &THeadlessBackend::Install();
        Application().Initialize();
    }
    void TearDown() override { WindowManager().Reset(); }

    THeadlessBackend* display = nullptr;
};

struct AnswerCase {
    const char* name;
    unsigned style;
    std::function<void(TMessageForm&)> act;
    int expected;
};

void PressButton(TMessageForm& box, int id)
{
    ClickOn(box.ButtonFor(id));
}

}  // namespace

TEST_F(MessageBoxTest, EachButtonSetAnswersEnterEscapeClicksAndAccelerators)
{
    const AnswerCase cases[] = {
        {"ok enter", MB_OK, [](TMessageForm&) { Key(VK_RETURN); }, IDOK},
        {"ok escape", MB_OK, [](TMessageForm&) { Key(VK_ESCAPE); }, IDOK},
        {"ok close box", MB_OK, [](TMessageForm& b) { WindowManager().InjectClose(b.Handle()); }, IDOK},
        {"ok click", MB_OK, [](TMessageForm& b) { PressButton(b, IDOK); }, IDOK},
        {"okcancel enter", MB_OKCANCEL, [](TMessageForm&) { Key(VK_RETURN); }, IDOK},
        {"okcancel escape", MB_OKCANCEL, [](TMessageForm&) { Key(VK_ESCAPE); }, IDCANCEL},
        {"okcancel close box", MB_OKCANCEL, [](TMessageForm& b) { WindowManager().InjectClose(b.Handle()); }, IDCANCEL},
        {"okcancel click cancel", MB_OKCANCEL, [](TMessageForm& b) { PressButton(b, IDCANCEL); }, IDCANCEL},
        {"okcancel tab enter", MB_OKCANCEL, [](TMessageForm&) { Key(VK_TAB); Key(VK_RETURN); }, IDCANCEL},
        // Keys go to the window focused when they are typed: the space bar
        // waits until Tab has moved the focus.
        {"okcancel tab space", MB_OKCANCEL, [](TMessageForm&) { Key(VK_TAB); Later([] { Key(VK_SPACE); }); }, IDCANCEL},
        {"yesno enter", MB_YESNO, [](TMessageForm&) { Key(VK_RETURN); }, IDYES},
        // Escape and the close box do nothing without a Cancel button; the
        // accelerator that follows answers.
        {"yesno escape", MB_YESNO, [](TMessageForm&) { Key(VK_ESCAPE); Key('N', {VK_MENU}); }, IDNO},
        {"yesno close box", MB_YESNO,
         [](TMessageForm& b) { WindowManager().InjectClose(b.Handle()); Key('N', {VK_MENU}); }, IDNO},
        {"yesno alt y", MB_YESNO, [](TMessageForm&) { Key('Y', {VK_MENU}); }, IDYES},
        {"yesno letter", MB_YESNO, [](TMessageForm&) { WindowManager().InjectText("n"); }, IDNO},
        {"yesno click no", MB_YESNO, [](TMessageForm& b) { PressButton(b, IDNO); }, IDNO},
        {"yesnocancel second default", MB_YESNOCANCEL | MB_DEFBUTTON2, [](TMessageForm&) { Key(VK_RETURN); }, IDNO},
        {"yesnocancel escape", MB_YESNOCANCEL, [](TMessageForm&) { Key(VK_ESCAPE); }, IDCANCEL},
        {"yesnocancel alt y", MB_YESNOCANCEL, [](TMessageForm&) { Key('Y', {VK_MENU}); }, IDYES},
        {"retrycancel enter", MB_RETRYCANCEL, [](TMessageForm&) { Key(VK_RETURN); }, IDRETRY},
        {"retrycancel escape", MB_RETRYCANCEL, [](TMessageForm&) { Key(VK_ESCAPE); }, IDCANCEL},
        {"retrycancel click", MB_RETRYCANCEL, [](TMessageForm& b) { PressButton(b, IDRETRY); }, IDRETRY},
        {"abortretryignore third default", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3,
         [](TMessageForm&) { Key(VK_RETURN); }, IDIGNORE},
        {"abortretryignore alt a", MB_ABORTRETRYIGNORE, [](TMessageForm&) { Key('A', {VK_MENU}); }, IDABORT},
        {"abortretryignore alt r", MB_ABORTRETRYIGNORE, [](TMessageForm&) { Key('R', {VK_MENU}); }, IDRETRY},
        {"abortretryignore escape", MB_ABORTRETRYIGNORE,
         [](TMessageForm& b) { Key(VK_ESCAPE); PressButton(b, IDIGNORE); }, IDIGNORE},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        WhenShown(c.act);
        EXPECT_EQ(MessageBox("Go on?", "Question", c.style | MB_ICONQUESTION), c.expected);
        EXPECT_EQ(Screen().FormCount(), 0) << "the box is freed when it closes";
    }
}

TEST_F(MessageBoxTest, ButtonsCaptionAndLayout)
{
    struct Expected {
        unsigned style;
        std::vector<AnsiString> captions;
    };
    const Expected sets[] = {
        {MB_OK, {"OK"}},
        {MB_OKCANCEL, {"OK", "Cancel"}},
        {MB_YESNO, {"&Yes", "&No"}},
        {MB_YESNOCANCEL, {"&Yes", "&No", "Cancel"}},
        {MB_RETRYCANCEL, {"&Retry", "Cancel"}},
        {MB_ABORTRETRYIGNORE, {"&Abort", "&Retry", "&Ignore"}},
    };
    for (const Expected& e : sets) {
        TMessageForm box(nullptr, "Text", "Title", e.style | MB_ICONWARNING);
        std::vector<AnsiString> captions;
        for (TButton* b : box.Buttons())
            captions.push_back(b->Caption());
        EXPECT_EQ(captions, e.captions);
        // The row is centred, with equal gaps, below the icon.
        const auto& buttons = box.Buttons();
        int left = buttons.front()->Left(), right = buttons.back()->Left() + buttons.back()->Width();
        EXPECT_EQ(left, box.ClientWidth() - right);
        for (TButton* b : buttons)
            EXPECT_GT(b->Top(), box.IconRect().Bottom);
    }

    // An empty caption shows "Error"; long text is broken into lines within
    // five eighths of the screen and the box grows to hold them.
    AnsiString longText;
    for (int i = 0; i < 40; ++i)
        longText += "word ";
    TMessageForm box(nullptr, longText, "", MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(box.Caption(), "Error");
    EXPECT_LE(box.TextRect().Width(), 1024 * 5 / 8);
    EXPECT_GE(box.TextRect().Height(), 2 * 12);
    EXPECT_GE(box.ClientWidth(), box.TextRect().Right);
    EXPECT_GT(box.Buttons().front()->Top(), box.TextRect().Bottom);
    EXPECT_EQ(box.IconRect(), graphics::Bounds(12, 12, 32, 32));
}

TEST_F(MessageBoxTest, DefaultFrameFollowsTheFocusedButton)
{
    bool checked = false;
    WhenShown([&](TMessageForm& box) {
        TButton* ok = box.ButtonFor(IDOK);
        TButton* cancel = box.ButtonFor(IDCANCEL);
        EXPECT_TRUE(ok->Focused());
        EXPECT_TRUE(ok->Active());
        EXPECT_FALSE(cancel->Active());
        cancel->SetFocus();
        EXPECT_FALSE(ok->Active());
        EXPECT_TRUE(cancel->Active());
        checked = true;
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(MessageBox("Text", "Title", MB_OKCANCEL), IDCANCEL);
    EXPECT_TRUE(checked);
}

TEST_F(MessageBoxTest, ExceptionFromAClickHandlerIsShownAndTheLoopGoesOn)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    auto* thrower = new TCustomControl(&form);
    thrower->SetParent(&form);
    thrower->SetBounds(10, 10, 100, 40);
    int clicks = 0;
    bool fail = true;
    thrower->OnClick = [&](core::TObject*) {
        ++clicks;
        if (fail)
            throw core::Exception("Disk full");
    };
    form.Show();
    display->PressKey(VK_TAB);

    AnsiString shownText, shownCaption;
    bool ownerDisabled = false;
    WhenShown([&](TMessageForm& box) {
        shownText = box.MessageText();
        shownCaption = box.Caption();
        ownerDisabled = !form.Handle()->Enabled();
        Key(VK_RETURN);
    });
    TPoint at = thrower->ClientToScreen({50, 20});
    display->Click(at);
    EXPECT_EQ(shownText, "Disk full.");
    EXPECT_EQ(shownCaption, "Error");
    EXPECT_TRUE(ownerDisabled) << "the form is disabled while the box is up";
    EXPECT_EQ(clicks, 1);

    // The form works as before: enabled, active, and clicks arrive.
    EXPECT_TRUE(form.Handle()->Enabled());
    EXPECT_EQ(Screen().ActiveForm(), &form);
    fail = false;
    display->Advance(1000);
    display->Click(at);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Screen().FormCount(), 1);
}

TEST_F(MessageBoxTest, AltLetterGivesASystemCharacter)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    std::vector<std::pair<uint32_t, WPARAM>> seen;
    form.Show();
    WindowManager().SetActiveWindow(form.Handle());
    TWindowManager& wm = WindowManager();
    auto hook = wm.SetWindowsHook(WH_CALLWNDPROC, [&](int, WPARAM, LPARAM lParam) {
        const auto* msg = reinterpret_cast<const TMsg*>(lParam);
        if (msg->message == WM_SYSCHAR || msg->message == WM_CHAR)
            seen.emplace_back(msg->message, msg->wParam);
        return false;
    });
    display->PressKey('Y', {VK_MENU});
    display->PressKey('Y', {VK_MENU, VK_SHIFT});
    display->PressKey('7', {VK_MENU});
    display->PressKey('Y', {VK_CONTROL});
    display->PressKey('Y');
    wm.UnhookWindowsHook(hook);
    EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, WPARAM>>{{WM_SYSCHAR, 'y'}, {WM_SYSCHAR, 'Y'}, {WM_SYSCHAR, '7'}, {WM_CHAR, 25}}));
}

// The two boxes of the account tool, as the user sees them.
TEST_F(MessageBoxTest, GoldenPicturesOfTheAccountToolBoxes)
{
    struct Box {
        const char* golden;
        const char* text;
        const char* caption;
        unsigned style;
    };
    const Box boxes[] = {
        {"ui_message_box_warning", "登录错误！请检查密码，或机器名是否正确", "错误", 0x30},
        {"ui_message_box_information", "修改成功!!", "提示", 0x40},
    };
    for (const Box& b : boxes) {
        SCOPED_TRACE(b.golden);
        AnsiString title;
        WhenShown([&](TMessageForm& box) {
            title = box.Handle()->Text();
            WindowManager().PaintAll();
            EXPECT_TRUE(testsupport::MatchesGolden(*Picture(*display, box.Handle()), b.golden));
            Key(VK_RETURN);
        });
        EXPECT_EQ(MessageBox(b.text, b.caption, b.style), IDOK);
        EXPECT_EQ(title, b.caption);
    }
}

TEST_F(MessageBoxTest, IconsAreDrawnInTheirColours)
{
    struct Icon {
        unsigned style;
        graphics::TColor body;
        graphics::TColor mark;
        TPoint markAt;
    };
    const Icon icons[] = {
        {MB_ICONERROR, graphics::clRed, graphics::clWhite, {15, 15}},
        {MB_ICONWARNING, graphics::clYellow, graphics::clBlack, {15, 12}},
        {MB_ICONINFORMATION, graphics::clBlue, graphics::clWhite, {15, 18}},
        {MB_ICONQUESTION, graphics::clBlue, graphics::clWhite, {15, 21}},
    };
    for (const Icon& icon : icons) {
        SCOPED_TRACE(icon.style);
        graphics::TBitmap bitmap(40, 40);
        DrawMessageIcon(*bitmap.Canvas(), 4, 4, icon.style);
        EXPECT_EQ(bitmap.Pixel(4 + 8, 4 + 22), icon.body);
        EXPECT_EQ(bitmap.Pixel(4 + icon.markAt.X, 4 + icon.markAt.Y), icon.mark);
        // Nothing outside the 32 by 32 square.
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(bitmap.Pixel(i, 36), graphics::clWhite);
            EXPECT_EQ(bitmap.Pixel(36, i), graphics::clWhite);
        }
    }
    graphics::TBitmap none(40, 40);
    DrawMessageIcon(*none.Canvas(), 4, 4, MB_OK);
    EXPECT_EQ(none.Pixel(20, 20), graphics::clWhite);
}

TEST_F(MessageBoxTest, KeysReleasedAfterTheirWindowWentAwayAreUp)
{
    // Alt+Y answers the box while Alt's release is still queued for it; the
    // release is not lost with the box, so the next box takes Enter.
    WhenShown([](TMessageForm&) { Key('Y', {VK_MENU}); });
    EXPECT_EQ(MessageBox("First", "", MB_YESNO), IDYES);
    WindowManager().ProcessMessages();
    EXPECT_FALSE(WindowManager().KeyDown(VK_MENU));
    WhenShown([](TMessageForm&) { Key(VK_RETURN); });
    EXPECT_EQ(MessageBox("Second", "", MB_OKCANCEL), IDOK);
}
