#include "platform/ui/Label.h"

namespace ui {

CORE_CLASS_IMPL(TCustomLabel)
CORE_CLASS_IMPL(TLabel)

using namespace graphics;

TCustomLabel::TCustomLabel(core::TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
    // A label shows on whatever it stands on.
    SetParentColor(true);
}

TCustomLabel::~TCustomLabel() = default;

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value == Transparent())
        return;
    // What lies under a transparent label is painted by its parent first.
    if (value)
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    // "&&" is two characters wide without accelerators and one with them.
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value)
{
    focusControl_ = value;
    if (value)
        value->FreeNotification(this);
}

void TCustomLabel::Notification(core::TComponent* component, core::TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == core::opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

unsigned TCustomLabel::DrawFlags() const
{
    TAlignment alignment = alignment_;
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    unsigned flags = DT_EXPANDTABS;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (alignment == taCenter)
        flags |= DT_CENTER;
    else if (alignment == taRightJustify)
        flags |= DT_RIGHT;
    return flags;
}

void TCustomLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags)
{
    AnsiString text = GetLabelText();
    // An empty label is measured as a space, so it keeps a line's height and
    // can still be found and clicked.
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&")))
        text += ' ';
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    if (Enabled() || (flags & DT_CALCRECT)) {
        canvas.DrawText(text, rect, flags);
        return;
    }
    // Disabled: a highlight copy one pixel down and right under the shadow
    // coloured text, as if engraved.
    TColor color = canvas.Font()->Color();
    TRect shifted = Offset(rect, 1, 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.DrawText(text, shifted, flags);
    canvas.Font()->SetColor(clBtnShadow);
    canvas.DrawText(text, rect, flags);
    canvas.Font()->SetColor(color);
}

void TCustomLabel::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect rect = ClientRect();
    if (!Transparent()) {
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(rect);
    }
    canvas.Brush()->SetStyle(bsClear);
    unsigned flags = DrawFlags();
    if (layout_ != tlTop) {
        TRect measured = rect;
        DoDrawText(canvas, measured, flags | DT_CALCRECT);
        int room = Height() - measured.Bottom;
        rect = Offset(rect, 0, layout_ == tlBottom ? room : room / 2);
    }
    DoDrawText(canvas, rect, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (!autoSize_ || InState(core::csLoading) || InState(core::csDestroying))
        return;
    TCanvas measure;
    measure.Font()->Assign(Font());
    TRect rect = ClientRect();
    DoDrawText(measure, rect, (DrawFlags() & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    int left = Left();
    bool rightAligned = alignment_ == taRightJustify;
    if (UseRightToLeftAlignment() && alignment_ != taCenter)
        rightAligned = !rightAligned;
    if (rightAligned)
        left += Width() - rect.Right;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustBounds();
        return;
    case CM_FONTCHANGED:
        TGraphicControl::WndProc(m);
        AdjustBounds();
        return;
    case CM_DIALOGCHAR:
        if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(static_cast<unsigned>(m.WParam), Caption()) &&
            focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            m.Result = 1;
            return;
        }
        TGraphicControl::WndProc(m);
        return;
    default:
        TGraphicControl::WndProc(m);
        return;
    }
}

TLabel::TLabel(core::TComponent* owner) : TCustomLabel(owner) {}

void TLabel::Publish(core::PropertyList& list)
{
    core::PropBuilder<TLabel> p(list);
    p.Enum("Alignment", &TLabel::Alignment,
           &TLabel::SetAlignment)
        .Default(taLeftJustify);
    p.Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
    p.String("Caption", &TLabel::Caption, &TLabel::SetCaption, "TCaption");
    p.Object<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    p.Enum("Layout", &TLabel::Layout, &TLabel::SetLayout)
        .Default(tlTop);
    p.Boolean("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor).Default(true);
    p.Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
    p.Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
    p.Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
}

}  // namespace ui
