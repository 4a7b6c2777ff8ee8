#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/core/Bits.h"
#include "platform/core/Exception.h"
#include "platform/core/List.h"
#include "platform/core/StringList.h"

using namespace core;

namespace {

// Runs `action` and returns the message of the exception of type E it
// raises; fails the test when it raises nothing.
template <typename E>
std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

std::vector<int> Contents(const TList<int>& list)
{
    return std::vector<int>(list.begin(), list.end());
}

std::vector<AnsiString> Lines(const TStrings& list)
{
    std::vector<AnsiString> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

void SetLines(TStrings& list, const std::vector<AnsiString>& lines)
{
    list.Clear();
    for (const AnsiString& line : lines)
        list.Add(line);
}

// Stand-ins for the objects a string list carries beside its lines.
TObject* Tag(int n)
{
    return reinterpret_cast<TObject*>(static_cast<uintptr_t>(n) * 16);
}

}  // namespace

// ---------------------------------------------------------------------------
// TList

TEST(List, BadIndexesRaiseTheListErrorNamingTheIndex)
{
    TList<int> list;
    for (int v : {10, 20, 30})
        list.Add(v);
    struct Case {
        const char* what;
        std::function<void()> action;
        const char* message;
    } cases[] = {
        {"read -1", [&] { (void)list.Items(-1); }, "List index out of bounds (-1)"},
        {"read Count", [&] { (void)list[3]; }, "List index out of bounds (3)"},
        {"write Count", [&] { list.SetItems(3, 1); }, "List index out of bounds (3)"},
        {"delete far", [&] { list.Delete(100); }, "List index out of bounds (100)"},
        {"insert past Count", [&] { list.Insert(4, 1); }, "List index out of bounds (4)"},
        {"insert -1", [&] { list.Insert(-1, 1); }, "List index out of bounds (-1)"},
        {"exchange", [&] { list.Exchange(0, 3); }, "List index out of bounds (3)"},
        {"move", [&] { list.Move(5, 0); }, "List index out of bounds (5)"},
        {"capacity", [&] { list.SetCapacity(2); }, "List capacity out of bounds (2)"},
        {"count", [&] { list.SetCount(-1); }, "List count out of bounds (-1)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EListError>(c.action), c.message) << c.what;
    EXPECT_EQ(Contents(list), (std::vector<int>{10, 20, 30}));

    TList<int> empty;
    EXPECT_EQ(MessageOf<EListError>([&] { (void)empty.First(); }), "List index out of bounds (0)");
    EXPECT_EQ(MessageOf<EListError>([&] { (void)empty.Last(); }), "List index out of bounds (-1)");
}

TEST(List, CapacityGrowsByFourThenSixteenThenAQuarter)
{
    TList<int> list;
    std::vector<int> capacities;
    for (int i = 0; i < 147; ++i) {
        list.Add(i);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
    EXPECT_EQ(list.Count(), 147);
    EXPECT_EQ(list[146], 146);

    // Insert grows the same way; Clear gives the storage back.
    list.Insert(0, -1);
    EXPECT_EQ(list.Capacity(), 183);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(List, SubclassesCanReplaceTheGrowthPolicy)
{
    struct HundredList : TList<int> {
        void Grow() override { SetCapacity(Capacity() + 100); }
    } list;
    list.Add(5);
    EXPECT_EQ(list.Capacity(), 100);
    EXPECT_EQ(list.Count(), 1);
}

TEST(List, CountAndCapacityKeepNewSlotsEmpty)
{
    TList<int> list;
    list.Add(7);
    list.Add(8);
    list.SetCount(5);
    EXPECT_EQ(Contents(list), (std::vector<int>{7, 8, 0, 0, 0}));
    EXPECT_EQ(list.Capacity(), 5);
    // A slot vacated by shrinking reads empty when the count grows again.
    list.SetCount(1);
    list.SetCount(2);
    EXPECT_EQ(Contents(list), (std::vector<int>{7, 0}));
    list.Delete(0);
    list.SetCount(2);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 0}));
    list.SetCapacity(2);
    EXPECT_EQ(list.Capacity(), 2);
}

TEST(List, EditingOperations)
{
    TList<int> list;
    for (int v : {1, 2, 3, 2, 4}) {
        int index = list.Add(v);
        EXPECT_EQ(index, list.Count() - 1);
    }
    EXPECT_EQ(list.IndexOf(2), 1);
    EXPECT_EQ(list.Remove(2), 1);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(list.Remove(9), -1);
    list.Insert(4, 5);
    list.Insert(0, 0);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 3, 2, 4, 5}));
    list.Exchange(2, 3);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    list.Move(1, 4);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 2, 3, 4, 1, 5}));
    list.Move(4, 0);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 0, 2, 3, 4, 5}));
    EXPECT_EQ(list.Extract(3), 3);
    EXPECT_EQ(list.Extract(42), 0);
    list.SetItems(3, 0);
    list.Pack();
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(list.First(), 1);
    EXPECT_EQ(list.Last(), 5);
}

