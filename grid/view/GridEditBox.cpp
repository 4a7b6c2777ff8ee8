// The in-cell edit box.
//
// Sections: construction and value; selection; characters and words; masks;
// editing (insert, delete, clipboard, undo); keys and characters; the
// mouse; layout, caret and scrolling; painting.
//
// Call flow of a typed character: WM_CHAR reaches KeyPress (after the
// OnKeyPress hook); EditChar keeps a lead byte until its trail byte comes,
// then InsertText checks MaxLength, asks StartEdit and the mask, takes the
// undo copy, replaces the selection, lays the text out again (Relayout),
// places the caret (MoveCaret, which scrolls it into view) and reports
// OnChange, OnEdited and OnTextResized. A key the box does not use goes to
// the grid through OnGridKeyDown or OnGridKeyPress.
#include "grid/view/GridEditBox.h"

#include <algorithm>

#include "grid/foundation/MultiByteText.h"
#include "platform/core/CodePage.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontEngine.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace grid {

CORE_CLASS_IMPL(TtsGridEditBox)

namespace {

int Size(std::string_view text)
{
    return static_cast<int>(text.size());
}

bool IsWordBreak(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Text for inserting: every kind of line break becomes CR LF, zero bytes go,
// and a lead byte without its trail byte is dropped, so the text never
// brings half a character.
core::AnsiString InsertableText(std::string_view text)
{
    core::AnsiString out;
    out.reserve(text.size());
    int n = Size(text);
    for (int i = 0; i < n;) {
        char c = text[i];
        if (c == '\0') {
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            int at = i;
            if (!SkipLineBreak(text, at))
                at = i + 1;
            i = at;
            continue;
        }
        if (DoubleByteSystem && core::IsLeadByte(c)) {
            // A lead byte goes in only with a trail byte after it.
            bool paired = i + 1 < n && core::IsTrailByte(text[i + 1]);
            if (paired)
                out.append(text.substr(i, 2));
            i += paired ? 2 : 1;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace

// ---- Construction and value ---------------------------------------------------------

TtsGridEditBox::TtsGridEditBox(core::TComponent* owner)
    : TtsGridControl(owner), maskLink_(this), measure_(std::make_unique<graphics::TCanvas>())
{
    Relayout();
}

TtsGridEditBox::~TtsGridEditBox()
{
    if (HandleAllocated() && ui::WindowManager().CaretOwner() == HandleOrNull())
        ui::WindowManager().DestroyCaret();
}

void TtsGridEditBox::LoadText(const core::AnsiString& value)
{
    // The text ends at a zero byte, as the cell's text does when it is painted.
    text_ = value.substr(0, value.find('\0'));
    undoText_.clear();
    undoTaken_ = false;
    pendingLead_ = 0;
    int start = Snap(std::min(selStart_, Size(text_)));
    int end = Snap(std::min(selStart_ + selLength_, Size(text_)));
    bool caretAtStart = caret_ == selStart_ && selLength_ > 0;
    selStart_ = start;
    selLength_ = end - start;
    caret_ = caretAtStart ? start : end;
    firstVisibleByte_ = 0;
    firstVisibleLine_ = 0;
    SelectionChanged();
    Relayout();
    ScrollToCaret(false);
    Invalidate();
}

void TtsGridEditBox::SetValue(const core::AnsiString& value)
{
    LoadText(value);
    OnChange(true);
    OnTextResized(false);
}

bool TtsGridEditBox::SetValueByUser(const core::AnsiString& value, bool byUser)
{
    if (!StartEdit(byUser))
        return false;
    TakeUndo();
    text_ = InsertableText(value);
    selStart_ = Size(text_);
    selLength_ = 0;
    caret_ = selStart_;
    SelectionChanged();
    TextChanged(byUser, false);
    return true;
}

// ---- Selection -----------------------------------------------------------------------

int TtsGridEditBox::SelStart() const
{
    if (selStartChars_ < 0)
        selStartChars_ = CharCount(std::string_view(text_).substr(0, selStart_));
    return selStartChars_;
}

int TtsGridEditBox::SelLength() const
{
    if (selLengthChars_ < 0)
        selLengthChars_ = CharCount(std::string_view(text_).substr(selStart_, selLength_));
    return selLengthChars_;
}

void TtsGridEditBox::SetSelStart(int chars)
{
    int pos = CharsToBytes(chars);
    Select(pos, pos);
}

void TtsGridEditBox::SetSelLength(int chars)
{
    int end = CharsToBytes(SelStart() + std::max(chars, 0));
    Select(selStart_, end);
}

core::AnsiString TtsGridEditBox::SelText() const
{
    return text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
}

void TtsGridEditBox::SetSelText(const core::AnsiString& value)
{
    ReplaceSelection(InsertableText(value));
    TextChanged(false, true);
}

void TtsGridEditBox::Select(int anchor, int caret)
{
    anchor = Snap(std::clamp(anchor, 0, Size(text_)));
    caret = Snap(std::clamp(caret, 0, Size(text_)));
    selStart_ = std::min(anchor, caret);
    selLength_ = std::abs(caret - anchor);
    caret_ = caret;
    caretAtLineEnd_ = false;
    goalX_ = -1;
    SelectionChanged();
    UpdateCaretPlace();
    ScrollToCaret(false);
    Invalidate();
    OnChange(false);
}

void TtsGridEditBox::SelectAll()
{
    Select(0, Size(text_));
    // The whole text selected (as on entering a cell) shows its start, or
    // the end of right-aligned single-line text, where the caret is.
    if (wrapped_)
        firstVisibleLine_ = 0;
    else if (HorzAlignment() != htaRight)
        firstVisibleByte_ = 0;
    UpdateCaretPlace();
    Invalidate();
}

void TtsGridEditBox::RemoveSelection()
{
    Select(caret_, caret_);
}

bool TtsGridEditBox::AllSelected() const
{
    return !text_.empty() && selStart_ == 0 && selLength_ == Size(text_);
}

void TtsGridEditBox::SelectionChanged()
{
    selStartChars_ = -1;
    selLengthChars_ = -1;
}

// ---- Characters and words ------------------------------------------------------------

int TtsGridEditBox::Snap(int pos) const
{
    int at = 0;
    while (at < pos) {
        int next = at + std::max(CharLenAt(text_, at), 1);
        if (next > pos)
            break;
        at = next;
    }
    return std::min(at, Size(text_));
}

int TtsGridEditBox::NextChar(int pos) const
{
    if (pos >= Size(text_))
        return Size(text_);
    return pos + std::max(CharLenAt(text_, pos), 1);
}

int TtsGridEditBox::PrevChar(int pos) const
{
    if (pos <= 0)
        return 0;
    return pos - std::max(CharLenBefore(text_, pos), 1);
}

int TtsGridEditBox::WordLeft(int pos) const
{
    while (pos > 0 && IsWordBreak(text_[PrevChar(pos)]))
        pos = PrevChar(pos);
    while (pos > 0 && !IsWordBreak(text_[PrevChar(pos)]))
        pos = PrevChar(pos);
    return pos;
}

int TtsGridEditBox::WordRight(int pos) const
{
    int n = Size(text_);
    while (pos < n && !IsWordBreak(text_[pos]))
        pos = NextChar(pos);
    while (pos < n && IsWordBreak(text_[pos]))
        pos = NextChar(pos);
    return pos;
}

int TtsGridEditBox::CharCount(std::string_view text) const
{
    // A double-byte character counts one, every other byte (each half of a
    // CR LF too) one.
    int count = 0;
    for (core::TMbcsByteType kind : CharKinds(text))
        if (kind != core::mbTrailByte)
            ++count;
    return count;
}

int TtsGridEditBox::CharsToBytes(int chars) const
{
    int n = Size(text_);
    int at = 0;
    for (int i = 0; i < chars && at < n; ++i)
        at += CharKindAt(text_, at) == core::mbLeadByte && at + 1 < n ? 2 : 1;
    return Snap(std::min(at, n));
}

// ---- Masks -----------------------------------------------------------------------------

void TtsGridEditBox::SetMaskName(const core::AnsiString& value)
{
    if (value == maskName_)
        return;
    maskName_ = value;
    DropMask();
}

void TtsGridEditBox::SetMaskDefs(TtsMaskDefsComponent* defs)
{
    maskLink_.SetMaskDefs(defs);
    DropMask();
}

TtsMask* TtsGridEditBox::Mask()
{
    // A mask found in other definitions than those linked now is stale.
    if (!maskLooked_ || maskFrom_ != maskLink_.MaskDefs()) {
        mask_ = maskLink_.FindMask(maskName_);
        maskFrom_ = maskLink_.MaskDefs();
        maskLooked_ = true;
    }
    return mask_;
}

void TtsGridEditBox::DropMask()
{
    mask_ = nullptr;
    maskLooked_ = false;
}

bool TtsGridEditBox::CompleteMaskedText()
{
    TtsMask* mask = Mask();
    if (!mask || !mask->RequiresComplete())
        return true;
    core::AnsiString trailing;
    if (!mask->CheckText(text_, trailing))
        return false;
    if (!trailing.empty()) {
        text_ += InsertableText(trailing);
        selStart_ = Size(text_);
        selLength_ = 0;
        caret_ = selStart_;
        SelectionChanged();
        Relayout();
        ScrollToCaret(false);
        Invalidate();
        OnChange(true);
        OnTextResized(false);
    }
    return true;
}

// ---- Editing ------------------------------------------------------------------------------

void TtsGridEditBox::TakeUndo()
{
    if (undoTaken_)
        return;
    undoText_ = text_;
    undoTaken_ = true;
}

void TtsGridEditBox::ReplaceSelection(std::string_view text)
{
    text_.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), text);
    // A stray lead byte of a loaded value may pair with the byte that now
    // follows it: the caret then moves back to the start of that character.
    caret_ = Snap(selStart_ + Size(text));
    selStart_ = caret_;
    selLength_ = 0;
    mouseAnchor_ = caret_;  // a drag that goes on after an edit starts from here
    caretAtLineEnd_ = false;
    goalX_ = -1;
    SelectionChanged();
}

void TtsGridEditBox::TextChanged(bool byUser, bool extra)
{
    Relayout();
    ScrollToCaret(false);
    Invalidate();
    OnChange(true);
    OnEdited(true, extra, byUser);
    int height = Height();
    OnTextResized(byUser);
    // The grid may have made the row taller for the new text.
    if (Height() != height)
        Relayout();
}

bool TtsGridEditBox::InsertText(std::string_view typed, bool byUser)
{
    if (!Editable())
        return false;
    core::AnsiString text = InsertableText(typed);
    if (text.empty())
        return false;
    if (maxLength_ > 0) {
        int after = CharCount(text_) + CharCount(text) - CharCount(std::string_view(text_).substr(selStart_, selLength_));
        if (after > maxLength_)
            return false;
    }
    if (!StartEdit(true))
        return false;
    if (TtsMask* mask = Mask(); mask && mask->CheckKeys()) {
        core::AnsiString result = text_;
        result.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), text);
        core::AnsiString trailing;
        if (!mask->CheckText(result, trailing)) {
            bool accept = false;
            OnTextChanged(text, accept);
            if (!accept)
                return false;
        }
    }
    TakeUndo();
    ReplaceSelection(text);
    TextChanged(byUser, true);
    return true;
}

bool TtsGridEditBox::DeleteSelection(bool byUser)
{
    if (!Editable() || selLength_ == 0 || !StartEdit(byUser))
        return false;
    TakeUndo();
    ReplaceSelection({});
    TextChanged(byUser, false);
    return true;
}

void TtsGridEditBox::DeleteAtCaret(bool forward)
{
    // Without a selection the character before (after) the caret goes; a
    // refused deletion leaves the selection as it was.
    if (selLength_ > 0) {
        DeleteSelection(true);
        return;
    }
    int other = forward ? NextChar(caret_) : PrevChar(caret_);
    if (other == caret_)
        return;
    selStart_ = std::min(caret_, other);
    selLength_ = std::abs(other - caret_);
    SelectionChanged();
    if (!DeleteSelection(true)) {
        selStart_ = caret_;
        selLength_ = 0;
        SelectionChanged();
    }
}

void TtsGridEditBox::CopyToClipboard()
{
    if (selLength_ > 0)
        ui::WindowManager().SetClipboardText(SelText());
}

void TtsGridEditBox::CutToClipboard()
{
    if (selLength_ == 0 || !Editable())
        return;
    CopyToClipboard();
    DeleteSelection(true);
}

void TtsGridEditBox::PasteFromClipboard(bool byUser)
{
    core::AnsiString text = ui::WindowManager().ClipboardText();
    if (!text.empty())
        InsertText(text, byUser);
}

bool TtsGridEditBox::Undo(uint16_t key)
{
    if (!undoTaken_ || !Editable())
        return false;
    bool cancel = false;
    OnUndo(key, cancel);
    if (cancel)
        return true;
    LoadText(undoText_);
    OnChange(true);
    return true;
}

// ---- Keys and characters -------------------------------------------------------------

void TtsGridEditBox::KeyDown(uint16_t& key, ui::TShiftState shift)
{
    TtsGridControl::KeyDown(key, shift);
    if (key == 0)
        return;
    if ((Editable() || Selectable()) && EditKey(key, shift)) {
        key = 0;
        return;
    }
    OnGridKeyDown(key, shift);
}

void TtsGridEditBox::KeyUp(uint16_t& key, ui::TShiftState shift)
{
    TtsGridControl::KeyUp(key, shift);
    if (key != 0)
        OnGridKeyUp(key, shift);
}

void TtsGridEditBox::KeyPress(char& key)
{
    TtsGridControl::KeyPress(key);
    if (key == 0)
        return;
    if (Editable() && EditChar(key)) {
        key = 0;
        return;
    }
    OnGridKeyPress(key);
}

bool TtsGridEditBox::EditKey(uint16_t key, ui::TShiftState shift)
{
    bool withShift = shift.Contains(ui::ssShift), ctrl = shift.Contains(ui::ssCtrl), alt = shift.Contains(ui::ssAlt);
    int n = Size(text_);
    int last = static_cast<int>(lines_.size()) - 1;
    bool multiLine = wrapped_ && last > 0;
    switch (key) {
    case ui::VK_LEFT:
    case ui::VK_RIGHT: {
        bool right = key == ui::VK_RIGHT;
        if (AllSelected())
            return false;
        if (ctrl) {
            MoveCaret(right ? WordRight(caret_) : WordLeft(caret_), withShift);
            return true;
        }
        if (caret_ == (right ? n : 0))
            return keyHeld_;  // the first press at the end moves the grid
        MoveCaret(right ? NextChar(caret_) : PrevChar(caret_), withShift);
        return true;
    }
    case ui::VK_UP:
    case ui::VK_DOWN:
    case ui::VK_PRIOR:
    case ui::VK_NEXT: {
        bool down = key == ui::VK_DOWN || key == ui::VK_NEXT;
        if (!multiLine || AllSelected())
            return false;
        if (caretLine_ == (down ? last : 0))
            return keyHeld_;
        int step = key == ui::VK_PRIOR || key == ui::VK_NEXT ? std::max(VisibleLineCount(), 1) : 1;
        MoveLines(down ? step : -step, withShift);
        return true;
    }
    case ui::VK_HOME:
    case ui::VK_END: {
        bool end = key == ui::VK_END;
        if (ctrl) {
            if (AllSelected() || caret_ == (end ? n : 0))
                return false;
            MoveCaret(end ? n : 0, withShift);
            return true;
        }
        const TtsTextLine& line = lines_[static_cast<size_t>(caretLine_)];
        if (!end) {
            MoveCaret(line.Start, withShift);
        } else {
            bool wrappedEnd = caretLine_ < last && lines_[static_cast<size_t>(caretLine_) + 1].Start == line.End;
            MoveCaret(line.End, withShift, wrappedEnd);
        }
        return true;
    }
    case ui::VK_BACK:
        if (!Editable())
            return false;
        DeleteAtCaret(false);
        return true;
    case ui::VK_DELETE:
        if (!Editable())
            return false;
        if (withShift && !ctrl) {
            CutToClipboard();
            return true;
        }
        DeleteAtCaret(true);
        return true;
    case ui::VK_INSERT:
        if (ctrl && !withShift) {
            CopyToClipboard();
            return true;
        }
        if (withShift && !ctrl && Editable()) {
            PasteFromClipboard(true);
            return true;
        }
        return false;
    case ui::VK_F2:
        if (shift.Empty()) {
            RemoveSelection();
            return true;
        }
        return false;
    case ui::VK_ESCAPE:
        return shift.Empty() && Undo(key);
    case ui::VK_RETURN:
        if (ctrl && !withShift && !alt && Editable()) {
            InsertText("\r", true);
            return true;
        }
        return false;
    default:
        break;
    }
    if (!ctrl || alt || withShift)
        return false;
    switch (key) {
    case 'A': SelectAll(); return true;
    case 'C': CopyToClipboard(); return true;
    case 'X': CutToClipboard(); return Editable();
    case 'V':
        if (!Editable())
            return false;
        PasteFromClipboard(true);
        return true;
    case 'Z': return Undo(key);
    default: return false;
    }
}

bool TtsGridEditBox::WantsChar(char ch)
{
    switch (static_cast<unsigned char>(ch)) {
    case 1: case 3: case 8: case 9: case 10: case 13: case 22: case 24: case 26: case 27: return false;
    default: return ch != 0;
    }
}

bool TtsGridEditBox::EditChar(char ch)
{
    if (pendingLead_) {
        char lead = pendingLead_;
        pendingLead_ = 0;
        if (core::IsTrailByte(ch)) {
            char both[2] = {lead, ch};
            InsertText(std::string_view(both, 2), true);
            return true;
        }
        // A lead byte whose trail never came is dropped; this byte goes on alone.
    }
    if (DoubleByteSystem && core::IsLeadByte(ch)) {
        pendingLead_ = ch;
        return true;
    }
    if (!WantsChar(ch))
        return false;
    InsertText(std::string_view(&ch, 1), true);
    return true;
}

// ---- Messages and the mouse ------------------------------------------------------------

void TtsGridEditBox::WndProc(ui::TMessage& m)
{
    ui::TWindowManager& wm = ui::WindowManager();
    switch (m.Msg) {
    case ui::WM_KEYDOWN:
        keyHeld_ = ((m.LParam >> 30) & 1) != 0;
        break;
    case ui::WM_KEYUP:
        keyHeld_ = false;
        break;
    case ui::WM_COPY:
        CopyToClipboard();
        return;
    case ui::WM_CUT:
        CutToClipboard();
        return;
    case ui::WM_PASTE:
        if (Editable())
            PasteFromClipboard(true);
        return;
    case ui::WM_SETCURSOR:
        if (ui::LoWord(m.LParam) == ui::HTCLIENT && (Editable() || Selectable())) {
            wm.SetCursor(ui::crIBeam);
            m.Result = 1;
            return;
        }
        break;
    case ui::WM_SETFOCUS:
        TtsGridControl::WndProc(m);
        hasFocus_ = true;
        MakeCaret();
        Invalidate();
        return;
    case ui::WM_KILLFOCUS:
        hasFocus_ = false;
        pendingLead_ = 0;
        mouseSelecting_ = false;
        if (wm.CaretOwner() == HandleOrNull())
            wm.DestroyCaret();
        Invalidate();
        break;
    case ui::CM_FONTCHANGED:
        TtsGridControl::WndProc(m);
        Relayout();
        ScrollToCaret(false);
        if (hasFocus_)
            MakeCaret();
        Invalidate();
        return;
    default:
        break;
    }
    TtsGridControl::WndProc(m);
}

void TtsGridEditBox::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button == ui::mbLeft && !shift.Contains(ui::ssDouble) && (Editable() || Selectable())) {
        mouseSelecting_ = true;
        if (!Focused())
            SetFocus();
        bool atLineEnd = false;
        int pos = PosAt({x, y}, &atLineEnd);
        mouseAnchor_ = pos;
        MoveCaret(pos, false, atLineEnd, true);
    }
    TtsGridControl::MouseDown(button, shift, x, y);
}

