#include "platform/ui/WinControl.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/FreeWatch.h"
#include "platform/ui/VirtualKeys.h"

namespace ui {

CORE_CLASS_IMPL(TWinControl)
CORE_CLASS_IMPL(TCustomControl)
CORE_CLASS_IMPL(TGraphicControl)

TDrawTarget TargetOfCanvas(const graphics::TCanvas& canvas)
{
    TDrawTarget target;
    target.Surface = canvas.Surface();
    target.Origin = canvas.DeviceOrigin() + canvas.LPtoDP({0, 0});
    TRect clip = canvas.ClipRect();
    target.Clip = TRegion(graphics::Offset(clip, target.Origin.X, target.Origin.Y));
    return target;
}

void AttachCanvas(graphics::TCanvas& canvas, const TDrawTarget& target)
{
    // The canvas keeps what it may touch in device coordinates, which start
    // at the origin.
    TRegion visible = target.Clip;
    visible.Offset(-target.Origin.X, -target.Origin.Y);
    canvas.Attach(target.Surface, target.Origin, visible);
}

namespace {

// Runs a control's painting on its canvas attached to `target`, with the
// control's font and colour, and lets the canvas go however painting ends.
template <typename PaintFn>
void PaintWithCanvas(const TControl& control, graphics::TCanvas& canvas, const TDrawTarget& target, bool& painting,
                     PaintFn paint)
{
    AttachCanvas(canvas, target);
    canvas.Font()->Assign(control.Font());
    canvas.Brush()->SetColor(control.Color());
    painting = true;
    struct Done {
        graphics::TCanvas& canvas;
        bool& painting;
        ~Done()
        {
            painting = false;
            canvas.Detach();
        }
    } done{canvas, painting};
    paint();
}

}  // namespace

TWinControl::TWinControl(core::TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // Leave the parent while still a windowed control: later, in TControl's
    // destructor, the parent could no longer tell and would keep this one in
    // its tab order and as its form's active control.
    if (TWinControl* parent = Parent())
        parent->RemoveControl(this);
    // Children go first, while this control is still whole enough to answer
    // them; the window after them.
    DestroyHandle();
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        delete child;
    }
}

void TWinControl::Publish(core::PropertyList& list)
{
    core::PropBuilder<TWinControl> p(list);
    p.Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
        .StoredWhen([](const core::TObject& o) { return !static_cast<const TWinControl&>(o).ParentCtl3D(); });
    p.Boolean("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
    p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, "TTabOrder").Default(-1);
    p.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    p.Event("OnEnter", &TWinControl::OnEnter);
    p.Event("OnExit", &TWinControl::OnExit);
    p.Event("OnKeyDown", &TWinControl::OnKeyDown, "TKeyEvent");
    p.Event("OnKeyPress", &TWinControl::OnKeyPress, "TKeyPressEvent");
    p.Event("OnKeyUp", &TWinControl::OnKeyUp, "TKeyEvent");
}

TWinControl* TWinControl::FromHandle(HWND window)
{
    if (!window || !WindowManager().IsWindow(window))
        return nullptr;
    return dynamic_cast<TWinControl*>(window->Handler());
}

// ---- The window ------------------------------------------------------------

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (handle_)
        return;
    if (parent_)
        parent_->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = TControl::GetText();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    TRect area = parent_ ? BoundsRect() : WindowAreaFor(BoundsRect());
    params.X = area.Left;
    params.Y = area.Top;
    params.Width = area.Width();
    params.Height = area.Height();
    params.WndParent = parent_ ? parent_->handle_ : nullptr;
    params.ClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (!parent_)
        params.Style &= ~(WS_CHILD);
    if (Showing())
        params.Style |= WS_VISIBLE;
    handle_ = WindowManager().CreateWindow(params, this);
}

void TWinControl::CreateHandle()
{
    if (handle_)
        return;
    CreateWnd();
    if (parent_)
        handle_->SetTabIndex(TabOrder());
    // Windowed children that show get their windows too.
    for (TControl* child : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(child); w && w->Visible())
            w->CreateHandle();
    // Children were made top first; keep their z-order as the list says.
    for (TControl* child : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(child); w && w->handle_)
            w->handle_->BringToTop();
    Realign();
}

void TWinControl::DestroyWnd()
{
    WindowManager().DestroyWindow(handle_);
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    controlState_.Include(csDestroyingHandle);
    DestroyWnd();
    controlState_.Exclude(csDestroyingHandle);
    handle_ = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    bool hadFocus = Focused();
    recreating_ = true;
    DestroyHandle();
    recreating_ = false;
    HandleNeeded();
    if (hadFocus)
        SetFocus();
}