TEST(List, SortIsStableAndUsesTheCompareFunction)
{
    TList<std::string> list;
    for (const char* s : {"pear", "fig", "apple", "kiwi", "date", "plum"})
        list.Add(s);
    list.Sort([](const std::string& a, const std::string& b) {
        return static_cast<int>(a.size()) - static_cast<int>(b.size());
    });
    std::vector<std::string> sorted(list.begin(), list.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"fig", "pear", "kiwi", "date", "plum", "apple"}));
}

TEST(List, AssignCopiesItemsAndCapacity)
{
    TList<int> source;
    for (int i = 1; i <= 5; ++i)
        source.Add(i);
    TList<int> target;
    target.Add(99);
    target.Assign(source);
    EXPECT_EQ(Contents(target), Contents(source));
    EXPECT_EQ(target.Capacity(), source.Capacity());
}

TEST(List, NotifiesNonEmptyItemsEnteringAndLeaving)
{
    struct Recorder : TList<int> {
        std::vector<std::string> log;
        void Notify(const int& item, TListNotification action) override
        {
            const char* names[] = {"added", "extracted", "deleted"};
            log.push_back(std::string(names[action]) + " " + std::to_string(item));
        }
    } list;
    list.Add(1);
    list.Add(0);  // empty items are not told
    list.Insert(0, 2);
    list.SetItems(1, 3);
    list.SetItems(1, 3);  // no change, nothing told
    list.Exchange(0, 1);
    list.Move(0, 2);
    list.Delete(0);
    list.Add(4);
    list.Add(5);
    EXPECT_EQ(list.Extract(4), 4);
    list.SetCount(1);
    list.Clear();
    EXPECT_EQ(list.log, (std::vector<std::string>{"added 1", "added 2", "deleted 1", "added 3", "deleted 2",
                                                  "added 4", "added 5", "extracted 4", "deleted 5", "deleted 3"}));
}

// ---------------------------------------------------------------------------
// TStringList

TEST(StringList, BadIndexesRaiseTheStringListError)
{
    TStringList list;
    SetLines(list, {"a", "b"});
    struct Case {
        std::function<void()> action;
        const char* message;
    } cases[] = {
        {[&] { (void)list.Strings(2); }, "List index out of bounds (2)"},
        {[&] { (void)list.Strings(-1); }, "List index out of bounds (-1)"},
        {[&] { list.SetStrings(5, "x"); }, "List index out of bounds (5)"},
        {[&] { (void)list.Objects(2); }, "List index out of bounds (2)"},
        {[&] { list.SetObjects(-3, nullptr); }, "List index out of bounds (-3)"},
        {[&] { list.Delete(2); }, "List index out of bounds (2)"},
        {[&] { list.Insert(3, "x"); }, "List index out of bounds (3)"},
        {[&] { list.Exchange(0, 2); }, "List index out of bounds (2)"},
        {[&] { list.Move(0, 2); }, "List index out of bounds (2)"},
        {[&] { (void)list.Names(4); }, "List index out of bounds (4)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EStringListError>(c.action), c.message);
    // A bad move target leaves the line where it was.
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{"a", "b"}));
    // The string-list error is a list error.
    EXPECT_THROW((void)list.Strings(9), EListError);
}

