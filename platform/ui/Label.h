#pragma once

#include "platform/ui/WinControl.h"

namespace ui {

// A text painted on its parent's surface, without a window of its own.
//
// The label sizes itself to its text (AutoSize), aligns the text across its
// width (Alignment) and places it top, centre or bottom (Layout), breaks it
// into lines (WordWrap), and shows an "&" in its caption as an underlined
// accelerator (ShowAccelChar). Typing that accelerator moves the focus to
// FocusControl: the form broadcasts it as CM_DIALOGCHAR when the focused
// control does not take the character, or when Alt is held.
//
// Descendants that keep a label beside another control (a caption label of
// an edit) override AdjustBounds: it runs whenever the label has sized itself
// to its text, so they can place the label again afterwards.
class TCustomLabel : public TGraphicControl {
    CORE_CLASS(TCustomLabel, TGraphicControl)

    explicit TCustomLabel(core::TComponent* owner);
    ~TCustomLabel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // The control that its accelerator focuses; cleared when that control is
    // destroyed.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint() override;
    // Sizes the label to its text when AutoSize is on. A right-aligned label
    // keeps its right edge, the others their left edge.
    virtual void AdjustBounds();
    void AdjustSize() override { AdjustBounds(); }
    // Draws (or with DT_CALCRECT measures) the label's text in `rect` on
    // `canvas`, whose font is the label's; a disabled label is drawn
    // engraved.
    virtual void DoDrawText(graphics::TCanvas& canvas, TRect& rect, unsigned flags);
    // The text shown: the caption.
    virtual AnsiString GetLabelText() const { return Caption(); }
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    // The DrawText flags of the label's settings, without DT_CALCRECT.
    unsigned DrawFlags() const;

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

// The label as forms declare it, with its properties published.
class TLabel : public TCustomLabel {
    CORE_CLASS(TLabel, TCustomLabel)

    explicit TLabel(core::TComponent* owner);
    static void Publish(core::PropertyList& list);
};

}  // namespace ui