bool TWinControl::Showing() const
{
    if (!Visible())
        return false;
    return parent_ ? parent_->Showing() : true;
}

void TWinControl::UpdateShowing()
{
    bool showing = Showing();
    if (showing && !handle_ && (!parent_ || parent_->handle_))
        CreateHandle();
    if (handle_)
        handle_->Show(showing || (!parent_ && Visible()));
}

void TWinControl::SetTextValue(const AnsiString& value)
{
    TControl::SetTextValue(value);
    if (handle_)
        handle_->SetText(value);
}

// ---- Children --------------------------------------------------------------

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw core::EListError("List index out of bounds (%d)", index);
    return controls_[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* control)
{
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(w);
        if (handle_ && w->Visible())
            w->CreateHandle();
    }
    if (!control->controlState_.Contains(csReadingState) && !InState(core::csReading)) {
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
        control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        control->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
        if (auto* w = dynamic_cast<TWinControl*>(control))
            w->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
        control->UpdateAnchorRules();
    }
    control->Invalidate();
    AlignControl(control);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control)
{
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = GetParentForm(this))
            form->ControlRemoved(w);
        w->DestroyHandle();
        std::erase(tabList_, w);
    } else {
        control->Invalidate();
    }
    if (CaptureControl() && ContainsControl(CaptureControl()) && control == CaptureControl())
        SetCaptureControl(nullptr);
    if (MouseControl() == control)
        SetMouseControl(nullptr);
    std::erase(controls_, control);
    control->parent_ = nullptr;
    if (!InState(core::csDestroying))
        Realign();
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls)
            continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled))
            continue;
        if (!c->BoundsRect().Contains(p))
            continue;
        TPoint local = p - TPoint{c->Left(), c->Top()};
        if (c->Perform(CM_HITTEST, 0, MakeLParam(local.X, local.Y)) != 0)
            return c;
    }
    return nullptr;
}

void TWinControl::ChangeZOrder(TControl* control, bool toFront)
{
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    controls_.erase(it);
    if (toFront)
        controls_.push_back(control);
    else
        controls_.insert(controls_.begin(), control);
    if (auto* w = dynamic_cast<TWinControl*>(control); w && w->handle_) {
        if (toFront)
            w->handle_->BringToTop();
        else
            w->handle_->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    control->Invalidate();
}

void TWinControl::GetChildren(const std::function<void(core::TComponent*)>& proc, core::TComponent* root)
{
    for (TControl* c : controls_)
        if (c->Owner() == root)
            proc(c);
}

// ---- Tab order and focus ---------------------------------------------------

int TWinControl::TabOrder() const
{
    if (!parent_) {
        return loadingTabOrder_;
    }
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (InState(core::csLoading) || !parent_) {
        // Read from a description: the final order is made once all are read.
        loadingTabOrder_ = value;
        return;
    }
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]->handle_)
            list[i]->handle_->SetTabIndex(static_cast<int>(i));
}

void TWinControl::UpdateTabOrderFromLoading()
{
    // Children read with a TabOrder take their places in that order.
    std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
        int x = a->loadingTabOrder_ < 0 ? 1 << 30 : a->loadingTabOrder_;
        int y = b->loadingTabOrder_ < 0 ? 1 << 30 : b->loadingTabOrder_;
        return x < y;
    });
    for (size_t i = 0; i < tabList_.size(); ++i) {
        tabList_[i]->loadingTabOrder_ = -1;
        if (tabList_[i]->handle_)
            tabList_[i]->handle_->SetTabIndex(static_cast<int>(i));
    }
}