void TtsGridEditBox::MouseMove(ui::TShiftState shift, int x, int y)
{
    TtsGridControl::MouseMove(shift, x, y);
    if (!mouseSelecting_ || !shift.Contains(ui::ssLeft))
        return;
    // Beyond an edge the text scrolls one step towards the pointer.
    int oldByte = firstVisibleByte_, oldLine = firstVisibleLine_;
    if (!wrapped_) {
        if (x < 0)
            firstVisibleByte_ = PrevChar(firstVisibleByte_);
        else if (x >= Width() && SingleLineX() + RunWidth(0, Size(text_)) > Width())
            firstVisibleByte_ = NextChar(firstVisibleByte_);
    } else {
        int last = static_cast<int>(lines_.size()) - 1;
        if (y < 0)
            firstVisibleLine_ = std::max(firstVisibleLine_ - 1, 0);
        else if (y >= Height() && firstVisibleLine_ + VisibleLineCount() <= last)
            ++firstVisibleLine_;
    }
    bool scrolled = oldByte != firstVisibleByte_ || oldLine != firstVisibleLine_;
    graphics::TPoint p{std::clamp(x, 0, std::max(Width() - 1, 0)), std::clamp(y, 0, std::max(Height() - 1, 0))};
    bool atLineEnd = false;
    int pos = PosAt(p, &atLineEnd);
    if (scrolled)
        Invalidate();
    mouseAnchor_ = Snap(std::min(mouseAnchor_, Size(text_)));
    if (pos != caret_ || scrolled) {
        selStart_ = std::min(mouseAnchor_, pos);
        selLength_ = std::abs(pos - mouseAnchor_);
        caret_ = pos;
        caretAtLineEnd_ = atLineEnd;
        goalX_ = -1;
        SelectionChanged();
        UpdateCaretPlace();
        ScrollToCaret(true);
        Invalidate();
        OnChange(false);
    }
    // Keep scrolling while the pointer stays out and nothing else happens.
    if (scrolled && HandleAllocated()) {
        ui::TWindowManager& wm = ui::WindowManager();
        ui::TMsg waiting;
        if (!wm.PeekMessage(waiting, HandleOrNull(), ui::WM_MOUSEFIRST, ui::WM_MOUSELAST, false))
            wm.PostMessage(HandleOrNull(), ui::WM_MOUSEMOVE, ui::MK_LBUTTON, ui::MakeLParam(x, y));
    }
}

