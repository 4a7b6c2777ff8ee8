#include "platform/ui/Button.h"

#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"

namespace ui {

CORE_CLASS_IMPL(TButton)

using namespace graphics;

TButton::TButton(core::TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

TButton::~TButton() = default;

void TButton::Publish(core::PropertyList& list)
{
    core::PropBuilder<TButton> p(list);
    p.String("Caption", &TButton::Caption, &TButton::SetCaption, "TCaption");
    p.Boolean("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    p.Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    p.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, "TModalResult").Default(mrNone);
    p.Boolean("TabStop", &TButton::TabStop, &TButton::SetTabStop).Default(true);
}

void TButton::SetDefault(bool value)
{
    if (value == default_)
        return;
    default_ = value;
    // Without a focused button, the default one is the active one.
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    UpdateActive(focused);
}

void TButton::UpdateActive(const TWinControl* focused)
{
    bool focusOnButton = dynamic_cast<const TButton*>(focused) != nullptr;
    bool active = focused == this || (default_ && !focusOnButton);
    if (active == active_)
        return;
    active_ = active;
    Invalidate();
}

void TButton::Click()
{
    // The form takes the result first, so that a handler may change it.
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

void TButton::SetPressed(bool value)
{
    if (value == pressed_)
        return;
    pressed_ = value;
    Repaint();
}

// ---- Input -----------------------------------------------------------------

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        mouseHeld_ = true;
        SetPressed(true);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y)
{
    // While held, the face follows whether the pointer is over the button.
    if (mouseHeld_)
        SetPressed(ClientRect().Contains({x, y}));
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        mouseHeld_ = false;
        if (!spaceHeld_)
            SetPressed(false);
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(uint16_t& key, TShiftState shift)
{
    if (key == VK_SPACE && !mouseHeld_) {
        spaceHeld_ = true;
        SetPressed(true);
    }
    TCustomControl::KeyDown(key, shift);
}

void TButton::KeyUp(uint16_t& key, TShiftState shift)
{
    if (key == VK_SPACE && spaceHeld_) {
        spaceHeld_ = false;
        SetPressed(false);
        Click();
        return;
    }
    TCustomControl::KeyUp(key, shift);
}

void TButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_BUTTON | (active_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_DIALOGKEY: {
        unsigned key = static_cast<unsigned>(m.WParam);
        bool ours = (key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_);
        if (ours && CanFocus() && !WindowManager().KeyDown(VK_MENU)) {
            Click();
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
        return;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<unsigned>(m.WParam), Caption()) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
        return;
    case CM_FOCUSCHANGED:
        UpdateActive(reinterpret_cast<const TWinControl*>(m.LParam));
        TCustomControl::WndProc(m);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m.Msg == WM_KILLFOCUS) {
            spaceHeld_ = false;
            if (!mouseHeld_)
                SetPressed(false);
        }
        Invalidate();
        TCustomControl::WndProc(m);
        return;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        mouseHeld_ = false;
        if (!spaceHeld_)
            SetPressed(false);
        TCustomControl::WndProc(m);
        return;
    default:
        TCustomControl::WndProc(m);
        return;
    }
}

// ---- Painting --------------------------------------------------------------

void TButton::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    PaintFace(canvas, r);
    PaintCaption(canvas, r);
    if (Focused())
        canvas.DrawFocusRect(Inflate(r, -4, -4));
}

void TButton::PaintFace(TCanvas& canvas, TRect r)
{
    // The active button wears a black frame round its edge.
    if (active_ || pressed_) {
        canvas.Brush()->SetColor(clWindowFrame);
        canvas.FrameRect(r);
        r = Inflate(r, -1, -1);
    }
    if (pressed_) {
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(r);
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(Inflate(r, -1, -1));
        return;
    }
    canvas.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
}

void TButton::PaintCaption(TCanvas& canvas, TRect r)
{
    if (pressed_)
        OffsetRect(r, 1, 1);
    canvas.Brush()->SetStyle(bsClear);
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    AnsiString caption = Caption();
    if (Enabled()) {
        canvas.Font()->SetColor(clBtnText);
        canvas.DrawText(caption, r, flags);
        return;
    }
    // Disabled text is etched: a highlight copy below and right of a shadow one.
    TRect lower = r;
    OffsetRect(lower, 1, 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.DrawText(caption, lower, flags);
    canvas.Font()->SetColor(clBtnShadow);
    canvas.DrawText(caption, r, flags);
}

}  // namespace ui