TEST(StringList, WritesCommaText)
{
    struct Case {
        std::vector<AnsiString> lines;
        AnsiString text;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"", ""}, ","},
        {{"a", "b"}, "a,b"},
        {{"b c", "d,e", "f\"g", "", "h"}, "\"b c\",\"d,e\",\"f\"\"g\",,h"},
        {{"tab\there", "x"}, "\"tab\there\",x"},
        {{"单位编号", "单位 全名"}, "单位编号,\"单位 全名\""},
    };
    TStringList list;
    for (const Case& c : cases) {
        SetLines(list, c.lines);
        EXPECT_EQ(list.CommaText(), c.text);
    }
}

TEST(StringList, ReadsCommaText)
{
    struct Case {
        AnsiString text;
        std::vector<AnsiString> lines;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"\"\"", {""}},
        {"a,b", {"a", "b"}},
        {"  a , b ,\"c d\"  ", {"a", "b", "c d"}},
        {"a b\tc", {"a", "b", "c"}},  // blanks outside quotes split too
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}},
        {"\"a\"b", {"a", "b"}},
        {"\"open, to the end", {"open, to the end"}},
        {"单位编号,\"单位 全名\"", {"单位编号", "单位 全名"}},
    };
    TStringList list;
    for (const Case& c : cases) {
        list.SetCommaText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text;
    }
}

TEST(StringList, CommaTextRoundTrips)
{
    const std::vector<AnsiString> samples[] = {
        {""},
        {"", ""},
        {"", "a", ""},
        {"\"", "\"\"", " ", ",", "a\"b c"},
        {"x", "", "", "y"},
        {"中文", "带 空格", "引号\"里"},
    };
    TStringList list;
    TStringList copy;
    for (const auto& lines : samples) {
        SetLines(list, lines);
        copy.SetCommaText(list.CommaText());
        EXPECT_EQ(Lines(copy), lines) << list.CommaText();
    }
}

TEST(StringList, DelimitedTextKeepsDoubleByteCharactersWhole)
{
    // The trail byte of this character is '|', the delimiter in use.
    const AnsiString wide = "\xB1\x7C";
    TStringList list;
    list.SetDelimiter('|');
    list.SetQuoteChar('\'');
    SetLines(list, {wide, "a b", "it's"});
    EXPECT_EQ(list.DelimitedText(), wide + "|'a b'|'it''s'");
    list.SetDelimitedText(wide + "|x" + wide + "|'q|r'");
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{wide, "x" + wide, "q|r"}));
}

TEST(StringList, TextSplitsOnCrLfOrCrLf)
{
    struct Case {
        AnsiString text;
        std::vector<AnsiString> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\rb\n\n", {"a", "", "b", ""}},
    };
    TStringList list;
    for (const Case& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines);
    }
    // Every line ends with CR LF, so an empty last line survives a round trip.
    SetLines(list, {"a", "", "b", ""});
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n\r\n");
    TStringList copy;
    copy.SetText(list.Text());
    EXPECT_TRUE(copy.Equals(list));
}