void TtsGridEditBox::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button == ui::mbLeft && mouseSelecting_) {
        mouseSelecting_ = false;
        if (hasFocus_ && ui::WindowManager().CaretOwner() == HandleOrNull() && !ui::WindowManager().CaretShown())
            ui::WindowManager().ShowCaret(HandleOrNull());
    }
    TtsGridControl::MouseUp(button, shift, x, y);
}

// ---- Layout, caret and scrolling ---------------------------------------------------------

void TtsGridEditBox::SetHorzAlignment(TtsHorzAlignment value)
{
    TtsGridControl::SetHorzAlignment(value);
    Relayout();
    Invalidate();
}

void TtsGridEditBox::SetVertAlignment(TtsVertAlignment value)
{
    TtsGridControl::SetVertAlignment(value);
    Relayout();
    Invalidate();
}

void TtsGridEditBox::SetWordWrap(TtsWordWrap value)
{
    TtsGridControl::SetWordWrap(value);
    Relayout();
    Invalidate();
}

void TtsGridEditBox::SetBounds(int left, int top, int width, int height)
{
    bool resized = width != Width() || height != Height();
    TtsGridControl::SetBounds(left, top, width, height);
    if (resized) {
        Relayout();
        ScrollToCaret(false);
        Invalidate();
    }
}

