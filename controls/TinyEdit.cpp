// The labelled edit: construction, properties, and the places of its label
// and pick button. Its behaviour (entry, exit check, keys, pick and the
// group messages) is in TinyEditBehaviour.cpp.
#include "controls/TinyEdit.h"

#include "controls/TinyEditBtn.h"
#include "platform/graphics/Bitmap.h"

namespace controls {

CORE_CLASS_IMPL(TTinyEdit)

AnsiString BaseTypeCaption(TBaseType type)
{
    switch (type) {
    case btSubject: return "帐户";
    case btCustomer: return "客户名称";
    case btDept: return "部门";
    case btEmployee: return "经手人";
    case btStock: return "仓库";
    case btProduct: return "商品";
    case btVendor: return "供应商";
    case btVoucher: return "单据";
    case btZone: return "地区";
    case btPos: return "货位";
    case btBType: return "往来单位";
    default: return AnsiString();
    }
}

TTinyEdit::TTinyEdit(core::TComponent* owner) : TTinyMemo(owner), recordData_(std::make_unique<core::TStringList>())
{
    SetWordWrap(false);
    SetTabStop(true);
    SetBounds(Left(), Top(), 80, 18);
    SetShowHint(ShowInfoHints);

    label_ = new TBoundLabel(this);
    label_->SetTransparent(true);
    label_->SetFocusControl(this);

    button_ = new TTinyEditBtn(this);
    graphics::TBitmap magnifier;
    LoadMagnifierGlyph(magnifier);
    button_->SetGlyph(&magnifier);
    button_->SetBounds(button_->Left(), button_->Top(), 15, button_->Height());
    button_->OnClick = [this](core::TObject* sender) { Pick(sender); };

    OnEnter = [this](core::TObject* sender) { EditEnter(sender); };
    OnExit = [this](core::TObject* sender) { EditExit(sender); };
    OnKeyDown = [this](core::TObject* sender, uint16_t& key, ui::TShiftState shift) { EditKeyDown(sender, key, shift); };
    OnDblClick = [this](core::TObject* sender) { Pick(sender); };
}

TTinyEdit::~TTinyEdit()
{
    // They stand on the parent: take them off it before the edit goes.
    delete label_;
    delete button_;
}

void TTinyEdit::Publish(core::PropertyList& list)
{
    core::PropBuilder<TTinyEdit> p(list);
    p.Enum("FmtDecimal", &TTinyEdit::FmtDecimal, &TTinyEdit::SetFmtDecimal).Default(fdNone);
    p.Enum("CheckFmt", &TTinyEdit::CheckFmt, &TTinyEdit::SetCheckFmt).Default(cfNone);
    p.Boolean("PlusNumber", &TTinyEdit::PlusNumber, &TTinyEdit::SetPlusNumber).Default(true);
    p.Enum("LabelPosition", &TTinyEdit::LabelPosition, &TTinyEdit::SetLabelPosition).Default(lpLeft);
    p.Integer("LabelSpacing", &TTinyEdit::LabelSpacing, &TTinyEdit::SetLabelSpacing).Default(3);
    p.String("LabelCaption", &TTinyEdit::LabelCaption, &TTinyEdit::SetLabelCaption);
    p.Boolean("LabelVisible", &TTinyEdit::LabelVisible, &TTinyEdit::SetLabelVisible).Default(true);
    p.String("szID", &TTinyEdit::szID, &TTinyEdit::SetszID);
    p.String("ROOTID", &TTinyEdit::ROOTID, &TTinyEdit::SetROOTID);
    p.Integer("nID", &TTinyEdit::nID, &TTinyEdit::SetnID).Default(0);
    p.Enum("BaseType", &TTinyEdit::BaseType, &TTinyEdit::SetBaseType).Default(btNone);
    p.Boolean("RedWord", &TTinyEdit::RedWord, &TTinyEdit::SetRedWord).Default(false);
    p.Boolean("ButtonEnabled", &TTinyEdit::ButtonEnabled, &TTinyEdit::SetButtonEnabled).Default(true);
    p.Object<graphics::TBitmap>("Glyph", &TTinyEdit::Glyph, &TTinyEdit::SetGlyph)
        .StoredWhen([](const core::TObject& o) { return static_cast<const TTinyEdit&>(o).customGlyph_; });
    p.Event("OnButtonClick", &TTinyEdit::OnButtonClick);
    p.Boolean("ButtonVisible", &TTinyEdit::ButtonVisible, &TTinyEdit::SetButtonVisible).Default(false);
    p.Integer("ButtonWidth", &TTinyEdit::ButtonWidth, &TTinyEdit::SetButtonWidth).Default(15);
    p.Boolean("MultiLine", &TTinyEdit::MultiLine, &TTinyEdit::SetMultiLine).Default(false);
    p.Boolean("WordWrap", &TTinyEdit::WordWrap, &TTinyEdit::SetWordWrap).Default(false);
    p.Set("Options", &TTinyEdit::Options, &TTinyEdit::SetOptions);
    p.Enum("GSP_AuditLimit", &TTinyEdit::GSP_AuditLimit, &TTinyEdit::SetGSP_AuditLimit).Default(gspLim_None);
    p.Integer("GroupIndex", &TTinyEdit::GroupIndex, &TTinyEdit::SetGroupIndex, "Word").Default(0);
    p.Integer("DataIndex", &TTinyEdit::DataIndex, &TTinyEdit::SetDataIndex).Default(0);
    // The field files its Text; the memo's Lines would say the same twice.
    p.Object<ui::TMemoStrings>(
         "Lines", [](const TTinyEdit& e) { return dynamic_cast<ui::TMemoStrings*>(e.Lines()); },
         [](TTinyEdit& e, ui::TMemoStrings* value) { e.SetLines(value); })
        .Stored(false);
}

// ---- Properties ----------------------------------------------------------------

void TTinyEdit::SetLabelPosition(TLabelPosition value)
{
    labelPosition_ = value;
    PlaceLabel();
}

void TTinyEdit::SetLabelSpacing(int value)
{
    labelSpacing_ = value;
    PlaceLabel();
}

void TTinyEdit::SetLabelCaption(const AnsiString& value)
{
    labelCaption_ = value;
    if (label_)
        label_->SetCaption(value);
    PlaceLabel();
}

void TTinyEdit::SetLabelVisible(bool value)
{
    labelVisible_ = value;
    UpdateVisibility();
}

void TTinyEdit::SetBaseType(TBaseType value)
{
    baseType_ = value;
    if (labelCaption_.empty())
        SetLabelCaption(BaseTypeCaption(value));
}

void TTinyEdit::SetRedWord(bool value)
{
    if (value == redWord_)
        return;
    redWord_ = value;
    Font()->SetColor(value ? graphics::clRed : graphics::clWindowText);
}

bool TTinyEdit::ButtonEnabled() const
{
    return button_ ? button_->Enabled() : true;
}

void TTinyEdit::SetButtonEnabled(bool value)
{
    if (button_)
        button_->SetEnabled(value);
}

void TTinyEdit::SetButtonVisible(bool value)
{
    buttonVisible_ = value;
    UpdateVisibility();
    PlaceButton();
}

int TTinyEdit::ButtonWidth() const
{
    return button_ ? button_->Width() : 15;
}

void TTinyEdit::SetButtonWidth(int value)
{
    if (button_ && value != button_->Width())
        button_->SetBounds(button_->Left(), button_->Top(), value, button_->Height());
}

graphics::TBitmap* TTinyEdit::Glyph() const
{
    return button_ ? button_->Glyph() : nullptr;
}

void TTinyEdit::SetGlyph(const graphics::TBitmap* value)
{
    if (!button_)
        return;
    button_->SetGlyph(value);
    customGlyph_ = true;
}

void TTinyEdit::SetMultiLine(bool value)
{
    if (value == multiLine_)
        return;
    multiLine_ = value;
    RecreateWnd();
}

void TTinyEdit::SetRecordData(const core::TStrings* value)
{
    if (value && value != recordData_.get())
        recordData_->Assign(*value);
}

void TTinyEdit::CreateParams(ui::TCreateParams& params)
{
    TTinyMemo::CreateParams(params);
    if (!multiLine_) {
        params.Style &= ~ui::ES_MULTILINE;
        params.Style |= ui::ES_AUTOHSCROLL;
    }
}

// ---- Label and button ------------------------------------------------------------

void TTinyEdit::PlaceLabel()
{
    if (!label_)
        return;
    int width = label_->Width();
    int height = label_->Height();
    int left = Left();
    int top = Top();
    switch (labelPosition_) {
    case lpAbove: top = Top() - height - labelSpacing_; break;
    case lpBelow: top = Top() + Height() + labelSpacing_; break;
    case lpLeft:
        left = Left() - width - labelSpacing_;
        top = Top() + (Height() - height) / 2 - 2;
        break;
    case lpRight:
        left = Left() + Width() + labelSpacing_;
        top = Top() + (Height() - height) / 2 - 2;
        break;
    }
    if (left != label_->Left() || top != label_->Top())
        label_->SetBounds(left, top, width, height);
}

void TTinyEdit::PlaceButton()
{
    if (!button_)
        return;
    int left = buttonVisible_ && Visible() ? Left() + Width() + 1 : Left() + 1;
    button_->SetBounds(left, Top(), button_->Width(), Height());
}

void TTinyEdit::UpdateVisibility()
{
    if (label_)
        label_->SetVisible(labelVisible_ && Visible());
    if (button_)
        button_->SetVisible(buttonVisible_ && Visible());
}

void TTinyEdit::BoundLabelResized(TBoundLabel* label)
{
    // The label tells of its first caption while the edit is being made.
    if (label == label_)
        PlaceLabel();
}

void TTinyEdit::SetParent(ui::TWinControl* parent)
{
    TTinyMemo::SetParent(parent);
    if (label_)
        label_->SetParent(parent);
    if (button_)
        button_->SetParent(parent);
    UpdateVisibility();
    PlaceLabel();
    PlaceButton();
}

void TTinyEdit::SetBounds(int left, int top, int width, int height)
{
    TTinyMemo::SetBounds(left, top, width, height);
    PlaceLabel();
    PlaceButton();
}

void TTinyEdit::Notification(core::TComponent* component, core::TOperation operation)
{
    TTinyMemo::Notification(component, operation);
    if (operation != core::opRemove)
        return;
    if (component == label_)
        label_ = nullptr;
    if (component == button_)
        button_ = nullptr;
}

}  // namespace controls
