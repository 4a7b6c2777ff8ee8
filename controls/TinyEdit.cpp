#include "controls/TinyEdit.h"

#include "platform/ui/Label.h"

namespace controls {

CORE_CLASS_IMPL(TTinyEdit)

namespace {

// The caption label of an edit: a plain label that asks its edit to place
// it again whenever it has sized itself to its text.
class TEditLabel : public ui::TCustomLabel {
public:
    explicit TEditLabel(TTinyEdit* edit) : ui::TCustomLabel(edit), edit_(edit) {}

protected:
    void AdjustBounds() override
    {
        ui::TCustomLabel::AdjustBounds();
        edit_->PlaceLabel();
    }

private:
    TTinyEdit* edit_;
};

}  // namespace

TTinyEdit::TTinyEdit(core::TComponent* owner) : ui::TCustomEdit(owner)
{
    SetAutoSize(false);
    SetBounds(Left(), Top(), 80, 18);
    label_ = new TEditLabel(this);
    label_->SetTransparent(true);
    label_->SetFocusControl(this);
}

TTinyEdit::~TTinyEdit()
{
    delete label_;
}

void TTinyEdit::Publish(core::PropertyList& list)
{
    core::PropBuilder<TTinyEdit> p(list);
    p.String("FieldName", &TTinyEdit::FieldName, &TTinyEdit::SetFieldName);
    // The values below have no declared default: forms always carry them.
    p.Integer("ColorFlat", &TTinyEdit::ColorFlat, &TTinyEdit::SetColorFlat, "TColor");
    p.Enum("FmtDecimal", &TTinyEdit::FmtDecimal,
           &TTinyEdit::SetFmtDecimal);
    p.Enum("CheckFmt", &TTinyEdit::CheckFmt, &TTinyEdit::SetCheckFmt);
    p.Boolean("PlusNumber", &TTinyEdit::PlusNumber, &TTinyEdit::SetPlusNumber);
    p.Enum("LabelPosition", &TTinyEdit::LabelPosition, &TTinyEdit::SetLabelPosition);
    p.Integer("LabelSpacing", &TTinyEdit::LabelSpacing, &TTinyEdit::SetLabelSpacing);
    p.String("LabelCaption", &TTinyEdit::LabelCaption, &TTinyEdit::SetLabelCaption);
    p.Boolean("LabelVisible", &TTinyEdit::LabelVisible, &TTinyEdit::SetLabelVisible);
    p.String("szID", &TTinyEdit::szID, &TTinyEdit::SetszID);
    p.String("ROOTID", &TTinyEdit::ROOTID, &TTinyEdit::SetROOTID);
    p.Integer("nID", &TTinyEdit::nID, &TTinyEdit::SetnID);
    p.Enum("BaseType", &TTinyEdit::BaseType, &TTinyEdit::SetBaseType);
    p.Boolean("RedWord", &TTinyEdit::RedWord, &TTinyEdit::SetRedWord);
    p.Boolean("ButtonEnabled", &TTinyEdit::ButtonEnabled, &TTinyEdit::SetButtonEnabled).Default(true);
    p.Boolean("ButtonVisible", &TTinyEdit::ButtonVisible, &TTinyEdit::SetButtonVisible);
    p.Integer("ButtonWidth", &TTinyEdit::ButtonWidth, &TTinyEdit::SetButtonWidth).Default(15);
    p.Boolean("MultiLine", &TTinyEdit::MultiLine, &TTinyEdit::SetMultiLine);
    p.Boolean("WordWrap", &TTinyEdit::WordWrap, &TTinyEdit::SetWordWrap);
    p.Set("Options", &TTinyEdit::Options,
          &TTinyEdit::SetOptions);
    p.Enum("GSP_AuditLimit", &TTinyEdit::GSP_AuditLimit, &TTinyEdit::SetGSP_AuditLimit);
    p.Integer("GroupIndex", &TTinyEdit::GroupIndex, &TTinyEdit::SetGroupIndex, "Word");
    p.Integer("DataIndex", &TTinyEdit::DataIndex, &TTinyEdit::SetDataIndex);
}

void TTinyEdit::SetLabelCaption(const AnsiString& value)
{
    labelCaption_ = value;
    if (label_)
        label_->SetCaption(value);
    PlaceLabel();
}

void TTinyEdit::SetLabelSpacing(int value)
{
    labelSpacing_ = value;
    PlaceLabel();
}

void TTinyEdit::SetLabelVisible(bool value)
{
    labelVisible_ = value;
    UpdateLabelVisibility();
}

void TTinyEdit::UpdateLabelVisibility()
{
    if (label_)
        label_->SetVisible(labelVisible_ && Visible());
}

void TTinyEdit::PlaceLabel()
{
    if (!label_)
        return;
    int left = Left() - label_->Width() - labelSpacing_;
    int top = Top() + (Height() - label_->Height()) / 2 - 2;
    if (left != label_->Left() || top != label_->Top())
        label_->SetBounds(left, top, label_->Width(), label_->Height());
}

void TTinyEdit::SetParent(ui::TWinControl* parent)
{
    ui::TCustomEdit::SetParent(parent);
    if (label_) {
        label_->SetParent(parent);
        UpdateLabelVisibility();
        PlaceLabel();
    }
}

void TTinyEdit::SetBounds(int left, int top, int width, int height)
{
    ui::TCustomEdit::SetBounds(left, top, width, height);
    PlaceLabel();
}

void TTinyEdit::WndProc(ui::TMessage& m)
{
    ui::TCustomEdit::WndProc(m);
    if (m.Msg == ui::CM_VISIBLECHANGED)
        UpdateLabelVisibility();
}

void TTinyEdit::Notification(core::TComponent* component, core::TOperation operation)
{
    ui::TCustomEdit::Notification(component, operation);
    if (operation == core::opRemove && component == label_)
        label_ = nullptr;
}

}  // namespace controls
