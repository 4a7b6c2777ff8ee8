#include <gtest/gtest.h>

#include <vector>

#include "platform/core/ClassRegistry.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/EnumType.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Variant.h"

using namespace core;

namespace {

// Records every destruction and notification, so order can be checked.
std::vector<AnsiString> journal;

class TProbe : public TComponent {
    CORE_CLASS(TProbe, TComponent)
    explicit TProbe(TComponent* owner) : TComponent(owner) {}
    ~TProbe() override { journal.push_back("destroy " + Name()); }

    TComponent* Watched = nullptr;
    void Watch(TComponent* other)
    {
        Watched = other;
        if (other)
            other->FreeNotification(this);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == Watched)
            Watched = nullptr;
    }
};
CORE_CLASS_IMPL(TProbe)

CORE_ENUM(TShape, shCircle, shSquare, shTriangle);
CORE_ENUM(TStyle, stBold, stItalic, stUnderline);
CORE_SET(TStyles, TStyle);

class TSub : public TPersistent {
    CORE_CLASS(TSub, TPersistent)
    int Size = 9;
    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TSub*>(source))
            Size = other->Size;
        else
            TPersistent::Assign(source);
    }
};
CORE_CLASS_IMPL(TSub)

// One property of every kind, each through its getter and setter.
class TEveryKind : public TComponent {
    CORE_CLASS(TEveryKind, TComponent)
    explicit TEveryKind(TComponent* owner) : TComponent(owner) {}

    int Count() const { return count_; }
    void SetCount(int v) { count_ = v; }
    char Letter() const { return letter_; }
    void SetLetter(char v) { letter_ = v; }
    TShape Shape() const { return shape_; }
    void SetShape(TShape v) { shape_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    TStyles Styles() const { return styles_; }
    void SetStyles(TStyles v) { styles_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& v) { caption_ = v; }
    const WideString& Wide() const { return wide_; }
    void SetWide(const WideString& v) { wide_ = v; }
    const Variant& Value() const { return value_; }
    void SetValue(const Variant& v) { value_ = v; }
    TSub* Sub() const { return sub_.get(); }
    void SetSub(TSub* v) { sub_->Assign(v); }
    int64_t Big() const { return big_; }
    void SetBig(int64_t v) { big_ = v; }
    TNotifyEvent OnClick;

    static void Publish(PropertyList& list)
    {
        PropBuilder<TEveryKind> p(list);
        p.Integer("Count", &TEveryKind::Count, &TEveryKind::SetCount).Default(3);
        p.Char("Letter", &TEveryKind::Letter, &TEveryKind::SetLetter);
        p.Enum("Shape", &TEveryKind::Shape, &TEveryKind::SetShape)
            .Default(shCircle);
        p.Boolean("Visible", &TEveryKind::Visible, &TEveryKind::SetVisible).Default(true);
        p.Set("Styles", &TEveryKind::Styles, &TEveryKind::SetStyles)
            .Default(TStyles{});
        p.Float("Ratio", &TEveryKind::Ratio, &TEveryKind::SetRatio);
        p.String("Caption", &TEveryKind::Caption, &TEveryKind::SetCaption)
            .StoredWhen([](const TObject& o) { return static_cast<const TEveryKind&>(o).Count() > 0; });
        p.WideStr("Wide", &TEveryKind::Wide, &TEveryKind::SetWide);
        p.VariantProp("Value", &TEveryKind::Value, &TEveryKind::SetValue);
        p.Object<TSub>("Sub", &TEveryKind::Sub, &TEveryKind::SetSub);
        p.Int64("Big", &TEveryKind::Big, &TEveryKind::SetBig);
        p.Event("OnClick", &TEveryKind::OnClick);
    }

private:
    int count_ = 3;
    char letter_ = 'a';
    TShape shape_ = shCircle;
    bool visible_ = true;
    TStyles styles_;
    double ratio_ = 0;
    AnsiString caption_;
    WideString wide_;
    Variant value_;
    std::unique_ptr<TSub> sub_ = std::make_unique<TSub>();
    int64_t big_ = 0;
};
CORE_CLASS_IMPL(TEveryKind)

// A subclass that publishes nothing new but changes one default.
class TDerivedKind : public TEveryKind {
    CORE_CLASS(TDerivedKind, TEveryKind)
    explicit TDerivedKind(TComponent* owner) : TEveryKind(owner) { SetCount(7); }
    static void Publish(PropertyList& list)
    {
        PropBuilder<TDerivedKind> p(list);
        p.Integer("Count", &TDerivedKind::Count, &TDerivedKind::SetCount).Default(7);
    }
};
CORE_CLASS_IMPL(TDerivedKind)

class TCountedItem : public TCollectionItem {
    CORE_CLASS(TCountedItem, TCollectionItem)
    explicit TCountedItem(TCollection* collection) : TCollectionItem(collection) {}
    int Width = 0;
    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TCountedItem*>(source))
            Width = other->Width;
        else
            TCollectionItem::Assign(source);
    }
};
CORE_CLASS_IMPL(TCountedItem)

