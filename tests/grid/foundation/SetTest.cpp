#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SetTestSupport.h"
#include "grid/foundation/IntegerSet.h"
#include "grid/foundation/ObjectSet.h"
#include "platform/core/Exception.h"

using namespace grid;
using settest::Shape;
using settest::TCellElement;

namespace {

// A step of a shape case: a positive number is added, a negative one removed.
struct ShapeCase {
    const char* name;
    std::vector<int> steps;
    const char* shape;
    int count;
};

const ShapeCase kShapeCases[] = {
    {"ascending three", {1, 2, 3}, "2(1,3)", 3},
    {"ascending seven", {1, 2, 3, 4, 5, 6, 7}, "4(2(1,3),6(5,7))", 7},
    {"single rotation right", {3, 2, 1}, "2(1,3)", 3},
    {"double rotation left-right", {3, 1, 2}, "2(1,3)", 3},
    {"double rotation right-left", {1, 3, 2}, "2(1,3)", 3},
    {"balances along the path", {5, 3, 8, 4}, "5-(3+(-,4),8)", 4},
    {"shorter side catches up", {5, 3, 8, 4, 2}, "5-(3(2,4),8)", 5},
    {"rotation below the root", {1, 2, 3, 4, 5, 6, 7, 8, 9}, "4+(2(1,3),6+(5,8(7,9)))", 9},
    {"double rotation below the root", {1, 2, 3, 4, 5, 6, 7, 9, 8}, "4+(2(1,3),6+(5,8(7,9)))", 9},
    {"present key changes nothing", {2, 1, 3, 2, 1}, "2(1,3)", 3},
    {"delete leaf, parent leans", {1, 2, 3, 4, 5, 6, 7, -1}, "4(2+(-,3),6(5,7))", 6},
    {"delete shortens, walk goes up", {1, 2, 3, 4, 5, 6, 7, -1, -3}, "4+(2,6(5,7))", 5},
    {"delete rotates at the root, balanced child", {1, 2, 3, 4, 5, 6, 7, -1, -3, -2}, "6-(4+(-,5),7)", 4},
    {"delete rotation keeps height", {5, 3, 8, 4, 2, -8}, "3+(2,5-(4,-))", 4},
    {"delete double rotation", {5, 3, 8, 4, -8}, "4(3,5)", 3},
    {"delete rotation below the root", {1, 2, 3, 4, 5, 6, 7, 8, 9, -5}, "4+(2(1,3),8-(6+(-,7),9))", 8},
    {"delete root, successor is the right child", {1, 2, 3, -2}, "3-(1,-)", 2},
    {"delete root, successor deeper", {1, 2, 3, 4, 5, 6, 7, -4}, "5(2(1,3),6+(-,7))", 6},
    {"successor takes the balance, then rotation", {1, 2, 3, 4, 5, 6, 7, 8, 9, -4}, "5+(2(1,3),8-(6+(-,7),9))", 8},
    {"delete absent key", {1, 2, 3, -9}, "2(1,3)", 3},
    {"delete the last key", {1, -1}, "-", 0},
};

class ShapeTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, TreeHasExpectedShapeAndBalances)
{
    TtsIntegerSet set;
    for (int step : GetParam().steps) {
        if (step > 0)
            set.Add(step);
        else
            set.Remove(-step);
    }
    EXPECT_EQ(Shape(set.Root()), GetParam().shape);
    EXPECT_EQ(set.Count(), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(IntegerSet, ShapeTest, testing::ValuesIn(kShapeCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(IntegerSet, AddOfPresentValueReturnsTheStoredInteger)
{
    TtsIntegerSet set;
    const int* first = set.Add(42);
    set.Add(7);
    const int* again = set.Add(42);
    EXPECT_EQ(again, first);
    EXPECT_EQ(*again, 42);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Find(42), first);
    EXPECT_EQ(set.Find(8), nullptr);
}

TEST(IntegerSet, ComparesSigned)
{
    TtsIntegerSet set;
    for (int v : {0, -1, 2147483647, -2147483647 - 1, 5})
        set.Add(v);
    auto list = set.GetList();
    std::vector<int> values;
    for (int i = 1; i <= list->Count(); ++i)
        values.push_back(*list->Items(i).Integer());
    EXPECT_EQ(values, (std::vector<int>{-2147483647 - 1, -1, 0, 5, 2147483647}));
}

TEST(CustomSet, DeleteReturnsTheNodeThatHeldTheKey)
{
    TtsIntegerSet set;
    for (int v = 1; v <= 7; ++v)
        set.Add(v);
    int four = 4;
    TtsSetNode* holder = set.FindNode(&four);
    ASSERT_EQ(holder, set.Root());
    TtsDetachedNode detached = set.Delete(&four);
    EXPECT_EQ(detached.get(), holder);
    EXPECT_EQ(static_cast<TtsIntegerSetNode*>(detached.get())->IntValue(), 4);
    EXPECT_EQ(detached->Left(), nullptr);
    EXPECT_EQ(detached->Right(), nullptr);
    EXPECT_EQ(set.FindNode(&four), nullptr);
    EXPECT_EQ(set.Count(), 6);
}

TEST(CustomSet, DeleteOfAbsentKeyReturnsNothing)
{
    TtsIntegerSet set;
    int one = 1;
    EXPECT_EQ(set.Delete(&one), nullptr);
    for (int v : {5, 3, 8, 4})
        set.Add(v);
    int absent = 6;
    EXPECT_EQ(set.Delete(&absent), nullptr);
    EXPECT_EQ(Shape(set.Root()), "5-(3+(-,4),8)");
    EXPECT_EQ(set.Count(), 4);
}

TEST(CustomSet, PathStorageSurvivesDeletions)
{
    TtsIntegerSet set;
    for (int v = 1; v <= 1000; ++v)
        set.Add(v);
    set.Remove(1);
    // A tree of 1000 nodes is at most 14 levels deep: two growth steps.
    int capacity = set.Path().Capacity();
    EXPECT_GE(capacity, 10);
    EXPECT_EQ(capacity % 10, 0);
    for (int v = 2; v <= 500; ++v)
        set.Remove(v);
    EXPECT_EQ(set.Path().Capacity(), capacity);
}

TEST(CustomSet, GetListOfEmptySet)
{
    TtsIntegerSet set;
    auto list = set.GetList();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_TRUE(list->Items(1).IsNull());
}

TEST(CustomSet, GetListHoldsTheNodeValuesInOrder)
{
    TtsIntegerSet set;
    for (int v : {30, 10, 20})
        set.Add(v);
    auto list = set.GetList();
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->Items(1).Integer(), set.Find(10));
    EXPECT_EQ(list->Items(2).Integer(), set.Find(20));
    EXPECT_EQ(list->Items(3).Integer(), set.Find(30));
    EXPECT_TRUE(list->Items(0).IsNull());
    EXPECT_TRUE(list->Items(4).IsNull());
}

TEST(SetList, OutOfRangeWritesAreIgnored)
{
    TtsSetList list(2);
    int a = 1;
    int b = 2;
    list.SetItems(0, &a);
    list.SetItems(3, &a);
    list.SetItems(2, &b);
    EXPECT_TRUE(list.Items(1).IsNull());
    EXPECT_EQ(list.Items(2).Integer(), &b);
    EXPECT_EQ(TtsSetList(-3).Count(), 0);
}

// Counts every Compare and CompareKey, and records whether CreateNode ran
// while the set was copying.
int compares = 0;

class TCountingNode : public TtsIntegerSetNode {
public:
    using TtsIntegerSetNode::TtsIntegerSetNode;
    TtsCompare Compare(const TtsCustomSet* set, const TtsSetRef& key) const override
    {
        ++compares;
        return TtsIntegerSetNode::Compare(set, key);
    }
};

class TCountingSet : public TtsIntegerSet {
public:
    std::vector<bool> copyingSeen;
    int failAt = 0;  // the CreateNode call that raises; 0 for none

    TtsSetNode* CreateNode(const TtsSetRef& value) override
    {
        copyingSeen.push_back(Copying());
        if (failAt != 0 && static_cast<int>(copyingSeen.size()) == failAt)
            throw core::EOutOfResources("Out of memory");
        return new TCountingNode(*value.Integer());
    }
};

TEST(CustomSet, AssignCopiesShapeAndBalancesWithoutComparing)
{
    TCountingSet source;
    for (int v : {1, 2, 3, 4, 5, 6, 7, 9, 8, 10, 11, -4}) {
        if (v > 0)
            source.Add(v);
        else
            source.Remove(-v);
    }
    TCountingSet copy;
    compares = 0;
    copy.Assign(source);
    EXPECT_EQ(compares, 0);
    EXPECT_EQ(copy.Count(), source.Count());
    EXPECT_EQ(Shape(copy.Root()), Shape(source.Root()));
    EXPECT_EQ(copy.copyingSeen, std::vector<bool>(static_cast<size_t>(source.Count()), true));
    EXPECT_FALSE(copy.Copying());
    // The copy is independent of its source.
    source.Clear();
    EXPECT_NE(copy.Find(11), nullptr);
}

TEST(CustomSet, AssignClearsTheTargetFirst)
{
    TtsIntegerSet source;
    for (int v : {1, 2, 3})
        source.Add(v);
    TtsIntegerSet target;
    for (int v : {10, 20, 30, 40})
        target.Add(v);
    target.Assign(source);
    EXPECT_EQ(target.Count(), 3);
    EXPECT_EQ(Shape(target.Root()), "2(1,3)");
    target.Assign(target);
    EXPECT_EQ(Shape(target.Root()), "2(1,3)");
}

TEST(CustomSet, FailedAssignLeavesNothingBehind)
{
    TtsIntegerSet source;
    for (int v = 1; v <= 15; ++v)
        source.Add(v);
    TCountingSet target;
    target.failAt = 6;
    EXPECT_THROW(target.Assign(source), core::EOutOfResources);
    EXPECT_EQ(target.Count(), 0);
    EXPECT_EQ(target.Root(), nullptr);
    EXPECT_FALSE(target.Copying());
}

TEST(CustomSet, SetClassesHaveVirtualConstructors)
{
    std::unique_ptr<core::TObject> object(TtsIntegerSet::StaticClass().CreateInstance());
    auto* set = dynamic_cast<TtsIntegerSet*>(object.get());
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->ClassName(), "TtsIntegerSet");
    EXPECT_EQ(set->Count(), 0);
    EXPECT_NE(set->Add(3), nullptr);
}

TEST(CustomSet, BaseNodesCompareEqual)
{
    // A plain set's nodes hold nothing and compare equal to every key, so
    // it never holds more than one node.
    TtsCustomSet set;
    TtsSetNode* first = set.Insert(TtsSetRef());
    EXPECT_EQ(set.Insert(TtsSetRef()), first);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_TRUE(first->Value().IsNull());
}

TEST(NodeStack, PushPopAndEntries)
{
    TtsNodeStack stack;
    TtsSetNode a;
    TtsSetNode b;
    EXPECT_EQ(stack.Push(&a, -1), 1);
    EXPECT_EQ(stack.Push(&b, +1), 2);
    EXPECT_EQ(stack.Entries(1).Node, &a);
    EXPECT_EQ(stack.Entries(1).Direction, -1);
    EXPECT_EQ(stack.Entries(3).Node, nullptr);
    EXPECT_EQ(stack.Entries(0).Direction, 0);
    stack.SetEntries(1, &b, +1);
    stack.SetEntries(5, &a, -1);
    EXPECT_EQ(stack.Entries(1).Node, &b);
    TtsPathEntry top = stack.Pop();
    EXPECT_EQ(top.Node, &b);
    EXPECT_EQ(top.Direction, +1);
    EXPECT_EQ(stack.Top(), 1);
    stack.Pop();
    TtsPathEntry none = stack.Pop();
    EXPECT_EQ(none.Node, nullptr);
    EXPECT_EQ(none.Direction, 0);
    EXPECT_EQ(stack.Top(), 0);
}

TEST(NodeStack, GrowsByTenAndKeepsStorageOnClear)
{
    TtsNodeStack stack;
    TtsSetNode node;
    EXPECT_EQ(stack.Capacity(), 0);
    stack.Push(&node, 1);
    EXPECT_EQ(stack.Capacity(), 10);
    for (int i = 2; i <= 11; ++i)
        stack.Push(&node, i % 2 ? 1 : -1);
    EXPECT_EQ(stack.Capacity(), 20);
    EXPECT_EQ(stack.Entries(10).Direction, -1);
    EXPECT_EQ(stack.Entries(11).Direction, 1);
    stack.Clear();
    EXPECT_EQ(stack.Top(), 0);
    EXPECT_EQ(stack.Capacity(), 20);
}

class ObjectSetTest : public testing::Test {
protected:
    void SetUp() override { TCellElement::Live = 0; }
    void TearDown() override { EXPECT_EQ(TCellElement::Live, 0); }
};

TEST_F(ObjectSetTest, FindAndRemoveByKey)
{
    TtsObjectSet set;
    auto* a = new TCellElement(2, 5);
    auto* b = new TCellElement(1, 9);
    auto* c = new TCellElement(2, 1);
    set.Add(a);
    set.Add(b);
    set.Add(c);
    EXPECT_EQ(set.Find({2, 5}), a);
    EXPECT_EQ(set.Find({1, 9}), b);
    EXPECT_EQ(set.Find({2, 2}), nullptr);
    EXPECT_EQ(Shape(set.Root()), "2:1(1:9,2:5)");
    set.Remove({1, 9});
    EXPECT_EQ(TCellElement::Live, 2);
    set.Remove({7, 7});
    EXPECT_EQ(set.Count(), 2);
}

TEST_F(ObjectSetTest, AddOfEqualKeyReplacesTheElementInItsNode)
{
    TtsObjectSet set;
    auto* first = new TCellElement(3, 4);
    set.Add(first);
    TtsSetNode* node = set.Root();
    auto* second = new TCellElement(3, 4);
    set.Add(second);
    EXPECT_EQ(TCellElement::Live, 1);
    EXPECT_EQ(set.Root(), node);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Find({3, 4}), second);
    set.Add(second);
    EXPECT_EQ(TCellElement::Live, 1);
    EXPECT_EQ(set.Find({3, 4}), second);
    set.Add(nullptr);
    EXPECT_EQ(set.Count(), 1);
}

