#include "platform/ui/Form.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"

namespace ui {

CORE_CLASS_IMPL(TCustomForm)
CORE_CLASS_IMPL(TForm)

TCustomForm::TCustomForm(core::TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    SetParentFont(false);
    SetColor(graphics::clBtnFace);
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 320, 240);
    Screen().AddForm(this);
}

TCustomForm::~TCustomForm()
{
    OnDestroy(this);
    Screen().RemoveForm(this);
    // Children may ask for their form while they go: let them do it now.
    DestroyHandle();
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        RemoveControl(child);
        delete child;
    }
}

void TCustomForm::Publish(core::PropertyList& list)
{
    core::PropBuilder<TCustomForm> p(list);
    p.String("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption, "TCaption");
    p.Integer("Width", &TCustomForm::Width, &TCustomForm::SetWidth).Stored(false);
    p.Integer("Height", &TCustomForm::Height, &TCustomForm::SetHeight).Stored(false);
    p.Integer("ClientWidth", &TCustomForm::FormClientWidth, &TCustomForm::SetClientWidthProp);
    p.Integer("ClientHeight", &TCustomForm::FormClientHeight, &TCustomForm::SetClientHeightProp);
    p.Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
        .Default(bsSizeable);
    p.Set("BorderIcons", &TCustomForm::BorderIcons,
          &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    p.Integer("Color", &TCustomForm::Color, &TCustomForm::SetColor, "TColor").Default(graphics::clBtnFace);
    p.Boolean("ParentFont", &TCustomForm::ParentFont, &TCustomForm::SetParentFont).Default(false);
    p.Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition)
        .Default(poDesigned);
    p.Enum("FormStyle", &TCustomForm::FormStyle,
           &TCustomForm::SetFormStyle)
        .Default(fsNormal);
    p.Enum("WindowState", &TCustomForm::WindowState,
           &TCustomForm::SetWindowState)
        .Default(wsNormal);
    p.Object<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    p.Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    p.Boolean("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(true);
    p.Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
    p.Integer("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
    p.Boolean("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder);
    p.Boolean("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible).Default(false);
    p.Event("OnCreate", &TCustomForm::OnCreate);
    p.Event("OnDestroy", &TCustomForm::OnDestroy);
    p.Event("OnShow", &TCustomForm::OnShow);
    p.Event("OnHide", &TCustomForm::OnHide);
    p.Event("OnActivate", &TCustomForm::OnActivate);
    p.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    p.Event("OnPaint", &TCustomForm::OnPaint);
    p.Event("OnClose", &TCustomForm::OnClose, "TCloseEvent");
    p.Event("OnCloseQuery", &TCustomForm::OnCloseQuery, "TCloseQueryEvent");
}

TForm::TForm(core::TComponent* owner) : TCustomForm(owner) {}

// ---- Frame -------------------------------------------------------------------

int TCustomForm::FrameWidth() const
{
    switch (borderStyle_) {
    case bsNone: return 0;
    case bsSizeable:
    case bsSizeToolWin: return 4;
    default: return 3;
    }
}

int TCustomForm::CaptionHeight() const
{
    switch (borderStyle_) {
    case bsNone: return 0;
    case bsToolWindow:
    case bsSizeToolWin: return 16;
    default: return 19;
    }
}

TRect TCustomForm::WindowAreaFor(const TRect& b) const
{
    int f = FrameWidth(), c = CaptionHeight();
    return {b.Left + f, b.Top + f + c, std::max(b.Right - f, b.Left + f), std::max(b.Bottom - f, b.Top + f + c)};
}

TRect TCustomForm::BoundsForWindowArea(const TRect& a) const
{
    int f = FrameWidth(), c = CaptionHeight();
    return {a.Left - f, a.Top - f - c, a.Right + f, a.Bottom + f};
}

TRect TCustomForm::ClientRect() const
{
    TRect area = WindowAreaFor(BoundsRect());
    return {0, 0, area.Width(), area.Height()};
}

TPoint TCustomForm::ClientOrigin() const
{
    return WindowAreaFor(BoundsRect()).TopLeft();
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.WndParent = nullptr;
    params.Style &= ~(WS_CHILD | WS_TABSTOP);
    params.Style |= WS_CLIPCHILDREN;
    switch (borderStyle_) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_SYSMENU | (borderStyle_ == bsSizeToolWin ? uint32_t{WS_THICKFRAME} : 0u);
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    default:
        params.Style |= WS_CAPTION | (borderStyle_ == bsSizeable ? uint32_t{WS_THICKFRAME} : 0u);
        if (borderIcons_.Contains(biSystemMenu))
            params.Style |= WS_SYSMENU;
        break;
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == borderStyle_)
        return;
    // The client area stays the size it is and the form stays where it is
    // (Left and Top come before BorderStyle in a form description); the
    // frame grows or shrinks round the client area.
    TRect area = WindowAreaFor(BoundsRect());
    borderStyle_ = value;
    TRect bounds = BoundsForWindowArea(area);
    OffsetRect(bounds, Left() - bounds.Left, Top() - bounds.Top);
    UpdateBoundsRect(bounds);
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    borderIcons_ = value;
    RecreateWnd();
}

void TCustomForm::Paint()
{
    OnPaint(this);
}

void TCustomForm::GetChildren(const std::function<void(core::TComponent*)>& proc, core::TComponent* root)
{
    if (root == this) {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent())
                proc(Components(i));
    }
    TCustomControl::GetChildren(proc, root);
}

// ---- Showing -----------------------------------------------------------------

void TCustomForm::PlaceOnScreen()
{
    if (placed_)
        return;
    placed_ = true;
    TCustomForm* over = nullptr;
    if (position_ == poMainFormCenter)
        over = Application().MainForm();
    if (position_ == poOwnerFormCenter)
        over = dynamic_cast<TCustomForm*>(Owner());
    if (over == this)
        over = nullptr;
    TWindowManager& wm = WindowManager();
    if (position_ == poScreenCenter || position_ == poDesktopCenter ||
        ((position_ == poMainFormCenter || position_ == poOwnerFormCenter) && !over)) {
        SetBounds((wm.SystemMetric(SM_CXSCREEN) - Width()) / 2, (wm.SystemMetric(SM_CYSCREEN) - Height()) / 2, Width(), Height());
    } else if (over) {
        SetBounds(over->Left() + (over->Width() - Width()) / 2, over->Top() + (over->Height() - Height()) / 2, Width(), Height());
    }
}

void TCustomForm::VisibleChanging()
{
    if (!Visible())
        PlaceOnScreen();
}

void TCustomForm::DoShow()
{
    OnShow(this);
}

void TCustomForm::DoHide()
{
    OnHide(this);
}

bool TCustomForm::Active() const
{
    return HandleOrNull() && WindowManager().ActiveWindow() == HandleOrNull();
}

void TCustomForm::FocusFirst()
{
    if (activeControl_ && activeControl_->CanFocus()) {
        WindowManager().SetFocus(activeControl_->Handle());
        return;
    }
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
        WindowManager().SetFocus(first->Handle());
        return;
    }
    if (HandleAllocated())
        WindowManager().SetFocus(Handle());
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == activeControl_)
        return;
    if (control && (control == this || GetParentForm(control) != this))
        throw core::EInvalidOperation("Invalid control for the active control of %s", Name());
    activeControl_ = control;
    if (control && Active() && control->CanFocus())
        WindowManager().SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control)
{
    if (!control->CanFocus())
        throw core::EInvalidOperation("Cannot focus a disabled or invisible window");
    activeControl_ = control;
    WindowManager().SetFocus(control->Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (control == focusedControl_)
        return;
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    if (control != this)
        activeControl_ = control;
    // Exits from the old control up to the common parent, then enters down
    // to the new one.
    for (TWinControl* c = old; c && c != this && !c->ContainsControl(control); c = c->Parent())
        c->Perform(CM_EXIT, 0, 0);
    std::vector<TWinControl*> path;
    for (TWinControl* c = control; c && c != this && !(old && c->ContainsControl(old)); c = c->Parent())
        path.push_back(c);
    for (auto it = path.rbegin(); it != path.rend(); ++it)
        if (focusedControl_ == control)
            (*it)->Perform(CM_ENTER, 0, 0);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::ControlRemoved(TWinControl* control)
{
    if (activeControl_ && control->ContainsControl(activeControl_))
        activeControl_ = nullptr;
    if (focusedControl_ && control->ContainsControl(focusedControl_))
        focusedControl_ = nullptr;
}

// ---- Modal showing and closing ---------------------------------------------

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || modal_)
        throw core::EInvalidOperation("Cannot make a visible window modal");
    if (CaptureControl())
        SetCaptureControl(nullptr);
    modal_ = true;
    modalResult_ = mrNone;
    TWindowManager& wm = WindowManager();
    HWND previous = wm.ActiveWindow();
    // Every other form is disabled while this one is up.
    std::vector<TCustomForm*> disabled;
    for (TCustomForm* form : Screen().Forms()) {
        if (form != this && form->HandleAllocated() && form->Handle()->Enabled()) {
            form->Handle()->Enable(false);
            disabled.push_back(form);
        }
    }
    auto restore = [&] {
        for (TCustomForm* form : disabled)
            if (Screen().HasForm(form) && form->HandleAllocated())
                form->Handle()->Enable(true);
        if (previous && wm.IsWindow(previous))
            wm.SetActiveWindow(previous);
        modal_ = false;
    };
    try {
        Show();
        wm.SetActiveWindow(Handle());
        FocusFirst();
        TApplication& app = Application();
        while (modalResult_ == mrNone) {
            app.HandleMessage();
            if (app.Terminated())
                modalResult_ = mrCancel;
            if (modalResult_ != mrNone)
                CloseModal();
        }
        Hide();
    } catch (...) {
        // A failing handler ends the loop; the form must not stay up as a
        // modeless window that can never be made modal again.
        try {
            if (Visible())
                Hide();
        } catch (...) {
            restore();
            throw;
        }
        restore();
        throw;
    }
    restore();
    return modalResult_;
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        OnClose(this, action);
    }
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        Release();
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (closing_ || !CloseQuery())
        return;
    TCloseAction action = Application().MainForm() == this ? caFree : caHide;
    OnClose(this, action);
    if (action == caNone)
        return;
    if (Application().MainForm() == this) {
        Application().Terminate();
        Hide();
        return;
    }
    if (action == caHide)
        Hide();
    else if (action == caFree)
        Release();
}

