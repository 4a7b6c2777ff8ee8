#include "grid/model/CellValue.h"

#include "grid/foundation/CellValues.h"
#include "platform/graphics/Bitmap.h"

namespace grid {

using core::Variant;

const char* ValueErrorText(TtsValueError error)
{
    switch (error) {
    case veText:
        return "Invalid cell value. A text column requires a value of type string";
    case veCheck:
        return "Invalid cell value. A checkbox column requires a value of type TCheckBoxState or string";
    case vePicture:
        return "Invalid cell value. A picture column requires a value of type TBitmap or string";
    default:
        return "";
    }
}

namespace {

bool IsIntegerType(core::TVarType type)
{
    return type == core::varSmallint || type == core::varInteger || type == core::varByte || type == core::varInt64;
}

graphics::TBitmap* KnownBitmap(const Variant& value)
{
    return dynamic_cast<graphics::TBitmap*>(ValueToObject(value));
}

}  // namespace

const Variant& TypeCellValue(TtsControlType type, const Variant& value, Variant& scratch, TtsStoredKind& kind,
                             TtsValueError& error)
{
    error = veNone;
    kind = skEmpty;
    if (value.IsEmpty() || type == ctNone)
        return value;
    switch (type) {
    case ctText:
        if (value.VarType() == core::varString) {
            kind = skText;
            return value;
        }
        if (value.IsNull())
            return value;
        kind = skText;
        scratch = Variant(value.AsString());
        return scratch;
    case ctCheck:
        if (value.IsString()) {
            kind = skText;
            if (value.VarType() == core::varString)
                return value;
            scratch = Variant(value.AsString());
            return scratch;
        }
        if (value.IsNull()) {
            kind = skNull;
            return value;
        }
        kind = skCheckState;
        if (value.VarType() == core::varInteger)
            return value;
        scratch = value.VarType() == core::varBoolean ? Variant(int32_t{value.AsBoolean() ? 1 : 0})
                                                      : Variant(value.AsInteger());
        return scratch;
    case ctPicture:
        if (value.IsString()) {
            kind = skPictureName;
            if (value.VarType() == core::varString)
                return value;
            scratch = Variant(value.AsString());
            return scratch;
        }
        if (value.IsNull())
            return value;
        if (IsIntegerType(value.VarType())) {
            if (value.AsInt64() == 0)
                return value;
            if (graphics::TBitmap* bitmap = KnownBitmap(value)) {
                kind = skBitmap;
                scratch = BitmapValue(bitmap);
                return scratch;
            }
        }
        error = vePicture;
        return value;
    default:
        return value;
    }
}

TtsValueError CheckLoadedValue(TtsControlType type, Variant& value)
{
    if (value.IsEmpty())
        return veNone;
    core::TVarType vt = value.VarType();
    switch (type) {
    case ctText:
        if (!value.IsString())
            return veText;
        if (vt != core::varString)
            value = Variant(value.AsString());
        return veNone;
    case ctCheck:
        if (vt == core::varBoolean) {
            value = Variant(int32_t{value.AsBoolean() ? 1 : 0});
            return veNone;
        }
        if (!IsIntegerType(vt) && !value.IsString() && !value.IsNull())
            return veCheck;
        if (vt == core::varOleStr)
            value = Variant(value.AsString());
        return veNone;
    case ctPicture:
        if (!IsIntegerType(vt) && !value.IsString())
            return vePicture;
        if (vt == core::varOleStr)
            value = Variant(value.AsString());
        return veNone;
    default:
        return veNone;
    }
}

bool KindFitsControlType(TtsControlType type, TtsStoredKind kind)
{
    switch (type) {
    case ctText:
        return kind == skText;
    case ctCheck:
        return kind == skText || kind == skCheckState || kind == skNull;
    case ctPicture:
        return kind == skBitmap || kind == skPictureName;
    default:
        return false;
    }
}

Variant PictureCellValue(const Variant& stored)
{
    graphics::TBitmap* bitmap = ValueBitmap(stored);
    return bitmap ? ObjectToValue(bitmap) : Variant(int32_t{0});
}

bool CheckBoxValuesValid(const core::AnsiString& text)
{
    if (text.empty())
        return true;
    size_t first = text.find('|');
    if (first == core::AnsiString::npos)
        return false;
    size_t second = text.find('|', first + 1);
    size_t secondEnd = second == core::AnsiString::npos ? text.size() : second;
    if (secondEnd == first + 1)
        return false;
    return second == core::AnsiString::npos || text.find('|', second + 1) == core::AnsiString::npos;
}

}  // namespace grid
