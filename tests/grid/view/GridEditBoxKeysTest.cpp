#include <algorithm>

#include "tests/grid/view/EditBoxFixture.h"

namespace editboxtest {
namespace {

using namespace ui;

struct KeyCase {
    const char* name;
    const char* text;
    int anchor, caret;             // bytes before the key
    unsigned key;
    std::initializer_list<unsigned> mods;
    const char* after;             // the text after
    int selStart, selLength;       // bytes after
    bool toGrid;                   // the grid got the key
};

class EditBoxKeysTest : public EditBoxFixture {
protected:
    void RunKeyCases(std::initializer_list<KeyCase> cases)
    {
        for (const KeyCase& c : cases) {
            Load(c.text, c.anchor, c.caret);
            Key(c.key, c.mods);
            EXPECT_EQ(box->Value(), c.after) << c.name;
            EXPECT_EQ(box->SelStartByte(), c.selStart) << c.name;
            EXPECT_EQ(box->SelLengthByte(), c.selLength) << c.name;
            EXPECT_EQ(!gridKeys.empty(), c.toGrid) << c.name;
        }
    }
};

// "ab中c": a 0, b 1, 中 2-3, c 4; "ab cd ef" for words.
TEST_F(EditBoxKeysTest, SingleLineKeysWithoutSelection)
{
    RunKeyCases({
        {"Right", "ab中c", 1, 1, VK_RIGHT, {}, "ab中c", 2, 0, false},
        {"Right over a double-byte character", "ab中c", 2, 2, VK_RIGHT, {}, "ab中c", 4, 0, false},
        {"Left over a double-byte character", "ab中c", 4, 4, VK_LEFT, {}, "ab中c", 2, 0, false},
        {"Left at the start goes to the grid", "ab中c", 0, 0, VK_LEFT, {}, "ab中c", 0, 0, true},
        {"Right at the end goes to the grid", "ab中c", 5, 5, VK_RIGHT, {}, "ab中c", 5, 0, true},
        {"Shift+Right selects the character", "ab中c", 2, 2, VK_RIGHT, {VK_SHIFT}, "ab中c", 2, 2, false},
        {"Ctrl+Right to the next word", "ab cd ef", 0, 0, VK_RIGHT, {VK_CONTROL}, "ab cd ef", 3, 0, false},
        {"Ctrl+Left to the word start", "ab cd ef", 5, 5, VK_LEFT, {VK_CONTROL}, "ab cd ef", 3, 0, false},
        {"Ctrl+Shift+Left selects the word", "ab cd ef", 8, 8, VK_LEFT, {VK_CONTROL, VK_SHIFT}, "ab cd ef", 6, 2, false},
        {"Home", "ab中c", 4, 4, VK_HOME, {}, "ab中c", 0, 0, false},
        {"Shift+End", "ab中c", 1, 1, VK_END, {VK_SHIFT}, "ab中c", 1, 4, false},
        {"Ctrl+End", "ab中c", 1, 1, VK_END, {VK_CONTROL}, "ab中c", 5, 0, false},
        {"Ctrl+End already there goes to the grid", "ab中c", 5, 5, VK_END, {VK_CONTROL}, "ab中c", 5, 0, true},
        {"Ctrl+Home already there goes to the grid", "ab中c", 0, 0, VK_HOME, {VK_CONTROL}, "ab中c", 0, 0, true},
        {"Up in one line goes to the grid", "ab中c", 2, 2, VK_UP, {}, "ab中c", 2, 0, true},
        {"Page Down in one line goes to the grid", "ab中c", 2, 2, VK_NEXT, {}, "ab中c", 2, 0, true},
        {"Backspace deletes the whole character", "ab中c", 4, 4, VK_BACK, {}, "abc", 2, 0, false},
        {"Delete deletes the whole character", "ab中c", 2, 2, VK_DELETE, {}, "abc", 2, 0, false},
        {"Delete takes CR LF together", "a\r\nb", 1, 1, VK_DELETE, {}, "ab", 1, 0, false},
        {"Backspace at the start does nothing", "ab", 0, 0, VK_BACK, {}, "ab", 0, 0, false},
        {"Ctrl+A selects all", "ab中c", 2, 2, 'A', {VK_CONTROL}, "ab中c", 0, 5, false},
        {"Enter goes to the grid", "ab", 1, 1, VK_RETURN, {}, "ab", 1, 0, true},
        {"Ctrl+Enter inserts a line break", "ab", 1, 1, VK_RETURN, {VK_CONTROL}, "a\r\nb", 3, 0, false},
        {"Tab goes to the grid", "ab", 1, 1, VK_TAB, {}, "ab", 1, 0, true},
        {"Escape without a change goes to the grid", "ab", 1, 1, VK_ESCAPE, {}, "ab", 1, 0, true},
    });
}

TEST_F(EditBoxKeysTest, SingleLineKeysWithSelection)
{
    RunKeyCases({
        // The whole text selected, as after entering the cell: the grid moves.
        {"Right with all selected", "ab中c", 0, 5, VK_RIGHT, {}, "ab中c", 0, 5, true},
        {"Left with all selected", "ab中c", 5, 0, VK_LEFT, {}, "ab中c", 0, 5, true},
        {"Ctrl+Home with all selected", "ab中c", 0, 5, VK_HOME, {VK_CONTROL}, "ab中c", 0, 5, true},
        {"Ctrl+End with all selected", "ab中c", 0, 5, VK_END, {VK_CONTROL}, "ab中c", 0, 5, true},
        {"Right collapses a part selection", "ab中c", 0, 2, VK_RIGHT, {}, "ab中c", 4, 0, false},
        {"Shift+Left shrinks from the caret", "ab中c", 0, 4, VK_LEFT, {VK_SHIFT}, "ab中c", 0, 2, false},
        {"Backspace deletes the selection", "ab中c", 1, 4, VK_BACK, {}, "ac", 1, 0, false},
        {"Delete deletes the selection", "ab中c", 0, 5, VK_DELETE, {}, "", 0, 0, false},
        {"F2 keeps the caret", "ab中c", 0, 4, VK_F2, {}, "ab中c", 4, 0, false},
    });
    // Typing replaces the selection.
    Load("ab中c", 2, 4);
    Type(u8"文");
    EXPECT_EQ(box->Value(), "ab文c");
    EXPECT_EQ(box->SelStartByte(), 4);
}

TEST_F(EditBoxKeysTest, AnAutoRepeatedKeyAtTheEndStaysInTheBox)
{
    Load("ab", 0, 0);
    Held(VK_LEFT);
    EXPECT_EQ(gridKeys, std::vector<unsigned>{VK_LEFT});  // only the first press
    Load("ab", 2, 2);
    Held(VK_RIGHT);
    EXPECT_EQ(gridKeys, std::vector<unsigned>{VK_RIGHT});
}

TEST_F(EditBoxKeysTest, WrappedTextMovesByLines)
{
    // Three lines high and wrapping: "aaaa bbbb cccc" breaks at each blank.
    box->SetWordWrap(wwOn);
    box->SetBounds(10, 10, 6 * 5 + 1, 3 * 13 + 2);
    Load("aaaa bbbb cccc", 1, 1);
    ASSERT_TRUE(box->Wrapped());
    ASSERT_EQ(box->LineStarts(), (std::vector<int>{0, 5, 10}));

    Key(VK_DOWN);
    EXPECT_EQ(box->CaretLine(), 1);
    EXPECT_EQ(box->CaretByte(), 6);
    Key(VK_DOWN, {VK_SHIFT});
    EXPECT_EQ(box->CaretLine(), 2);
    EXPECT_EQ(box->SelStartByte(), 6);
    EXPECT_EQ(box->SelLengthByte(), 5);
    EXPECT_TRUE(gridKeys.empty());
    // On the last line the first press goes to the grid, a repeat does not.
    Load("aaaa bbbb cccc", 11, 11);
    Held(VK_DOWN);
    EXPECT_EQ(gridKeys, std::vector<unsigned>{VK_DOWN});
    // End of a wrapped line keeps the caret on that line.
    Load("aaaa bbbb cccc", 6, 6);
    Key(VK_END);
    EXPECT_EQ(box->CaretByte(), 10);
    EXPECT_EQ(box->CaretLine(), 1);
    EXPECT_TRUE(box->CaretAtLineEnd());
    Key(VK_HOME);
    EXPECT_EQ(box->CaretByte(), 5);
    Key(VK_NEXT);
    EXPECT_EQ(box->CaretLine(), 2);
    // All selected: Up and Down belong to the grid.
    gridKeys.clear();
    box->SelectAll();
    Key(VK_UP);
    EXPECT_EQ(gridKeys, std::vector<unsigned>{VK_UP});
}

TEST_F(EditBoxKeysTest, ScrollsASingleLineToKeepTheCaretInView)
{
    box->SetBounds(10, 10, 60, 16);
    Load("0123456789012345678901234567890123456789", 0, 0);
    Key(VK_END);
    EXPECT_GT(box->FirstVisibleByte(), 0);
    graphics::TPoint caret = box->CaretPoint();
    EXPECT_GE(caret.X, 0);
    EXPECT_LT(caret.X, box->Width());
    Key(VK_HOME);
    EXPECT_EQ(box->FirstVisibleByte(), 0);
    // Moving right past the edge puts the caret at three quarters.
    for (int i = 0; i < 11; ++i)
        Key(VK_RIGHT);
    EXPECT_GT(box->FirstVisibleByte(), 0);
    EXPECT_NEAR(box->CaretPoint().X, box->Width() * 3 / 4, 6);
    // Moving left past the edge puts it at one quarter.
    Key(VK_END);
    int first = box->FirstVisibleByte();
    for (int i = 0; i < 40 && box->FirstVisibleByte() == first; ++i)
        Key(VK_LEFT);
    EXPECT_LT(box->FirstVisibleByte(), first);
    EXPECT_NEAR(box->CaretPoint().X, box->Width() / 4, 6);
    // All selected shows the start, or the end of right-aligned text.
    box->SelectAll();
    EXPECT_EQ(box->FirstVisibleByte(), 0);
    box->SetHorzAlignment(htaRight);
    box->SelectAll();
    EXPECT_GT(box->FirstVisibleByte(), 0);
    EXPECT_LT(box->CaretPoint().X, box->Width());
}

TEST_F(EditBoxKeysTest, MaxLengthCountsCharactersAndRefusesWholeInsertions)
{
    struct Case {
        const char* name;
        int maxLength;
        const char* text;
        int anchor, caret;
        const char8_t* typed;  // as an input method commits it
        const char* after;
    } cases[] = {
        {"five of five, nothing selected", 5, "中文abc", 7, 7, u8"x", "中文abc"},
        {"five of five, one selected", 5, "中文abc", 0, 2, u8"x", "x文abc"},
        {"a double-byte character is one", 5, "中文ab", 6, 6, u8"字", "中文ab字"},
        {"typed characters go in one by one", 5, "abc", 3, 3, u8"中文字", "abc中文"},
        {"no limit", 0, "abc", 3, 3, u8"中文字", "abc中文字"},
    };
    for (const Case& c : cases) {
        box->SetMaxLength(c.maxLength);
        Load(c.text, c.anchor, c.caret);
        Type(c.typed);
        EXPECT_EQ(box->Value(), c.after) << c.name;
    }
    // A line break counts two: one free character is not enough for it.
    box->SetMaxLength(4);
    Load("abc", 3, 3);
    Key(VK_RETURN, {VK_CONTROL});
    EXPECT_EQ(box->Value(), "abc");
    box->SetMaxLength(5);
    Key(VK_RETURN, {VK_CONTROL});
    EXPECT_EQ(box->Value(), "abc\r\n");
}

TEST_F(EditBoxKeysTest, ALeadByteWaitsForItsTrailByte)
{
    Load("ab", 2, 2);
    AnsiString both = "中";
    ASSERT_EQ(both.size(), 2u);
    WindowManager().InjectText(both.substr(0, 1));
    Pump();
    EXPECT_EQ(box->Value(), "ab");  // nothing half inserted
    EXPECT_TRUE(events.empty());
    WindowManager().InjectText(both.substr(1, 1));
    Pump();
    EXPECT_EQ(box->Value(), "ab中");
    EXPECT_EQ(box->CaretByte(), 4);
    // A lead byte followed by no trail byte is dropped; the byte goes alone.
    WindowManager().InjectText(both.substr(0, 1) + "0");
    Pump();
    EXPECT_EQ(box->Value(), "ab中0");
    // Losing the focus forgets a waiting lead byte: the next byte does not
    // join it (this trail byte is itself a lead byte and waits in its turn).
    WindowManager().InjectText(both.substr(0, 1));
    Pump();
    auto* other = Add<TtsGridEditBox>("Other", graphics::Bounds(10, 40, 60, 16));
    other->SetFocus();
    box->SetFocus();
    Pump();
    WindowManager().InjectText(both.substr(1, 1));
    Pump();
    EXPECT_EQ(box->Value(), "ab中0");
    WindowManager().InjectText("1");
    Pump();
    EXPECT_EQ(box->Value(), "ab中01");
}

TEST_F(EditBoxKeysTest, InputMethodTextGoesInAndTheCandidateWindowFollowsTheCaret)
{
    Load("", 0, 0);
    Type(u8"中文输入");
    EXPECT_EQ(box->Value(), "中文输入");
    graphics::TPoint caret = box->ClientToScreen(box->CaretPoint());
    EXPECT_EQ(display->TextInputArea().Left, caret.X);
    EXPECT_EQ(display->TextInputArea().Top, caret.Y);
    EXPECT_GT(caret.X, box->ClientToScreen({0, 0}).X);
}

TEST_F(EditBoxKeysTest, ChangesReportInOrderAndARefusedStartChangesNothing)
{
    Load("ab", 2, 2);
    Type(u8"c");
    EXPECT_EQ(events, (std::vector<std::string>{"change", "edited+extra", "resized"}));
    EXPECT_EQ(startEdits, 1);
    events.clear();
    Key(VK_BACK);
    EXPECT_EQ(events, (std::vector<std::string>{"change", "edited+", "resized"}));
    EXPECT_EQ(box->Value(), "ab");
    refuseStart = true;
    Type(u8"x");
    Key(VK_BACK);
    EXPECT_EQ(box->Value(), "ab");
    // Character accessors count a double-byte character once.
    box->SetValue("中文ab");
    box->SetSelStart(1);
    box->SetSelLength(2);
    EXPECT_EQ(box->SelStartByte(), 2);
    EXPECT_EQ(box->SelLengthByte(), 3);
    EXPECT_EQ(box->SelText(), "文a");
    EXPECT_EQ(box->SelStart(), 1);
    EXPECT_EQ(box->SelLength(), 2);
}

TEST_F(EditBoxKeysTest, EscapeAndCtrlZPutTheLoadedValueBack)
{
    int undos = 0;
    bool cancelUndo = false;
    box->OnUndo = [&](uint16_t, bool& cancel) {
        ++undos;
        cancel = cancelUndo;
    };
    Load("ab", 2, 2);
    Type(u8"cd");
    Key(VK_BACK);
    EXPECT_EQ(box->Value(), "abc");
    cancelUndo = true;
    Key(VK_ESCAPE);
    EXPECT_EQ(box->Value(), "abc");
    EXPECT_TRUE(gridKeys.empty());
    cancelUndo = false;
    Key(VK_ESCAPE);
    EXPECT_EQ(box->Value(), "ab");
    EXPECT_FALSE(box->IsModified());
    EXPECT_EQ(undos, 2);
    // Nothing more to undo: the next Escape is the grid's.
    Key(VK_ESCAPE);
    EXPECT_EQ(gridKeys, std::vector<unsigned>{VK_ESCAPE});
    Type(u8"x");
    Key('Z', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "ab");
}

TEST_F(EditBoxKeysTest, ANotEditableBoxSelectsAndCopiesButDoesNotChange)
{
    box->SetEditable(false);
    Load("中文", 0, 0);
    Key(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(box->SelLengthByte(), 2);
    Key('C', {VK_CONTROL});
    EXPECT_EQ(WindowManager().ClipboardText(), "中");
    Type(u8"x");
    Key(VK_DELETE);
    Key('V', {VK_CONTROL});
    EXPECT_EQ(box->Value(), "中文");
    EXPECT_EQ(std::count(gridChars.begin(), gridChars.end(), 'x'), 1);
    EXPECT_EQ(std::count(gridKeys.begin(), gridKeys.end(), VK_DELETE), 1);
}

}  // namespace
}  // namespace editboxtest
