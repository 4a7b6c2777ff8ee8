#pragma once

#include <utility>
#include <vector>

#include "platform/graphics/Canvas.h"
#include "platform/ui/Control.h"

namespace ui {

// A control with a window of its own: it can hold other controls, take the
// keyboard focus, and receive every message of its window.
//
// The window is made when it is first needed: when the control is shown on
// a parent that has its window, or when Handle() is asked for.
class TWinControl : public TControl, public IWindowHandler {
    CORE_CLASS(TWinControl, TControl)

    explicit TWinControl(core::TComponent* owner);
    ~TWinControl() override;
    static void Publish(core::PropertyList& list);

    HWND Handle();
    HWND HandleOrNull() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes it again (after a style change).
    void RecreateWnd();

    // Child controls, in z-order from the bottom.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The visible child at a client point (windowless ones only unless asked).
    TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false) const;
    void ChangeZOrder(TControl* control, bool toFront);

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Windowed children in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    // A band of this many pixels around the client area, inside the frame,
    // filled with the control's colour.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);

    core::TNotifyEvent OnEnter;
    core::TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // Alignment of the children.
    void AlignControl(TControl* control);
    void DisableAlign() { ++alignLevel_; }
    void EnableAlign();
    void Realign() { AlignControl(nullptr); }

    // Sends a message to every child control.
    void Broadcast(TMessage& message);
    void NotifyControls(uint32_t msg);

    // Paints this control and its windowless children into another canvas:
    // the background, the control's own painting, then the children.
    void PaintTo(graphics::TCanvas& canvas, int x, int y);

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void GetChildren(const std::function<void(core::TComponent*)>& proc, core::TComponent* root) override;
    void Loaded() override;

    // The control whose window this is, or nullptr.
    static TWinControl* FromHandle(HWND window);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Shows or hides the window after Visible or a parent's showing changed.
    void UpdateShowing();

    // Painting: the invalid part of the client area, then windowless children.
    virtual void PaintWindow(const TDrawTarget& target);
    void PaintControls(const TDrawTarget& target, TControl* first);
    virtual void EraseBackground(const TDrawTarget& target);
    // Fills the BorderWidth band of the frame with the control's colour.
    void PaintBorderBand();

    // Where the window of a top-level control lies for given bounds, and
    // back: forms keep their frame outside the window.
    virtual TRect WindowAreaFor(const TRect& bounds) const { return bounds; }
    virtual TRect BoundsForWindowArea(const TRect& area) const { return area; }

    // The area left for aligned children.
    virtual void AdjustClientRect(TRect& rect) const;
    virtual void AlignControls(TControl* control, TRect& rect);

    // Keyboard: dialog keys first (Tab, arrows, Enter, Escape go to the form
    // unless the control wants them), then the events.
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    bool DoKeyDown(TMessage& m);
    bool DoKeyUp(TMessage& m);
    bool DoKeyPress(TMessage& m);
    virtual void DoEnter();
    virtual void DoExit();

    void SetTextValue(const AnsiString& value) override;

private:
    friend class TCustomForm;
    void AttachWindow(HWND window) override { handle_ = window; }
    void WindowProc(TMessage& message) override;
    void MouseRouting(TMessage& m);
    void UpdateTabOrderFromLoading();

    // The handler of a message this class answers itself, or nullptr.
    using THandler = void (TWinControl::*)(TMessage&);
    static THandler HandlerOf(uint32_t msg);
    void Ignore(TMessage& m);
    void WMPaint(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    void WMNCCalcSize(TMessage& m);
    void WMNCPaint(TMessage& m);
    void WMSizeOrMove(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMKeyUp(TMessage& m);
    void WMChar(TMessage& m);
    void CNKeyDown(TMessage& m);
    void CNChar(TMessage& m);
    void CMChildKey(TMessage& m);
    void WMSetCursor(TMessage& m);
    void WMMouseLeave(TMessage& m);
    void WMDestroy(TMessage& m);
    void CMFontChanged(TMessage& m);
    void CMColorChanged(TMessage& m);
    void CMShowHintChanged(TMessage& m);
    void CMBiDiModeChanged(TMessage& m);
    void CMCtl3DChanged(TMessage& m);
    void CMParentCtl3DChanged(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMShowingChanged(TMessage& m);
    void CMEnter(TMessage& m);
    void CMExit(TMessage& m);

    HWND handle_ = nullptr;
    std::vector<TControl*> controls_;    // z-order, bottom first
    std::vector<TWinControl*> tabList_;  // windowed children in tab order
    bool tabStop_ = false;
    int loadingTabOrder_ = -1;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    int borderWidth_ = 0;
    int alignLevel_ = 0;
    bool aligning_ = false;
    bool recreating_ = false;
};

// The handler a class's table gives a message, or nullptr: for classes that
// answer their messages through one handler each.
template <typename Handler, size_t N>
Handler MessageHandlerOf(const std::pair<uint32_t, Handler> (&table)[N], uint32_t msg)
{
    for (const auto& [number, handler] : table)
        if (number == msg)
            return handler;
    return nullptr;
}

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
    CORE_CLASS(TCustomControl, TWinControl)

    explicit TCustomControl(core::TComponent* owner);
    ~TCustomControl() override;
    // The canvas, attached to the window (outside painting it draws straight
    // onto the window's pixels).
    graphics::TCanvas* Canvas();

protected:
    virtual void Paint() {}
    void PaintWindow(const TDrawTarget& target) override;

private:
    std::unique_ptr<graphics::TCanvas> canvas_;
    bool painting_ = false;
};

// A control without a window: it paints on its parent's surface.
class TGraphicControl : public TControl {
    CORE_CLASS(TGraphicControl, TControl)

    explicit TGraphicControl(core::TComponent* owner);
    ~TGraphicControl() override;
    graphics::TCanvas* Canvas();
    // Paints into the parent's target (origin at the parent's client corner).
    void PaintIn(const TDrawTarget& parentTarget);

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<graphics::TCanvas> canvas_;
    bool painting_ = false;
};

// A drawing target as seen through a canvas: its surface, where its logical
// (0, 0) lies, and what it may touch.
TDrawTarget TargetOfCanvas(const graphics::TCanvas& canvas);
void AttachCanvas(graphics::TCanvas& canvas, const TDrawTarget& target);

}  // namespace ui
