// The labelled edit's behaviour: entry, the exit check, its keys, the pick
// and the messages by which the fields of a group fill one another.
//
// A pick, step by step:
//   Pick                        the field asks BaseInfoSelector for a record;
//   DeliverGroupSelect          WM_TINYGROUPSELECT to every windowed component
//                               of the owner, until one answers non-zero;
//   GroupSelect (each member)   a member of the group asks the picking field
//                               for its DataIndex item: WM_TINYGETITEM;
//   GetItem (the picking field) sets the item as the member's text and
//                               sends it WM_TINYACCEPTTEXT;
//   BuildInfoHint               the chosen record as the field's hint.
#include "controls/EditExitCheck.h"
#include "controls/TinyEdit.h"
#include "controls/TinyEditBtn.h"
#include "platform/core/StrUtils.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace controls {

// ---- Entry and exit --------------------------------------------------------------

void TTinyEdit::EditEnter(core::TObject*)
{
    accepted_ = Text();
}

void TTinyEdit::EditExit(core::TObject*)
{
    if (ReadOnly())
        return;
    AnsiString text = core::Trim(Text());
    SetText(text);
    if (text.empty()) {
        szID_.clear();
        nID_ = 0;
        accepted_.clear();
        SetHint(AnsiString());
    } else if (checkFmt_ == cfNone) {
        // A field bound to master data takes only what its selector chose.
        if (baseType_ == btNone)
            accepted_ = text;
    } else {
        accepted_ = CheckedText(text, LabelledEditRules(checkFmt_, fmtDecimal_, plusNumber_));
    }
    SetText(accepted_);
}

// ---- Keys ------------------------------------------------------------------------

void TTinyEdit::EditKeyDown(core::TObject*, uint16_t& key, ui::TShiftState)
{
    if (multiLine_)
        return;
    switch (key) {
    case ui::VK_RETURN:
        key = 0;
        if (!ReadOnly() && button_ && button_->OnClick)
            button_->OnClick(this);
        MoveFocus(false);
        return;
    case ui::VK_DOWN: MoveFocus(false); return;
    case ui::VK_UP: MoveFocus(true); return;
    default: return;
    }
}

void TTinyEdit::MoveFocus(bool previous)
{
    if (auto* owner = dynamic_cast<ui::TWinControl*>(Owner()))
        owner->Perform(ui::WM_NEXTDLGCTL, previous ? 1 : 0, 0);
}

// ---- Pick ------------------------------------------------------------------------

void TTinyEdit::Pick(core::TObject*)
{
    // Audit and signature fields are picked, never typed into.
    bool pickable = !ReadOnly() || baseType_ == btAudit || baseType_ == btSign;
    if (!Enabled() || !pickable)
        return;
    if (baseType_ != btNone && BaseInfoSelector) {
        // An accepted text would only narrow the choice: the selector starts
        // unfiltered, while newly typed text stays as its filter.
        AnsiString kept = Text();
        if (kept == accepted_)
            SetText(AnsiString());
        if (BaseInfoSelector(this, baseType_)) {
            if (groupIndex_ != 0) {
                dataIndex_ = 0;
                DeliverGroupSelect();
            }
            BuildInfoHint();
        } else {
            SetText(kept);
        }
    }
    OnButtonClick(this);
}

void TTinyEdit::DeliverGroupSelect()
{
    core::TComponent* owner = Owner();
    // The members answer through the field's window: without one there is
    // nothing to ask.
    if (!owner || !HandleAllocated())
        return;
    auto wParam = static_cast<ui::WPARAM>((static_cast<unsigned>(groupIndex_) << 16) | (baseType_ & 0xFFFF));
    auto lParam = reinterpret_cast<ui::LPARAM>(Handle());
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        auto* control = dynamic_cast<ui::TWinControl*>(owner->Components(i));
        if (control && control->Perform(WM_TINYGROUPSELECT, wParam, lParam) != 0)
            break;
    }
}

