#include "platform/graphics/Font.h"

#include <cstdlib>

#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"

namespace graphics {

CORE_CLASS_IMPL(TFont)

namespace {

struct CharsetName {
    int Charset;
    const char* Name;
};

constexpr CharsetName kCharsets[] = {
    {0, "ANSI_CHARSET"},         {1, "DEFAULT_CHARSET"},   {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},   {129, "HANGEUL_CHARSET"}, {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},  {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},     {178, "ARABIC_CHARSET"},  {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},       {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
};

}  // namespace

std::optional<core::AnsiString> CharsetToIdent(int charset)
{
    for (const CharsetName& c : kCharsets)
        if (c.Charset == charset)
            return core::AnsiString(c.Name);
    return std::nullopt;
}

std::optional<int> IdentToCharset(std::string_view ident)
{
    for (const CharsetName& c : kCharsets)
        if (core::SameText(ident, c.Name))
            return c.Charset;
    return std::nullopt;
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    int64_t product = static_cast<int64_t>(a) * b;
    int64_t half = std::llabs(c) / 2;
    bool negative = (product < 0) != (c < 0);
    int64_t q = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -q : q);
}

TFont::TFont() = default;

void TFont::SetName(const core::AnsiString& value)
{
    if (name_ == value || value.empty())
        return;
    name_ = value;
    Changed();
}

void TFont::SetHeight(int value)
{
    if (height_ == value)
        return;
    height_ = value;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, pixelsPerInch_, 72)); }

void TFont::SetStyle(TFontStyles value)
{
    if (style_ == value)
        return;
    style_ = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (color_ == value)
        return;
    color_ = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value)
{
    if (pitch_ == value)
        return;
    pitch_ = value;
    Changed();
}

void TFont::SetCharset(TFontCharset value)
{
    if (charset_ == value)
        return;
    charset_ = value;
    Changed();
}

void TFont::Assign(const core::TPersistent* source)
{
    auto* other = dynamic_cast<const TFont*>(source);
    if (!other) {
        TGraphicsObject::Assign(source);
        return;
    }
    int height = other->height_;
    if (other->pixelsPerInch_ != pixelsPerInch_)
        height = MulDiv(height, pixelsPerInch_, other->pixelsPerInch_);
    if (name_ == other->name_ && height_ == height && style_ == other->style_ && color_ == other->color_ &&
        pitch_ == other->pitch_ && charset_ == other->charset_)
        return;
    name_ = other->name_;
    height_ = height;
    style_ = other->style_;
    color_ = other->color_;
    pitch_ = other->pitch_;
    charset_ = other->charset_;
    Changed();
}

void TFont::Publish(core::PropertyList& list)
{
    core::PropBuilder<TFont> p(list);
    p.Integer("Charset", &TFont::Charset, &TFont::SetCharset, "TFontCharset");
    p.Integer("Color", &TFont::Color, &TFont::SetColor, "TColor");
    p.Integer("Height", &TFont::Height, &TFont::SetHeight);
    p.String("Name", &TFont::Name, &TFont::SetName, "TFontName");
    p.Enum("Pitch", &TFont::Pitch, &TFont::SetPitch)
        .Default(fpDefault);
    // The size follows from the height; only the height is filed.
    p.Integer("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    p.Set("Style", &TFont::Style,
          &TFont::SetStyle);
}

}  // namespace graphics
