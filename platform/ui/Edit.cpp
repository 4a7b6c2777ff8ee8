// The edit control: one engine (TTextEditor) holds text, selection and
// layout; this file turns messages into engine calls and paints the result.
//
// Sections: construction and properties; the window and its style; keys and
// characters; the clipboard and the EM_ requests; the mouse; caret, scrolling
// and scroll bars; painting.
//
// Call flow of a key press: WM_KEYDOWN reaches WndProc, the OnKeyDown event
// may eat it, DefaultHandler passes it to KeyCommand, which moves the caret
// through MoveCaret (selection, goal column, UpdateCaret: scroll the caret
// into view, move the system caret, refresh the scroll bars) or sends itself
// WM_CUT, WM_COPY, WM_PASTE or WM_UNDO. A character arrives as WM_CHAR bytes:
// CharCommand puts a lead byte aside until its trail byte comes, then inserts
// the character through the engine, and Changed repaints and raises OnChange.
#include "platform/ui/Edit.h"

#include <cstring>

#include "platform/core/CodePage.h"
#include "platform/core/StrUtils.h"
#include "platform/graphics/FontEngine.h"
#include "platform/ui/VirtualKeys.h"

namespace ui {

CORE_CLASS_IMPL(TCustomEdit)
CORE_CLASS_IMPL(TEdit)

bool NewStyleControls()
{
    return true;
}

namespace {

// Pasted text for a one-line edit ends at the first line break; a
// multi-line edit gets CR LF for every kind of break. NUL bytes go.
AnsiString PasteText(const AnsiString& text, bool multiLine)
{
    AnsiString out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\0')
            continue;
        if (c == '\r' || c == '\n') {
            if (!multiLine)
                break;
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            continue;
        }
        out += c;
    }
    return out;
}

int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

// ---- Construction and properties ----------------------------------------------

TCustomEdit::TCustomEdit(core::TComponent* owner)
    : TWinControl(owner),
      canvas_(std::make_unique<graphics::TCanvas>()),
      measure_(std::make_unique<graphics::TCanvas>())
{
    SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(Left(), Top(), 121, 21);
    SetTabStop(true);
    UpdateFontMetrics();
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::Publish(core::PropertyList& list)
{
    core::PropBuilder<TCustomEdit> p(list);
    p.Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
    p.Boolean("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize).Default(true);
    p.Enum("BorderStyle", BorderStyleType(), &TCustomEdit::BorderStyle,
           &TCustomEdit::SetBorderStyle)
        .Default(bsSingle);
    p.Enum("CharCase", &TCustomEdit::CharCase,
           &TCustomEdit::SetCharCase)
        .Default(ecNormal);
    p.Boolean("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection).Default(true);
    p.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    p.Boolean("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert).Default(false);
    p.Char("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
    p.Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    p.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    p.String(
         "Text", [](const TCustomEdit& e) { return e.Text(); },
         [](TCustomEdit& e, const AnsiString& value) { e.SetText(value); }, "TCaption")
        .StoredWhen([](const core::TObject& o) {
            const auto& edit = static_cast<const TCustomEdit&>(o);
            return edit.StoreText() && !edit.Text().empty();
        });
    p.Event("OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    UpdateHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
    UpdateHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    if (value == charCase_)
        return;
    charCase_ = value;
    if (HandleAllocated()) {
        uint32_t style = HandleOrNull()->Style() & ~(ES_UPPERCASE | ES_LOWERCASE);
        style |= value == ecUpperCase ? ES_UPPERCASE : value == ecLowerCase ? ES_LOWERCASE : 0u;
        HandleOrNull()->SetStyle(style);
    }
    // Text already there takes the new case, as the window would give it.
    if (value != ecNormal)
        SetText(ConvertCase(Text()));
}

void TCustomEdit::SetHideSelection(bool value)
{
    if (value == hideSelection_)
        return;
    hideSelection_ = value;
    if (HandleAllocated()) {
        uint32_t style = HandleOrNull()->Style();
        HandleOrNull()->SetStyle(value ? style & ~ES_NOHIDESEL : style | ES_NOHIDESEL);
    }
    Invalidate();
}

void TCustomEdit::SetMaxLength(int value)
{
    maxLength_ = std::max(value, 0);
    engine_.SetMaxLength(maxLength_);
}

void TCustomEdit::SetPasswordChar(char value)
{
    if (value == passwordChar_)
        return;
    passwordChar_ = value;
    if (HandleAllocated()) {
        uint32_t style = HandleOrNull()->Style();
        HandleOrNull()->SetStyle(value ? style | ES_PASSWORD : style & ~ES_PASSWORD);
    }
    Changed(false);
}

void TCustomEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (HandleAllocated()) {
        uint32_t style = HandleOrNull()->Style();
        HandleOrNull()->SetStyle(value ? style | ES_READONLY : style & ~ES_READONLY);
    }
}

bool TCustomEdit::Modified() const
{
    return engine_.Modified();
}

void TCustomEdit::SetModified(bool value)
{
    engine_.SetModified(value);
}

int TCustomEdit::SelStart() const
{
    return Engine().SelStart();
}

void TCustomEdit::SetSelStart(int value)
{
    Perform(EM_SETSEL, static_cast<WPARAM>(value), value);
}

int TCustomEdit::SelLength() const
{
    return Engine().SelLength();
}

void TCustomEdit::SetSelLength(int value)
{
    int start = SelStart();
    Perform(EM_SETSEL, static_cast<WPARAM>(start), start + std::max(value, 0));
}

AnsiString TCustomEdit::SelText() const
{
    return Engine().SelText();
}

void TCustomEdit::SetSelText(const AnsiString& value)
{
    Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void TCustomEdit::SelectAll()
{
    Perform(EM_SETSEL, 0, -1);
}

bool TCustomEdit::CanUndo() const
{
    return engine_.CanUndo();
}

void TCustomEdit::ClearUndo()
{
    engine_.EmptyUndo();
}

AnsiString TCustomEdit::GetText() const
{
    return engine_.Text();
}

void TCustomEdit::SetTextValue(const AnsiString& value)
{
    Engine().SetText(value);
    topLine_ = 0;
    scrollX_ = 0;
    Changed(true);
}

void TCustomEdit::ReplaceRange(int start, int end, const AnsiString& text)
{
    TTextEditor& e = Engine();
    e.SetSelection(start, end);
    if (e.Replace(text, ekNoUndo, false))
        Changed(true);
}

void TCustomEdit::Change()
{
    // The window's own text follows, for whoever reads it by handle.
    if (HandleAllocated())
        HandleOrNull()->SetText(engine_.Text());
    OnChange(this);
}

void TCustomEdit::Loaded()
{
    TWinControl::Loaded();
    UpdateHeight();
    engine_.SetModified(false);
}

void TCustomEdit::UpdateHeight()
{
    if (!autoSize_ || borderStyle_ != bsSingle || InState(core::csLoading) || IsMultiLine())
        return;
    // The classic rule: the font's height plus the border and a margin.
    int extra = NewStyleControls() && Ctl3D() ? 8 : 6;
    SetHeight(LineHeight() + extra);
}

int TCustomEdit::LineHeight() const
{
    return std::max(measure_->TextMetrics().Height, 1);
}

void TCustomEdit::UpdateFontMetrics()
{
    measure_->Font()->Assign(Font());
    engine_.SetMeasure([this](std::string_view text) { return measure_->TextWidth(text); });
    engine_.SetTabWidth(8 * std::max(measure_->TextMetrics().AveCharWidth, 1));
    if (HandleAllocated() && WindowManager().CaretOwner() == HandleOrNull()) {
        WindowManager().CreateCaret(HandleOrNull(), 1, LineHeight());
        WindowManager().ShowCaret(HandleOrNull());
    }
    UpdateHeight();
    Changed(false);
}

// ---- The window and its style -----------------------------------------------------

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (borderStyle_ == bsSingle) {
        if (NewStyleControls() && Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
    if (charCase_ == ecUpperCase)
        params.Style |= ES_UPPERCASE;
    else if (charCase_ == ecLowerCase)
        params.Style |= ES_LOWERCASE;
    if (!hideSelection_)
        params.Style |= ES_NOHIDESEL;
    if (oemConvert_)
        params.Style |= ES_OEMCONVERT;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (passwordChar_)
        params.Style |= ES_PASSWORD;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    HandleOrNull()->SetText(engine_.Text());
    UpdateHeight();
    ClampScroll();
    UpdateScrollBars();
}

uint32_t TCustomEdit::EditStyle() const
{
    if (HandleAllocated())
        return HandleOrNull()->Style();
    TCreateParams params;
    const_cast<TCustomEdit*>(this)->CreateParams(params);
    return params.Style;
}

TTextEditor& TCustomEdit::Engine() const
{
    uint32_t style = EditStyle();
    bool multiLine = (style & ES_MULTILINE) != 0;
    engine_.SetMultiLine(multiLine);
    engine_.SetPasswordChar(multiLine ? 0 : passwordChar_);
    bool wrap = multiLine && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
    engine_.SetWrapWidth(wrap ? std::max(FormatRect().Width(), 1) : 0);
    return engine_;
}

TRect TCustomEdit::FormatRect() const
{
    if (rectSet_)
        return rect_;
    TRect client = ClientRect();
    int top = 0;
    // A one-line edit keeps its line a little below the top edge, as much as
    // the room around the line allows.
    if (!(EditStyle() & ES_MULTILINE))
        top = std::clamp((client.Height() - LineHeight()) / 2, 0, 2);
    return {client.Left + leftMargin_, client.Top + top, client.Right - rightMargin_, client.Bottom};
}

void TCustomEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The press focuses the edit whatever its TabStop, and the entry it
        // causes is known to come from the mouse (AutoSelect keeps out).
        SetControlState(ControlState() + TControlState{csLButtonDown});
        if (!Focused() && CanFocus())
            SetFocus();
        TWinControl::WndProc(m);
        return;
    case WM_LBUTTONUP:
        TWinControl::WndProc(m);
        SetControlState(ControlState() - TControlState{csLButtonDown});
        selecting_ = false;
        return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        // The button's release may never come here now.
        selecting_ = false;
        SetControlState(ControlState() - TControlState{csLButtonDown});
        TWinControl::WndProc(m);
        return;
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        UpdateFontMetrics();
        return;
    case CM_CTL3DCHANGED:
        TWinControl::WndProc(m);
        if (borderStyle_ == bsSingle)
            RecreateWnd();
        UpdateHeight();
        return;
    default:
        TWinControl::WndProc(m);
        return;
    }
}

void TCustomEdit::DefaultHandler(TMessage& m)
{
    if (ClipboardCommand(m) || LineRequest(m))
        return;
    if (THandler handler = HandlerOf(m.Msg)) {
        (this->*handler)(m);
        return;
    }
    TWinControl::DefaultHandler(m);
}

// ---- The window class's messages -------------------------------------------------
// One handler per message the edit window answers itself (the clipboard
// commands and line requests are handled in groups above); what is not here
// goes to the windowed control's default handling.

TCustomEdit::THandler TCustomEdit::HandlerOf(uint32_t msg)
{
    static const std::pair<uint32_t, THandler> handlers[] = {
        {WM_KEYDOWN, &TCustomEdit::KeyCommand},
        {WM_CHAR, &TCustomEdit::CharCommand},
        {WM_GETDLGCODE, &TCustomEdit::WMGetDlgCode},
        {WM_GETTEXT, &TCustomEdit::WMGetText},
        {WM_GETTEXTLENGTH, &TCustomEdit::WMGetTextLength},
        {WM_SETTEXT, &TCustomEdit::WMSetText},
        {WM_SETFOCUS, &TCustomEdit::WMSetFocus},
        {WM_KILLFOCUS, &TCustomEdit::WMKillFocus},
        {WM_SIZE, &TCustomEdit::WMSize},
        {WM_SETCURSOR, &TCustomEdit::WMSetCursor},
        {WM_MOUSEWHEEL, &TCustomEdit::WMMouseWheel},
        {WM_VSCROLL, &TCustomEdit::WMScroll},
        {WM_HSCROLL, &TCustomEdit::WMScroll},
        {WM_DESTROY, &TCustomEdit::WMDestroy},
        {EM_GETSEL, &TCustomEdit::EMGetSel},
        {EM_SETSEL, &TCustomEdit::EMSetSel},
        {EM_REPLACESEL, &TCustomEdit::EMReplaceSel},
        {EM_GETRECT, &TCustomEdit::EMGetRect},
        {EM_SETRECT, &TCustomEdit::EMSetRect},
        {EM_SETRECTNP, &TCustomEdit::EMSetRect},
        {EM_SETMARGINS, &TCustomEdit::EMSetMargins},
        {EM_GETMARGINS, &TCustomEdit::EMGetMargins},
        {EM_LIMITTEXT, &TCustomEdit::EMLimitText},
        {EM_GETLIMITTEXT, &TCustomEdit::EMGetLimitText},
        {EM_SETREADONLY, &TCustomEdit::EMSetReadOnly},
        {EM_SETPASSWORDCHAR, &TCustomEdit::EMSetPasswordChar},
        {EM_GETPASSWORDCHAR, &TCustomEdit::EMGetPasswordChar},
        {EM_CANUNDO, &TCustomEdit::EMCanUndo},
        {EM_EMPTYUNDOBUFFER, &TCustomEdit::EMEmptyUndoBuffer},
        {EM_GETMODIFY, &TCustomEdit::EMGetModify},
        {EM_SETMODIFY, &TCustomEdit::EMSetModify},
        {EM_SCROLLCARET, &TCustomEdit::EMScrollCaret},
    };
    return MessageHandlerOf(handlers, msg);
}

void TCustomEdit::WMGetDlgCode(TMessage& m)
{
    m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
}

void TCustomEdit::WMGetText(TMessage& m)
{
    auto* buffer = reinterpret_cast<char*>(m.LParam);
    size_t size = static_cast<size_t>(m.WParam);
    m.Result = 0;
    if (!buffer || size == 0)
        return;
    size_t n = std::min(engine_.Text().size(), size - 1);
    std::memcpy(buffer, engine_.Text().data(), n);
    buffer[n] = '\0';
    m.Result = static_cast<LRESULT>(n);
}

void TCustomEdit::WMGetTextLength(TMessage& m)
{
    m.Result = engine_.Length();
}

void TCustomEdit::WMSetText(TMessage& m)
{
    const char* text = reinterpret_cast<const char*>(m.LParam);
    Engine().SetText(text ? text : "");
    topLine_ = 0;
    scrollX_ = 0;
    Changed(true);
    Perform(CM_TEXTCHANGED, 0, 0);
    m.Result = 1;
}

void TCustomEdit::WMSetFocus(TMessage& m)
{
    TWindowManager& wm = WindowManager();
    wm.CreateCaret(HandleOrNull(), 1, LineHeight());
    UpdateCaret();
    wm.ShowCaret(HandleOrNull());
    Invalidate();
    m.Result = 0;
}

void TCustomEdit::WMKillFocus(TMessage& m)
{
    if (WindowManager().CaretOwner() == HandleOrNull())
        WindowManager().DestroyCaret();
    pendingLead_ = 0;
    selecting_ = false;
    Invalidate();
    m.Result = 0;
}

void TCustomEdit::WMSize(TMessage& m)
{
    ClampScroll();
    Invalidate();
    UpdateCaret();
    TWinControl::DefaultHandler(m);
}

void TCustomEdit::WMSetCursor(TMessage& m)
{
    if (LoWord(m.LParam) == HTCLIENT) {
        WindowManager().SetCursor(crIBeam);
        m.Result = 1;
        return;
    }
    TWinControl::DefaultHandler(m);
}

void TCustomEdit::WMMouseWheel(TMessage& m)
{
    if (IsMultiLine()) {
        int delta = static_cast<int16_t>(HiWord(static_cast<LPARAM>(m.WParam)));
        SetTopLine(topLine_ - delta * WindowManager().WheelScrollLines() / WHEEL_DELTA);
    }
    m.Result = 0;
}

void TCustomEdit::WMScroll(TMessage& m)
{
    ScrollCommand(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LoWord(static_cast<LPARAM>(m.WParam)),
                  HiWord(static_cast<LPARAM>(m.WParam)));
    m.Result = 0;
}

void TCustomEdit::WMDestroy(TMessage& m)
{
    if (WindowManager().CaretOwner() == HandleOrNull())
        WindowManager().DestroyCaret();
    TWinControl::DefaultHandler(m);
}

// ---- Keys and characters ----------------------------------------------------------

void TCustomEdit::KeyCommand(TMessage& m)
{
    TShiftState state = KeyboardShiftState();
    bool shift = state.Contains(ssShift), ctrl = state.Contains(ssCtrl), alt = state.Contains(ssAlt);
    TTextEditor& e = Engine();
    bool multiLine = e.MultiLine();
    int caret = e.Caret();
    m.Result = 0;
    switch (static_cast<unsigned>(m.WParam)) {
    case VK_LEFT:
    case VK_RIGHT: {
        bool right = m.WParam == VK_RIGHT;
        if (ctrl)
            MoveCaret(right ? e.WordRight(caret) : e.WordLeft(caret), shift);
        else if (!shift && e.SelLength() > 0)
            MoveCaret(right ? e.SelEnd() : e.SelStart(), false);
        else
            MoveCaret(right ? e.NextChar(caret) : e.PrevChar(caret), shift);
        return;
    }
    case VK_UP:
    case VK_DOWN: {
        bool down = m.WParam == VK_DOWN;
        if (multiLine)
            MoveVertically(down ? 1 : -1, shift);
        else if (!shift && e.SelLength() > 0)
            MoveCaret(down ? e.SelEnd() : e.SelStart(), false);
        else
            MoveCaret(down ? e.NextChar(caret) : e.PrevChar(caret), shift);
        return;
    }
    case VK_HOME:
        MoveCaret(ctrl || !multiLine ? 0 : e.Lines()[static_cast<size_t>(CaretLine())].Start, shift);
        return;
    case VK_END: {
        if (ctrl || !multiLine) {
            MoveCaret(e.Length(), shift);
            return;
        }
        int line = CaretLine();
        const TTextLine& l = e.Lines()[static_cast<size_t>(line)];
        bool wrapped = l.End == l.Next && line + 1 < e.LineCount();
        MoveCaret(l.End, shift, wrapped);
        return;
    }
    case VK_PRIOR:
    case VK_NEXT:
        if (multiLine) {
            int page = std::max(VisibleLines() - 1, 1) * (m.WParam == VK_NEXT ? 1 : -1);
            SetTopLine(topLine_ + page);
            MoveVertically(page, shift);
        }
        return;
    case VK_DELETE:
        if (shift && !ctrl)
            Perform(WM_CUT);
        else if (!readOnly_ && e.DeleteForward())
            Changed(true);
        return;
    case VK_INSERT:
        if (ctrl && !shift)
            Perform(WM_COPY);
        else if (shift && !ctrl)
            Perform(WM_PASTE);
        return;
    default:
        break;
    }
    if (!ctrl || alt)
        return;
    switch (static_cast<unsigned>(m.WParam)) {
    case 'C': Perform(WM_COPY); return;
    case 'X': Perform(WM_CUT); return;
    case 'V': Perform(WM_PASTE); return;
    case 'Z': Perform(WM_UNDO); return;
    case 'A': SelectAll(); return;
    default: return;
    }
}

void TCustomEdit::CharCommand(TMessage& m)
{
    char c = static_cast<char>(m.WParam & 0xFF);
    m.Result = 0;
    if (pendingLead_) {
        char lead = pendingLead_;
        pendingLead_ = 0;
        if (core::IsTrailByte(c)) {
            InsertTyped(AnsiString{lead, c});
            return;
        }
        // A lead byte whose trail never came is dropped; this byte goes on alone.
    }
    if (core::IsLeadByte(c)) {
        pendingLead_ = c;
        return;
    }
    bool multiLine = IsMultiLine();
    switch (c) {
    case '\b':
        if (!readOnly_ && Engine().DeleteBackward())
            Changed(true);
        return;
    case '\r':
        if (multiLine)
            InsertTyped("\r\n");
        return;
    case '\t':
        if (multiLine)
            InsertTyped("\t");
        return;
    default:
        break;
    }
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F)
        return;
    InsertTyped(AnsiString(1, c));
}

void TCustomEdit::InsertTyped(const AnsiString& text)
{
    if (readOnly_)
        return;
    if (Engine().Replace(ConvertCase(text), ekTyping))
        Changed(true);
}

AnsiString TCustomEdit::ConvertCase(AnsiString text) const
{
    switch (charCase_) {
    case ecUpperCase: return core::UpperCase(text);
    case ecLowerCase: return core::LowerCase(text);
    default: return text;
    }
}

// ---- The clipboard and the EM_ requests ---------------------------------------------

bool TCustomEdit::ClipboardCommand(TMessage& m)
{
    TWindowManager& wm = WindowManager();
    switch (m.Msg) {
    case WM_COPY:
    case WM_CUT:
    case WM_CLEAR:
    case WM_PASTE:
        break;
    case WM_UNDO:
    case EM_UNDO:
        m.Result = 0;
        if (!readOnly_ && Engine().Undo()) {
            Changed(true);
            m.Result = 1;
        }
        return true;
    default:
        return false;
    }
    TTextEditor& e = Engine();
    // A password never leaves the edit.
    bool masked = passwordChar_ != 0 && !e.MultiLine();
    m.Result = 0;
    if (m.Msg == WM_COPY || m.Msg == WM_CUT) {
        if (masked || e.SelLength() == 0 || (m.Msg == WM_CUT && readOnly_))
            return true;
        wm.SetClipboardText(e.SelText());
        if (m.Msg == WM_CUT && e.Replace({}, ekOther))
            Changed(true);
        return true;
    }
    if (readOnly_)
        return true;
    if (m.Msg == WM_CLEAR) {
        if (e.SelLength() > 0 && e.Replace({}, ekOther))
            Changed(true);
        return true;
    }
    AnsiString text = PasteText(wm.ClipboardText(), e.MultiLine());
    if (!text.empty() && e.Replace(ConvertCase(text), ekOther))
        Changed(true);
    return true;
}

void TCustomEdit::EMGetSel(TMessage& m)
{
    TTextEditor& e = Engine();
    if (m.WParam)
        *reinterpret_cast<int*>(m.WParam) = e.SelStart();
    if (m.LParam)
        *reinterpret_cast<int*>(m.LParam) = e.SelEnd();
    m.Result = MakeLParam(e.SelStart(), e.SelEnd());
}

void TCustomEdit::EMSetSel(TMessage& m)
{
    TTextEditor& e = Engine();
    int start = static_cast<int>(static_cast<intptr_t>(m.WParam));
    int end = static_cast<int>(m.LParam);
    if (start < 0) {
        e.SetSelection(e.Caret(), e.Caret());
    } else {
        if (end < 0 || end > e.Length())
            end = e.Length();
        e.SetSelection(start, end);
    }
    caretAtLineEnd_ = false;
    goalX_ = -1;
    Invalidate();
    UpdateCaret();
}

void TCustomEdit::EMReplaceSel(TMessage& m)
{
    const char* text = reinterpret_cast<const char*>(m.LParam);
    if (Engine().Replace(text ? text : "", m.WParam ? ekOther : ekNoUndo, false))
        Changed(true);
}

void TCustomEdit::EMGetRect(TMessage& m)
{
    if (m.LParam)
        *reinterpret_cast<TRect*>(m.LParam) = FormatRect();
}

void TCustomEdit::EMSetRect(TMessage& m)
{
    rectSet_ = m.LParam != 0;
    if (rectSet_)
        rect_ = *reinterpret_cast<const TRect*>(m.LParam);
    ClampScroll();
    if (m.Msg == EM_SETRECT)
        Invalidate();
    UpdateCaret();
}

void TCustomEdit::EMSetMargins(TMessage& m)
{
    auto margin = [](int value) { return value == static_cast<int>(EC_USEFONTINFO) ? 1 : value; };
    if (m.WParam & EC_LEFTMARGIN)
        leftMargin_ = margin(LoWord(m.LParam));
    if (m.WParam & EC_RIGHTMARGIN)
        rightMargin_ = margin(HiWord(m.LParam));
    Changed(false);
}

void TCustomEdit::EMGetMargins(TMessage& m)
{
    m.Result = MakeLParam(leftMargin_, rightMargin_);
}

void TCustomEdit::EMLimitText(TMessage& m)
{
    SetMaxLength(static_cast<int>(m.WParam));
}

void TCustomEdit::EMGetLimitText(TMessage& m)
{
    m.Result = maxLength_ > 0 ? maxLength_ : 0x7FFFFFFE;
}

void TCustomEdit::EMSetReadOnly(TMessage& m)
{
    SetReadOnly(m.WParam != 0);
    m.Result = 1;
}

void TCustomEdit::EMSetPasswordChar(TMessage& m)
{
    SetPasswordChar(static_cast<char>(m.WParam));
}

void TCustomEdit::EMGetPasswordChar(TMessage& m)
{
    m.Result = static_cast<unsigned char>(passwordChar_);
}

void TCustomEdit::EMCanUndo(TMessage& m)
{
    m.Result = engine_.CanUndo() ? 1 : 0;
}

void TCustomEdit::EMEmptyUndoBuffer(TMessage&)
{
    engine_.EmptyUndo();
}

void TCustomEdit::EMGetModify(TMessage& m)
{
    m.Result = engine_.Modified() ? 1 : 0;
}

void TCustomEdit::EMSetModify(TMessage& m)
{
    engine_.SetModified(m.WParam != 0);
}

void TCustomEdit::EMScrollCaret(TMessage& m)
{
    UpdateCaret();
    m.Result = 1;
}

bool TCustomEdit::LineRequest(TMessage& m)
{
    switch (m.Msg) {
    case EM_GETLINECOUNT:
    case EM_GETFIRSTVISIBLELINE:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_LINEFROMCHAR:
    case EM_GETLINE:
    case EM_LINESCROLL:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
        break;
    default:
        return false;
    }
    TTextEditor& e = Engine();
    const std::vector<TTextLine>& lines = e.Lines();
    int count = static_cast<int>(lines.size());
    int wparam = static_cast<int>(static_cast<intptr_t>(m.WParam));
    m.Result = 0;
    switch (m.Msg) {
    case EM_GETLINECOUNT:
        m.Result = count;
        break;
    case EM_GETFIRSTVISIBLELINE:
        m.Result = e.MultiLine() ? topLine_ : e.PosAt(0, scrollX_);
        break;
    case EM_LINEINDEX: {
        int line = wparam < 0 ? CaretLine() : wparam;
        m.Result = line < count ? lines[static_cast<size_t>(line)].Start : -1;
        break;
    }
    case EM_LINELENGTH: {
        const TTextLine& l = lines[static_cast<size_t>(wparam < 0 ? CaretLine() : e.LineOf(wparam))];
        m.Result = l.End - l.Start;
        break;
    }
    case EM_LINEFROMCHAR:
        m.Result = wparam < 0 ? CaretLine() : e.LineOf(wparam);
        break;
    case EM_GETLINE: {
        // The buffer's first two bytes say how many bytes it holds.
        auto* buffer = reinterpret_cast<char*>(m.LParam);
        if (!buffer || wparam < 0 || wparam >= count)
            break;
        uint16_t size;
        std::memcpy(&size, buffer, sizeof size);
        const TTextLine& l = lines[static_cast<size_t>(wparam)];
        size_t n = std::min<size_t>(static_cast<size_t>(l.End - l.Start), size);
        std::memcpy(buffer, e.Text().data() + l.Start, n);
        m.Result = static_cast<LRESULT>(n);
        break;
    }
    case EM_LINESCROLL:
        if (e.MultiLine()) {
            SetScrollX(scrollX_ + wparam * std::max(measure_->TextMetrics().AveCharWidth, 1));
            SetTopLine(topLine_ + static_cast<int>(m.LParam));
            m.Result = 1;
        }
        break;
    case EM_POSFROMCHAR: {
        TPoint p = PosToPoint(wparam, false);
        m.Result = MakeLParam(p.X, p.Y);
        break;
    }
    case EM_CHARFROMPOS: {
        int pos = PointToPos({SignedLoWord(m.LParam), SignedHiWord(m.LParam)}, nullptr);
        m.Result = MakeLParam(pos, e.LineOf(pos));
        break;
    }
    default:
        break;
    }
    return true;
}

// ---- The mouse ------------------------------------------------------------------------

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        bool atLineEnd = false;
        int pos = PointToPos({x, y}, &atLineEnd);
        if (shift.Contains(ssDouble)) {
            int start = 0, end = 0;
            TTextEditor& e = Engine();
            e.WordAt(pos, start, end);
            e.SetSelection(start, end);
            caretAtLineEnd_ = false;
            goalX_ = -1;
            selecting_ = false;
            Invalidate();
            UpdateCaret();
        } else {
            MoveCaret(pos, shift.Contains(ssShift), atLineEnd);
            selecting_ = true;
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y)
{
    if (selecting_ && MouseCapture() && shift.Contains(ssLeft)) {
        bool atLineEnd = false;
        int pos = PointToPos({x, y}, &atLineEnd);
        if (pos != engine_.Caret() || atLineEnd != caretAtLineEnd_)
            MoveCaret(pos, true, atLineEnd);
    }
    TWinControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        selecting_ = false;
    TWinControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::DoEnter()
{
    // Entered by the keyboard, a one-line edit offers its whole text for
    // overtyping; a click places the caret instead.
    if (autoSelect_ && !ControlState().Contains(csLButtonDown) && !IsMultiLine())
        SelectAll();
    TWinControl::DoEnter();
}

// ---- Caret, scrolling and scroll bars ---------------------------------------------------

void TCustomEdit::MoveCaret(int pos, bool extend, bool atLineEnd, bool keepGoal)
{
    Engine().SetCaret(pos, extend);
    caretAtLineEnd_ = atLineEnd;
    if (!keepGoal)
        goalX_ = -1;
    Invalidate();
    UpdateCaret();
}

void TCustomEdit::MoveVertically(int lines, bool extend)
{
    TTextEditor& e = Engine();
    int line = CaretLine();
    if (goalX_ < 0)
        goalX_ = LineLeft(line) + e.XOf(line, e.Caret());
    int target = std::clamp(line + lines, 0, e.LineCount() - 1);
    bool atLineEnd = false;
    int pos = e.PosAt(target, goalX_ - LineLeft(target), &atLineEnd);
    MoveCaret(pos, extend, atLineEnd, true);
}

void TCustomEdit::Changed(bool textChanged)
{
    goalX_ = -1;
    caretAtLineEnd_ = false;
    ClampScroll();
    Invalidate();
    UpdateCaret();
    if (textChanged)
        Change();
}

int TCustomEdit::VisibleLines() const
{
    if (!IsMultiLine())
        return 1;
    return std::max(FormatRect().Height() / LineHeight(), 1);
}

int TCustomEdit::CaretLine() const
{
    TTextEditor& e = Engine();
    return e.LineOf(e.Caret(), caretAtLineEnd_);
}

int TCustomEdit::LineLeft(int line) const
{
    TRect r = FormatRect();
    int x = r.Left - scrollX_;
    uint32_t align = EditStyle() & (ES_CENTER | ES_RIGHT);
    if (align != ES_LEFT) {
        int free = r.Width() - Engine().Lines()[static_cast<size_t>(line)].Width;
        // The caret after the last character of a right-aligned line stays inside.
        if (free > 0)
            x += align == ES_RIGHT ? free - 1 : free / 2;
    }
    return x;
}

TPoint TCustomEdit::PosToPoint(int pos, bool atLineEnd) const
{
    TTextEditor& e = Engine();
    int line = e.LineOf(e.Snap(pos), atLineEnd);
    return {LineLeft(line) + e.XOf(line, pos), FormatRect().Top + (line - topLine_) * LineHeight()};
}

int TCustomEdit::PointToPos(TPoint p, bool* atLineEnd) const
{
    TTextEditor& e = Engine();
    TRect r = FormatRect();
    int line = e.MultiLine() ? topLine_ + FloorDiv(p.Y - r.Top, LineHeight()) : 0;
    line = std::clamp(line, 0, e.LineCount() - 1);
    return e.PosAt(line, p.X - LineLeft(line), atLineEnd);
}

void TCustomEdit::ScrollToCaret()
{
    TTextEditor& e = Engine();
    int line = CaretLine();
    if (e.MultiLine()) {
        int visible = VisibleLines();
        if (line < topLine_)
            topLine_ = line;
        else if (line >= topLine_ + visible)
            topLine_ = line - visible + 1;
    }
    if (e.WrapWidth() > 0) {
        scrollX_ = 0;
    } else {
        TRect r = FormatRect();
        int width = std::max(r.Width(), 1);
        int x = LineLeft(line) + scrollX_ - r.Left + e.XOf(line, e.Caret());
        // Leaving to the left brings back a third of the width of text before
        // the caret; leaving to the right scrolls just far enough.
        if (x < scrollX_)
            scrollX_ = std::max(x - width / 3, 0);
        else if (x > scrollX_ + width - 1)
            scrollX_ = x - width + 1;
    }
    ClampScroll();
}

void TCustomEdit::ClampScroll()
{
    TTextEditor& e = Engine();
    int maxTop = e.MultiLine() ? std::max(e.LineCount() - VisibleLines(), 0) : 0;
    topLine_ = std::clamp(topLine_, 0, maxTop);
    int maxX = e.WrapWidth() > 0 ? 0 : std::max(e.MaxLineWidth() + 1 - FormatRect().Width(), 0);
    scrollX_ = std::clamp(scrollX_, 0, maxX);
}

void TCustomEdit::UpdateCaret()
{
    if (!HandleAllocated())
        return;
    int top = topLine_, x = scrollX_;
    ScrollToCaret();
    if (top != topLine_ || x != scrollX_)
        Invalidate();
    UpdateScrollBars();
    TWindowManager& wm = WindowManager();
    if (wm.CaretOwner() == HandleOrNull()) {
        TPoint p = PosToPoint(engine_.Caret(), caretAtLineEnd_);
        wm.SetCaretPos(p.X, p.Y);
    }
}

void TCustomEdit::UpdateScrollBars()
{
    if (!HandleAllocated())
        return;
    HWND window = HandleOrNull();
    uint32_t style = window->Style();
    TTextEditor& e = Engine();
    // A bar the style asks for stays; it is disabled while everything fits.
    if (style & WS_VSCROLL) {
        TScrollInfo info{0, 0, 0, 0, 0};
        int visible = VisibleLines();
        if (e.LineCount() > visible)
            info = {0, e.LineCount() - 1, visible, topLine_, 0};
        window->SetScrollInfo(SB_VERT, info, SIF_ALL | SIF_DISABLENOSCROLL, true);
    }
    if (style & WS_HSCROLL) {
        TScrollInfo info{0, 0, 0, 0, 0};
        int width = std::max(FormatRect().Width(), 1);
        int widest = e.MaxLineWidth() + 1;
        if (widest > width)
            info = {0, widest - 1, width, scrollX_, 0};
        window->SetScrollInfo(SB_HORZ, info, SIF_ALL | SIF_DISABLENOSCROLL, true);
    }
}

void TCustomEdit::SetTopLine(int line)
{
    int old = topLine_;
    topLine_ = line;
    ClampScroll();
    if (topLine_ == old)
        return;
    Invalidate();
    UpdateScrollBars();
    if (HandleAllocated() && WindowManager().CaretOwner() == HandleOrNull()) {
        TPoint p = PosToPoint(engine_.Caret(), caretAtLineEnd_);
        WindowManager().SetCaretPos(p.X, p.Y);
    }
}

void TCustomEdit::SetScrollX(int x)
{
    int old = scrollX_;
    scrollX_ = x;
    ClampScroll();
    if (scrollX_ == old)
        return;
    Invalidate();
    UpdateScrollBars();
    if (HandleAllocated() && WindowManager().CaretOwner() == HandleOrNull()) {
        TPoint p = PosToPoint(engine_.Caret(), caretAtLineEnd_);
        WindowManager().SetCaretPos(p.X, p.Y);
    }
}

void TCustomEdit::ScrollCommand(int bar, int code, int thumb)
{
    bool vertical = bar == SB_VERT;
    int pos = vertical ? topLine_ : scrollX_;
    int line = vertical ? 1 : std::max(measure_->TextMetrics().AveCharWidth, 1);
    int page = vertical ? VisibleLines() : std::max(FormatRect().Width(), 1);
    switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = thumb; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = 0x7FFFFFF; break;
    default: return;
    }
    if (vertical)
        SetTopLine(pos);
    else
        SetScrollX(pos);
}

// ---- Painting -----------------------------------------------------------------------------

void TCustomEdit::PaintWindow(const TDrawTarget& target)
{
    graphics::TCanvas& canvas = *canvas_;
    AttachCanvas(canvas, target);
    canvas.Font()->Assign(Font());
    TRect client = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);

    TTextEditor& e = Engine();
    TRect r = FormatRect();
    canvas.IntersectClipRect(graphics::Intersection(r, client));
    bool showSelection = e.SelLength() > 0 && (Focused() || (EditStyle() & ES_NOHIDESEL));
    int height = LineHeight();
    int count = e.LineCount();
    int first = e.MultiLine() ? topLine_ : 0;
    for (int line = first, y = r.Top; line < count && y < r.Bottom; ++line, y += height)
        PaintLine(canvas, line, y, showSelection);
    canvas.Detach();
}

void TCustomEdit::PaintLine(graphics::TCanvas& canvas, int line, int y, bool showSelection)
{
    const TTextLine& l = engine_.Lines()[static_cast<size_t>(line)];
    int selStart = showSelection ? std::clamp(engine_.SelStart(), l.Start, l.End) : l.End;
    int selEnd = showSelection ? std::clamp(engine_.SelEnd(), l.Start, l.End) : l.End;
    DrawRun(canvas, line, l.Start, selStart, y, false);
    DrawRun(canvas, line, selStart, selEnd, y, true);
    DrawRun(canvas, line, selEnd, l.End, y, false);
}

void TCustomEdit::DrawRun(graphics::TCanvas& canvas, int line, int from, int to, int y, bool selected)
{
    if (from >= to)
        return;
    const TTextEditor& e = engine_;
    int left = LineLeft(line);
    if (selected) {
        canvas.Brush()->SetColor(graphics::clHighlight);
        canvas.FillRect({left + e.XOf(line, from), y, left + e.XOf(line, to), y + LineHeight()});
    }
    graphics::TColor color = !Enabled() ? graphics::clGrayText : selected ? graphics::clHighlightText : Font()->Color();
    canvas.Font()->SetColor(color);
    canvas.SetBkMode(graphics::TRANSPARENT);
    bool masked = passwordChar_ != 0 && !e.MultiLine();
    const AnsiString& text = e.Text();
    // Tabs are gaps to the next stop; each piece between them is one text run.
    for (int p = from; p < to;) {
        int q = p;
        int chars = 0;
        while (q < to && (masked || text[static_cast<size_t>(q)] != '\t')) {
            q = e.NextChar(q);
            ++chars;
        }
        if (q > p) {
            AnsiString shown = masked ? AnsiString(static_cast<size_t>(chars), passwordChar_)
                                      : text.substr(static_cast<size_t>(p), static_cast<size_t>(q - p));
            canvas.TextOut(left + e.XOf(line, p), y, shown);
        }
        p = q < to ? e.NextChar(q) : q;
    }
}

// ---- TEdit ------------------------------------------------------------------------------------

TEdit::TEdit(core::TComponent* owner) : TCustomEdit(owner) {}

}  // namespace ui