TEST_F(ObjectSetTest, ClearAndDestructionReleaseEveryElement)
{
    auto set = std::make_unique<TtsObjectSet>();
    for (int i = 0; i < 20; ++i)
        set->Add(new TCellElement(i % 5, i));
    EXPECT_EQ(TCellElement::Live, 20);
    set->Clear();
    EXPECT_EQ(TCellElement::Live, 0);
    EXPECT_EQ(set->Count(), 0);
    EXPECT_EQ(set->Root(), nullptr);
    for (int i = 0; i < 20; ++i)
        set->Add(new TCellElement(i, i));
    set.reset();
}

TEST_F(ObjectSetTest, PlainObjectSetRefusesToShareElements)
{
    TtsObjectSet source;
    source.Add(new TCellElement(1, 1));
    source.Add(new TCellElement(1, 2));
    TtsObjectSet target;
    EXPECT_THROW(target.Assign(source), core::EInvalidOperation);
    EXPECT_EQ(target.Count(), 0);
    EXPECT_EQ(source.Count(), 2);
    EXPECT_EQ(TCellElement::Live, 2);
}

// The way a set of elements is made assignable: while copying, each node
// gets a fresh copy of the source's element.
class TCopyingCellSet : public TtsObjectSet {
public:
    TtsSetNode* CreateNode(const TtsSetRef& value) override
    {
        if (Copying())
            return new TtsObjectSetNode(new TCellElement(*static_cast<TCellElement*>(value.Element())));
        return TtsObjectSet::CreateNode(value);
    }
};