TEST(StringList, SortedListsFindByBinarySearch)
{
    TStringList list;
    SetLines(list, {"delta", "Bravo", "alpha", "Charlie", "echo"});
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{"alpha", "Bravo", "Charlie", "delta", "echo"}));

    struct Case {
        AnsiString text;
        bool found;
        int index;
    } cases[] = {
        {"ALPHA", true, 0}, {"bravo", true, 1}, {"echo", true, 4}, {"a", false, 0},
        {"beta", false, 1}, {"zulu", false, 5}, {"", false, 0},
    };
    for (const Case& c : cases) {
        int index = -1;
        EXPECT_EQ(list.Find(c.text, index), c.found) << c.text;
        EXPECT_EQ(index, c.index) << c.text;
    }
    EXPECT_EQ(list.IndexOf("CHARLIE"), 2);
    EXPECT_EQ(list.IndexOf("foxtrot"), -1);

    // Added lines go to their place; inserting at a place or replacing is refused.
    EXPECT_EQ(list.Add("Dog"), 4);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "x"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetStrings(0, "x"); }), "Operation not allowed on sorted list");

    // Case-sensitive order is by byte value.
    list.SetCaseSensitive(true);
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{"Bravo", "Charlie", "Dog", "alpha", "delta", "echo"}));
    int index = -1;
    EXPECT_FALSE(list.Find("bravo", index));
    EXPECT_EQ(index, 4);
}

TEST(StringList, DuplicatesModes)
{
    TStringList list;
    list.SetSorted(true);
    SetLines(list, {"b", "a", "c"});

    list.SetDuplicates(dupIgnore);
    EXPECT_EQ(list.Add("B"), 1);
    EXPECT_EQ(list.Count(), 3);

    list.SetDuplicates(dupError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("a"); }), "String list does not allow duplicates");
    EXPECT_EQ(list.Count(), 3);

    list.SetDuplicates(dupAccept);
    list.Add("B");
    list.Add("b");
    EXPECT_EQ(list.Count(), 5);
    int index = -1;
    EXPECT_TRUE(list.Find("b", index));
    EXPECT_EQ(index, 1);  // the first of the equal lines

    // Without Sorted duplicates are never looked for.
    TStringList plain;
    plain.SetDuplicates(dupError);
    plain.Add("x");
    EXPECT_EQ(plain.Add("x"), 1);
}

TEST(StringList, SortAndCustomSort)
{
    TStringList list;
    SetLines(list, {"pear", "Fig", "apple", "kiwi", "date"});
    for (int i = 0; i < list.Count(); ++i)
        list.SetObjects(i, Tag(i));
    list.Sort();
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{"apple", "date", "Fig", "kiwi", "pear"}));
    EXPECT_EQ(list.Objects(2), Tag(1));  // objects travel with their lines

    list.CustomSort([](TStringList& l, int a, int b) {
        int byLength = static_cast<int>(l.Strings(a).size()) - static_cast<int>(l.Strings(b).size());
        return byLength != 0 ? byLength : -l.Strings(a).compare(l.Strings(b));
    });
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{"Fig", "pear", "kiwi", "date", "apple"}));

    // A larger list with many equal keys comes out in order.
    TStringList numbers;
    for (int i = 0; i < 500; ++i)
        numbers.Add(std::to_string((i * 7919) % 97));
    numbers.CustomSort([](TStringList& l, int a, int b) { return std::stoi(l.Strings(a)) - std::stoi(l.Strings(b)); });
    for (int i = 1; i < numbers.Count(); ++i)
        ASSERT_LE(std::stoi(numbers.Strings(i - 1)), std::stoi(numbers.Strings(i)));
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    SetLines(list, {"Provider=SQLOLEDB.1", "Data Source=.", "plain", "Empty=", "口令=a=b"});
    EXPECT_EQ(list.Names(0), "Provider");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("data source"), ".");
    EXPECT_EQ(list.Values("口令"), "a=b");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.ValueFromIndex(3), "");
    EXPECT_EQ(list.IndexOfName("EMPTY"), 3);
    EXPECT_EQ(list.IndexOfName("plain"), -1);

    list.SetValues("Data Source", "server");
    EXPECT_EQ(list.Strings(1), "Data Source=server");
    list.SetValues("User ID", "sa");
    EXPECT_EQ(list.Strings(5), "User ID=sa");
    list.SetValues("provider", "");
    EXPECT_EQ(list.IndexOfName("Provider"), -1);
    EXPECT_EQ(list.Count(), 5);
}

