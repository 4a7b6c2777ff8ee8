#include "controls/PickEdit.h"

#include <algorithm>
#include <exception>

#include "controls/EditExitCheck.h"
#include "controls/EditHelpers.h"
#include "controls/PickButton.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"
#include "platform/ui/Shape.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

namespace controls {

CORE_CLASS_IMPL(TQorPickEditClass)

namespace {

constexpr int kMinHeight = 17;
constexpr int kLabelSpacing = 3;

// Whether the text, spaces aside, starts with a minus and holds a digit:
// a negative number for a field that allows one.
bool IsNegativeNumber(const AnsiString& text)
{
    size_t first = text.find_first_not_of(' ');
    return first != AnsiString::npos && text[first] == '-' &&
           text.find_first_of("0123456789") != AnsiString::npos;
}

AnsiString FormatDecimal(double value, TFmtDec format)
{
    switch (format) {
    case fdQty: return FormatQty(value);
    case fdPrice: return FormatPrice(value);
    case fdTotal: return FormatTotal(value);
    case fdOther: return FormatOther(value);
    case fdNone: break;
    }
    return core::FloatToStr(value);
}

}  // namespace

AnsiString PickCheckedText(const AnsiString& typed, TCheckFmt checkFmt, TFmtDec fmtDecimal, bool plusNumber)
{
    const TExitCheckRules rules = PickEditRules(checkFmt, fmtDecimal, plusNumber);
    const AnsiString text = core::Trim(typed);
    // The shared check reads numbers without their sign, which only
    // PlusNumber asks for: a field that allows negative numbers keeps a
    // typed minus.
    if (plusNumber || !IsNegativeNumber(text))
        return CheckedText(text, rules);
    switch (checkFmt) {
    case cfDecimal:
        try {
            return FormatDecimal(ParseDecimal(text, true), fmtDecimal);
        } catch (const std::exception&) {
            return "0";
        }
    case cfNumber: return core::IntToStr(-static_cast<int64_t>(DigitsToInt(text)));
    default: return CheckedText(text, rules);
    }
}

TQorPickEditClass::TQorPickEditClass(core::TComponent* owner) : ui::TCustomEdit(owner)
{
    label_ = new TBoundLabel(this);
    label_->SetTransparent(true);
    label_->SetFocusControl(this);
    label_->FreeNotification(this);

    button_ = new TCPickButton(this);
    button_->SetBounds(0, 0, 15, 17);
    button_->SetFocusControl(this);
    button_->SetParent(this);
    button_->FreeNotification(this);

    underline_ = new ui::TShape(this);
    underline_->SetBounds(0, 0, 0, 1);
    underline_->SetParent(this);
    underline_->FreeNotification(this);

    SetTabStop(true);
    OnEnter = [this](core::TObject* sender) { EditEnter(sender); };
    OnExit = [this](core::TObject* sender) { EditExit(sender); };
    OnKeyDown = [this](core::TObject* sender, uint16_t& key, ui::TShiftState shift) {
        EditKeyDown(sender, key, shift);
    };
    UpdateGeometry();
}

TQorPickEditClass::~TQorPickEditClass()
{
    // The companions go first, while this is still a pick edit that can
    // hear of it.
    delete label_;
    delete button_;
    delete underline_;
}

void TQorPickEditClass::Publish(core::PropertyList& list)
{
    core::PropBuilder<TQorPickEditClass> p(list);
    using E = TQorPickEditClass;
    p.Enum("FmtDecimal", &E::FmtDecimal, &E::SetFmtDecimal).Default(fdNone);
    p.Enum("CheckFmt", &E::CheckFmt, &E::SetCheckFmt).Default(cfNone);
    p.Boolean("PlusNumber", &E::PlusNumber, &E::SetPlusNumber).Default(true);
    p.Boolean("EditorEnabled", &E::EditorEnabled, &E::SetEditorEnabled).Default(true);
    p.Boolean("ButtonEnabled", &E::ButtonEnabled, &E::SetButtonEnabled).Default(true);
    p.Object<graphics::TBitmap>("Glyph", &E::Glyph, &E::SetGlyph);
    p.Event("OnButtonClick", &E::OnButtonClick);
}

// ---- The button -------------------------------------------------------------

bool TQorPickEditClass::ButtonEnabled() const
{
    return button_ && button_->Btn() ? button_->Btn()->Enabled() : false;
}

void TQorPickEditClass::SetButtonEnabled(bool value)
{
    if (button_ && button_->Btn())
        button_->Btn()->SetEnabled(value);
}

graphics::TBitmap* TQorPickEditClass::Glyph() const
{
    return button_ && button_->Btn() ? button_->Btn()->Glyph() : nullptr;
}

void TQorPickEditClass::SetGlyph(const graphics::TBitmap* value)
{
    if (button_ && button_->Btn())
        button_->Btn()->SetGlyph(value);
}

void TQorPickEditClass::ButtonClick(core::TObject* sender)
{
    OnButtonClick(sender);
}

// ---- Window and geometry ------------------------------------------------------

void TQorPickEditClass::CreateParams(ui::TCreateParams& params)
{
    ui::TCustomEdit::CreateParams(params);
    // The button is a child window: the edit must not paint over it.
    params.Style |= ui::WS_CLIPCHILDREN;
}

void TQorPickEditClass::CreateWnd()
{
    ui::TCustomEdit::CreateWnd();
    // A new window may have another border (BorderStyle and Ctl3D make
    // the window again): the button, the underline and the text area
    // follow it.
    UpdateGeometry();
    // A click on the button is the edit's: OnButtonClick, not the
    // container's OnDownClick.
    if (button_ && button_->Btn())
        button_->Btn()->OnClick = [this](core::TObject* sender) { ButtonClick(sender); };
}

void TQorPickEditClass::Resize()
{
    ui::TCustomEdit::Resize();
    // With a window, WM_SIZE comes once the window has its new size.
    if (!HandleAllocated())
        UpdateGeometry();
}

void TQorPickEditClass::AlignControls(ui::TControl* control, ui::TRect& rect)
{
    ui::TCustomEdit::AlignControls(control, rect);
    if (button_ && button_->Visible() != laidOutWithButton_)
        UpdateGeometry();
}

void TQorPickEditClass::UpdateGeometry()
{
    if (Height() < kMinHeight) {
        SetHeight(kMinHeight);  // which comes back here
        return;
    }
    if (!button_ || !underline_)
        return;
    const int width = Width();
    const int height = Height();
    const int buttonWidth = button_->Width();
    // The sunken client edge of a single border hides the underline; a
    // field without it shows the underline as its only edge.
    const bool framed = ui::NewStyleControls() && BorderStyle() == ui::bsSingle;
    int underlineWidth = width;
    laidOutWithButton_ = button_->Visible();
    if (laidOutWithButton_) {
        // In a field narrower than the button, button and underline stop at
        // the left edge.
        if (framed)
            button_->SetBounds(std::max(0, width - buttonWidth - 5), 0, buttonWidth, height - 5);
        else
            button_->SetBounds(std::max(0, width - buttonWidth), 1, buttonWidth, height - 2);
        underlineWidth = std::max(0, width - buttonWidth - 3);
    } else {
        button_->SetBounds(button_->Left(), height + 10, buttonWidth, button_->Height());
    }
    underline_->SetVisible(!framed);
    underline_->SetBounds(0, height - 1, underlineWidth, 1);
    SetEditRect();
}

void TQorPickEditClass::SetEditRect()
{
    if (!HandleAllocated())
        return;
    const graphics::TRect client = ClientRect();
    const int reserved = laidOutWithButton_ && button_ ? button_->Width() + 2 : 2;
    // Never narrower than nothing: a text area whose right lies left of
    // its left would be inverted.
    graphics::TRect r{1, 1, std::max(1, client.Width() - reserved), client.Height() + 1};
    Perform(ui::EM_SETRECTNP, 0, reinterpret_cast<ui::LPARAM>(&r));
}

// ---- The label ----------------------------------------------------------------

void TQorPickEditClass::PlaceLabel()
{
    if (!label_)
        return;
    const int left = Left() - label_->Width() - kLabelSpacing;
    const int top = Top() + (Height() - label_->Height()) / 2 - 2;
    if (left != label_->Left() || top != label_->Top())
        label_->SetBounds(left, top, label_->Width(), label_->Height());
}

void TQorPickEditClass::BoundLabelResized(TBoundLabel* label)
{
    if (label == label_)
        PlaceLabel();
}

void TQorPickEditClass::SetBounds(int left, int top, int width, int height)
{
    ui::TCustomEdit::SetBounds(left, top, width, height);
    PlaceLabel();
}

void TQorPickEditClass::SetParent(ui::TWinControl* parent)
{
    ui::TCustomEdit::SetParent(parent);
    if (!label_)
        return;
    label_->SetParent(parent);
    label_->SetVisible(Visible());
    PlaceLabel();
}

void TQorPickEditClass::SetName(const AnsiString& name)
{
    const AnsiString old = Name();
    ui::TCustomEdit::SetName(name);
    // While a form is designed the caption shows the field's name, until
    // the designer gives it a caption of its own.
    if (label_ && InState(core::csDesigning) && (label_->Caption().empty() || label_->Caption() == old))
        label_->SetCaption(name);
}

void TQorPickEditClass::Notification(core::TComponent* component, core::TOperation operation)
{
    ui::TCustomEdit::Notification(component, operation);
    if (operation != core::opRemove)
        return;
    if (component == label_)
        label_ = nullptr;
    else if (component == button_)
        button_ = nullptr;
    else if (component == underline_)
        underline_ = nullptr;
}

// ---- Messages -----------------------------------------------------------------

void TQorPickEditClass::WndProc(ui::TMessage& m)
{
    switch (m.Msg) {
    case ui::WM_CUT:
    case ui::WM_PASTE:
        if (!editorEnabled_ || ReadOnly())
            return;
        break;
    case ui::WM_SIZE:
        ui::TCustomEdit::WndProc(m);
        UpdateGeometry();
        return;
    case ui::CM_VISIBLECHANGED:
        ui::TCustomEdit::WndProc(m);
        if (label_)
            label_->SetVisible(Visible());
        return;
    case ui::CM_ENABLEDCHANGED:
        ui::TCustomEdit::WndProc(m);
        if (label_)
            label_->SetEnabled(Enabled());
        return;
    case ui::CM_BIDIMODECHANGED:
        ui::TCustomEdit::WndProc(m);
        if (label_)
            label_->SetBiDiMode(BiDiMode());
        return;
    default: break;
    }
    ui::TCustomEdit::WndProc(m);
}

// ---- Entering, keys and leaving -----------------------------------------------

void TQorPickEditClass::EditEnter(core::TObject*)
{
    acceptedValue_ = Text();
}

void TQorPickEditClass::MoveFocus(bool forward)
{
    if (auto* owner = dynamic_cast<ui::TWinControl*>(Owner()))
        owner->Perform(ui::WM_NEXTDLGCTL, forward ? 0 : 1, 0);
}

void TQorPickEditClass::EditKeyDown(core::TObject*, uint16_t& key, ui::TShiftState)
{
    // The key goes on to the edit afterwards: nothing here consumes it.
    switch (key) {
    case ui::VK_RETURN:
        if (!ReadOnly() && button_ && button_->Btn())
            button_->Btn()->OnClick(this);
        MoveFocus(true);
        break;
    case ui::VK_DOWN: MoveFocus(true); break;
    case ui::VK_UP: MoveFocus(false); break;
    default: break;
    }
}

void TQorPickEditClass::EditExit(core::TObject*)
{
    if (ReadOnly())
        return;
    const AnsiString text = core::Trim(Text());
    SetText(text);
    acceptedValue_ = PickCheckedText(text, checkFmt_, fmtDecimal_, plusNumber_);
    SetText(acceptedValue_);
}

}  // namespace controls