void TCustomForm::Release()
{
    if (HandleAllocated())
        WindowManager().PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        // A form up modally is still used by its loop: end the loop first
        // and go once it has returned.
        if (modal_) {
            modalResult_ = mrCancel;
            Release();
            return;
        }
        delete this;
        return;
    case WM_ACTIVATE:
        if (LoWord(static_cast<LPARAM>(m.WParam)) != WA_INACTIVE) {
            OnActivate(this);
            if (!focusedControl_ || !WindowManager().Focus() || WindowManager().Focus()->TopLevel() != HandleOrNull())
                FocusFirst();
        } else {
            OnDeactivate(this);
        }
        return;
    case WM_SETFOCUS:
        // The form itself focused: pass it on to its active control.
        if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
            WindowManager().SetFocus(activeControl_->Handle());
            return;
        }
        TCustomControl::WndProc(m);
        return;
    case CM_VISIBLECHANGED:
        TCustomControl::WndProc(m);
        // A form that is shown comes to the front and takes the focus.
        if (Visible() && HandleAllocated() && !(Handle()->ExStyle() & WS_EX_NOACTIVATE))
            WindowManager().SetActiveWindow(Handle());
        return;
    case WM_SHOWWINDOW:
        if (m.WParam)
            DoShow();
        else
            DoHide();
        TCustomControl::WndProc(m);
        return;
    case CM_DIALOGKEY: {
        if (WindowManager().KeyDown(VK_MENU)) {
            TCustomControl::WndProc(m);
            return;
        }
        unsigned key = static_cast<unsigned>(m.WParam);
        if (key == VK_TAB && !WindowManager().KeyDown(VK_CONTROL)) {
            SelectNext(activeControl_, !WindowManager().KeyDown(VK_SHIFT), true);
            m.Result = 1;
            return;
        }
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
            if (activeControl_ && activeControl_->Parent()) {
                activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
                m.Result = 1;
            }
            return;
        }
        TCustomControl::WndProc(m);
        return;
    }
    default:
        TCustomControl::WndProc(m);
        return;
    }
}

}  // namespace ui