std::vector<int> TtsGridEditBox::LineStarts() const
{
    std::vector<int> starts;
    for (const TtsTextLine& line : lines_)
        starts.push_back(line.Start);
    return starts;
}

int TtsGridEditBox::VisibleLineCount() const
{
    return std::max(Height() / std::max(font_.LineHeight, 1), 1);
}

std::vector<int> TtsGridEditBox::Boundaries(int from, int to) const
{
    std::vector<int> bounds{from};
    for (int pos = from; pos < to;) {
        pos = std::min(NextChar(pos), to);
        bounds.push_back(pos);
    }
    return bounds;
}

int TtsGridEditBox::RunWidth(int from, int to) const
{
    if (to <= from)
        return 0;
    return font_.Width(ShownLineText(text_, {from, to}));
}

void TtsGridEditBox::Relayout()
{
    measure_->Font()->Assign(Font());
    font_ = TextFontOf(*measure_);
    laidOutHeight_ = Height();
    wrapped_ = CellTextWraps(WordWrap(), Height(), font_);
    if (wrapped_) {
        int room = Width() - (HorzAlignment() == htaRight ? 1 : 0);
        lines_ = BreakCellText(text_, room, font_, 0, true);
    } else {
        lines_.assign(1, TtsTextLine{0, Size(text_)});
    }
    int last = static_cast<int>(lines_.size()) - 1;
    firstVisibleLine_ = wrapped_ ? std::clamp(firstVisibleLine_, 0, last) : 0;
    if (wrapped_ || RunWidth(0, Size(text_)) <= Width())
        firstVisibleByte_ = 0;
    else
        firstVisibleByte_ = Snap(std::min(firstVisibleByte_, Size(text_)));
    UpdateCaretPlace();
}