TEST(StringList, UpdatesReportOneChange)
{
    TStringList list;
    std::string log;
    list.SetOnChanging([&](TStringList&) { log += '<'; });
    list.SetOnChange([&](TStringList& l) { log += std::to_string(l.Count()) + '>'; });
    list.Add("a");
    list.Delete(0);
    list.Clear();  // already empty: no change
    EXPECT_EQ(log, "<1><0>");

    log.clear();
    list.BeginUpdate();
    list.Add("a");
    list.BeginUpdate();
    list.Add("b");
    list.EndUpdate();
    list.Add("c");
    EXPECT_EQ(log, "<");
    list.EndUpdate();
    EXPECT_EQ(log, "<3>");

    log.clear();
    list.SetCommaText("x,y");
    list.SetText("p\r\nq\r\nr");
    EXPECT_EQ(log, "<2><3>");
}

TEST(StringList, AssignAddStringsAndEquals)
{
    TStringList source;
    source.AddObject("one", Tag(1));
    source.AddObject("two", Tag(2));
    source.SetDelimiter(';');

    TStringList target;
    target.Add("old");
    target.Assign(source);
    EXPECT_TRUE(target.Equals(source));
    EXPECT_EQ(target.Objects(1), Tag(2));
    EXPECT_EQ(target.Delimiter(), ';');
    EXPECT_EQ(target.IndexOfObject(Tag(2)), 1);

    target.AddStrings(source);
    EXPECT_EQ(Lines(target), (std::vector<AnsiString>{"one", "two", "one", "two"}));
    EXPECT_FALSE(target.Equals(source));

    // Equals counts case; IndexOf does not, unless asked to.
    source.SetStrings(0, "ONE");
    target.Assign(source);
    target.SetStrings(0, "one");
    EXPECT_FALSE(target.Equals(source));
    EXPECT_EQ(target.IndexOf("TWO"), 1);
    target.SetCaseSensitive(true);
    EXPECT_EQ(target.IndexOf("TWO"), -1);
}

TEST(StringList, MoveAndExchangeCarryObjects)
{
    TStringList list;
    for (int i = 0; i < 4; ++i)
        list.AddObject(std::string(1, static_cast<char>('a' + i)), Tag(i));
    list.Move(0, 3);
    EXPECT_EQ(list.CommaText(), "b,c,d,a");
    EXPECT_EQ(list.Objects(3), Tag(0));
    list.Exchange(0, 1);
    EXPECT_EQ(list.CommaText(), "c,b,d,a");
    EXPECT_EQ(list.Objects(0), Tag(2));
}

// ---------------------------------------------------------------------------
// TBits

TEST(Bits, WritingPastTheEndGrowsReadingPastItFails)
{
    TBits bits;
    EXPECT_EQ(bits.Size(), 0);
    EXPECT_EQ(bits.OpenBit(), 0);
    bits.SetBits(70, true);
    EXPECT_EQ(bits.Size(), 71);
    for (int i = 0; i < 70; ++i)
        ASSERT_FALSE(bits.Bits(i)) << i;
    EXPECT_TRUE(bits.Bits(70));
    for (int index : {71, -1, 1000})
        EXPECT_EQ(MessageOf<EListError>([&] { (void)bits.Bits(index); }), "Bits index out of range");
    EXPECT_EQ(MessageOf<EListError>([&] { bits.SetBits(-1, true); }), "Bits index out of range");
    EXPECT_EQ(MessageOf<EListError>([&] { bits.SetSize(-1); }), "Bits index out of range");
}

