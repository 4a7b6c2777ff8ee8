#pragma once

#include <memory>

#include "controls/BoundLabel.h"
#include "controls/EditHelpers.h"
#include "controls/EditTypes.h"
#include "controls/TinyMemo.h"
#include "platform/core/StringList.h"
#include "platform/ui/Messages.h"

namespace graphics {
class TBitmap;
}

namespace controls {

class TTinyEditBtn;

// The messages between the labelled edits of one form.
//   WM_TINYGROUPSELECT  WParam: low word the selecting field's BaseType,
//                       high word its GroupIndex; LParam: its window.
//   WM_TINYGETITEM      WParam: the asking field's window; LParam: its
//                       DataIndex. Result 1 when answered.
//   WM_TINYACCEPTTEXT   The field's text becomes its accepted value; result 1.
constexpr uint32_t WM_TINYGROUPSELECT = 6024;
constexpr uint32_t WM_TINYGETITEM = 6025;
constexpr uint32_t WM_TINYACCEPTTEXT = 6026;

// The labelled, formatting and validating edit of the in-house library: a
// one-line flat edit (a multi-line one with MultiLine) with its caption
// label and an optional pick button beside it on its parent.
//
// Accepted value: the text the field last accepted. It is taken when the
// field is entered, and leaving the field turns the text into the checked
// value of CheckFmt (see EditExitCheck.h) and shows it; a field bound to
// master data (BaseType) takes no typed text and goes back to its accepted
// value instead. Emptying a field clears szID, nID and the hint.
//
// Keys (one-line fields only): Enter picks through the pick button's click
// (unless ReadOnly) and moves to the next field; Down moves to the next
// field, Up to the previous one. The focus moves are asked of the owner.
//
// Pick (double-click, the pick button, Enter): a field with a BaseType asks
// the host's BaseInfoSelector for a record; when one is chosen, the other
// fields of its group (GroupIndex) take items of the chosen RecordData
// (each its DataIndex) through WM_TINYGROUPSELECT and WM_TINYGETITEM, and
// the info hint shows the record. Then OnButtonClick runs.
//
// These defaults are installed as the handlers of OnEnter, OnExit,
// OnKeyDown, OnDblClick and the pick button's OnClick; a form that binds its
// own handler to one of them replaces that behaviour.
class TTinyEdit : public TTinyMemo, public IBoundLabelOwner {
    CORE_CLASS(TTinyEdit, TTinyMemo)

    explicit TTinyEdit(core::TComponent* owner);
    ~TTinyEdit() override;
    static void Publish(core::PropertyList& list);

    TFmtDec FmtDecimal() const { return fmtDecimal_; }
    void SetFmtDecimal(TFmtDec value) { fmtDecimal_ = value; }
    TCheckFmt CheckFmt() const { return checkFmt_; }
    void SetCheckFmt(TCheckFmt value) { checkFmt_ = value; }
    bool PlusNumber() const { return plusNumber_; }
    void SetPlusNumber(bool value) { plusNumber_ = value; }

    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition value);
    int LabelSpacing() const { return labelSpacing_; }
    void SetLabelSpacing(int value);
    const AnsiString& LabelCaption() const { return labelCaption_; }
    void SetLabelCaption(const AnsiString& value);
    bool LabelVisible() const { return labelVisible_; }
    void SetLabelVisible(bool value);
    // The caption label (owned by the edit, placed on its parent), or
    // nullptr once destroyed elsewhere.
    TBoundLabel* Label() const { return label_; }

    const AnsiString& szID() const { return szID_; }
    void SetszID(const AnsiString& value) { szID_ = value; }
    const AnsiString& ROOTID() const { return rootID_; }
    void SetROOTID(const AnsiString& value) { rootID_ = value; }
    int nID() const { return nID_; }
    void SetnID(int value) { nID_ = value; }
    TBaseType BaseType() const { return baseType_; }
    // An empty LabelCaption takes the kind's caption (客户名称 for btCustomer).
    void SetBaseType(TBaseType value);
    bool RedWord() const { return redWord_; }
    void SetRedWord(bool value);

    // The pick button (owned by the edit, placed on its parent).
    TTinyEditBtn* Button() const { return button_; }
    bool ButtonEnabled() const;
    void SetButtonEnabled(bool value);
    bool ButtonVisible() const { return buttonVisible_; }
    void SetButtonVisible(bool value);
    int ButtonWidth() const;
    void SetButtonWidth(int value);
    graphics::TBitmap* Glyph() const;
    void SetGlyph(const graphics::TBitmap* value);
    // Raised after every pick.
    core::TNotifyEvent OnButtonClick;

    bool MultiLine() const { return multiLine_; }
    // Recreates the window: multi-line only with MultiLine, which also
    // switches the field's keys off.
    void SetMultiLine(bool value);

    TSelectOptions Options() const { return options_; }
    void SetOptions(TSelectOptions value) { options_ = value; }
    TGSP_AuditLimit GSP_AuditLimit() const { return auditLimit_; }
    void SetGSP_AuditLimit(TGSP_AuditLimit value) { auditLimit_ = value; }
    // The data of the chosen record, by index; setting copies the list.
    core::TStrings* RecordData() const { return recordData_.get(); }
    void SetRecordData(const core::TStrings* value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = static_cast<uint16_t>(value); }
    int DataIndex() const { return dataIndex_; }
    void SetDataIndex(int value) { dataIndex_ = value; }

    // The text the field last accepted.
    const AnsiString& AcceptedValue() const { return accepted_; }

    // The default behaviours, as the constructor installs them.
    void EditEnter(core::TObject* sender);
    void EditExit(core::TObject* sender);
    void EditKeyDown(core::TObject* sender, uint16_t& key, ui::TShiftState shift);
    void Pick(core::TObject* sender);

    void SetParent(ui::TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(ui::TMessage& message) override;
    void BoundLabelResized(TBoundLabel* label) override;

protected:
    void CreateParams(ui::TCreateParams& params) override;
    bool StoreText() const override { return true; }
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    void PlaceLabel();
    void PlaceButton();
    void UpdateVisibility();
    void MoveFocus(bool previous);
    void DeliverGroupSelect();
    void BuildInfoHint();
    void GroupSelect(ui::TMessage& m);
    void GetItem(ui::TMessage& m);

    TBoundLabel* label_ = nullptr;
    TTinyEditBtn* button_ = nullptr;
    std::unique_ptr<core::TStringList> recordData_;
    bool customGlyph_ = false;

    AnsiString accepted_;
    TFmtDec fmtDecimal_ = fdNone;
    TCheckFmt checkFmt_ = cfNone;
    bool plusNumber_ = true;
    TLabelPosition labelPosition_ = lpLeft;
    int labelSpacing_ = 3;
    AnsiString labelCaption_;
    bool labelVisible_ = true;
    AnsiString szID_;
    AnsiString rootID_;
    int nID_ = 0;
    TBaseType baseType_ = btNone;
    bool redWord_ = false;
    bool buttonVisible_ = false;
    bool multiLine_ = false;
    TSelectOptions options_;
    TGSP_AuditLimit auditLimit_ = gspLim_None;
    uint16_t groupIndex_ = 0;
    int dataIndex_ = 0;
};

// The caption a field takes from its BaseType while LabelCaption is empty
// (empty for the kinds without one).
AnsiString BaseTypeCaption(TBaseType type);

}  // namespace controls