void TWinControl::SetTabStop(bool value)
{
    if (value == tabStop_)
        return;
    tabStop_ = value;
    if (handle_) {
        uint32_t style = handle_->Style();
        handle_->SetStyle(value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* w : tabList_) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    auto it = std::find(list.begin(), list.end(), current);
    size_t n = list.size();
    size_t start = it == list.end() ? (goForward ? n - 1 : 0) : static_cast<size_t>(it - list.begin());
    size_t i = start;
    for (size_t step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[i];
        if (c == current)
            break;
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
        next->SetFocus();
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* form = GetParentForm(this);
    if (!form || !Showing())
        return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    return handle_ && WindowManager().Focus() == handle_;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->FocusControl(this);
        return;
    }
    if (handle_ || Showing())
        WindowManager().SetFocus(Handle());
}

void TWinControl::SetCtl3D(bool value)
{
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    parentCtl3D_ = false;
    Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool value)
{
    if (value == parentCtl3D_)
        return;
    parentCtl3D_ = value;
    if (parent_ && value && !InState(core::csReading))
        Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::SetBorderWidth(int value)
{
    value = std::max(value, 0);
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    // The band is part of the window's frame: the client area shrinks.
    if (handle_)
        handle_->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Realign();
    Invalidate();
}

void TWinControl::PaintBorderBand()
{
    if (borderWidth_ <= 0 || !handle_)
        return;
    graphics::TCanvas canvas;
    AttachCanvas(canvas, handle_->WindowTarget());
    TRect client = handle_->ClientInWindow();
    canvas.ExcludeClipRect(client);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(graphics::Inflate(client, borderWidth_, borderWidth_));
}

// ---- Geometry and alignment ------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    if (handle_ && !(controlState_.Contains(csCreating))) {
        // The window reports the change back through WM_SIZE and WM_MOVE.
        TRect bounds = graphics::Bounds(left, top, width, height);
        UpdateBoundsRect(bounds);
        TRect area = parent_ ? bounds : WindowAreaFor(bounds);
        handle_->SetWindowPos(nullptr, area.Left, area.Top, area.Width(), area.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        UpdateBoundsRect(graphics::Bounds(left, top, width, height));
    }
    Realign();
}

TRect TWinControl::ClientRect() const
{
    if (handle_)
        return handle_->ClientRect();
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const
{
    if (handle_)
        return handle_->ClientOrigin();
    return TControl::ClientOrigin();
}

void TWinControl::AdjustClientRect(TRect&) const
{
    // The border band lies outside the client area already.
}

void TWinControl::AlignControl(TControl* control)
{
    if (alignLevel_ > 0 || aligning_ || InState(core::csLoading) || InState(core::csDestroying)) {
        controlState_.Include(csAlignmentNeeded);
        return;
    }
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    aligning_ = true;
    try {
        AlignControls(control, rect);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
    controlState_.Exclude(csAlignmentNeeded);
}

void TWinControl::EnableAlign()
{
    if (alignLevel_ > 0 && --alignLevel_ == 0 && controlState_.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::AlignControls(TControl*, TRect& rect)
{
    TRect client = ClientRect();
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible())
                list.push_back(c);
        auto key = [align](TControl* c) {
            switch (align) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), h);
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, w, rect.Height());
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
                rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
                break;
            }
        }
    }
    for (TControl* c : controls_)
        if (c->Align() == alNone && (c->Anchors().Contains(akRight) || c->Anchors().Contains(akBottom)))
            c->AnchorTo(client.Width(), client.Height());
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    UpdateTabOrderFromLoading();
    if (!parent_ && loadingTabOrder_ >= 0)
        loadingTabOrder_ = -1;
    Realign();
}

// ---- Painting --------------------------------------------------------------

