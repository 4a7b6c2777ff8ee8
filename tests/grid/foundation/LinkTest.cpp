#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "grid/foundation/DateTimeLink.h"
#include "grid/foundation/ImageLink.h"
#include "grid/foundation/MaskLink.h"

using namespace grid;

namespace {

std::vector<std::string> journal;

class TTestMask : public TtsMask {
public:
    bool CheckKeys() const override { return true; }
    bool RequiresComplete() const override { return false; }
    bool CheckText(const core::AnsiString&, core::AnsiString&) const override { return true; }
};

// A mask-definition component as a host would write one. With
// `tellLinks` it releases its links when destroyed, as a careful one does.
class TTestMaskDefs : public TtsMaskDefsComponent {
public:
    TTestMaskDefs(core::TComponent* owner, std::string name, bool tellLinks = true)
        : TtsMaskDefsComponent(owner), name_(std::move(name)), tellLinks_(tellLinks)
    {
    }
    ~TTestMaskDefs() override
    {
        if (!tellLinks_)
            return;
        while (!links_.empty()) {
            TtsMaskLink* link = links_.back();
            links_.pop_back();
            link->MasksRemoved();
            SetLinkMaskDefs(*link, nullptr);
        }
    }

    void AddMaskLink(TtsMaskLink* link) override
    {
        journal.push_back(name_ + " add");
        links_.push_back(link);
        SetLinkMaskDefs(*link, this);
    }
    void RemoveMaskLink(TtsMaskLink* link) override
    {
        journal.push_back(name_ + " remove");
        std::erase(links_, link);
        SetLinkMaskDefs(*link, nullptr);
    }
    TtsMask* FindMask(const core::AnsiString& name) const override
    {
        journal.push_back(name_ + " find " + name);
        auto it = masks_.find(name);
        return it == masks_.end() ? nullptr : it->second.get();
    }

    const std::vector<TtsMaskLink*>& Linked() const { return links_; }
    std::map<std::string, std::unique_ptr<TTestMask>> masks_;

private:
    std::string name_;
    bool tellLinks_;
    std::vector<TtsMaskLink*> links_;
};

class TCountingMaskLink : public TtsMaskLink {
public:
    int removed = 0;
    void MasksRemoved() override { ++removed; }
};

class MaskLinkTest : public testing::Test {
protected:
    void SetUp() override { journal.clear(); }
};

TEST_F(MaskLinkTest, SettingTheComponentGoesThroughRemoveAndAdd)
{
    TTestMaskDefs a(nullptr, "A");
    TTestMaskDefs b(nullptr, "B");
    TtsMaskLink link;
    link.SetMaskDefs(&a);
    EXPECT_EQ(link.MaskDefs(), &a);
    link.SetMaskDefs(&a);
    link.SetMaskDefs(&b);
    EXPECT_EQ(link.MaskDefs(), &b);
    EXPECT_TRUE(a.Linked().empty());
    link.SetMaskDefs(nullptr);
    EXPECT_EQ(link.MaskDefs(), nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"A add", "A remove", "B add", "B remove"}));
}

TEST_F(MaskLinkTest, FindMaskAsksTheComponentOnlyForANameWhenLinked)
{
    TTestMaskDefs defs(nullptr, "A");
    defs.masks_["Zip"] = std::make_unique<TTestMask>();
    TtsMaskLink link;
    EXPECT_EQ(link.FindMask("Zip"), nullptr);
    link.SetMaskDefs(&defs);
    journal.clear();
    EXPECT_EQ(link.FindMask(""), nullptr);
    EXPECT_EQ(link.FindMask("Zip"), defs.masks_["Zip"].get());
    EXPECT_EQ(link.FindMask("Phone"), nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"A find Zip", "A find Phone"}));
}

TEST_F(MaskLinkTest, DestroyedLinkLeavesItsComponent)
{
    TTestMaskDefs defs(nullptr, "A");
    {
        TtsMaskLink link;
        link.SetMaskDefs(&defs);
        ASSERT_EQ(defs.Linked().size(), 1u);
    }
    EXPECT_TRUE(defs.Linked().empty());
    EXPECT_EQ(journal.back(), "A remove");
}