void TTinyEdit::GroupSelect(ui::TMessage& m)
{
    m.Result = 0;
    if (groupIndex_ == 0 || groupIndex_ != ui::HiWord(static_cast<ui::LPARAM>(m.WParam)))
        return;
    auto from = reinterpret_cast<ui::HWND>(m.LParam);
    if (baseType_ == btNone && (checkFmt_ == cfDate || checkFmt_ == cfForceDate)) {
        // A date field of the group is stamped with today's date. Item 0,
        // the default DataIndex, is no date (it would overwrite the stamp
        // with the record's first item): only a field that names another
        // item takes the record's text instead.
        SetText(TodayText());
        accepted_ = Text();
        if (dataIndex_ <= 0)
            return;
    } else if (dataIndex_ < 0) {
        return;
    }
    if (baseType_ != btNone || from == HandleOrNull() || !from || !HandleAllocated())
        return;
    ui::WindowManager().SendMessage(from, WM_TINYGETITEM, reinterpret_cast<ui::WPARAM>(Handle()),
                                    static_cast<ui::LPARAM>(dataIndex_));
}

void TTinyEdit::GetItem(ui::TMessage& m)
{
    m.Result = 0;
    auto index = m.LParam;
    if (index < 0 || index >= recordData_->Count())
        return;
    auto asking = reinterpret_cast<ui::HWND>(m.WParam);
    // Cut on a character boundary: half a character would be a broken text.
    AnsiString item = CutAtCharBoundary(recordData_->Strings(static_cast<int>(index)), 255);
    ui::WindowManager().SendMessage(asking, ui::WM_SETTEXT, 0, reinterpret_cast<ui::LPARAM>(item.c_str()));
    ui::WindowManager().SendMessage(asking, WM_TINYACCEPTTEXT, 0, 0);
    m.Result = 1;
}

void TTinyEdit::BuildInfoHint()
{
    if (!ShowInfoHints || (baseType_ != btCustomer && baseType_ != btVendor && baseType_ != btBType))
        return;
    static const struct {
        const char* caption;
        int index;
    } kRows[] = {
        {"单位编号", 5},  {"单位全名", 6},      {"单位简名", 7},  {"单位地区", 8},
        {"单位电话号码", 10}, {"单位邮编", 11}, {"单位联系人", 12}, {"单位地址", 13},
        {"单位税号", 14}, {"单位帐号", 15},     {"单位拼音码", 25}, {"单位备注", 28},
    };
    AnsiString hint;
    for (const auto& row : kRows) {
        // A record with fewer items than the hint reads has those items empty.
        if (row.index >= recordData_->Count())
            continue;
        AnsiString item = recordData_->Strings(row.index);
        if (!item.empty())
            hint += "\r" + AnsiString(row.caption) + ":" + item;
    }
    if (!hint.empty())
        hint = "说明：" + hint;
    SetHint(hint);
}

// ---- Messages --------------------------------------------------------------------

void TTinyEdit::WndProc(ui::TMessage& m)
{
    switch (m.Msg) {
    case WM_TINYGROUPSELECT: GroupSelect(m); return;
    case WM_TINYGETITEM: GetItem(m); return;
    case WM_TINYACCEPTTEXT:
        accepted_ = Text();
        m.Result = 1;
        return;
    case ui::CM_VISIBLECHANGED:
        TTinyMemo::WndProc(m);
        UpdateVisibility();
        PlaceButton();
        return;
    case ui::CM_ENABLEDCHANGED:
        TTinyMemo::WndProc(m);
        if (label_)
            label_->SetEnabled(Enabled());
        if (button_)
            button_->SetEnabled(Enabled());
        return;
    case ui::CM_BIDIMODECHANGED:
        TTinyMemo::WndProc(m);
        if (label_)
            label_->SetBiDiMode(BiDiMode());
        if (button_)
            button_->SetBiDiMode(BiDiMode());
        return;
    default: TTinyMemo::WndProc(m); return;
    }
}

}  // namespace controls