void TWinControl::Invalidate()
{
    if (handle_)
        handle_->Invalidate(nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Update()
{
    if (handle_)
        handle_->Update();
}

void TWinControl::EraseBackground(const TDrawTarget& target)
{
    graphics::TCanvas canvas;
    AttachCanvas(canvas, target);
    // Opaque windowless children paint their own background.
    for (TControl* c : controls_)
        if (!dynamic_cast<TWinControl*>(c) && c->Visible() && c->ControlStyle().Contains(csOpaque))
            canvas.ExcludeClipRect(c->BoundsRect());
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
}

void TWinControl::PaintWindow(const TDrawTarget&) {}

void TWinControl::PaintControls(const TDrawTarget& target, TControl* first)
{
    auto it = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
    for (; it != controls_.end(); ++it) {
        auto* g = dynamic_cast<TGraphicControl*>(*it);
        if (g && g->Visible())
            g->PaintIn(target);
    }
}

void TWinControl::PaintTo(graphics::TCanvas& canvas, int x, int y)
{
    TDrawTarget target = TargetOfCanvas(canvas);
    target.Origin = target.Origin + TPoint{x, y};
    target.Clip.Intersect(graphics::Offset(ClientRect(), target.Origin.X, target.Origin.Y));
    EraseBackground(target);
    PaintWindow(target);
    PaintControls(target, nullptr);
}

// ---- Messages --------------------------------------------------------------

void TWinControl::WindowProc(TMessage& message)
{
    try {
        WndProc(message);
    } catch (const std::exception&) {
        Application().HandleException(this);
    }
}

namespace {

// A key goes first to the form when it previews keys, then to the control's
// handler, which zeroes it to say the key was used.
template <typename Key, typename Preview, typename Handler>
bool RouteKey(TWinControl* control, TMessage& m, bool standardEvents, Preview preview, Handler handler)
{
    TCustomForm* form = GetParentForm(control);
    if (form && form != control && form->KeyPreview() && (form->*preview)(m))
        return true;
    if (!standardEvents)
        return false;
    Key key = static_cast<Key>(m.WParam);
    handler(key);
    m.WParam = static_cast<WPARAM>(static_cast<std::make_unsigned_t<Key>>(key));
    return key == 0;
}

}  // namespace

bool TWinControl::DoKeyDown(TMessage& m)
{
    return RouteKey<uint16_t>(this, m, !controlStyle_.Contains(csNoStdEvents), &TCustomForm::DoKeyDown,
                              [this](uint16_t& key) { KeyDown(key, KeyboardShiftState()); });
}

bool TWinControl::DoKeyUp(TMessage& m)
{
    return RouteKey<uint16_t>(this, m, !controlStyle_.Contains(csNoStdEvents), &TCustomForm::DoKeyUp,
                              [this](uint16_t& key) { KeyUp(key, KeyboardShiftState()); });
}

bool TWinControl::DoKeyPress(TMessage& m)
{
    return RouteKey<char>(this, m, !controlStyle_.Contains(csNoStdEvents), &TCustomForm::DoKeyPress,
                          [this](char& key) { KeyPress(key); });
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift)
{
    OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift)
{
    OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    OnEnter(this);
}

void TWinControl::DoExit()
{
    OnExit(this);
}

void TWinControl::Broadcast(TMessage& message)
{
    std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (!ContainsControl(c))
            continue;
        c->WndProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(uint32_t msg)
{
    TMessage m{msg, 0, 0, 0};
    std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        m.Result = 0;
        c->WndProc(m);
    }
}

void TWinControl::MouseRouting(TMessage& m)
{
    TPoint p{SignedLoWord(m.LParam), SignedHiWord(m.LParam)};
    // A windowless child holding the capture, or the one under the pointer,
    // gets the message in its own coordinates.
    TControl* target = nullptr;
    TControl* captured = CaptureControl();
    if (captured && captured != this && captured->Parent() == this)
        target = captured;
    else if (!captured)
        target = ControlAtPos(p, false);
    if (m.Msg == WM_MOUSEMOVE)
        SetMouseControl(target ? target : this);
    if (target) {
        TMessage forwarded = m;
        forwarded.LParam = MakeLParam(p.X - target->Left(), p.Y - target->Top());
        target->WndProc(forwarded);
        m.Result = forwarded.Result;
        return;
    }
    TControl::WndProc(m);
}

void TWinControl::WndProc(TMessage& m)
{
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
            // A press focuses a focusable control before anything else
            // happens; the control already knows that the mouse did it.
            controlState_.Include(csLButtonDown);
            if (CanFocus() && tabStop_ && !Focused() && !dynamic_cast<TCustomForm*>(this))
                SetFocus();
        }
        MouseRouting(m);
        return;
    }
    if (THandler handler = HandlerOf(m.Msg)) {
        (this->*handler)(m);
        return;
    }
    TControl::WndProc(m);
}

// ---- Message handlers ----------------------------------------------------------
// One handler per message that a windowed control answers itself; the rest go
// to TControl::WndProc.