TEST_F(MaskLinkTest, DestroyedComponentIsForgottenOnce)
{
    for (bool tellLinks : {true, false}) {
        SCOPED_TRACE(tellLinks ? "component releases its links" : "component forgets its links");
        TCountingMaskLink link;
        auto owner = std::make_unique<core::TComponent>(nullptr);
        auto* defs = new TTestMaskDefs(owner.get(), "A", tellLinks);
        link.SetMaskDefs(defs);
        owner.reset();
        EXPECT_EQ(link.MaskDefs(), nullptr);
        EXPECT_EQ(link.removed, 1);
        // Linking again after the loss works as for a new link.
        TTestMaskDefs other(nullptr, "B");
        link.SetMaskDefs(&other);
        EXPECT_EQ(link.MaskDefs(), &other);
    }
}

class TTestImageItem : public TtsImageItem {
public:
    core::AnsiString Name() const override { return "Open"; }
    core::AnsiString Qualifier() const override { return ""; }
};

class TTestImageList : public TtsImageListComponent {
public:
    using TtsImageListComponent::TtsImageListComponent;

    void AddImageLink(TtsImageLink* link) override
    {
        journal.push_back("add");
        links_.push_back(link);
        SetLinkImageList(*link, this);
    }
    void RemoveImageLink(TtsImageLink* link) override
    {
        journal.push_back("remove");
        std::erase(links_, link);
        SetLinkImageList(*link, nullptr);
    }
    TtsImageItem* ImageItem(const core::Variant&) const override { return nullptr; }
    core::AnsiString ListName() const override { return "Images"; }
    int ImageIndex(int) const override { return -1; }
    bool HasImage(const core::Variant&) const override { return false; }
    int IndexOfName(const core::AnsiString&) const override { return -1; }
    core::Variant NextImageKey(const core::AnsiString&) const override { return {}; }
    core::Variant PriorImageKey(const core::AnsiString&) const override { return {}; }

    std::vector<TtsImageLink*> links_;
};

class TCountingImageLink : public TtsImageLink {
public:
    int removed = 0;
    void ImagesRemoved() override { ++removed; }
};

TEST(ImageLink, LinksThroughTheComponentAndSurvivesItsDestruction)
{
    journal.clear();
    TCountingImageLink link;
    auto first = std::make_unique<TTestImageList>(nullptr);
    TTestImageList second(nullptr);
    link.SetImageList(first.get());
    link.SetImageList(first.get());
    link.SetImageList(&second);
    link.SetImageList(first.get());
    EXPECT_EQ(journal, (std::vector<std::string>{"add", "remove", "add", "remove", "add"}));
    EXPECT_TRUE(second.links_.empty());
    // This component does not release its links; the link notices anyway.
    first.reset();
    EXPECT_EQ(link.ImageList(), nullptr);
    EXPECT_EQ(link.removed, 1);
    {
        TtsImageLink other;
        other.SetImageList(&second);
        EXPECT_EQ(second.links_.size(), 1u);
    }
    EXPECT_TRUE(second.links_.empty());
}

class TTestSettings : public TtsDateTimeSettings {
public:
    core::Variant Value() const override { return value_; }
    void SetValue(const core::Variant& value) override { value_ = value; }
    TtsDateTimeKind Kind() const override { return dtkDate; }
    core::AnsiString Caption() const override { return "日期"; }
    void SetPopup(bool popup) override { popup_ = popup; }

private:
    core::Variant value_;
    bool popup_ = false;
};

class TTestDateTimeDef : public TtsDateTimeDefComponent {
    CORE_CLASS(TTestDateTimeDef, TtsDateTimeDefComponent)
    explicit TTestDateTimeDef(core::TComponent* owner) : TtsDateTimeDefComponent(owner) {}

    core::AnsiString Format = "yyyy-MM-dd";

    void Assign(const core::TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TTestDateTimeDef*>(source))
            Format = other->Format;
        else
            TtsDateTimeDefComponent::Assign(source);
    }

    ui::TWinControl* PickerControl() const override { return nullptr; }
    void SetOnAccept(const core::TNotifyEvent& handler) override { onAccept_ = handler; }
    void SetOnCancel(const core::TNotifyEvent& handler) override { onCancel_ = handler; }
    TtsDateTimeSettings* PickerSettings() const override { return &settings_; }
    void PreparePicker() override {}
    void ActivatePicker() override { onAccept_(this); }

private:
    mutable TTestSettings settings_;
    core::TNotifyEvent onAccept_;
    core::TNotifyEvent onCancel_;
};
CORE_CLASS_IMPL(TTestDateTimeDef)