TEST(Bits, ResizingKeepsBitsAndNewBitsAreFalse)
{
    TBits bits;
    bits.SetSize(130);
    for (int i = 0; i < 130; ++i)
        bits.SetBits(i, true);
    bits.SetSize(3);
    bits.SetSize(130);
    EXPECT_TRUE(bits.Bits(2));
    for (int i = 3; i < 130; ++i)
        ASSERT_FALSE(bits.Bits(i)) << i;
}

TEST(Bits, OpenBitFindsTheFirstFalseBit)
{
    TBits bits;
    for (int i = 0; i < 64; ++i)
        bits.SetBits(i, true);
    EXPECT_EQ(bits.OpenBit(), 64);  // every bit set: the size
    bits.SetBits(65, true);
    EXPECT_EQ(bits.OpenBit(), 64);
    bits.SetBits(64, true);
    EXPECT_EQ(bits.OpenBit(), 66);
    bits.SetBits(5, false);
    EXPECT_EQ(bits.OpenBit(), 5);
}

// The range operations against a plain vector of Booleans, across word
// boundaries and at both ends.
TEST(Bits, RangeOperationsAgreeWithAPlainArray)
{
    std::mt19937 random(7);
    TBits bits;
    std::vector<bool> plain;
    auto resize = [&](int n) {
        bits.SetSize(n);
        plain.resize(static_cast<size_t>(n), false);
    };
    resize(200);
    for (int step = 0; step < 4000; ++step) {
        int n = static_cast<int>(plain.size());
        int a = n == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n));
        int b = n == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n));
        int from = std::min(a, b), to = std::max(a, b);
        switch (random() % 8) {
        case 0:
        case 1: {
            if (n == 0)
                break;
            bool value = random() % 2;
            int expected = 0;
            for (int i = from; i <= to; ++i) {
                expected += plain[static_cast<size_t>(i)] != value;
                plain[static_cast<size_t>(i)] = value;
            }
            ASSERT_EQ(bits.SetRange(from, to, value), expected);
            break;
        }
        case 2:
            if (n == 0)
                break;
            bits.FlipRange(from, to);
            for (int i = from; i <= to; ++i)
                plain[static_cast<size_t>(i)] = !plain[static_cast<size_t>(i)];
            break;
        case 3:
            if (n > 0) {
                bits.Delete(a);
                plain.erase(plain.begin() + a);
            }
            break;
        case 4: {
            int at = static_cast<int>(random() % static_cast<unsigned>(n + 1));
            bool value = random() % 2;
            bits.Insert(at, value);
            plain.insert(plain.begin() + at, value);
            break;
        }
        case 5:
            resize(static_cast<int>(random() % 300));
            break;
        default:
            break;
        }
        n = static_cast<int>(plain.size());
        ASSERT_EQ(bits.Size(), n);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(bits.Bits(i), plain[static_cast<size_t>(i)]) << "step " << step << " bit " << i;
        if (n == 0)
            continue;
        a = std::min(a, n - 1);
        from = std::min(from, n - 1);
        to = std::min(to, n - 1);
        int expectedCount = 0, next = -1, prev = -1;
        for (int i = from; i <= to; ++i)
            expectedCount += plain[static_cast<size_t>(i)];
        for (int i = a; i < n && next < 0; ++i)
            next = plain[static_cast<size_t>(i)] ? i : -1;
        for (int i = a; i >= 0 && prev < 0; --i)
            prev = plain[static_cast<size_t>(i)] ? i : -1;
        ASSERT_EQ(bits.CountRange(from, to), expectedCount) << step;
        ASSERT_EQ(bits.NextSet(a), next) << step;
        ASSERT_EQ(bits.PrevSet(a), prev) << step;
    }
    EXPECT_EQ(bits.NextSet(bits.Size()), -1);
    EXPECT_EQ(bits.PrevSet(-1), -1);
    EXPECT_EQ(MessageOf<EListError>([&] { bits.SetRange(0, bits.Size(), true); }), "Bits index out of range");
    EXPECT_EQ(bits.SetRange(5, 4, true), 0);
}
