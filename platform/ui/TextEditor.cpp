#include "platform/ui/TextEditor.h"

#include "platform/core/CodePage.h"

namespace ui {

namespace {

unsigned char Byte(const AnsiString& text, int pos)
{
    return static_cast<unsigned char>(text[static_cast<size_t>(pos)]);
}

// Character classes for word movement and double-click selection.
enum { kBlank, kBreak, kWord, kPunctuation, kWide };

// Length of the character starting at `pos` of `text`, looked at alone (a
// lead byte without its trail, or at the end, stands for itself).
size_t CharLength(std::string_view text, size_t pos)
{
    if (pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n')
        return 2;
    if (pos + 1 < text.size() && core::IsLeadByte(text[pos]) && core::IsTrailByte(text[pos + 1]))
        return 2;
    return 1;
}

}  // namespace

TTextEditor::TTextEditor() = default;

// ---- Text and options ---------------------------------------------------------

void TTextEditor::SetText(std::string_view text)
{
    text_.assign(text);
    anchor_ = caret_ = 0;
    canUndo_ = false;
    lastKind_ = ekOther;
    lastEditCaret_ = -1;
    modified_ = false;
    Invalidate();
}

void TTextEditor::SetMultiLine(bool value)
{
    if (value == multiLine_)
        return;
    multiLine_ = value;
    widths_.clear();
    Invalidate();
    SetSelection(anchor_, caret_);
}

void TTextEditor::SetPasswordChar(char value)
{
    if (value == passwordChar_)
        return;
    passwordChar_ = value;
    widths_.clear();
    Invalidate();
}

// ---- Characters -------------------------------------------------------------

int TTextEditor::Snap(int pos) const
{
    int length = Length();
    if (pos <= 0)
        return 0;
    if (pos >= length)
        return length;
    if (multiLine_ && text_[pos - 1] == '\r' && text_[pos] == '\n')
        return pos - 1;
    // A byte below 0x40 is neither a lead nor a trail byte, so a character
    // starts right after it: walk forward from there.
    int p = pos;
    while (p > 0 && Byte(text_, p - 1) >= 0x40)
        --p;
    for (;;) {
        int next = p + static_cast<int>(CharLength(text_, static_cast<size_t>(p)));
        if (next > pos)
            return p;
        p = next;
    }
}

int TTextEditor::NextChar(int pos) const
{
    int length = Length();
    if (pos >= length)
        return length;
    if (pos < 0)
        return 0;
    if (!multiLine_ && text_[pos] == '\r')
        return pos + 1;
    return pos + static_cast<int>(CharLength(text_, static_cast<size_t>(pos)));
}

int TTextEditor::PrevChar(int pos) const
{
    if (pos <= 0)
        return 0;
    return Snap(std::min(pos, Length()) - 1);
}

bool TTextEditor::IsBreakByte(int pos) const
{
    return text_[pos] == '\r' || text_[pos] == '\n';
}

bool TTextEditor::IsLineBreakAt(int pos) const
{
    return multiLine_ && pos >= 0 && pos < Length() && IsBreakByte(pos);
}

int TTextEditor::BreakLength(int pos) const
{
    return text_[pos] == '\r' && pos + 1 < Length() && text_[pos + 1] == '\n' ? 2 : 1;
}

// ---- Selection ----------------------------------------------------------------

AnsiString TTextEditor::SelText() const
{
    return text_.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

void TTextEditor::SetSelection(int anchor, int caret)
{
    anchor_ = Snap(anchor);
    caret_ = Snap(caret);
}

// ---- Editing ------------------------------------------------------------------

bool TTextEditor::Replace(std::string_view text, TEditKind kind, bool limited)
{
    int start = SelStart(), end = SelEnd();
    if (limited && maxLength_ > 0) {
        // Only whole characters (and whole line breaks) that fit go in.
        int room = std::max(maxLength_ - (Length() - (end - start)), 0);
        size_t fits = 0;
        while (fits < text.size()) {
            size_t next = fits + CharLength(text, fits);
            if (next > static_cast<size_t>(room))
                break;
            fits = next;
        }
        text = text.substr(0, fits);
    }
    if (text.empty() && start == end)
        return false;
    bool merge = (kind == ekTyping || kind == ekDeleting) && kind == lastKind_ && caret_ == lastEditCaret_ &&
                 anchor_ == caret_ && canUndo_;
    if (kind == ekNoUndo) {
        canUndo_ = false;
    } else if (!merge) {
        undo_ = {text_, anchor_, caret_};
        canUndo_ = true;
    }
    text_.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
    anchor_ = caret_ = start + static_cast<int>(text.size());
    modified_ = true;
    lastKind_ = kind;
    lastEditCaret_ = caret_;
    Invalidate();
    return true;
}

bool TTextEditor::DeleteBackward()
{
    if (anchor_ != caret_)
        return Replace({}, ekOther);
    if (caret_ == 0)
        return false;
    return DeleteRange(PrevChar(caret_), caret_);
}

bool TTextEditor::DeleteForward()
{
    if (anchor_ != caret_)
        return Replace({}, ekOther);
    if (caret_ >= Length())
        return false;
    return DeleteRange(caret_, NextChar(caret_));
}

bool TTextEditor::DeleteRange(int from, int to)
{
    // Deletions in a row at the caret make one undo step.
    bool continuing = lastKind_ == ekDeleting && caret_ == lastEditCaret_ && canUndo_;
    if (!continuing) {
        undo_ = {text_, caret_, caret_};
        canUndo_ = true;
    }
    text_.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
    anchor_ = caret_ = from;
    modified_ = true;
    lastKind_ = ekDeleting;
    lastEditCaret_ = caret_;
    Invalidate();
    return true;
}

bool TTextEditor::Undo()
{
    if (!canUndo_)
        return false;
    TState now{text_, anchor_, caret_};
    text_ = undo_.text;
    anchor_ = undo_.anchor;
    caret_ = undo_.caret;
    undo_ = std::move(now);
    lastKind_ = ekOther;
    lastEditCaret_ = -1;
    modified_ = true;
    Invalidate();
    return true;
}

void TTextEditor::EmptyUndo()
{
    canUndo_ = false;
    undo_ = {};
    lastKind_ = ekOther;
    lastEditCaret_ = -1;
}

// ---- Words ----------------------------------------------------------------------

int TTextEditor::ClassAt(int pos) const
{
    if (IsLineBreakAt(pos))
        return kBreak;
    if (NextChar(pos) - pos == 2)
        return kWide;
    unsigned char c = Byte(text_, pos);
    if (c == ' ' || c == '\t')
        return kBlank;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)
        return kWord;
    return kPunctuation;
}

int TTextEditor::WordRight(int pos) const
{
    int length = Length();
    pos = Snap(pos);
    if (pos >= length)
        return length;
    if (IsLineBreakAt(pos)) {
        pos = NextChar(pos);
    } else {
        int cls = ClassAt(pos);
        if (cls != kBlank)
            while (pos < length && ClassAt(pos) == cls)
                pos = NextChar(pos);
    }
    while (pos < length && ClassAt(pos) == kBlank)
        pos = NextChar(pos);
    return pos;
}

int TTextEditor::WordLeft(int pos) const
{
    int p = Snap(pos);
    while (p > 0 && ClassAt(PrevChar(p)) == kBlank)
        p = PrevChar(p);
    if (p == 0)
        return 0;
    int before = PrevChar(p);
    int cls = ClassAt(before);
    if (cls == kBreak)
        return p == Snap(pos) ? before : p;
    while (p > 0 && ClassAt(PrevChar(p)) == cls)
        p = PrevChar(p);
    return p;
}

void TTextEditor::WordAt(int pos, int& start, int& end) const
{
    int length = Length();
    int p = Snap(pos);
    if (p >= length || IsLineBreakAt(p)) {
        if (p == 0 || IsLineBreakAt(PrevChar(p))) {
            start = end = p;
            return;
        }
        p = PrevChar(p);
    }
    int cls = ClassAt(p);
    start = p;
    while (start > 0 && ClassAt(PrevChar(start)) == cls)
        start = PrevChar(start);
    end = p;
    while (end < length && ClassAt(end) == cls)
        end = NextChar(end);
    if (cls != kBlank)
        while (end < length && ClassAt(end) == kBlank)
            end = NextChar(end);
}

// ---- Layout ---------------------------------------------------------------------

void TTextEditor::SetMeasure(TMeasure measure)
{
    measure_ = std::move(measure);
    widths_.clear();
    Invalidate();
}

void TTextEditor::SetWrapWidth(int width)
{
    width = std::max(width, 0);
    if (width == wrapWidth_)
        return;
    wrapWidth_ = width;
    Invalidate();
}

void TTextEditor::SetTabWidth(int width)
{
    if (width == tabWidth_)
        return;
    tabWidth_ = width;
    Invalidate();
}

int TTextEditor::CharWidth(int pos, int x) const
{
    bool masked = passwordChar_ != 0 && !multiLine_;
    if (!masked && text_[pos] == '\t' && tabWidth_ > 0)
        return (x / tabWidth_ + 1) * tabWidth_ - x;
    int length = NextChar(pos) - pos;
    unsigned key = masked ? 0x10000u | static_cast<unsigned char>(passwordChar_)
                 : length == 2 ? (static_cast<unsigned>(Byte(text_, pos)) << 8) | Byte(text_, pos + 1)
                               : Byte(text_, pos);
    auto found = widths_.find(key);
    if (found != widths_.end())
        return found->second;
    std::string_view glyph = masked ? std::string_view(&passwordChar_, 1)
                                    : std::string_view(text_).substr(static_cast<size_t>(pos), static_cast<size_t>(length));
    int width = measure_ ? measure_(glyph) : static_cast<int>(glyph.size());
    widths_.emplace(key, width);
    return width;
}

int TTextEditor::RunWidth(int from, int to) const
{
    int x = 0;
    for (int p = from; p < to; p = NextChar(p))
        x += CharWidth(p, x);
    return x;
}

const std::vector<TTextLine>& TTextEditor::Lines() const
{
    if (!layoutValid_)
        Layout();
    return lines_;
}

void TTextEditor::Layout() const
{
    lines_.clear();
    int length = Length();
    if (!multiLine_) {
        lines_.push_back({0, length, length, RunWidth(0, length)});
    } else {
        int start = 0;
        for (;;) {
            int end = start;
            while (end < length && !IsBreakByte(end))
                ++end;
            if (end >= length) {
                LayoutParagraph(start, length, length);
                break;
            }
            int next = end + BreakLength(end);
            LayoutParagraph(start, end, next);
            start = next;
        }
    }
    layoutValid_ = true;
}

void TTextEditor::LayoutParagraph(int start, int end, int next) const
{
    if (wrapWidth_ <= 0) {
        lines_.push_back({start, end, next, RunWidth(start, end)});
        return;
    }
    int lineStart = start;
    int breakAt = -1;  // where the line may end, if it has to
    int x = 0;
    int pos = start;
    while (pos < end) {
        int after = NextChar(pos);
        bool wide = after - pos == 2;
        bool blank = text_[pos] == ' ' || text_[pos] == '\t';
        if (wide && pos > lineStart)
            breakAt = pos;
        int width = CharWidth(pos, x);
        if (x + width > wrapWidth_ && pos > lineStart && !blank) {
            int at = breakAt > lineStart ? breakAt : pos;
            lines_.push_back({lineStart, at, at, RunWidth(lineStart, at)});
            lineStart = at;
            breakAt = -1;
            x = RunWidth(lineStart, pos);
            continue;  // the same character again, on the new line
        }
        x += width;
        if (blank || wide)
            breakAt = after;
        pos = after;
    }
    lines_.push_back({lineStart, end, next, RunWidth(lineStart, end)});
}

int TTextEditor::LineOf(int pos, bool atLineEnd) const
{
    const std::vector<TTextLine>& lines = Lines();
    auto it = std::upper_bound(lines.begin(), lines.end(), pos,
                               [](int p, const TTextLine& line) { return p < line.Start; });
    int index = it == lines.begin() ? 0 : static_cast<int>(it - lines.begin()) - 1;
    if (atLineEnd && index > 0) {
        const TTextLine& before = lines[static_cast<size_t>(index - 1)];
        if (before.End == pos && before.Next == pos)
            --index;
    }
    return index;
}

int TTextEditor::XOf(int line, int pos) const
{
    const TTextLine& l = Lines()[static_cast<size_t>(line)];
    return RunWidth(l.Start, std::clamp(pos, l.Start, l.End));
}

int TTextEditor::PosAt(int line, int x, bool* atLineEnd) const
{
    const std::vector<TTextLine>& lines = Lines();
    line = std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
    const TTextLine& l = lines[static_cast<size_t>(line)];
    if (atLineEnd)
        *atLineEnd = false;
    int cx = 0;
    for (int p = l.Start; p < l.End; p = NextChar(p)) {
        int width = CharWidth(p, cx);
        if (x < cx + (width + 1) / 2)
            return p;
        cx += width;
    }
    if (atLineEnd)
        *atLineEnd = l.End == l.Next && line + 1 < static_cast<int>(lines.size());
    return l.End;
}

int TTextEditor::MaxLineWidth() const
{
    int widest = 0;
    for (const TTextLine& line : Lines())
        widest = std::max(widest, line.Width);
    return widest;
}

// ---- Logical lines ------------------------------------------------------------------

int TTextEditor::LogicalLineCount() const
{
    if (text_.empty())
        return 0;
    if (!multiLine_)
        return 1;
    int count = 1;
    for (int p = 0; p < Length(); ++p)
        if (IsBreakByte(p)) {
            p += BreakLength(p) - 1;
            ++count;
        }
    // A break at the very end opens a line that holds nothing yet.
    if (IsBreakByte(Length() - 1))
        --count;
    return count;
}

int TTextEditor::LogicalLineStart(int index) const
{
    if (index < 0)
        return -1;
    int p = 0;
    for (int line = 0; line < index; ++line) {
        while (p < Length() && !(multiLine_ && IsBreakByte(p)))
            ++p;
        if (p >= Length())
            return -1;
        p += BreakLength(p);
    }
    return p;
}

int TTextEditor::LogicalLineEnd(int index) const
{
    int p = LogicalLineStart(index);
    if (p < 0)
        return -1;
    while (p < Length() && !(multiLine_ && IsBreakByte(p)))
        ++p;
    return p;
}

}  // namespace ui
