#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Label.h"
#include "platform/ui/Shape.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;
using graphics::Bounds;

namespace {

// A focusable control that may or may not take typed characters.
class TKeyTarget : public TCustomControl {
    CORE_CLASS(TKeyTarget, TCustomControl)
    explicit TKeyTarget(core::TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    bool WantsChars = false;
    std::vector<char> Typed;

    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_GETDLGCODE) {
            m.Result = WantsChars ? LRESULT{DLGC_WANTCHARS} : 0;
            return;
        }
        if (m.Msg == WM_CHAR)
            Typed.push_back(static_cast<char>(m.WParam));
        TCustomControl::WndProc(m);
    }
};
CORE_CLASS_IMPL(TKeyTarget)

// A label that places itself again each time it has sized itself to its
// text, as the caption labels of edits do; it records the size it saw.
class TPlacedLabel : public TCustomLabel {
    CORE_CLASS(TPlacedLabel, TCustomLabel)
    explicit TPlacedLabel(core::TComponent* owner) : TCustomLabel(owner) {}
    std::vector<graphics::TSize> Seen;

protected:
    void AdjustBounds() override
    {
        TCustomLabel::AdjustBounds();
        Seen.push_back({Width(), Height()});
    }
};
CORE_CLASS_IMPL(TPlacedLabel)

class LabelTest : public HeadlessFixture {};

// The Song face at 12 pixels: 6 pixels per Latin letter, 12 per Chinese
// character, 12 pixels a line.
constexpr int kLatin = 6;
constexpr int kLine = 12;

}  // namespace

TEST_F(LabelTest, AutoSizeFitsTheTextAsShown)
{
    struct Case {
        const char* caption;
        bool showAccelChar;
        int width;
        int height;
    };
    const Case cases[] = {
        {"名称", true, 24, kLine},
        {"&Name", true, 4 * kLatin, kLine},       // the mark is not shown
        {"&Name", false, 5 * kLatin, kLine},      // shown as it is
        {"A&&B", true, 3 * kLatin, kLine},        // "&&" shows one "&"
        {"", true, kLatin, kLine},                // measured as a space
        {"one\r\ntwo2", true, 4 * kLatin, 2 * kLine},
    };
    auto* label = Add<TLabel>("Label1", Bounds(10, 10, 100, 50));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        label->SetShowAccelChar(c.showAccelChar);
        label->SetCaption(c.caption);
        EXPECT_EQ(label->Width(), c.width);
        EXPECT_EQ(label->Height(), c.height);
        EXPECT_EQ(label->Left(), 10);
        EXPECT_EQ(label->Top(), 10);
    }
}

TEST_F(LabelTest, RightAlignedLabelKeepsItsRightEdge)
{
    auto* right = Add<TLabel>("Right", Bounds(100, 10, 100, 20));
    right->SetAutoSize(false);
    right->SetBounds(100, 10, 100, 20);
    right->SetAlignment(taRightJustify);
    right->SetCaption("ab");
    right->SetAutoSize(true);
    EXPECT_EQ(right->BoundsRect(), Bounds(188, 10, 12, kLine));
    right->SetCaption("abcd");
    EXPECT_EQ(right->BoundsRect(), Bounds(176, 10, 24, kLine));

    auto* centred = Add<TLabel>("Centred", Bounds(100, 40, 100, 20));
    centred->SetAutoSize(false);
    centred->SetBounds(100, 40, 100, 20);
    centred->SetAlignment(taCenter);
    centred->SetCaption("ab");
    centred->SetAutoSize(true);
    EXPECT_EQ(centred->BoundsRect(), Bounds(100, 40, 12, kLine));
}

TEST_F(LabelTest, WordWrapBreaksAtTheWidthAndAutoSizeOffKeepsTheSize)
{
    auto* label = Add<TLabel>("Label1", Bounds(0, 0, 40, 12));
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 40, 12);
    label->SetCaption("aaaa bbbb cc");
    label->SetWordWrap(true);
    EXPECT_EQ(label->BoundsRect(), Bounds(0, 0, 40, 12));
    label->SetAutoSize(true);
    EXPECT_EQ(label->Width(), 4 * kLatin);
    EXPECT_EQ(label->Height(), 3 * kLine);

    label->SetWordWrap(false);
    EXPECT_EQ(label->Width(), 12 * kLatin);
    EXPECT_EQ(label->Height(), kLine);
}

TEST_F(LabelTest, SizingFollowsTheParentFontAndWaitsForLoading)
{
    auto* label = Add<TLabel>("Label1", Bounds(0, 0, 10, 10));
    label->SetCaption("中文");
    EXPECT_EQ(label->Width(), 24);
    form->Font()->SetHeight(-16);
    EXPECT_GT(label->Width(), 24);
    EXPECT_GT(label->Height(), kLine);

    // While a description is read, sizing waits until everything is read.
    auto* loading = Add<TLabel>("Label2", Bounds(0, 40, 10, 10));
    int before = loading->Width();
    loading->SetLoading(true);
    loading->SetCaption("abc");
    EXPECT_EQ(loading->Width(), before);
    loading->Loaded();
    EXPECT_GT(loading->Width(), before);
}

