#include "platform/ui/Control.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/ui/Action.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/FreeWatch.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinControl.h"

namespace ui {

CORE_CLASS_IMPL(TControl)

namespace {

TControl* captureControl = nullptr;
TControl* mouseControl = nullptr;

}  // namespace

TShiftState ShiftStateFromKeys(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT)
        s.Include(ssShift);
    if (keys & MK_CONTROL)
        s.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        s.Include(ssLeft);
    if (keys & MK_RBUTTON)
        s.Include(ssRight);
    if (keys & MK_MBUTTON)
        s.Include(ssMiddle);
    if (WindowManager().KeyDown(VK_MENU))
        s.Include(ssAlt);
    return s;
}

TShiftState KeyboardShiftState()
{
    TWindowManager& wm = WindowManager();
    TShiftState s;
    if (wm.KeyDown(VK_SHIFT))
        s.Include(ssShift);
    if (wm.KeyDown(VK_CONTROL))
        s.Include(ssCtrl);
    if (wm.KeyDown(VK_MENU))
        s.Include(ssAlt);
    if (wm.KeyDown(VK_LBUTTON))
        s.Include(ssLeft);
    if (wm.KeyDown(VK_RBUTTON))
        s.Include(ssRight);
    if (wm.KeyDown(VK_MBUTTON))
        s.Include(ssMiddle);
    return s;
}

TControl* CaptureControl()
{
    return captureControl;
}

void SetCaptureControl(TControl* control)
{
    TWindowManager& wm = WindowManager();
    captureControl = nullptr;
    if (!control) {
        wm.ReleaseCapture();
        return;
    }
    auto* windowed = dynamic_cast<TWinControl*>(control);
    TWinControl* holder = windowed ? windowed : control->Parent();
    if (!holder || !holder->HandleAllocated())
        return;
    wm.SetCapture(holder->Handle());
    captureControl = control;
}

TControl* MouseControl()
{
    return mouseControl;
}

void SetMouseControl(TControl* control)
{
    if (control == mouseControl)
        return;
    TControl* old = mouseControl;
    mouseControl = control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (control)
        control->Perform(CM_MOUSEENTER, 0, 0);
    Application().HintMouseControl(control);
}

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* c = control;
    while (c && c->Parent())
        c = c->Parent();
    return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

bool IsAccel(unsigned key, const AnsiString& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(caption[i + 1]);
        auto upper = [](unsigned ch) { return ch >= 'a' && ch <= 'z' ? ch - 32 : ch; };
        return c < 0x80 && upper(c) == upper(key & 0xFF);
    }
    return false;
}

