#pragma once

#include <memory>

#include "platform/core/Persistent.h"
#include "platform/core/StringList.h"
#include "platform/ui/Edit.h"

namespace ui {

class TCustomMemo;

// A memo's text seen as a list of lines: reading a line reads the memo,
// changing the list changes the memo's text (raising its OnChange). Lines
// are those that line breaks separate, not those that wrapping makes; a
// break at the very end does not open a line of its own, so a memo whose
// lines were added one by one holds each of them followed by CR LF.
//
// Forms file the lines as the classic defined property "Strings", a list of
// texts: Lines.Strings = ('first' 'second').
class TMemoStrings : public core::TPersistent, public core::TStrings {
    CORE_CLASS(TMemoStrings, core::TPersistent)

    explicit TMemoStrings(TCustomMemo* memo);

    int Count() const override;
    AnsiString Strings(int index) const override;
    void SetStrings(int index, const AnsiString& text) override;
    void Insert(int index, const AnsiString& text) override;
    void Delete(int index) override;
    void Clear() override;
    // The memo's text becomes `text`, every kind of line break turned into CR LF.
    void SetText(const AnsiString& text) override;

    using core::TPersistent::Assign;
    using core::TStrings::Assign;
    void Assign(const core::TPersistent* source) override;
    void DefineProperties(core::TFiler& filer) override;

private:
    void CheckIndex(int index, int count) const;

    TCustomMemo* memo_;
};

// The multi-line edit: an edit whose window has ES_MULTILINE, with its
// lines, wrapping, scroll bars, alignment and the keys Enter and Tab.
class TCustomMemo : public TCustomEdit {
    CORE_CLASS(TCustomMemo, TCustomEdit)

    explicit TCustomMemo(core::TComponent* owner);
    ~TCustomMemo() override;
    static void Publish(core::PropertyList& list);

    core::TStrings* Lines() const { return lines_.get(); }
    // Copies the lines of `value`.
    void SetLines(const core::TStrings* value);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Enter inserts a line break; without it Enter is the form's key.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    // Tab inserts a tab; without it Tab moves to the next control.
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

    // The caret as column (X) and line (Y), counted in the memo's Lines.
    TPoint CaretPos() const;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(char& key) override;
    bool StoreText() const override { return false; }

private:
    friend class TMemoStrings;
    TMemoStrings* LinesObject() const { return lines_.get(); }

    std::unique_ptr<TMemoStrings> lines_;
    TAlignment alignment_ = taLeftJustify;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

// The memo as forms declare it.
class TMemo : public TCustomMemo {
    CORE_CLASS(TMemo, TCustomMemo)
    explicit TMemo(core::TComponent* owner);
};

}  // namespace ui
