#include <gtest/gtest.h>

#include <vector>

#include "controls/BoundLabel.h"
#include "platform/core/TypeInfo.h"
#include "platform/ui/Edit.h"
#include "tests/support/HeadlessFixture.h"

using namespace controls;

namespace {

// An edit that keeps its bound label at its left, three pixels away, each
// time the label has sized itself, and notes the label's size it saw.
class TPlacingEdit : public ui::TCustomEdit, public IBoundLabelOwner {
public:
    explicit TPlacingEdit(core::TComponent* owner) : ui::TCustomEdit(owner) { label = new TBoundLabel(this); }

    void BoundLabelResized(TBoundLabel* resized) override
    {
        if (resized != label)
            return;  // still being made
        seen.push_back(label->Width());
        label->SetBounds(Left() - label->Width() - 3, Top(), label->Width(), label->Height());
    }

    TBoundLabel* label = nullptr;
    std::vector<int> seen;
};

class BoundLabelTest : public HeadlessFixture {};

}  // namespace

TEST_F(BoundLabelTest, IsNamedSubLabelAndStartsWithItsOwnersName)
{
    struct Case {
        core::TComponent* owner;
        const char* caption;
    };
    auto* named = new ui::TEdit(form);
    named->SetName("AmountEdit");
    const Case cases[] = {{named, "AmountEdit"}, {form, "Form1"}, {nullptr, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        auto* label = new TBoundLabel(c.owner);
        EXPECT_EQ(label->Name(), "SubLabel");
        EXPECT_EQ(label->Caption(), c.caption);
        if (!c.owner)
            delete label;
    }
}

TEST_F(BoundLabelTest, FormsCannotPlaceItButCanSizeItOneDimensionAtATime)
{
    const core::TClass& cls = TBoundLabel::StaticClass();
    for (const char* name : {"Left", "Top"})
        EXPECT_TRUE(cls.FindProperty(name)->ReadOnly()) << name;
    for (const char* name : {"Width", "Height", "Caption", "Transparent", "Layout", "WordWrap", "ShowAccelChar",
                             "ParentColor", "Font", "ParentFont", "Color", "BiDiMode", "ShowHint", "OnClick"})
        ASSERT_NE(cls.FindProperty(name), nullptr) << name;
    EXPECT_FALSE(cls.FindProperty("Width")->ReadOnly());

    auto* label = new TBoundLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 20, 30, 15);
    cls.FindProperty("Width")->SetOrd(*label, 50);
    EXPECT_EQ(label->BoundsRect(), graphics::Bounds(10, 20, 50, 15));
    cls.FindProperty("Height")->SetOrd(*label, 25);
    EXPECT_EQ(label->BoundsRect(), graphics::Bounds(10, 20, 50, 25));
}

TEST_F(BoundLabelTest, AnOwnerThatAsksPlacesTheLabelAfterEachResize)
{
    auto* edit = new TPlacingEdit(form);
    edit->SetBounds(100, 40, 80, 18);
    edit->SetParent(form);
    edit->label->SetParent(form);
    ShowForm();
    edit->seen.clear();

    edit->label->SetCaption("金额");
    ASSERT_EQ(edit->seen.size(), 1u);
    EXPECT_EQ(edit->seen.back(), edit->label->Width()) << "asked after the label had its new size";
    int narrow = edit->label->Width();
    EXPECT_EQ(edit->label->Left(), 100 - narrow - 3);

    edit->label->SetCaption("金额合计");
    EXPECT_GT(edit->label->Width(), narrow);
    EXPECT_EQ(edit->label->Left(), 100 - edit->label->Width() - 3) << "the right edge stays by the edit";

    edit->seen.clear();
    edit->label->Font()->SetHeight(-16);
    EXPECT_FALSE(edit->seen.empty()) << "a new font re-sizes the label too";
    EXPECT_EQ(edit->label->Left(), 100 - edit->label->Width() - 3);
}

TEST_F(BoundLabelTest, AnOwnerThatDoesNotAskKeepsTheLabelWhereItWas)
{
    auto* edit = new ui::TEdit(form);
    edit->SetParent(form);
    auto* label = new TBoundLabel(edit);
    label->SetParent(form);
    label->SetBounds(7, 9, label->Width(), label->Height());
    label->SetCaption("一个很长的标题");
    EXPECT_EQ(label->Left(), 7);
    EXPECT_EQ(label->Top(), 9);
}
