#pragma once

#include "platform/core/EnumType.h"
#include "platform/ui/WinControl.h"

namespace ui {

CORE_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
CORE_SET(TBorderIcons, TBorderIcon);
CORE_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
CORE_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
CORE_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = core::TEvent<core::TObject*, TCloseAction&>;
using TCloseQueryEvent = core::TEvent<core::TObject*, bool&>;

// A top-level window with a frame drawn by the display: caption, border
// style, position on the screen, the focused control, modal showing and
// closing, default and cancel keys.
//
// Left, Top, Width and Height include the frame; the window itself covers
// the client area, and the display adds the caption and borders around it.
class TCustomForm : public TCustomControl {
    CORE_CLASS(TCustomForm, TCustomControl)

    explicit TCustomForm(core::TComponent* owner);
    ~TCustomForm() override;
    static void Publish(core::PropertyList& list);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value) { formStyle_ = value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value) { windowState_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    int FormClientWidth() const { return ClientWidth(); }
    int FormClientHeight() const { return ClientHeight(); }

    // The frame the display draws around the window, by border style.
    int FrameWidth() const;
    int CaptionHeight() const;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Called when a control of this form receives the focus.
    void SetFocusedControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    void ControlRemoved(TWinControl* control);
    bool Active() const;

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool Modal() const { return modal_; }
    // Shows the form and runs a nested loop until a modal result is set or
    // the form is closed; other forms are disabled meanwhile.
    virtual TModalResult ShowModal();
    // Asks OnCloseQuery, then OnClose, and hides, frees or keeps the form.
    void Close();
    bool CloseQuery();
    // Frees the form once the message that is running now has finished.
    void Release();

    core::TNotifyEvent OnCreate;
    core::TNotifyEvent OnDestroy;
    core::TNotifyEvent OnShow;
    core::TNotifyEvent OnHide;
    core::TNotifyEvent OnActivate;
    core::TNotifyEvent OnDeactivate;
    core::TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    bool DoKeyDown(TMessage& m) { return TWinControl::DoKeyDown(m); }
    bool DoKeyUp(TMessage& m) { return TWinControl::DoKeyUp(m); }
    bool DoKeyPress(TMessage& m) { return TWinControl::DoKeyPress(m); }

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override { return Visible(); }
    void WndProc(TMessage& message) override;
    // Filing: the form's components that are not filed inside another one
    // (timers, action lists, image lists) come first, then the controls.
    void GetChildren(const std::function<void(core::TComponent*)>& proc, core::TComponent* root) override;

protected:
    void CreateParams(TCreateParams& params) override;
    TRect WindowAreaFor(const TRect& bounds) const override;
    TRect BoundsForWindowArea(const TRect& area) const override;
    void Paint() override;
    void VisibleChanging() override;
    virtual void DoShow();
    virtual void DoHide();
    // Puts the form where Position asks before it is first shown.
    void PlaceOnScreen();

private:
    void SetClientWidthProp(int value) { SetClientWidth(value); }
    void SetClientHeightProp(int value) { SetClientHeight(value); }
    void CloseModal();
    void FocusFirst();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = {biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    bool keyPreview_ = false;
    bool scaled_ = true;
    int pixelsPerInch_ = 96;
    int textHeight_ = 13;
    bool oldCreateOrder_ = false;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool placed_ = false;
    bool closing_ = false;
};

// A form as programs declare theirs.
class TForm : public TCustomForm {
    CORE_CLASS(TForm, TCustomForm)
    explicit TForm(core::TComponent* owner);
};

}  // namespace ui