int TtsGridEditBox::LineOfPos(int pos, bool atLineEnd) const
{
    int line = 0;
    for (int i = static_cast<int>(lines_.size()) - 1; i >= 0; --i) {
        if (lines_[static_cast<size_t>(i)].Start <= pos) {
            line = i;
            break;
        }
    }
    if (atLineEnd && line > 0 && lines_[static_cast<size_t>(line)].Start == pos &&
        lines_[static_cast<size_t>(line) - 1].End == pos)
        --line;
    return line;
}

int TtsGridEditBox::LineTop(int line) const
{
    int lh = font_.LineHeight;
    int count = wrapped_ ? static_cast<int>(lines_.size()) : 1;
    int block = count * lh;
    int top = font_.ExtraPixel;
    if (block <= Height() || !wrapped_) {
        switch (VertAlignment()) {
        case vtaBottom: top = Height() - block; break;
        case vtaCenter: top = block <= Height() ? (Height() - block) / 2 + font_.ExtraPixel : font_.ExtraPixel; break;
        default: break;
        }
    }
    return top + (line - firstVisibleLine_) * lh;
}

int TtsGridEditBox::SingleLineX() const
{
    int width = RunWidth(0, Size(text_));
    if (width <= Width())
        return AlignedTextX(HorzAlignment(), {-LeftMargin(), 0, Width(), Height()}, LeftMargin(),
                            width + (width > 0 ? font_.LineOverhang : 0));
    return -RunWidth(0, firstVisibleByte_);
}

