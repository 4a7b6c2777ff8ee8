#pragma once

#include <memory>

#include "platform/core/EnumType.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/TextEditor.h"
#include "platform/ui/WinControl.h"

namespace ui {

// Styles of edit windows: the low word of the window style. What an edit
// does is read from its window's style, so a descendant that changes its
// CreateParams (a memo without ES_MULTILINE, say) changes the behaviour.
constexpr uint32_t ES_LEFT = 0x0000;
constexpr uint32_t ES_CENTER = 0x0001;
constexpr uint32_t ES_RIGHT = 0x0002;
constexpr uint32_t ES_MULTILINE = 0x0004;
constexpr uint32_t ES_UPPERCASE = 0x0008;
constexpr uint32_t ES_LOWERCASE = 0x0010;
constexpr uint32_t ES_PASSWORD = 0x0020;
constexpr uint32_t ES_AUTOVSCROLL = 0x0040;
constexpr uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr uint32_t ES_NOHIDESEL = 0x0100;
constexpr uint32_t ES_OEMCONVERT = 0x0400;
constexpr uint32_t ES_READONLY = 0x0800;
constexpr uint32_t ES_WANTRETURN = 0x1000;

// Which margins EM_SETMARGINS sets; EC_USEFONTINFO as a width asks for the default.
constexpr uint32_t EC_LEFTMARGIN = 0x0001;
constexpr uint32_t EC_RIGHTMARGIN = 0x0002;
constexpr uint32_t EC_USEFONTINFO = 0xFFFF;

CORE_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);

// Whether controls have the newer look: edits with the sunken client edge
// instead of a plain frame. Always true here.
bool NewStyleControls();

// The one-line edit box, and with ES_MULTILINE in its style the base of the
// memo: text, caret and selection by keys and mouse, undo, the clipboard,
// the formatting rectangle, scrolling, and the painting of all of it.
//
// Messages. The edit answers the classic requests: WM_GETTEXT, WM_SETTEXT,
// WM_GETTEXTLENGTH; WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO; EM_GETSEL
// and EM_SETSEL (WParam and LParam of EM_GETSEL may point at ints that
// receive start and end), EM_REPLACESEL (LParam a zero-ended string),
// EM_GETRECT, EM_SETRECT and EM_SETRECTNP (LParam a TRect*, client
// coordinates; EM_SETRECT with none restores the default), EM_SETMARGINS,
// EM_LIMITTEXT, EM_SETREADONLY, EM_SETPASSWORDCHAR, EM_CANUNDO, EM_UNDO,
// EM_EMPTYUNDOBUFFER, EM_GETMODIFY, EM_SETMODIFY, EM_LINEFROMCHAR,
// EM_LINEINDEX, EM_LINELENGTH, EM_GETLINECOUNT, EM_GETFIRSTVISIBLELINE,
// EM_LINESCROLL, EM_SCROLLCARET, EM_POSFROMCHAR, EM_CHARFROMPOS. They are
// handled in DefaultHandler, so a descendant's WndProc sees them first and
// may drop them; the keys that cut, copy, paste and undo send the messages
// to the control itself for that reason.
//
// Keys: arrows, Home and End (with Ctrl: by word, and to the ends of the
// text), Page Up and Down in a multi-line edit, Shift with any of them to
// select; Delete, Backspace; Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+Z, Ctrl+A;
// Shift+Delete, Ctrl+Insert, Shift+Insert. Characters arrive as WM_CHAR
// bytes; a lead byte waits for its trail byte and the two go in together.
class TCustomEdit : public TWinControl {
    CORE_CLASS(TCustomEdit, TWinControl)

    explicit TCustomEdit(core::TComponent* owner);
    ~TCustomEdit() override;
    static void Publish(core::PropertyList& list);

    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    // Height follows the font (one-line edits with a single border).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    // The most bytes the user may bring the text to; 0 is no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value) { oemConvert_ = value; }
    // Shown for every character of a one-line edit; Text stays what was typed.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool Modified() const;
    void SetModified(bool value);

    // The selection, in bytes of the text.
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    AnsiString SelText() const;
    // Replaces the selection (from code: MaxLength does not apply).
    void SetSelText(const AnsiString& value);
    void SelectAll();
    void ClearSelection() { Perform(WM_CLEAR); }
    void CopyToClipboard() { Perform(WM_COPY); }
    void CutToClipboard() { Perform(WM_CUT); }
    void PasteFromClipboard() { Perform(WM_PASTE); }
    bool CanUndo() const;
    void Undo() { Perform(WM_UNDO); }
    void ClearUndo();
    void Clear() { SetText(AnsiString()); }

