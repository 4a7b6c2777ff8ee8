#include "grid/view/CheckState.h"

#include "platform/core/StrUtils.h"

namespace grid {

namespace {

bool IsNullText(const core::AnsiString& text)
{
    return core::SameText(text, "Null");
}

bool IsIntegerValue(const core::Variant& value)
{
    switch (value.VarType()) {
    case core::varSmallint:
    case core::varInteger:
    case core::varInt64:
    case core::varByte:
        return true;
    default:
        return false;
    }
}

}  // namespace

CheckBoxTexts CheckBoxTexts::Parse(const core::AnsiString& text)
{
    CheckBoxTexts texts;
    if (text.empty())
        return texts;
    texts.set = true;
    size_t first = text.find('|');
    texts.checked = text.substr(0, first);
    if (first == core::AnsiString::npos)
        return texts;
    size_t second = text.find('|', first + 1);
    if (second == core::AnsiString::npos) {
        texts.unchecked = text.substr(first + 1);
        return texts;
    }
    texts.unchecked = text.substr(first + 1, second - first - 1);
    size_t third = text.find('|', second + 1);
    texts.grayed = text.substr(second + 1, third == core::AnsiString::npos ? core::AnsiString::npos : third - second - 1);
    return texts;
}

int CheckStateOfValue(const core::Variant& value, const CheckBoxTexts& texts)
{
    if (IsIntegerValue(value))
        return static_cast<int>(value.AsInt64());
    if (value.IsString()) {
        if (!texts.set)
            return 2;
        core::AnsiString text = value.AsString();
        if (core::SameText(text, texts.checked))
            return 1;
        if (core::SameText(text, texts.unchecked))
            return 0;
        return 2;
    }
    if (value.IsNull() && texts.set) {
        if (IsNullText(texts.checked))
            return 1;
        if (IsNullText(texts.unchecked))
            return 0;
    }
    return 2;
}

core::Variant ValueOfCheckState(int state, const CheckBoxTexts& texts)
{
    if (!texts.set)
        return core::Variant(static_cast<int32_t>(state));
    const core::AnsiString& text = state == 1 ? texts.checked : state == 0 ? texts.unchecked : texts.grayed;
    if (IsNullText(text))
        return core::Variant::Null();
    return core::Variant(text);
}

int NextCheckState(int state, bool allowGrayed)
{
    if (state == 0)
        return 1;
    if (state == 1)
        return allowGrayed ? 2 : 0;
    return 0;
}

int CheckGlyphIndex(TtsCheckBoxStyle style, int state, bool pressed)
{
    int base = style == stCross ? 0 : style == stCheck ? 3 : 6;
    int offset = state == 1 ? 0 : state == 0 ? 1 : 2;
    return base + offset + (pressed ? 9 : 0);
}

bool CheckGlyphTakesBrush(int glyph)
{
    return glyph >= 6 && glyph <= 8;
}

}  // namespace grid