TWinControl::THandler TWinControl::HandlerOf(uint32_t msg)
{
    static const std::pair<uint32_t, THandler> handlers[] = {
        {WM_PAINT, &TWinControl::WMPaint},
        {WM_ERASEBKGND, &TWinControl::WMEraseBkgnd},
        {WM_NCCALCSIZE, &TWinControl::WMNCCalcSize},
        {WM_NCPAINT, &TWinControl::WMNCPaint},
        {WM_SIZE, &TWinControl::WMSizeOrMove},
        {WM_MOVE, &TWinControl::WMSizeOrMove},
        {WM_SETFOCUS, &TWinControl::WMSetFocus},
        {WM_KILLFOCUS, &TWinControl::DefaultHandler},
        {WM_KEYDOWN, &TWinControl::WMKeyDown},
        {WM_SYSKEYDOWN, &TWinControl::WMKeyDown},
        {WM_KEYUP, &TWinControl::WMKeyUp},
        {WM_SYSKEYUP, &TWinControl::WMKeyUp},
        {WM_CHAR, &TWinControl::WMChar},
        {CN_KEYDOWN, &TWinControl::CNKeyDown},
        {CN_CHAR, &TWinControl::CNChar},
        {CN_SYSCHAR, &TWinControl::CNChar},
        {CM_CHILDKEY, &TWinControl::CMChildKey},
        {WM_SETCURSOR, &TWinControl::WMSetCursor},
        {WM_MOUSELEAVE, &TWinControl::WMMouseLeave},
        {WM_MOUSEENTER, &TWinControl::Ignore},
        {WM_DESTROY, &TWinControl::WMDestroy},
        {CM_FONTCHANGED, &TWinControl::CMFontChanged},
        {CM_COLORCHANGED, &TWinControl::CMColorChanged},
        {CM_SHOWHINTCHANGED, &TWinControl::CMShowHintChanged},
        {CM_BIDIMODECHANGED, &TWinControl::CMBiDiModeChanged},
        {CM_CTL3DCHANGED, &TWinControl::CMCtl3DChanged},
        {CM_PARENTCTL3DCHANGED, &TWinControl::CMParentCtl3DChanged},
        {CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged},
        {CM_VISIBLECHANGED, &TWinControl::CMShowingChanged},
        {CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged},
        {CM_DIALOGKEY, &TWinControl::Broadcast},
        {CM_DIALOGCHAR, &TWinControl::Broadcast},
        {CM_FOCUSCHANGED, &TWinControl::Broadcast},
        {CM_ENTER, &TWinControl::CMEnter},
        {CM_EXIT, &TWinControl::CMExit},
    };
    return MessageHandlerOf(handlers, msg);
}

void TWinControl::Ignore(TMessage&) {}

void TWinControl::WMPaint(TMessage&)
{
    TRect paintRect;
    TDrawTarget target = handle_->BeginPaint(paintRect);
    PaintWindow(target);
    PaintControls(target, nullptr);
}

void TWinControl::WMEraseBkgnd(TMessage& m)
{
    if (auto* target = reinterpret_cast<const TDrawTarget*>(m.WParam))
        EraseBackground(*target);
    m.Result = 1;
}

void TWinControl::WMNCCalcSize(TMessage& m)
{
    // A band of BorderWidth pixels inside the frame and the scroll bars.
    DefaultHandler(m);
    if (borderWidth_ > 0) {
        auto* r = reinterpret_cast<TRect*>(m.LParam);
        *r = graphics::Inflate(*r, -borderWidth_, -borderWidth_);
    }
}

void TWinControl::WMNCPaint(TMessage& m)
{
    DefaultHandler(m);
    PaintBorderBand();
}

void TWinControl::WMSizeOrMove(TMessage& m)
{
    if (handle_ && !parent_) {
        // A top-level window moved or sized by the display.
        TRect r = BoundsForWindowArea(handle_->BoundsRect());
        if (r != BoundsRect())
            UpdateBoundsRect(r);
    }
    if (m.Msg == WM_SIZE)
        Realign();
    DefaultHandler(m);
}

void TWinControl::WMSetFocus(TMessage& m)
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetFocusedControl(this);
    DefaultHandler(m);
}

void TWinControl::WMKeyDown(TMessage& m)
{
    // The key handler may free the control (Escape closing an editor).
    TFreeWatch watch(this);
    if (!DoKeyDown(m) && !watch.freed)
        DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m)
{
    TFreeWatch watch(this);
    if (!DoKeyUp(m) && !watch.freed)
        DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m)
{
    TFreeWatch watch(this);
    if (!DoKeyPress(m) && !watch.freed)
        DefaultHandler(m);
}

void TWinControl::CNKeyDown(TMessage& m)
{
    // Tab, arrows, Enter and Escape go to the form unless this control wants them.
    m.Result = 1;
    unsigned key = static_cast<unsigned>(m.WParam);
    uint32_t mask = 0;
    if (key == VK_TAB)
        mask = DLGC_WANTTAB;
    else if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
        mask = DLGC_WANTARROWS;
    else if (key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL)
        mask = DLGC_WANTALLKEYS;
    if (Perform(CM_CHILDKEY, m.WParam, reinterpret_cast<LPARAM>(this)) != 0)
        return;
    if (mask && Perform(CM_WANTSPECIALKEY, m.WParam, 0) == 0 && !(Perform(WM_GETDLGCODE, 0, 0) & mask)) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0)
            return;
    }
    m.Result = 0;
}