TEST_F(ObjectSetTest, SubclassCopiesElementsOnAssign)
{
    TCopyingCellSet source;
    for (int i = 1; i <= 6; ++i)
        source.Add(new TCellElement(i, 0));
    TCopyingCellSet copy;
    copy.Assign(source);
    EXPECT_EQ(TCellElement::Live, 12);
    EXPECT_EQ(Shape(copy.Root()), Shape(source.Root()));
    EXPECT_NE(copy.Find({3, 0}), source.Find({3, 0}));
}

// The other way: the subclass clones the payload and leaves making the node
// to the base, which takes the clone because it is not the source's own.
class TCloningCellSet : public TtsObjectSet {
public:
    TtsSetNode* CreateNode(const TtsSetRef& value) override
    {
        if (!Copying())
            return TtsObjectSet::CreateNode(value);
        auto* clone = new TCellElement(*static_cast<TCellElement*>(value.Element()));
        return TtsObjectSet::CreateNode(TtsSetRef(clone));
    }
};

TEST_F(ObjectSetTest, SubclassHandingACloneToTheBaseCopies)
{
    {
        TCloningCellSet source;
        for (int i = 1; i <= 7; ++i)
            source.Add(new TCellElement(i, i % 3));
        TCloningCellSet copy;
        copy.Assign(source);
        EXPECT_FALSE(copy.Copying());
        EXPECT_EQ(copy.CopiedNode(), nullptr);
        EXPECT_EQ(copy.Count(), 7);
        EXPECT_EQ(TCellElement::Live, 14);
        EXPECT_EQ(Shape(copy.Root()), Shape(source.Root()));
        for (int i = 1; i <= 7; ++i) {
            ASSERT_NE(copy.Find({i, i % 3}), nullptr);
            EXPECT_NE(copy.Find({i, i % 3}), source.Find({i, i % 3}));
        }
        // Assigning again over the copy releases the first copy's clones.
        copy.Assign(source);
        EXPECT_EQ(TCellElement::Live, 14);
    }
    // The fixture checks that every element, clone or not, was released.
}

TEST(SetRef, WrongKindRaisesInvalidCast)
{
    int value = 3;
    TtsSetRef integer(&value);
    EXPECT_EQ(integer.Integer(), &value);
    EXPECT_THROW(integer.Element(), core::EInvalidCast);
    EXPECT_THROW(integer.Key(), core::EInvalidCast);
    EXPECT_EQ(TtsSetRef().Element(), nullptr);
    EXPECT_THROW(TtsSetRef().Integer(), core::EInvalidCast);
}

TEST(TaggedValue, KindsAndChecks)
{
    core::TObject object;
    TtsTaggedValue values[] = {7, &object};
    TtsKey key(values);
    EXPECT_EQ(key.High(), 1);
    EXPECT_EQ(key[0].Kind(), vtInteger);
    EXPECT_EQ(key[0].Integer(), 7);
    EXPECT_EQ(key[1].Kind(), vtObject);
    EXPECT_EQ(key[1].Object(), &object);
    EXPECT_THROW(key[1].Integer(), core::EInvalidCast);
    EXPECT_THROW(key[2], core::EListError);
    EXPECT_THROW(key[-1], core::EListError);
}

}  // namespace
