#include "platform/ui/Memo.h"

#include "platform/core/Exception.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Writer.h"

namespace ui {

CORE_CLASS_IMPL(TMemoStrings)
CORE_CLASS_IMPL(TCustomMemo)
CORE_CLASS_IMPL(TMemo)

// ---- TMemoStrings ----------------------------------------------------------------

TMemoStrings::TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

void TMemoStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        IndexError(index);
}

int TMemoStrings::Count() const
{
    return memo_->Engine().LogicalLineCount();
}

AnsiString TMemoStrings::Strings(int index) const
{
    const TTextEditor& e = memo_->Engine();
    CheckIndex(index, e.LogicalLineCount());
    int start = e.LogicalLineStart(index);
    return e.Text().substr(static_cast<size_t>(start), static_cast<size_t>(e.LogicalLineEnd(index) - start));
}

void TMemoStrings::SetStrings(int index, const AnsiString& text)
{
    const TTextEditor& e = memo_->Engine();
    CheckIndex(index, e.LogicalLineCount());
    memo_->ReplaceRange(e.LogicalLineStart(index), e.LogicalLineEnd(index), text);
}

void TMemoStrings::Insert(int index, const AnsiString& text)
{
    const TTextEditor& e = memo_->Engine();
    int count = e.LogicalLineCount();
    if (index < 0 || index > count)
        IndexError(index);
    int start = e.LogicalLineStart(index);
    if (start >= 0) {
        memo_->ReplaceRange(start, start, text + "\r\n");
        return;
    }
    // After a last line that has no break yet: the break goes before the new line.
    memo_->ReplaceRange(e.Length(), e.Length(), "\r\n" + text);
}

void TMemoStrings::Delete(int index)
{
    const TTextEditor& e = memo_->Engine();
    CheckIndex(index, e.LogicalLineCount());
    int start = e.LogicalLineStart(index);
    int next = e.LogicalLineStart(index + 1);
    memo_->ReplaceRange(start, next >= 0 ? next : e.Length(), AnsiString());
}

void TMemoStrings::Clear()
{
    memo_->SetText(AnsiString());
}

void TMemoStrings::SetText(const AnsiString& text)
{
    AnsiString adjusted;
    adjusted.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            adjusted += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            adjusted += c;
        }
    }
    memo_->SetText(adjusted);
}

void TMemoStrings::Assign(const core::TPersistent* source)
{
    if (auto* strings = dynamic_cast<const core::TStrings*>(source)) {
        core::TStrings::Assign(*strings);
        return;
    }
    core::TPersistent::Assign(source);
}

void TMemoStrings::DefineProperties(core::TFiler& filer)
{
    core::TPersistent::DefineProperties(filer);
    auto* ancestor = dynamic_cast<const TMemoStrings*>(filer.Ancestor());
    bool hasData = ancestor ? !Equals(*ancestor) : Count() > 0;
    filer.DefineProperty(
        "Strings",
        [this](filing::TReader& reader) {
            reader.ReadListBegin();
            AnsiString text;
            while (!reader.EndOfList())
                text += reader.ReadString() + "\r\n";
            reader.ReadListEnd();
            memo_->SetText(text);
        },
        [this](filing::TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i)
                writer.WriteString(Strings(i));
            writer.WriteListEnd();
        },
        hasData);
}

// ---- TCustomMemo ---------------------------------------------------------------------

TCustomMemo::TCustomMemo(core::TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this))
{
    SetAutoSize(false);
    SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::Publish(core::PropertyList& list)
{
    core::PropBuilder<TCustomMemo> p(list);
    p.Enum("Alignment", &TCustomMemo::Alignment,
           &TCustomMemo::SetAlignment)
        .Default(taLeftJustify);
    p.Boolean("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize).Default(false);
    p.Object<TMemoStrings>(
        "Lines", [](const TCustomMemo& memo) { return memo.LinesObject(); },
        [](TCustomMemo& memo, TMemoStrings* value) { memo.SetLines(value); });
    p.Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
        .Default(ssNone);
    p.Boolean("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(true);
    p.Boolean("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(false);
    p.Boolean("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
}

void TCustomMemo::SetLines(const core::TStrings* value)
{
    if (value && value != lines_.get())
        lines_->core::TStrings::Assign(*value);
}

void TCustomMemo::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    RecreateWnd();
}

TPoint TCustomMemo::CaretPos() const
{
    const TTextEditor& e = Engine();
    int caret = e.Caret();
    int line = 0;
    for (int start = e.LogicalLineStart(1); start >= 0 && start <= caret; start = e.LogicalLineStart(line + 1))
        ++line;
    return {caret - e.LogicalLineStart(line), line};
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    if (wordWrap_)
        params.Style &= ~ES_AUTOHSCROLL;
    params.Style |= ES_MULTILINE;
    params.Style |= alignment_ == taRightJustify ? ES_RIGHT : alignment_ == taCenter ? ES_CENTER : ES_LEFT;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)
        params.Style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
        params.Style |= WS_VSCROLL;
}

void TCustomMemo::KeyPress(char& key)
{
    TCustomEdit::KeyPress(key);
    if (key == '\r' && !wantReturns_)
        key = 0;
    if (key == '\t' && !wantTabs_)
        key = 0;
}

void TCustomMemo::WndProc(TMessage& m)
{
    if (m.Msg != WM_GETDLGCODE) {
        TCustomEdit::WndProc(m);
        return;
    }
    TCustomEdit::WndProc(m);
    uint32_t code = static_cast<uint32_t>(m.Result);
    code = wantTabs_ ? code | DLGC_WANTTAB : code & ~DLGC_WANTTAB;
    code = wantReturns_ ? code | DLGC_WANTALLKEYS : code & ~DLGC_WANTALLKEYS;
    m.Result = code;
}

// ---- TMemo -------------------------------------------------------------------------------

TMemo::TMemo(core::TComponent* owner) : TCustomMemo(owner) {}

}  // namespace ui
