#pragma once

#include <memory>

#include "platform/core/Component.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Cursors.h"

namespace ui {

class TWinControl;
class TCustomForm;
class TBasicAction;
class TControlActionLink;

// A visual control: a rectangle on its parent with a font, a colour, a
// cursor, a hint, mouse events and the framework's component notifications.
//
// Messages reach a control through WndProc: one switch per class for the
// messages it handles, the rest passed to its parent class and finally to
// DefaultHandler. Mouse messages of windowless controls come from their
// parent window, which finds the control under the pointer.
class TControl : public core::TComponent {
    CORE_CLASS(TControl, core::TComponent)

    explicit TControl(core::TComponent* owner);
    ~TControl() override;
    static void Publish(core::PropertyList& list);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    // Geometry, in the parent's client coordinates.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    TRect BoundsRect() const { return graphics::Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual void SetBounds(int left, int top, int width, int height);
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    // Screen position of the client's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const { return p + ClientOrigin(); }
    TPoint ScreenToClient(TPoint p) const { return p - ClientOrigin(); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    graphics::TFont* Font() const { return font_.get(); }
    void SetFont(const graphics::TFont* value) { font_->Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    graphics::TColor Color() const { return color_; }
    void SetColor(graphics::TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }

    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }

    // The action whose caption, enabled state, hint and visibility the
    // control follows; Click runs it when OnClick is unassigned.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);

    // The control's text: a caption or an edit's contents.
    AnsiString Text() const { return GetText(); }
    void SetText(const AnsiString& value);
    AnsiString Caption() const { return GetText(); }
    void SetCaption(const AnsiString& value) { SetText(value); }

    core::TNotifyEvent OnClick;
    core::TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    core::TNotifyEvent OnMouseEnter;
    core::TNotifyEvent OnMouseLeave;
    core::TNotifyEvent OnResize;

    // Painting.
    virtual void Invalidate();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();

    LRESULT Perform(uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    void BringToFront();
    void SendToBack();
    virtual void Click();
    virtual void DblClick();

    // Whether the mouse is captured for this control.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Whether this control and every parent is visible.
    virtual bool Showing() const;

    // Filing: controls are filed inside their parent.
    bool HasParent() const override { return true; }
    core::TComponent* GetParentComponent() const override;
    void SetParentComponent(core::TComponent* parent) override;
    void Loaded() override;

protected:
    virtual AnsiString GetText() const { return text_; }
    virtual void SetTextValue(const AnsiString& value);

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    // Asks the parent to align its controls again.
    void RequestAlign();
    // Sizes the control to its contents where it has that notion.
    virtual void AdjustSize() {}
    // Tells the parent that this control changed bounds, so that its anchors
    // and alignment are kept.
    void UpdateAnchorRules();
    // What the parent's resize does to a control with anchors.
    void AnchorTo(int parentWidth, int parentHeight);
    virtual void VisibleChanging() {}
    virtual void FontChanged();
    // Told when the action is set and after every change of it: takes the
    // action's Caption, Enabled, Hint and Visible. With checkDefaults (an
    // action set while the form is read) only properties still at their
    // defaults are taken. Controls that show Checked or ImageIndex override
    // it and take those too.
    virtual void ActionChange(core::TObject* sender, bool checkDefaults);
    TControlActionLink* ActionLink() const { return actionLink_.get(); }
    void Notification(core::TComponent* component, core::TOperation operation) override;
    // Invalidates the control's rectangle in its parent window.
    void InvalidateControl(bool isVisible, bool isOpaque);
    // Stores new bounds and tells the control and its parent.
    void UpdateBoundsRect(const TRect& r);

    TWinControl* parent_ = nullptr;

private:
    friend class TWinControl;
    friend class TControlActionLink;
    void MouseMessage(TMessage& m);

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = {akLeft, akTop};
    // Distances kept by anchors: to the parent's right and bottom edges.
    TPoint anchorOrigin_;
    TSize anchorParentSize_;
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<graphics::TFont> font_;
    bool parentFont_ = true;
    graphics::TColor color_ = graphics::clWindow;
    bool parentColor_ = false;
    AnsiString hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    TControlStyle controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState controlState_;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    AnsiString text_;
    bool updatingFont_ = false;
    std::unique_ptr<TControlActionLink> actionLink_;
};

// The control that holds the mouse capture (a windowless one holds it through
// its parent's window), and the control under the pointer.
TControl* CaptureControl();
void SetCaptureControl(TControl* control);
TControl* MouseControl();
void SetMouseControl(TControl* control);

// The form a control is on, or nullptr.
TCustomForm* GetParentForm(const TControl* control);

// Whether `key` is the accelerator of `caption` ("&Save" and 's').
bool IsAccel(unsigned key, const AnsiString& caption);
// A caption without its accelerator marks ("&&" stays as "&").
AnsiString StripHotkey(const AnsiString& caption);

}  // namespace ui