class TCountingCollection : public TCollection {
    CORE_CLASS(TCountingCollection, TCollection)
    TCountingCollection() : TCollection(TCountedItem::StaticClass()) {}
    std::vector<int> updates;  // index of the changed item, -1 for all

protected:
    void Update(TCollectionItem* item) override { updates.push_back(item ? item->Index() : -1); }
};
CORE_CLASS_IMPL(TCountingCollection)

}  // namespace

TEST(Component, OwnerDestroysOwnedInReverseOrder)
{
    journal.clear();
    auto* form = new TProbe(nullptr);
    form->SetName("Form");
    auto* first = new TProbe(form);
    first->SetName("First");
    auto* second = new TProbe(form);
    second->SetName("Second");
    (new TProbe(first))->SetName("Grandchild");
    ASSERT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->Components(1), second);
    EXPECT_EQ(second->ComponentIndex(), 1);
    EXPECT_EQ(form->FindComponent("SECOND"), second);
    EXPECT_THROW(form->Components(2), EListError);
    delete form;
    EXPECT_EQ(journal, (std::vector<AnsiString>{"destroy Form", "destroy Second", "destroy First", "destroy Grandchild"}));
}

TEST(Component, DestroyingAnOwnedComponentLeavesTheOwnerList)
{
    TProbe form(nullptr);
    auto* child = new TProbe(&form);
    delete child;
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(Component, FreeNotificationClearsReferencesBothWays)
{
    TProbe form(nullptr);
    auto* watcher = new TProbe(&form);
    auto* target = new TProbe(nullptr);
    watcher->Watch(target);
    delete target;
    EXPECT_EQ(watcher->Watched, nullptr);

    // The other way round: the watcher dies first, and the target no longer
    // holds it (deleting the target afterwards must not touch the watcher).
    auto* target2 = new TProbe(nullptr);
    watcher->Watch(target2);
    delete watcher;
    delete target2;
}

TEST(Component, NamesAreIdentifiersUniqueAmongSiblings)
{
    TProbe form(nullptr);
    auto* a = new TProbe(&form);
    auto* b = new TProbe(&form);
    a->SetName("Edit1");
    EXPECT_THROW(b->SetName("EDIT1"), EComponentError);
    for (const char* bad : {"1Edit", "Edit 1", "Edit-1", "编辑"})
        EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
    b->SetName("_Edit2");
    a->SetName("edit1");  // a case change of one's own name is allowed
    EXPECT_EQ(a->Name(), "edit1");
    b->SetName("");
    EXPECT_EQ(b->Name(), "");
}

TEST(Component, StateFlags)
{
    TProbe form(nullptr);
    auto* child = new TProbe(&form);
    form.SetDesigning(true);
    EXPECT_TRUE(child->InState(csDesigning));
    form.SetLoading(true);
    EXPECT_TRUE(form.InState(csLoading));
    form.Loaded();
    EXPECT_FALSE(form.InState(csLoading));
}

TEST(Persistent, AssignRaisesForUnrelatedClasses)
{
    TSub sub;
    TCountingCollection other;
    try {
        sub.Assign(&other);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TCountingCollection to a TSub");
    }
    try {
        sub.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TSub");
    }
}

TEST(PropertyRegistry, EveryKindRoundTripsByName)
{
    TEveryKind object(nullptr);
    const TClass& cls = object.ClassType();
    auto prop = [&](const char* name) {
        const PropInfo* p = cls.FindProperty(name);
        EXPECT_NE(p, nullptr) << name;
        return p;
    };

    prop("count")->SetOrd(object, 42);
    EXPECT_EQ(object.Count(), 42);
    prop("Letter")->SetOrd(object, 'z');
    EXPECT_EQ(object.Letter(), 'z');
    const PropInfo* shape = prop("Shape");
    shape->SetOrd(object, shape->EnumValue("SHTRIANGLE"));
    EXPECT_EQ(object.Shape(), shTriangle);
    EXPECT_EQ(shape->EnumName(shape->GetOrd(object)), "shTriangle");
    prop("Visible")->SetOrd(object, 0);
    EXPECT_FALSE(object.Visible());
    prop("Styles")->SetOrd(object, (TStyles{stBold, stUnderline}).Bits());
    EXPECT_TRUE(object.Styles().Contains(stUnderline));
    EXPECT_FALSE(object.Styles().Contains(stItalic));
    prop("Ratio")->SetFloat(object, 2.5);
    EXPECT_EQ(object.Ratio(), 2.5);
    prop("Caption")->SetStr(object, "账套");
    EXPECT_EQ(prop("Caption")->GetStr(object), "账套");
    prop("Wide")->SetStr(object, "宋体");
    EXPECT_EQ(object.Wide(), u"宋体");
    prop("Value")->SetVariant(object, Variant(12));
    EXPECT_EQ(object.Value().AsInteger(), 12);
    prop("Big")->SetOrd(object, int64_t{1} << 40);
    EXPECT_EQ(object.Big(), int64_t{1} << 40);
    TSub source;
    source.Size = 12;
    prop("Sub")->SetObject(object, &source);
    EXPECT_EQ(object.Sub()->Size, 12);
    EXPECT_EQ(prop("Sub")->GetObject(object), object.Sub());
    EXPECT_EQ(prop("Sub")->PropClass(), &TSub::StaticClass());

    // Accessing through the wrong kind is an error, not a silent zero.
    EXPECT_THROW(prop("Caption")->GetOrd(object), EPropertyError);
    EXPECT_THROW(prop("Count")->SetStr(object, "x"), EPropertyError);
}

TEST(PropertyRegistry, EventsBindByHandlerName)
{
    TProbe form(nullptr);
    auto* object = new TEveryKind(&form);
    int clicks = 0;
    TObject* sender = nullptr;
    form.RegisterMethod<TObject*>("Button1Click", [&](TObject* s) {
        ++clicks;
        sender = s;
    });
    form.RegisterMethod<TObject*, bool&>("CanClose", [](TObject*, bool&) {});

    const PropInfo* onClick = object->ClassType().FindProperty("OnClick");
    ASSERT_NE(form.MethodAddress("button1click"), nullptr);
    onClick->SetMethod(*object, TMethod{"Button1Click", *form.MethodAddress("Button1Click")});
    object->OnClick(object);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, object);
    EXPECT_EQ(onClick->GetMethodName(*object), "Button1Click");
    EXPECT_FALSE(onClick->IsDefaultValue(*object));

    // A handler of another signature does not bind.
    EXPECT_THROW(onClick->SetMethod(*object, TMethod{"CanClose", *form.MethodAddress("CanClose")}), EPropertyError);
    onClick->SetMethod(*object, TMethod{});
    EXPECT_FALSE(object->OnClick.Assigned());
}

