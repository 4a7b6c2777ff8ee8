#pragma once

// The common base of the grid's in-cell controls (the edit box and the check
// box): the settings the grid copies from the current cell, the hook events
// through which a control reports to its grid, the keys it asks the platform
// for, double clicks made from two quick presses, and painting through the
// shared in-cell memory canvas.

#include <cstdint>
#include <functional>

#include "grid/model/GridTypes.h"
#include "platform/core/Event.h"
#include "platform/core/Variant.h"
#include "platform/ui/WinControl.h"

namespace grid {

// What an in-cell control asks of the grid it sits on. The grid implements
// it; a control without one behaves as a stand-alone control.
class TtsGridControlHost {
public:
    virtual ~TtsGridControlHost() = default;
    // The grid's own window control (the form is told that it is focused
    // when the in-cell control takes the focus).
    virtual ui::TWinControl* HostControl() = 0;
    // Whether the grid itself has the input focus.
    virtual bool HostFocused() const = 0;
};

// Hook events of the in-cell controls; the grid connects them.
using TtsGridKeyEvent = core::TEvent<uint16_t&, ui::TShiftState>;
using TtsGridKeyPressEvent = core::TEvent<char&>;
using TtsChangeEvent = core::TEvent<bool /*byUser*/>;
using TtsEditedEvent = core::TEvent<bool /*changed*/, bool /*extra*/, bool /*byUser*/>;
using TtsStartEditEvent = core::TEvent<bool& /*cancel*/>;
using TtsCanEditEvent = core::TEvent<bool /*byUser*/, bool& /*cancel*/>;
using TtsUndoEvent = core::TEvent<uint16_t /*key*/, bool& /*cancel*/>;
using TtsWantKeyEvent = core::TEvent<uint16_t /*key*/, bool& /*want*/>;
// Typed or pasted text that does not fit the mask: `keys` is the text.
using TtsTextChangedEvent = core::TEvent<const core::AnsiString& /*keys*/, bool& /*accept*/>;
using TtsTextResizedEvent = core::TEvent<bool /*byUser*/>;

class TtsGridControl : public ui::TCustomControl {
    CORE_CLASS(TtsGridControl, ui::TCustomControl)

    explicit TtsGridControl(core::TComponent* owner);
    ~TtsGridControl() override;

    TtsGridControlHost* Grid() const { return grid_; }
    void SetGrid(TtsGridControlHost* grid) { grid_ = grid; }

    // Pixels between the cell's left edge and its text (3 as the grid sets it).
    int LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int value);
    TtsHorzAlignment HorzAlignment() const { return static_cast<TtsHorzAlignment>(horzAlignment_); }
    TtsVertAlignment VertAlignment() const { return static_cast<TtsVertAlignment>(vertAlignment_); }
    TtsWordWrap WordWrap() const { return static_cast<TtsWordWrap>(wordWrap_); }
    virtual void SetHorzAlignment(TtsHorzAlignment value);
    virtual void SetVertAlignment(TtsVertAlignment value);
    virtual void SetWordWrap(TtsWordWrap value);

    // Whether the value may be changed, and whether text may be selected
    // even when it may not.
    bool Editable() const { return editable_; }
    virtual void SetEditable(bool value) { editable_ = value; }
    bool Selectable() const { return selectable_; }
    virtual void SetSelectable(bool value) { selectable_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool AlwaysShowFocus() const { return alwaysShowFocus_; }
    virtual void SetAlwaysShowFocus(bool value);
    // Whether two quick presses at one spot make a double click.
    bool SynthesizeDblClicks() const { return synthesizeDblClicks_; }
    void SetSynthesizeDblClicks(bool value) { synthesizeDblClicks_ = value; }

    // Asks OnCanEdit; true when the change may go ahead.
    virtual bool CanEdit(bool byUser);
    // Asks OnStartEdit (the grid's start of a cell and row edit), then CanEdit.
    virtual bool StartEdit(bool byUser);
    // Whether a typed character is for this control.
    virtual bool WantsChar(char ch);

    // Whether the control, its grid, or (with AlwaysShowFocus) nobody
    // needs the focus shown.
    bool ShowsFocus() const;

    core::TNotifyEvent OnKillFocus;
    TtsGridKeyEvent OnGridKeyDown;
    TtsGridKeyEvent OnGridKeyUp;
    TtsGridKeyPressEvent OnGridKeyPress;
    TtsChangeEvent OnChange;
    TtsEditedEvent OnEdited;
    TtsStartEditEvent OnStartEdit;
    TtsCanEditEvent OnCanEdit;
    TtsUndoEvent OnUndo;
    TtsWantKeyEvent OnWantKey;
    TtsTextChangedEvent OnTextChanged;
    TtsTextResizedEvent OnTextResized;

    void SetBounds(int left, int top, int width, int height) override;
    void SetFocus() override;
    void WndProc(ui::TMessage& message) override;

protected:
    // Draws the control's content on `canvas` (client coordinates, clipped
    // to `clip`). Paint calls it through the in-cell memory canvas.
    virtual void PaintContent(graphics::TCanvas& canvas, const graphics::TRect& clip);
    void Paint() override;

private:
    void WMGetDlgCode(ui::TMessage& m);
    void WMLButtonDown(ui::TMessage& m);

    TtsGridControlHost* grid_ = nullptr;
    int leftMargin_ = 0;
    uint8_t horzAlignment_ = 0;
    uint8_t vertAlignment_ = vtaDefault;
    uint8_t wordWrap_ = 0;
    bool editable_ = true;
    bool selectable_ = true;
    bool wantTabs_ = true;
    bool alwaysShowFocus_ = false;
    bool synthesizeDblClicks_ = true;
    uint32_t lastPressTime_ = 0;
    graphics::TPoint lastPressPos_{-1, -1};
    bool lastPressValid_ = false;
    bool attached_ = false;  // to the in-cell memory canvas
};

}  // namespace grid
