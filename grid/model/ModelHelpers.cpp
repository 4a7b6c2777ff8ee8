#include "grid/model/ModelHelpers.h"

#include "platform/core/Object.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Reader.h"

namespace grid::model {

TtsHorzAlignment HorzAlignmentOf(ui::TAlignment alignment, bool aligned)
{
    if (!aligned)
        return htaDefault;
    switch (alignment) {
    case ui::taRightJustify: return htaRight;
    case ui::taCenter: return htaCenter;
    default: return htaLeft;
    }
}

void AlignmentPairOf(TtsHorzAlignment value, ui::TAlignment& alignment, bool& aligned)
{
    alignment = value == htaRight ? ui::taRightJustify : value == htaCenter ? ui::taCenter : ui::taLeftJustify;
    aligned = value != htaDefault;
}

ui::TAlignment ReadAlignment(filing::TReader& reader, ui::TAlignment current)
{
    core::AnsiString ident = core::LowerCase(reader.ReadIdent());
    if (ident == "taleftjustify")
        return ui::taLeftJustify;
    if (ident == "tarightjustify")
        return ui::taRightJustify;
    if (ident == "tacenter")
        return ui::taCenter;
    return current;
}

core::AnsiString StripAccelerator(const core::AnsiString& text, int& accelPos)
{
    core::AnsiString result;
    result.reserve(text.size());
    accelPos = 0;
    // "&" is a single-byte character and never the second byte of a
    // double-byte one, so the bytes can be walked one by one.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '&') {
            result += '&';
            ++i;
        } else if (i + 1 < text.size() && accelPos == 0) {
            accelPos = static_cast<int>(result.size()) + 1;
        }
    }
    return result;
}

bool OrdinalsWithoutDefaultAreZero(const core::TObject& object)
{
    for (const core::PropInfo* prop : object.ClassType().Properties())
        if (prop->IsOrdinal() && !prop->HasDefault() && !prop->NeverStored() && prop->GetOrd(object) != 0)
            return false;
    return true;
}

std::unique_ptr<core::TPersistent> Clone(const core::TPersistent* source)
{
    if (!source)
        return nullptr;
    std::unique_ptr<core::TObject> object(source->ClassType().CreateInstance());
    auto* copy = dynamic_cast<core::TPersistent*>(object.get());
    if (!copy)
        return nullptr;
    object.release();
    std::unique_ptr<core::TPersistent> result(copy);
    result->Assign(source);
    return result;
}

}  // namespace grid::model