TEST(PropertyRegistry, DefaultsStoredPredicatesAndInheritance)
{
    TEveryKind object(nullptr);
    const TClass& cls = TEveryKind::StaticClass();
    const PropInfo* count = cls.FindProperty("Count");
    EXPECT_TRUE(count->IsDefaultValue(object));
    object.SetCount(4);
    EXPECT_FALSE(count->IsDefaultValue(object));
    // Letter declares no default: it is never "at its default".
    EXPECT_FALSE(cls.FindProperty("Letter")->IsDefaultValue(object));
    EXPECT_TRUE(cls.FindProperty("Caption")->IsStored(object));
    object.SetCount(0);
    EXPECT_FALSE(cls.FindProperty("Caption")->IsStored(object));
    EXPECT_FALSE(cls.FindProperty("Name")->IsStored(object));

    // Inherited properties come first, in declaration order; a redeclared
    // one keeps its place and takes the new default.
    const auto& props = TDerivedKind::StaticClass().Properties();
    ASSERT_GE(props.size(), 3u);
    EXPECT_EQ(props[0]->Name(), "Name");
    EXPECT_EQ(props[1]->Name(), "Tag");
    EXPECT_EQ(props[2]->Name(), "Count");
    EXPECT_EQ(props[2]->Default(), 7);
    EXPECT_EQ(props.size(), TEveryKind::StaticClass().Properties().size());
    TDerivedKind derived(nullptr);
    EXPECT_TRUE(props[2]->IsDefaultValue(derived));

    std::vector<AnsiString> sorted;
    for (const PropInfo* p : cls.SortedProperties())
        sorted.push_back(p->Name());
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [](const AnsiString& a, const AnsiString& b) { return CompareText(a, b) < 0; }));
    EXPECT_EQ(sorted.front(), "Big");
}

