#include "flat/FlatButton.h"

#include "platform/core/TypeInfo.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Form.h"
#include "platform/ui/FreeWatch.h"
#include "platform/ui/VirtualKeys.h"

namespace flat {

CORE_CLASS_IMPL(TFlatButton)

using namespace graphics;
using ui::TMessage;

TFlatButton::TFlatButton(core::TComponent* owner) : inherited(owner) {}

TFlatButton::~TFlatButton() = default;

void TFlatButton::Publish(core::PropertyList& list)
{
    inherited::Publish(list);
    core::PropBuilder<TFlatButton> p(list);
    p.Boolean("Default", &TFlatButton::Default, &TFlatButton::SetDefault).Default(false);
    p.Boolean("TabStop", &TFlatButton::TabStop, &TFlatButton::SetTabStop).Default(false);
}

void TFlatButton::SetDefault(bool value)
{
    default_ = value;
    if (HandleAllocated()) {
        if (ui::TCustomForm* form = ui::GetParentForm(this))
            form->Perform(ui::CM_FOCUSCHANGED, 0, reinterpret_cast<ui::LPARAM>(form->ActiveControl()));
    }
    Invalidate();
}

void TFlatButton::SpaceUp()
{
    // A key press latches and unlatches a grouped button as a click does.
    if (GroupIndex() != 0) {
        SetDown(!Down());
        SetStateValue(Down() ? bsExclusive : bsUp);
    } else {
        SetStateValue(bsUp);
    }
    ui::TFreeWatch watch(this);
    Click();
    if (!watch.freed)
        Invalidate();
}

void TFlatButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case ui::WM_KEYDOWN:
        // Only the space bar does something; no key reaches the platform's
        // key handling (nor OnKeyDown).
        if (m.WParam == ui::VK_SPACE) {
            if (!Down())
                SetStateValue(bsDown);
            Invalidate();
        }
        return;
    case ui::WM_KEYUP:
        if (m.WParam == ui::VK_SPACE)
            SpaceUp();
        return;
    case ui::CM_DIALOGCHAR:
        m.Result = 0;
        if (ui::IsAccel(static_cast<unsigned>(m.WParam), Caption()) && Enabled() && Showing()) {
            if (GroupIndex() != 0)
                SetDown(true);
            m.Result = 1;
            Click();
        }
        return;
    case ui::WM_SETFOCUS:
        inherited::WndProc(m);
        // A focused button looks hovered.
        EnterProcessing();
        return;
    case ui::WM_KILLFOCUS:
        inherited::WndProc(m);
        LeaveProcessing();
        return;
    case ui::WM_SIZE:
    case ui::WM_MOVE:
        inherited::WndProc(m);
        if (TransparentMode() != tmNone)
            Invalidate();
        return;
    default:
        inherited::WndProc(m);
        return;
    }
}

void TFlatButton::Paint()
{
    // The off-screen picture covers only what is to be painted, so that a
    // button far larger than the screen costs no more than the screen.
    graphics::TCanvas& target = *Canvas();
    TRect area;
    if (!IntersectRect(area, ClientRect(), target.ClipRect()))
        return;
    TBitmap image(area.Width(), area.Height());
    graphics::TCanvas& canvas = *image.Canvas();
    canvas.Font()->Assign(Font());
    canvas.MoveWindowOrg(-area.Left, -area.Top);
    PaintButton(canvas);
    target.Draw(area.Left, area.Top, image);
}

}  // namespace flat