graphics::TPoint TtsGridEditBox::PointOf(int pos, bool atLineEnd) const
{
    if (!wrapped_)
        return {SingleLineX() + RunWidth(0, pos), LineTop(0)};
    int line = LineOfPos(pos, atLineEnd);
    const TtsTextLine& l = lines_[static_cast<size_t>(line)];
    graphics::TRect rect{-LeftMargin(), 0, Width(), Height()};
    int x = AlignedTextX(HorzAlignment(), rect, LeftMargin(), LineWidth(text_, l, font_));
    return {x + RunWidth(l.Start, std::max(pos, l.Start)), LineTop(line)};
}

int TtsGridEditBox::PosAt(graphics::TPoint p, bool* atLineEnd) const
{
    if (atLineEnd)
        *atLineEnd = false;
    int line = 0;
    if (wrapped_) {
        int lh = std::max(font_.LineHeight, 1);
        int dy = p.Y - LineTop(firstVisibleLine_);
        int rel = dy < 0 ? -((-dy + lh - 1) / lh) : dy / lh;
        line = firstVisibleLine_ + rel;
        if (line >= static_cast<int>(lines_.size()))
            return Size(text_);  // below the last line: the end
        line = std::max(line, 0);
    }
    const TtsTextLine& l = lines_[static_cast<size_t>(line)];
    int startX = wrapped_ ? PointOf(l.Start, false).X : SingleLineX();
    // Widths grow with each character: the nearest boundary is found by
    // halving, so a long line costs a few measurements, not one per character.
    std::vector<int> bounds = Boundaries(l.Start, l.End);
    int target = p.X - startX;
    auto first = std::partition_point(bounds.begin(), bounds.end(),
                                      [&](int pos) { return RunWidth(l.Start, pos) < target; });
    int best = first == bounds.end() ? bounds.back() : *first;
    if (first != bounds.begin() && first != bounds.end()) {
        int before = *(first - 1);
        if (target - RunWidth(l.Start, before) <= RunWidth(l.Start, best) - target)
            best = before;
    }
    if (atLineEnd && wrapped_ && best == l.End && line + 1 < static_cast<int>(lines_.size()) &&
        lines_[static_cast<size_t>(line) + 1].Start == best)
        *atLineEnd = true;
    return best;
}