AnsiString StripHotkey(const AnsiString& caption)
{
    AnsiString out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

TControl::TControl(core::TComponent* owner) : core::TComponent(owner), font_(std::make_unique<graphics::TFont>())
{
    font_->OnChange = [this](core::TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    for (TFreeWatch* w = TFreeWatch::watches; w; w = w->next)
        if (w->control == this)
            w->freed = true;
    if (captureControl == this)
        SetCaptureControl(nullptr);
    if (mouseControl == this)
        mouseControl = nullptr;
    if (parent_)
        parent_->RemoveControl(this);
}

void TControl::Publish(core::PropertyList& list)
{
    core::PropBuilder<TControl> p(list);
    p.Integer("Left", &TControl::Left, &TControl::SetLeft);
    p.Integer("Top", &TControl::Top, &TControl::SetTop);
    p.Integer("Width", &TControl::Width, &TControl::SetWidth);
    p.Integer("Height", &TControl::Height, &TControl::SetHeight);
    p.Enum("Align", &TControl::Align, &TControl::SetAlign)
        .Default(alNone);
    p.Set("Anchors", &TControl::Anchors, &TControl::SetAnchors)
        .Default(TAnchors{akLeft, akTop});
    p.Enum("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
        .Default(bdLeftToRight)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TControl&>(o).ParentBiDiMode(); });
    p.Boolean("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
    p.Integer("Color", &TControl::Color, &TControl::SetColor, "TColor")
        .Default(graphics::clWindow)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TControl&>(o).ParentColor(); });
    p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    p.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor, "TCursor").Default(crDefault);
    p.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    p.Object<graphics::TFont>("Font", &TControl::Font, &TControl::SetFont)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TControl&>(o).ParentFont(); });
    p.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    p.String("Hint", &TControl::Hint, &TControl::SetHint);
    p.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TControl&>(o).ParentShowHint(); });
    p.Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
    p.Boolean("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    p.Object<TBasicAction>("Action", &TControl::Action, &TControl::SetAction);
    p.Event("OnClick", &TControl::OnClick);
    p.Event("OnDblClick", &TControl::OnDblClick);
    p.Event("OnMouseDown", &TControl::OnMouseDown, "TMouseEvent");
    p.Event("OnMouseMove", &TControl::OnMouseMove, "TMouseMoveEvent");
    p.Event("OnMouseUp", &TControl::OnMouseUp, "TMouseEvent");
    p.Event("OnMouseEnter", &TControl::OnMouseEnter);
    p.Event("OnMouseLeave", &TControl::OnMouseLeave);
    p.Event("OnResize", &TControl::OnResize);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    for (TControl* p = parent; p; p = p->Parent())
        if (p == this)
            throw core::EInvalidOperation("A control cannot have itself as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

core::TComponent* TControl::GetParentComponent() const
{
    return parent_;
}

void TControl::SetParentComponent(core::TComponent* parent)
{
    SetParent(dynamic_cast<TWinControl*>(parent));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    InvalidateControl(visible_, controlStyle_.Contains(csOpaque));
    UpdateBoundsRect(graphics::Bounds(left, top, width, height));
    Invalidate();
}

void TControl::UpdateBoundsRect(const TRect& r)
{
    bool sized = r.Width() != width_ || r.Height() != height_;
    left_ = r.Left;
    top_ = r.Top;
    width_ = std::max(r.Width(), 0);
    height_ = std::max(r.Height(), 0);
    UpdateAnchorRules();
    if (sized)
        Resize();
    RequestAlign();
}

void TControl::SetClientWidth(int value)
{
    SetWidth(width_ - ClientWidth() + value);
}

void TControl::SetClientHeight(int value)
{
    SetHeight(height_ - ClientHeight() + value);
}

TPoint TControl::ClientOrigin() const
{
    if (!parent_)
        return {left_, top_};
    return parent_->ClientToScreen({left_, top_});
}

void TControl::SetAlign(TAlign value)
{
    if (value == align_)
        return;
    align_ = value;
    if (value == alTop || value == alBottom || value == alLeft || value == alRight || value == alClient)
        anchors_ = {akLeft, akTop};
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value)
{
    anchors_ = value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (!parent_ || InState(core::csLoading) || controlState_.Contains(csReadingState))
        return;
    TRect client = parent_->ClientRect();
    anchorParentSize_ = {client.Width(), client.Height()};
    anchorOrigin_ = {client.Width() - (left_ + width_), client.Height() - (top_ + height_)};
}

void TControl::AnchorTo(int parentWidth, int parentHeight)
{
    if (align_ != alNone)
        return;
    int left = left_, top = top_, width = width_, height = height_;
    if (anchors_.Contains(akRight)) {
        if (anchors_.Contains(akLeft))
            width = std::max(parentWidth - left - anchorOrigin_.X, 0);
        else
            left = parentWidth - width - anchorOrigin_.X;
    }
    if (anchors_.Contains(akBottom)) {
        if (anchors_.Contains(akTop))
            height = std::max(parentHeight - top - anchorOrigin_.Y, 0);
        else
            top = parentHeight - height - anchorOrigin_.Y;
    }
    if (left != left_ || top != top_ || width != width_ || height != height_) {
        TPoint gap = anchorOrigin_;
        SetBounds(left, top, width, height);
        anchorOrigin_ = gap;  // the distances stay what they were
    }
}

void TControl::RequestAlign()
{
    if (parent_)
        parent_->AlignControl(this);
}

void TControl::Resize()
{
    OnResize(this);
}

void TControl::SetVisible(bool value)
{
    if (value == visible_)
        return;
    VisibleChanging();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
    RequestAlign();
}

void TControl::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::FontChanged()
{
    if (!updatingFont_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (parent_ && value && !InState(core::csReading))
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(graphics::TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (parent_ && value && !InState(core::csReading))
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool value)
{
    showHint_ = value;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value)
{
    if (value == parentShowHint_)
        return;
    parentShowHint_ = value;
    if (parent_ && value && !InState(core::csReading))
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor value)
{
    if (value == cursor_)
        return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode value)
{
    if (value == biDiMode_)
        return;
    biDiMode_ = value;
    parentBiDiMode_ = false;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool value)
{
    if (value == parentBiDiMode_)
        return;
    parentBiDiMode_ = value;
    if (parent_ && value && !InState(core::csReading))
        Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::SetText(const AnsiString& value)
{
    if (GetText() == value)
        return;
    SetTextValue(value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextValue(const AnsiString& value)
{
    text_ = value;
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque)
{
    if (!parent_ || !parent_->HandleAllocated() || !isVisible || !parent_->Showing())
        return;
    TRect r = BoundsRect();
    parent_->Handle()->Invalidate(&r, !isOpaque);
}

void TControl::Invalidate()
{
    InvalidateControl(visible_, controlStyle_.Contains(csOpaque));
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

LRESULT TControl::Perform(uint32_t msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::BringToFront()
{
    if (parent_)
        parent_->ChangeZOrder(this, true);
}

void TControl::SendToBack()
{
    if (parent_)
        parent_->ChangeZOrder(this, false);
}

void TControl::Click()
{
    if (OnClick || !actionLink_ || !actionLink_->Action())
        OnClick(this);
    else
        actionLink_->Execute(this);
}

// ---- Actions -------------------------------------------------------------------

TBasicAction* TControl::Action() const
{
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* value)
{
    if (value == Action())
        return;
    if (TBasicAction* old = Action())
        old->RemoveFreeNotification(this);
    if (!value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_)
        actionLink_ = std::make_unique<TControlActionLink>(this);
    actionLink_->SetAction(value);
    value->FreeNotification(this);
    ActionChange(value, InState(core::csLoading) || value->InState(core::csLoading));
}

void TControl::ActionChange(core::TObject* sender, bool checkDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action)
        return;
    if (!checkDefaults || Caption().empty() || Caption() == Name())
        SetCaption(action->Caption());
    if (!checkDefaults || Enabled())
        SetEnabled(action->Enabled());
    if (!checkDefaults || Hint().empty())
        SetHint(action->Hint());
    if (!checkDefaults || Visible())
        SetVisible(action->Visible());
}

void TControl::Notification(core::TComponent* component, core::TOperation operation)
{
    core::TComponent::Notification(component, operation);
    if (operation == core::opRemove && actionLink_ && component == actionLink_->Action())
        actionLink_.reset();
}

void TControl::DblClick()
{
    OnDblClick(this);
}

bool TControl::MouseCapture() const
{
    return captureControl == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (value)
        SetCaptureControl(this);
    else if (MouseCapture())
        SetCaptureControl(nullptr);
}

bool TControl::Showing() const
{
    return visible_ && parent_ && parent_->Showing();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMessage(TMessage& m)
{
    int x = SignedLoWord(m.LParam), y = SignedHiWord(m.LParam);
    TShiftState shift = ShiftStateFromKeys(m.WParam);
    uint32_t msg = m.Msg;
    bool isDouble = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    if (isDouble && !controlStyle_.Contains(csDoubleClicks)) {
        msg -= 2;  // a control that takes no double clicks sees a second press
        isDouble = false;
    }
    switch (msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // While the button is held, a control can tell a press from a key.
        controlState_.Include(csLButtonDown);
        if (controlStyle_.Contains(csCaptureMouse))
            SetMouseCapture(true);
        if (controlStyle_.Contains(csClickEvents))
            controlState_.Include(csClicked);
        if (isDouble) {
            TFreeWatch watch(this);
            DblClick();
            if (watch.freed)
                return;
            shift.Include(ssDouble);
        }
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (isDouble)
            shift.Include(ssDouble);
        MouseDown(msg <= WM_RBUTTONDBLCLK ? mbRight : mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONUP:
        controlState_.Exclude(csLButtonDown);
        if (controlStyle_.Contains(csCaptureMouse))
            SetMouseCapture(false);
        if (controlState_.Contains(csClicked)) {
            controlState_.Exclude(csClicked);
            TFreeWatch watch(this);
            if (ClientRect().Contains({x, y}))
                Click();
            if (watch.freed)
                return;
        }
        MouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    }
}

void TControl::WndProc(TMessage& m)
{
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
        TFreeWatch watch(this);
        MouseMessage(m);
        if (watch.freed || m.Msg != WM_MOUSEMOVE)
            return;
        // Moves also reach the default handler (cursor shapes of edits).
        DefaultHandler(m);
        return;
    }
    switch (m.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        break;
    case CM_VISIBLECHANGED:
        InvalidateControl(true, visible_ && controlStyle_.Contains(csOpaque));
        break;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_) {
            updatingFont_ = true;
            font_->Assign(parent_->Font());
            updatingFont_ = false;
        }
        break;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_) {
            color_ = parent_->Color();
            Perform(CM_COLORCHANGED, 0, 0);
        }
        break;
    case CM_PARENTSHOWHINTCHANGED:
        if (parentShowHint_ && parent_)
            showHint_ = parent_->ShowHint();
        break;
    case CM_PARENTBIDIMODECHANGED:
        if (parentBiDiMode_ && parent_) {
            biDiMode_ = parent_->BiDiMode();
            Perform(CM_BIDIMODECHANGED, 0, 0);
        }
        break;
    case CM_MOUSEENTER:
        OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        OnMouseLeave(this);
        break;
    case CM_HITTEST:
        m.Result = HTCLIENT;
        break;
    default:
        DefaultHandler(m);
        break;
    }
}

void TControl::DefaultHandler(TMessage& m)
{
    m.Result = 0;
}

void TControl::Loaded()
{
    core::TComponent::Loaded();
    if (parent_) {
        // What was not read from the description comes from the parent now.
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
        Perform(CM_PARENTFONTCHANGED, 0, 0);
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    }
    UpdateAnchorRules();
}

}  // namespace ui