    // The rectangle the text is laid out in, in client coordinates.
    TRect FormatRect() const;

    // Raised after every change of the text, by the user or by code.
    core::TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void PaintWindow(const TDrawTarget& target) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoEnter() override;
    AnsiString GetText() const override;
    void SetTextValue(const AnsiString& value) override;

    virtual void Change();
    // Whether the published Text is filed (a memo files its Lines instead).
    virtual bool StoreText() const { return true; }
    // Sets the height from the font when AutoSize asks for it.
    void UpdateHeight();

    // The window style that decides the behaviour: the window's, or the one
    // CreateParams would give it.
    uint32_t EditStyle() const;
    bool IsMultiLine() const { return (EditStyle() & ES_MULTILINE) != 0; }
    // The engine, set up for the style, font and formatting rectangle now.
    TTextEditor& Engine() const;
    // Replaces bytes [start, end) from code: no limit, no undo, OnChange.
    void ReplaceRange(int start, int end, const AnsiString& text);
    int LineHeight() const;

private:
    friend class TMemoStrings;

    // Keys and characters, as the window class handles them.
    void KeyCommand(TMessage& m);
    void CharCommand(TMessage& m);
    bool ClipboardCommand(TMessage& m);
    bool LineRequest(TMessage& m);
    void ScrollCommand(int bar, int code, int thumb);
    void InsertTyped(const AnsiString& text);
    AnsiString ConvertCase(AnsiString text) const;

    // The handler of a message the edit window answers itself, or nullptr.
    using THandler = void (TCustomEdit::*)(TMessage&);
    static THandler HandlerOf(uint32_t msg);
    void WMGetDlgCode(TMessage& m);
    void WMGetText(TMessage& m);
    void WMGetTextLength(TMessage& m);
    void WMSetText(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKillFocus(TMessage& m);
    void WMSize(TMessage& m);
    void WMSetCursor(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void WMScroll(TMessage& m);
    void WMDestroy(TMessage& m);
    // The EM_ requests.
    void EMGetSel(TMessage& m);
    void EMSetSel(TMessage& m);
    void EMReplaceSel(TMessage& m);
    void EMGetRect(TMessage& m);
    void EMSetRect(TMessage& m);
    void EMSetMargins(TMessage& m);
    void EMGetMargins(TMessage& m);
    void EMLimitText(TMessage& m);
    void EMGetLimitText(TMessage& m);
    void EMSetReadOnly(TMessage& m);
    void EMSetPasswordChar(TMessage& m);
    void EMGetPasswordChar(TMessage& m);
    void EMCanUndo(TMessage& m);
    void EMEmptyUndoBuffer(TMessage& m);
    void EMGetModify(TMessage& m);
    void EMSetModify(TMessage& m);
    void EMScrollCaret(TMessage& m);

    // Caret and view.
    void MoveCaret(int pos, bool extend, bool atLineEnd = false, bool keepGoal = false);
    void MoveVertically(int lines, bool extend);
    void Changed(bool textChanged);
    void UpdateCaret();
    void ScrollToCaret();
    void ClampScroll();
    void UpdateScrollBars();
    void SetTopLine(int line);
    void SetScrollX(int x);
    int VisibleLines() const;
    int CaretLine() const;
    int LineLeft(int line) const;  // client x where a line's text starts
    TPoint PosToPoint(int pos, bool atLineEnd) const;
    int PointToPos(TPoint p, bool* atLineEnd) const;
    void UpdateFontMetrics();

    // Painting.
    void PaintLine(graphics::TCanvas& canvas, int line, int y, bool showSelection);
    void DrawRun(graphics::TCanvas& canvas, int line, int from, int to, int y, bool selected);

    mutable TTextEditor engine_;
    std::unique_ptr<graphics::TCanvas> canvas_;
    std::unique_ptr<graphics::TCanvas> measure_;

    bool autoSelect_ = true;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    bool oemConvert_ = false;
    char passwordChar_ = 0;
    bool readOnly_ = false;

    TRect rect_;
    bool rectSet_ = false;
    int leftMargin_ = 1;
    int rightMargin_ = 1;
    int scrollX_ = 0;
    int topLine_ = 0;
    bool caretAtLineEnd_ = false;
    int goalX_ = -1;         // where Up and Down aim, or -1
    char pendingLead_ = 0;   // a lead byte waiting for its trail byte
    bool selecting_ = false; // the left button is down over the text
    bool settingText_ = false;
};

// The one-line edit as forms declare it.
class TEdit : public TCustomEdit {
    CORE_CLASS(TEdit, TCustomEdit)
    explicit TEdit(core::TComponent* owner);
};

}  // namespace ui