// Records each notice in the journal under its name; may detach another link
// from the dying component when told.
class TRecordingLink : public TtsDateTimeLink {
public:
    explicit TRecordingLink(std::string name) : name_(std::move(name)) {}
    TtsDateTimeLink* detachOnRemoval = nullptr;

    void DateTimeDefRemoved(TtsDateTimeDefComponent* component) override
    {
        journal.push_back(name_ + " told");
        if (detachOnRemoval)
            detachOnRemoval->Detach(component);
    }

private:
    std::string name_;
};

class DateTimeLinkTest : public testing::Test {
protected:
    void SetUp() override { journal.clear(); }
};

TEST_F(DateTimeLinkTest, RegistrationsAreCounted)
{
    TTestDateTimeDef def(nullptr);
    TRecordingLink link("a");
    link.Attach(&def);
    link.Attach(&def);
    link.Attach(nullptr);
    ASSERT_EQ(def.LinkCount(), 1);
    EXPECT_EQ(def.Links(0), &link);
    EXPECT_EQ(def.LinkCounts(0), 2);
    link.Detach(&def);
    ASSERT_EQ(def.LinkCount(), 1);
    EXPECT_EQ(def.LinkCounts(0), 1);
    link.Detach(&def);
    EXPECT_EQ(def.LinkCount(), 0);
    link.Detach(&def);
    link.Detach(nullptr);
    EXPECT_EQ(def.LinkCount(), 0);
    EXPECT_THROW(def.Links(0), core::EListError);
}

TEST_F(DateTimeLinkTest, ForcedRemovalDropsEveryCount)
{
    TTestDateTimeDef def(nullptr);
    TRecordingLink a("a");
    TRecordingLink b("b");
    TRecordingLink c("c");
    for (TtsDateTimeLink* link : {&a, &b, &b, &b, &c})
        def.RegisterLink(link);
    def.UnregisterLink(&b, true);
    ASSERT_EQ(def.LinkCount(), 2);
    EXPECT_EQ(def.Links(0), &a);
    EXPECT_EQ(def.Links(1), &c);
    EXPECT_EQ(def.LinkCounts(1), 1);
}

TEST_F(DateTimeLinkTest, DestructionTellsTheLinksInOrder)
{
    TRecordingLink a("a");
    TRecordingLink b("b");
    TRecordingLink c("c");
    TRecordingLink d("d");
    // b detaches c while it is told; c is then not told.
    b.detachOnRemoval = &c;
    {
        TTestDateTimeDef def(nullptr);
        for (TtsDateTimeLink* link : {&a, &b, &c, &d})
            link->Attach(&def);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"a told", "b told", "d told"}));
}

TEST_F(DateTimeLinkTest, DestroyedLinkLeavesItsComponents)
{
    TTestDateTimeDef first(nullptr);
    TTestDateTimeDef second(nullptr);
    TRecordingLink stays("stays");
    stays.Attach(&first);
    {
        TRecordingLink gone("gone");
        gone.Attach(&first);
        gone.Attach(&first);
        gone.Attach(&second);
    }
    ASSERT_EQ(first.LinkCount(), 1);
    EXPECT_EQ(first.Links(0), &stays);
    EXPECT_EQ(second.LinkCount(), 0);
}

TEST_F(DateTimeLinkTest, LinkOutlivingItsComponentIsSafe)
{
    TRecordingLink link("a");
    {
        TTestDateTimeDef def(nullptr);
        link.Attach(&def);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"a told"}));
    // Destroying the link now must not reach the destroyed component.
}

TEST_F(DateTimeLinkTest, PrivateCopyThroughVirtualConstructorAndAssign)
{
    TTestDateTimeDef def(nullptr);
    def.Format = "HH:mm";
    core::TComponent form(nullptr);
    core::TObject* made = def.ClassType().CreateInstance(&form);
    auto* copy = dynamic_cast<TTestDateTimeDef*>(made);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Owner(), &form);
    EXPECT_EQ(copy->Format, "yyyy-MM-dd");
    copy->Assign(&def);
    EXPECT_EQ(copy->Format, "HH:mm");

    bool accepted = false;
    copy->SetOnAccept([&](core::TObject* sender) { accepted = sender == copy; });
    copy->PickerSettings()->SetValue(core::Variant(3));
    copy->ActivatePicker();
    EXPECT_TRUE(accepted);
    EXPECT_EQ(copy->PickerSettings()->Kind(), dtkDate);
}

}  // namespace
