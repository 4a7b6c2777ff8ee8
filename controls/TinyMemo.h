#pragma once

#include "flat/FlatMemo.h"

namespace controls {

using core::AnsiString;

// The flat memo of the in-house library, base of the labelled edit. It
// adds FieldName, the name of the data field the memo stands for, which the
// library keeps for the host and never reads.
class TTinyMemo : public flat::TFlatMemo {
    CORE_CLASS(TTinyMemo, flat::TFlatMemo)

    explicit TTinyMemo(core::TComponent* owner);
    static void Publish(core::PropertyList& list);

    const AnsiString& FieldName() const { return fieldName_; }
    void SetFieldName(const AnsiString& value) { fieldName_ = value; }

private:
    AnsiString fieldName_;
};

}  // namespace controls