void TWinControl::CNChar(TMessage& m)
{
    // A character the control does not take may be an accelerator.
    m.Result = 1;
    bool wantsChars = (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) != 0;
    if (m.Msg == CN_SYSCHAR || !wantsChars) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0)
            return;
    }
    m.Result = 0;
}

void TWinControl::CMChildKey(TMessage& m)
{
    m.Result = parent_ ? parent_->Perform(CM_CHILDKEY, m.WParam, m.LParam) : 0;
}

void TWinControl::WMSetCursor(TMessage& m)
{
    if (LoWord(m.LParam) == HTCLIENT && handle_) {
        TPoint p = ScreenToClient(WindowManager().CursorPos());
        TControl* over = ControlAtPos(p, false);
        TCursor cursor = over ? over->Cursor() : Cursor();
        if (cursor != crDefault) {
            WindowManager().SetCursor(cursor);
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMMouseLeave(TMessage&)
{
    if (TControl* over = MouseControl(); over && (over == this || over->Parent() == this))
        SetMouseControl(nullptr);
}

void TWinControl::WMDestroy(TMessage& m)
{
    DefaultHandler(m);
    handle_ = nullptr;
}

void TWinControl::CMFontChanged(TMessage& m)
{
    TControl::WndProc(m);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& m)
{
    TControl::WndProc(m);
    if (handle_ && borderWidth_ > 0)
        handle_->InvalidateFrame();
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&)
{
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMBiDiModeChanged(TMessage& m)
{
    TControl::WndProc(m);
    NotifyControls(CM_PARENTBIDIMODECHANGED);
}

void TWinControl::CMCtl3DChanged(TMessage&)
{
    Invalidate();
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&)
{
    if (parentCtl3D_ && parent_) {
        bool value = parent_->Ctl3D();
        if (value != ctl3D_) {
            ctl3D_ = value;
            Perform(CM_CTL3DCHANGED, 0, 0);
        }
    }
}

void TWinControl::CMEnabledChanged(TMessage& m)
{
    if (!Enabled() && Focused()) {
        if (TCustomForm* form = GetParentForm(this))
            form->SelectNext(this, true, true);
    }
    if (handle_)
        handle_->Enable(Enabled());
    TControl::WndProc(m);
}

void TWinControl::CMShowingChanged(TMessage&)
{
    UpdateShowing();
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}

void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (handle_)
        m.Result = DefWindowProc(handle_, m);
    else
        m.Result = 0;
}

// ---- Custom and graphic controls -------------------------------------------

TCustomControl::TCustomControl(core::TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<graphics::TCanvas>())
{
}

TCustomControl::~TCustomControl() = default;

graphics::TCanvas* TCustomControl::Canvas()
{
    if (!painting_) {
        if (HandleAllocated() && Showing())
            AttachCanvas(*canvas_, Handle()->ClientTarget());
        else
            canvas_->Detach();
    }
    return canvas_.get();
}

void TCustomControl::PaintWindow(const TDrawTarget& target)
{
    PaintWithCanvas(*this, *canvas_, target, painting_, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(core::TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<graphics::TCanvas>())
{
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
}

TGraphicControl::~TGraphicControl() = default;

graphics::TCanvas* TGraphicControl::Canvas()
{
    if (!painting_) {
        TWinControl* parent = Parent();
        if (parent && parent->HandleAllocated() && Showing()) {
            TDrawTarget target = parent->Handle()->ClientTarget();
            target.Origin = target.Origin + TPoint{Left(), Top()};
            target.Clip.Intersect(graphics::Bounds(target.Origin.X, target.Origin.Y, Width(), Height()));
            AttachCanvas(*canvas_, target);
        } else {
            canvas_->Detach();
        }
    }
    return canvas_.get();
}

void TGraphicControl::PaintIn(const TDrawTarget& parentTarget)
{
    TDrawTarget target = parentTarget;
    target.Origin = target.Origin + TPoint{Left(), Top()};
    target.Clip.Intersect(graphics::Bounds(target.Origin.X, target.Origin.Y, Width(), Height()));
    if (target.Clip.IsEmpty())
        return;
    PaintWithCanvas(*this, *canvas_, target, painting_, [this] { Paint(); });
}

}  // namespace ui