void TtsGridEditBox::UpdateCaretPlace()
{
    caretLine_ = LineOfPos(caret_, caretAtLineEnd_);
    caretColumn_ = caret_ - lines_[static_cast<size_t>(caretLine_)].Start;
    caretPoint_ = PointOf(caret_, caretAtLineEnd_);
    if (hasFocus_ && HandleAllocated() && ui::WindowManager().CaretOwner() == HandleOrNull())
        ui::WindowManager().SetCaretPos(caretPoint_.X, caretPoint_.Y);
}

void TtsGridEditBox::ScrollToCaret(bool byMouse)
{
    int oldByte = firstVisibleByte_, oldLine = firstVisibleLine_;
    if (wrapped_) {
        int visible = VisibleLineCount();
        if (caretLine_ < firstVisibleLine_)
            firstVisibleLine_ = caretLine_;
        else if (caretLine_ >= firstVisibleLine_ + visible)
            firstVisibleLine_ = caretLine_ - visible + 1;
    } else if (RunWidth(0, Size(text_)) <= Width()) {
        firstVisibleByte_ = 0;
    } else {
        int caretX = RunWidth(0, caret_);
        int shown = caretX - RunWidth(0, firstVisibleByte_);
        int want = -1;  // the scroll position, in pixels, to aim at
        if (shown > Width() - 1)
            want = byMouse ? caretX - (Width() - 1) : caretX - Width() * 3 / 4;
        else if (shown < 0)
            want = byMouse ? caretX : caretX - Width() / 4;
        if (want >= 0 || shown < 0) {
            want = std::max(want, 0);
            // The first character boundary at or after `want` pixels when
            // scrolling right (so the caret stays in), at or before it otherwise.
            std::vector<int> bounds = Boundaries(0, Size(text_));
            auto after = std::partition_point(bounds.begin(), bounds.end(),
                                              [&](int pos) { return RunWidth(0, pos) <= want; });
            int pos = after == bounds.begin() ? 0 : *(after - 1);
            if (shown > Width() - 1 && RunWidth(0, pos) < want && pos < caret_)
                pos = NextChar(pos);
            firstVisibleByte_ = pos;
        }
    }
    if (oldByte != firstVisibleByte_ || oldLine != firstVisibleLine_) {
        UpdateCaretPlace();
        Invalidate();
    }
}

void TtsGridEditBox::MoveCaret(int pos, bool extend, bool atLineEnd, bool byMouse)
{
    pos = Snap(std::clamp(pos, 0, Size(text_)));
    int anchor = extend ? (caret_ == selStart_ ? selStart_ + selLength_ : selStart_) : pos;
    selStart_ = std::min(anchor, pos);
    selLength_ = std::abs(pos - anchor);
    caret_ = pos;
    caretAtLineEnd_ = atLineEnd;
    goalX_ = -1;
    SelectionChanged();
    UpdateCaretPlace();
    ScrollToCaret(byMouse);
    Invalidate();
    OnChange(false);
}

