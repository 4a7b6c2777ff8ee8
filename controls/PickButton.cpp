#include "controls/PickButton.h"

#include "controls/TinyEditBtn.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/VirtualKeys.h"

namespace controls {

CORE_CLASS_IMPL(TPickButton)
CORE_CLASS_IMPL(TCPickButton)

namespace {

constexpr int kMinWidth = 15;

}  // namespace

// ---- TPickButton ----------------------------------------------------------

TPickButton::TPickButton(core::TComponent* owner) : ui::TSpeedButton(owner) {}

void TPickButton::Paint()
{
    ui::TSpeedButton::Paint();
    graphics::TRect r = graphics::Inflate(ClientRect(), -3, -3);
    if (State() == ui::bsDown || State() == ui::bsExclusive)
        r = graphics::Offset(r, 1, 1);
    Canvas()->DrawFocusRect(r);
}

// ---- TCPickButton ---------------------------------------------------------

TCPickButton::TCPickButton(core::TComponent* owner) : ui::TWinControl(owner)
{
    // Holds its own button only, shows no caption, covers what lies below.
    SetControlStyle((ControlStyle() - ui::TControlStyle{ui::csAcceptsControls, ui::csSetCaption}) +
                    ui::TControlStyle{ui::csFramed, ui::csOpaque});
    SetBounds(Left(), Top(), 20, 25);
    btn_ = new TPickButton(this);
    btn_->SetParent(this);
    graphics::TBitmap glyph;
    LoadMagnifierGlyph(glyph);
    btn_->SetGlyph(&glyph);
    btn_->OnClick = [this](core::TObject*) { OnDownClick(this); };
    btn_->OnMouseDown = [this](core::TObject*, ui::TMouseButton button, ui::TShiftState, int, int) {
        ButtonMouseDown(button);
    };
    int width = Width();
    ApplySizeRule(width, Height());
}

void TCPickButton::Publish(core::PropertyList& list)
{
    core::PropBuilder<TCPickButton> p(list);
    // The button is the container's own part: reachable, never filed.
    p.Object<TPickButton>("Btn", &TCPickButton::Btn, nullptr).Stored(false);
    p.Object<graphics::TBitmap>("DownGlyph", &TCPickButton::DownGlyph, &TCPickButton::SetDownGlyph);
    p.Integer("DownNumGlyphs", &TCPickButton::DownNumGlyphs, &TCPickButton::SetDownNumGlyphs, "TNumGlyphs")
        .Default(1);
    p.Object<ui::TWinControl>("FocusControl", &TCPickButton::FocusControl, &TCPickButton::SetFocusControl);
    p.Event("OnDownClick", &TCPickButton::OnDownClick);
}

graphics::TBitmap* TCPickButton::DownGlyph() const
{
    return btn_ ? btn_->Glyph() : nullptr;
}

void TCPickButton::SetDownGlyph(const graphics::TBitmap* value)
{
    if (!btn_)
        return;
    if (value && !value->Empty()) {
        btn_->SetGlyph(value);
        return;
    }
    graphics::TBitmap glyph;
    LoadMagnifierGlyph(glyph);
    btn_->SetGlyph(&glyph);
    btn_->Invalidate();
}

int TCPickButton::DownNumGlyphs() const
{
    return btn_ ? btn_->NumGlyphs() : 1;
}

void TCPickButton::SetDownNumGlyphs(int value)
{
    if (btn_)
        btn_->SetNumGlyphs(value);
}

void TCPickButton::SetFocusControl(ui::TWinControl* value)
{
    if (value == focusControl_)
        return;
    if (focusControl_)
        focusControl_->RemoveFreeNotification(this);
    focusControl_ = value;
    if (value)
        value->FreeNotification(this);
}

void TCPickButton::Notification(core::TComponent* component, core::TOperation operation)
{
    ui::TWinControl::Notification(component, operation);
    if (operation != core::opRemove)
        return;
    if (component == focusControl_)
        focusControl_ = nullptr;
    else if (component == btn_)
        btn_ = nullptr;
}

void TCPickButton::ApplySizeRule(int& width, int height)
{
    if (InState(core::csLoading) || !btn_)
        return;
    if (width < kMinWidth)
        width = kMinWidth;
    btn_->SetBounds(0, 0, width, height);
}

void TCPickButton::SetBounds(int left, int top, int width, int height)
{
    ApplySizeRule(width, height);
    ui::TWinControl::SetBounds(left, top, width, height);
}

void TCPickButton::Loaded()
{
    ui::TWinControl::Loaded();
    int width = Width();
    ApplySizeRule(width, Height());
    if (width != Width())
        ui::TWinControl::SetBounds(Left(), Top(), width, Height());
}

void TCPickButton::WndProc(ui::TMessage& m)
{
    switch (m.Msg) {
    case ui::WM_SETFOCUS:
        // The container is only a frame for the button: the focus belongs
        // with what it sits in. A parent that gives it straight back (a
        // form whose active control this is) leaves it here.
        if (!handingOn_ && Parent() && Parent()->CanFocus()) {
            handingOn_ = true;
            struct Reset {
                bool& flag;
                ~Reset() { flag = false; }
            } reset{handingOn_};
            Parent()->SetFocus();
            return;
        }
        break;
    case ui::WM_SIZE: {
        ui::TWinControl::WndProc(m);
        int width = Width();
        ApplySizeRule(width, Height());
        if (width != Width())
            SetBounds(Left(), Top(), width, Height());
        return;
    }
    default: break;
    }
    ui::TWinControl::WndProc(m);
}

void TCPickButton::KeyDown(uint16_t& key, ui::TShiftState shift)
{
    ui::TWinControl::KeyDown(key, shift);
    if (key == ui::VK_DOWN && shift == ui::TShiftState{ui::ssAlt} && btn_)
        btn_->Click();
}

void TCPickButton::ButtonMouseDown(ui::TMouseButton button)
{
    if (button != ui::mbLeft)
        return;
    if (focusControl_ && focusControl_->CanFocus() && focusControl_->TabStop() && !focusControl_->Focused())
        focusControl_->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

}  // namespace controls
