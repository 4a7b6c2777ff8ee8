#pragma once

#include "controls/EditTypes.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Edit.h"

namespace ui {
class TCustomLabel;
}

namespace controls {

using core::AnsiString;

// Stand-in for the in-house labelled edit until its own step replaces it:
// the platform's one-line edit that takes every value a stored form gives
// the labelled edit, returns what the user typed, masks it with
// PasswordChar, and shows LabelCaption in a label at its left, LabelSpacing
// pixels away. The other values are kept and do nothing.
class TTinyEdit : public ui::TCustomEdit {
    CORE_CLASS(TTinyEdit, ui::TCustomEdit)

    explicit TTinyEdit(core::TComponent* owner);
    ~TTinyEdit() override;
    static void Publish(core::PropertyList& list);

    const AnsiString& LabelCaption() const { return labelCaption_; }
    void SetLabelCaption(const AnsiString& value);
    int LabelSpacing() const { return labelSpacing_; }
    void SetLabelSpacing(int value);
    bool LabelVisible() const { return labelVisible_; }
    void SetLabelVisible(bool value);
    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition value) { labelPosition_ = value; }
    // The label beside the edit (owned by it, placed on its parent).
    ui::TCustomLabel* Label() const { return label_; }

    graphics::TColor ColorFlat() const { return colorFlat_; }
    void SetColorFlat(graphics::TColor value) { colorFlat_ = value; }
    TFmtDec FmtDecimal() const { return fmtDecimal_; }
    void SetFmtDecimal(TFmtDec value) { fmtDecimal_ = value; }
    TCheckFmt CheckFmt() const { return checkFmt_; }
    void SetCheckFmt(TCheckFmt value) { checkFmt_ = value; }
    bool PlusNumber() const { return plusNumber_; }
    void SetPlusNumber(bool value) { plusNumber_ = value; }
    TBaseType BaseType() const { return baseType_; }
    void SetBaseType(TBaseType value) { baseType_ = value; }
    bool RedWord() const { return redWord_; }
    void SetRedWord(bool value) { redWord_ = value; }
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value) { multiLine_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }
    bool ButtonVisible() const { return buttonVisible_; }
    void SetButtonVisible(bool value) { buttonVisible_ = value; }
    bool ButtonEnabled() const { return buttonEnabled_; }
    void SetButtonEnabled(bool value) { buttonEnabled_ = value; }
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value) { buttonWidth_ = value; }
    TSelectOptions Options() const { return options_; }
    void SetOptions(TSelectOptions value) { options_ = value; }
    TGSP_AuditLimit GSP_AuditLimit() const { return auditLimit_; }
    void SetGSP_AuditLimit(TGSP_AuditLimit value) { auditLimit_ = value; }
    const AnsiString& szID() const { return szID_; }
    void SetszID(const AnsiString& value) { szID_ = value; }
    const AnsiString& ROOTID() const { return rootID_; }
    void SetROOTID(const AnsiString& value) { rootID_ = value; }
    int nID() const { return nID_; }
    void SetnID(int value) { nID_ = value; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = static_cast<uint16_t>(value); }
    int DataIndex() const { return dataIndex_; }
    void SetDataIndex(int value) { dataIndex_ = value; }
    const AnsiString& FieldName() const { return fieldName_; }
    void SetFieldName(const AnsiString& value) { fieldName_ = value; }

    void SetParent(ui::TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(ui::TMessage& message) override;

    // Puts the label at the edit's left: LabelSpacing pixels away, centred
    // on the edit two pixels high.
    void PlaceLabel();

protected:
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    void UpdateLabelVisibility();

    ui::TCustomLabel* label_ = nullptr;
    AnsiString labelCaption_;
    int labelSpacing_ = 3;
    bool labelVisible_ = true;
    TLabelPosition labelPosition_ = lpLeft;

    graphics::TColor colorFlat_ = graphics::clBtnShadow;
    TFmtDec fmtDecimal_ = fdNone;
    TCheckFmt checkFmt_ = cfNone;
    bool plusNumber_ = true;
    TBaseType baseType_ = btNone;
    bool redWord_ = false;
    bool multiLine_ = false;
    bool wordWrap_ = false;
    bool buttonVisible_ = false;
    bool buttonEnabled_ = true;
    int buttonWidth_ = 15;
    TSelectOptions options_;
    TGSP_AuditLimit auditLimit_ = gspLim_None;
    AnsiString szID_;
    AnsiString rootID_;
    int nID_ = 0;
    uint16_t groupIndex_ = 0;
    int dataIndex_ = 0;
    AnsiString fieldName_;
};

}  // namespace controls