TEST_F(LabelTest, PlacingLabelIsToldAfterEverySizingWithTheNewSize)
{
    auto* label = Add<TPlacedLabel>("SubLabel", Bounds(0, 0, 10, 10));
    label->Seen.clear();
    label->SetCaption("abc");
    ASSERT_EQ(label->Seen.size(), 1u);
    EXPECT_EQ(label->Seen.back(), (graphics::TSize{3 * kLatin, kLine}));
    label->SetCaption("四个汉字");
    ASSERT_EQ(label->Seen.size(), 2u);
    EXPECT_EQ(label->Seen.back(), (graphics::TSize{48, kLine}));
    form->Font()->SetHeight(-16);
    ASSERT_EQ(label->Seen.size(), 3u);
    EXPECT_EQ(label->Seen.back(), (graphics::TSize{label->Width(), label->Height()}));
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl)
{
    auto* other = Add<TKeyTarget>("Other", Bounds(10, 10, 60, 20));
    auto* target = Add<TKeyTarget>("Target", Bounds(10, 40, 60, 20));
    auto* label = Add<TLabel>("Label1", Bounds(80, 40, 60, 20));
    label->SetCaption("&Name");
    label->SetFocusControl(target);
    form->SetActiveControl(other);
    ShowForm(200, 100);
    ASSERT_TRUE(other->Focused());

    // Alt and the letter, whatever the focused control takes.
    other->WantsChars = true;
    display->PressKey('N', {VK_MENU});
    EXPECT_TRUE(target->Focused());
    EXPECT_TRUE(other->Typed.empty());

    // The plain letter only when the focused control does not take it.
    other->SetFocus();
    display->Type("n");
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(other->Typed, std::vector<char>{'n'});
    other->WantsChars = false;
    display->Type("N");
    EXPECT_TRUE(target->Focused());

    // Another letter does nothing.
    other->SetFocus();
    display->PressKey('M', {VK_MENU});
    EXPECT_TRUE(other->Focused());
}

TEST_F(LabelTest, AcceleratorIsIgnoredWhenTheLabelCannotUseIt)
{
    auto* other = Add<TKeyTarget>("Other", Bounds(10, 10, 60, 20));
    auto* target = Add<TKeyTarget>("Target", Bounds(10, 40, 60, 20));
    auto* label = Add<TLabel>("Label1", Bounds(80, 40, 60, 20));
    label->SetCaption("&Name");
    label->SetFocusControl(target);
    form->SetActiveControl(other);
    ShowForm(200, 100);

    label->SetShowAccelChar(false);
    display->PressKey('N', {VK_MENU});
    EXPECT_TRUE(other->Focused());
    label->SetShowAccelChar(true);

    label->SetEnabled(false);
    display->PressKey('N', {VK_MENU});
    EXPECT_TRUE(other->Focused());
    label->SetEnabled(true);

    target->SetEnabled(false);
    display->PressKey('N', {VK_MENU});
    EXPECT_TRUE(other->Focused());

    // A focus control destroyed elsewhere is forgotten.
    delete target;
    EXPECT_EQ(label->FocusControl(), nullptr);
    display->PressKey('N', {VK_MENU});
    EXPECT_TRUE(other->Focused());
}

TEST_F(LabelTest, LayoutPlacesTheTextTopCentreOrBottom)
{
    // A line 12 high in a label 40 high: 28 rows to spare.
    const struct {
        TTextLayout layout;
        int below;  // rows below the top layout's text
    } cases[] = {{tlTop, 0}, {tlCenter, 14}, {tlBottom, 28}};
    std::vector<TLabel*> labels;
    for (const auto& c : cases) {
        auto* label = Add<TLabel>("", {});
        label->SetAutoSize(false);
        label->SetBounds(30 * static_cast<int>(labels.size()), 0, 20, 40);
        label->SetLayout(c.layout);
        label->SetCaption("W");
        label->SetColor(graphics::clWhite);
        labels.push_back(label);
    }
    ShowForm(100, 50);
    auto firstInkRow = [&](const TLabel* label) {
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 20; ++x)
                if (PixelAt(label->Left() + x, y) == graphics::clBlack)
                    return y;
        return -1;
    };
    int top = firstInkRow(labels[0]);
    ASSERT_GE(top, 0);
    for (size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(firstInkRow(labels[i]) - top, cases[i].below) << i;
}

TEST_F(LabelTest, GoldenPicture)
{
    auto* plain = Add<TLabel>("Plain", Bounds(8, 8, 0, 0));
    plain->SetCaption("&Name 名称:");

    const struct {
        const char* caption;
        TAlignment alignment;
        TTextLayout layout;
        int top;
        int height;
    } boxes[] = {
        {"左对齐", taLeftJustify, tlTop, 26, 16},
        {"居中", taCenter, tlCenter, 46, 24},
        {"&Right", taRightJustify, tlBottom, 74, 24},
    };
    for (const auto& b : boxes) {
        auto* label = Add<TLabel>("", {});
        label->SetAutoSize(false);
        label->SetBounds(8, b.top, 100, b.height);
        label->SetColor(graphics::clWindow);
        label->SetAlignment(b.alignment);
        label->SetLayout(b.layout);
        label->SetCaption(b.caption);
    }

    auto* disabled = Add<TLabel>("Disabled", Bounds(120, 8, 0, 0));
    disabled->SetCaption("&Disabled 禁用");
    disabled->SetEnabled(false);

    auto* wrapped = Add<TLabel>("Wrapped", {});
    wrapped->SetAutoSize(false);
    wrapped->SetBounds(120, 26, 90, 0);
    wrapped->SetWordWrap(true);
    wrapped->SetCaption("Words wrap at the width 自动换行");
    wrapped->SetAutoSize(true);

    // A transparent label over a white shape lets the shape show.
    auto* back = Add<TShape>("Back", Bounds(120, 74, 90, 24));
    back->Pen()->SetStyle(graphics::psClear);
    auto* transparent = Add<TLabel>("Transparent", Bounds(124, 80, 0, 0));
    transparent->SetTransparent(true);
    transparent->SetCaption("透明 &Clear");

    ShowForm(220, 106);
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "ui_label"));
}