void TtsGridEditBox::MoveLines(int delta, bool extend)
{
    int goal = goalX_ >= 0 ? goalX_ : caretPoint_.X;
    int line = std::clamp(caretLine_ + delta, 0, static_cast<int>(lines_.size()) - 1);
    if (line < firstVisibleLine_)
        firstVisibleLine_ = line;
    else if (line >= firstVisibleLine_ + VisibleLineCount())
        firstVisibleLine_ = line - VisibleLineCount() + 1;
    bool atLineEnd = false;
    int pos = PosAt({goal, LineTop(line)}, &atLineEnd);
    MoveCaret(pos, extend, atLineEnd);
    goalX_ = goal;
}

// ---- Caret -----------------------------------------------------------------------------------

graphics::TSize TtsGridEditBox::CaretSize() const
{
    graphics::TTextMetric tm = measure_->TextMetrics();
    graphics::TFontStyles style = Font()->Style();
    int width = 1;
    if (style.Contains(graphics::fsItalic))
        width = std::max(tm.Overhang + (style.Contains(graphics::fsBold) ? 0 : 1), 1);
    return {width, tm.Height};
}

void TtsGridEditBox::BuildCaretBitmap()
{
    graphics::TSize size = CaretSize();
    if (size.cx <= 1) {
        caretBitmap_.reset();
        return;
    }
    // A slanted line from the bottom left to the top right, as italic text leans.
    caretBitmap_ = std::make_unique<graphics::TBitmap>(size.cx, size.cy);
    graphics::TCanvas& c = *caretBitmap_->Canvas();
    c.Brush()->SetColor(graphics::clBlack);
    c.FillRect({0, 0, size.cx, size.cy});
    for (int y = 0; y < size.cy; ++y) {
        int x = (size.cy - 1 - y) * (size.cx - 1) / std::max(size.cy - 1, 1);
        c.SetPixel(x, y, graphics::clWhite);
    }
}

void TtsGridEditBox::MakeCaret()
{
    if (!HandleAllocated())
        return;
    ui::TWindowManager& wm = ui::WindowManager();
    BuildCaretBitmap();
    graphics::TSize size = CaretSize();
    if (caretBitmap_)
        wm.CreateCaret(HandleOrNull(), *caretBitmap_);
    else
        wm.CreateCaret(HandleOrNull(), size.cx, size.cy);
    wm.SetCaretPos(caretPoint_.X, caretPoint_.Y);
    if (showCaretWhenFocused_ && !mouseSelecting_)
        wm.ShowCaret(HandleOrNull());
}

// ---- Painting ---------------------------------------------------------------------------------

TtsCellTextLayout TtsGridEditBox::ShownLayout(int dx, int dy) const
{
    TtsCellTextLayout layout;
    layout.Wrapped = wrapped_;
    layout.LineHeight = font_.LineHeight;
    if (!wrapped_) {
        layout.Lines.push_back({0, Size(text_)});
        layout.LineX.push_back(SingleLineX() + dx);
        layout.Top = LineTop(0) + dy;
        return layout;
    }
    for (int i = firstVisibleLine_; i < static_cast<int>(lines_.size()); ++i) {
        const TtsTextLine& l = lines_[static_cast<size_t>(i)];
        layout.Lines.push_back(l);
        layout.LineX.push_back(PointOf(l.Start, false).X + dx);
    }
    layout.Top = LineTop(firstVisibleLine_) + dy;
    return layout;
}

void TtsGridEditBox::PaintContent(graphics::TCanvas& canvas, const graphics::TRect& clip)
{
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(clip);
    canvas.Font()->Assign(Font());
    TtsTextFont font = TextFontOf(canvas);
    bool showSelection = ShowsFocus() && selLength_ > 0;
    DrawCellTextLines(canvas, text_, ShownLayout(0, 0), font, clip, showSelection ? selStart_ : 0,
                      showSelection ? selStart_ + selLength_ : 0, graphics::clHighlight, graphics::clHighlightText);
}

void TtsGridEditBox::PaintCell(graphics::TCanvas& canvas, const graphics::TRect& cellRect, bool focused)
{
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(cellRect);
    canvas.Font()->Assign(Font());
    TtsTextFont font = TextFontOf(canvas);
    bool showSelection = (focused || AlwaysShowFocus()) && selLength_ > 0;
    DrawCellTextLines(canvas, text_, ShownLayout(cellRect.Left + LeftMargin(), cellRect.Top), font, cellRect,
                      showSelection ? selStart_ : 0, showSelection ? selStart_ + selLength_ : 0, graphics::clHighlight,
                      graphics::clHighlightText);
}

}  // namespace grid