TEST(ClassRegistry, CreatesByNameThroughTheVirtualConstructor)
{
    RegisterClasses({&TProbe::StaticClass(), &TCountedItem::StaticClass()});
    TProbe owner(nullptr);
    TObject* made = FindClass("tprobe").CreateInstance(&owner);
    ASSERT_TRUE(made->Is<TProbe>());
    EXPECT_EQ(static_cast<TComponent*>(made)->Owner(), &owner);
    EXPECT_EQ(made->ClassName(), "TProbe");
    EXPECT_TRUE(made->InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(made->InheritsFrom(TCollection::StaticClass()));
    try {
        FindClass("TMissing");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TMissing not found");
    }
    EXPECT_THROW(TObject::StaticClass().CreateInstance(), EInvalidOperation);  // the root has no constructor
    UnregisterClass(TProbe::StaticClass());
    EXPECT_EQ(GetClass("TProbe"), nullptr);
}

TEST(Collection, ItemsUpdatesAndAssign)
{
    TCountingCollection columns;
    auto* a = static_cast<TCountedItem*>(columns.Add());
    auto* b = static_cast<TCountedItem*>(columns.Add());
    a->Width = 10;
    b->Width = 20;
    EXPECT_EQ(columns.updates, (std::vector<int>{-1, -1}));
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(columns.FindItemID(b->ID()), b);
    EXPECT_THROW(columns.Items(2), EListError);

    b->SetIndex(0);
    EXPECT_EQ(columns.ItemAs<TCountedItem>(0), b);

    columns.updates.clear();
    columns.BeginUpdate();
    columns.Add();
    columns.Delete(0);
    EXPECT_TRUE(columns.updates.empty());
    columns.EndUpdate();
    EXPECT_EQ(columns.updates, (std::vector<int>{-1}));

    TCountingCollection copy;
    copy.Assign(&columns);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.ItemAs<TCountedItem>(0)->Width, 10);
    copy.Clear();
    EXPECT_EQ(copy.Count(), 0);

    // An item moved to another collection leaves the first.
    TCountingCollection other;
    a->SetCollection(&other);
    EXPECT_EQ(columns.Count(), 1);
    EXPECT_EQ(other.Items(0), a);
}
