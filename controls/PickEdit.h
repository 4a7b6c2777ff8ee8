#pragma once

#include "controls/BoundLabel.h"
#include "controls/EditTypes.h"
#include "platform/core/Forward.h"
#include "platform/ui/Edit.h"

namespace ui {
class TShape;
}

namespace controls {

using core::AnsiString;

class TCPickButton;

// What the pick edit keeps of `text` when the user leaves it: the labelled
// edit's check without the calculator and without cutting the number
// pattern's trailing zeros (12.5 with "0.0000" stays 12.5000). Numbers keep
// a typed minus unless `plusNumber` makes them non-negative.
AnsiString PickCheckedText(const AnsiString& text, TCheckFmt checkFmt, TFmtDec fmtDecimal, bool plusNumber);

// The pick edit: a one-line edit with a small pick button inside its right
// end, a one-pixel underline inside its bottom edge for the borderless look,
// a caption label at its left (three pixels away, on the edit's parent), and
// the same check as the labelled edit when the user leaves it, without the
// calculator.
//
// The button's click and Enter raise OnButtonClick; Enter, Down and Up then
// move the focus on as in the labelled edit. The edit is at least 17 pixels
// high, and the text keeps clear of the button.
//
// Call flow of a resize: WM_SIZE (or Resize, before the window exists) runs
// UpdateGeometry: the height rule, the button and the underline, then the
// text area (EM_SETRECTNP). SetBounds places the label afterwards.
class TQorPickEditClass : public ui::TCustomEdit, public IBoundLabelOwner {
    CORE_CLASS(TQorPickEditClass, ui::TCustomEdit)

    explicit TQorPickEditClass(core::TComponent* owner);
    ~TQorPickEditClass() override;
    static void Publish(core::PropertyList& list);

    TFmtDec FmtDecimal() const { return fmtDecimal_; }
    void SetFmtDecimal(TFmtDec value) { fmtDecimal_ = value; }
    TCheckFmt CheckFmt() const { return checkFmt_; }
    void SetCheckFmt(TCheckFmt value) { checkFmt_ = value; }
    bool PlusNumber() const { return plusNumber_; }
    void SetPlusNumber(bool value) { plusNumber_ = value; }
    // Whether cut and paste reach the edit (typing always does).
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool value) { editorEnabled_ = value; }
    bool ButtonEnabled() const;
    void SetButtonEnabled(bool value);
    graphics::TBitmap* Glyph() const;
    void SetGlyph(const graphics::TBitmap* value);

    // The text the field last accepted: what it shows after the exit check.
    const AnsiString& AcceptedValue() const { return acceptedValue_; }

    // The companions: the button's container inside the edit, the underline
    // inside it, the caption label on its parent (null once destroyed).
    TCPickButton* PickButton() const { return button_; }
    ui::TShape* Underline() const { return underline_; }
    TBoundLabel* EditLabel() const { return label_; }

    // Raised by a click on the button (the sender is the button) and by
    // Enter in a field that is not read-only (the sender is the edit).
    core::TNotifyEvent OnButtonClick;

    // The button's click handler; Enter calls it with the edit as sender.
    void ButtonClick(core::TObject* sender);

    void SetParent(ui::TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetName(const AnsiString& name) override;
    void WndProc(ui::TMessage& message) override;
    void BoundLabelResized(TBoundLabel* label) override;

    // The default handlers of OnEnter, OnExit and OnKeyDown.
    void EditEnter(core::TObject* sender);
    void EditExit(core::TObject* sender);
    void EditKeyDown(core::TObject* sender, uint16_t& key, ui::TShiftState shift);

protected:
    void CreateParams(ui::TCreateParams& params) override;
    void CreateWnd() override;
    void Resize() override;
    // Lays out again when the button has been shown or hidden.
    void AlignControls(ui::TControl* control, ui::TRect& rect) override;
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    void UpdateGeometry();
    void SetEditRect();
    void PlaceLabel();
    // Asks the owner to move the focus on: forward or back.
    void MoveFocus(bool forward);

    TBoundLabel* label_ = nullptr;
    TCPickButton* button_ = nullptr;
    ui::TShape* underline_ = nullptr;
    AnsiString acceptedValue_;
    TFmtDec fmtDecimal_ = fdNone;
    TCheckFmt checkFmt_ = cfNone;
    bool plusNumber_ = true;
    bool editorEnabled_ = true;
    // Whether the last layout made room for the button.
    bool laidOutWithButton_ = true;
};

}  // namespace controls
