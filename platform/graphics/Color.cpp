#include "platform/graphics/Color.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace graphics {

namespace {

// The classic desktop's default ("Windows Standard") scheme: grey button
// faces, white windows, a navy selection.
constexpr std::array<TColor, COLOR_ENDCOLORS> kDefaultScheme = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3D dark shadow
    RGB(192, 192, 192),  // 3D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(0, 0, 0),        // (unused index 25)
    RGB(0, 0, 255),      // hot-tracked item
    RGB(16, 132, 208),   // active caption gradient
    RGB(181, 181, 181),  // inactive caption gradient
    RGB(0, 0, 128),      // menu highlight
    RGB(192, 192, 192),  // menu bar
};

std::array<TColor, COLOR_ENDCOLORS>& Scheme()
{
    static std::array<TColor, COLOR_ENDCOLORS> scheme = kDefaultScheme;
    return scheme;
}

struct ColorName {
    TColor Color;
    const char* Name;
};

// The named colours, in the order a value is looked up by: a plain value
// with two names (clSilver and clLtGray) answers with the first.
constexpr ColorName kNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
};

}  // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index >= COLOR_ENDCOLORS)
        return clBlack;
    return Scheme()[static_cast<size_t>(index)];
}

void SetSysColor(int index, TColor rgb)
{
    if (index >= 0 && index < COLOR_ENDCOLORS)
        Scheme()[static_cast<size_t>(index)] = rgb & 0xFFFFFF;
}

void ResetSysColors() { Scheme() = kDefaultScheme; }

TColor ColorToRGB(TColor color)
{
    if (IsSysColor(color))
        return GetSysColor(color & 0xFF);
    return color & 0xFFFFFF;
}

std::optional<core::AnsiString> ColorToIdent(TColor color)
{
    for (const ColorName& n : kNames)
        if (n.Color == color)
            return core::AnsiString(n.Name);
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view ident)
{
    for (const ColorName& n : kNames)
        if (core::SameText(ident, n.Name))
            return n.Color;
    return std::nullopt;
}

core::AnsiString ColorToString(TColor color)
{
    if (auto name = ColorToIdent(color))
        return *name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
    return buffer;
}

TColor StringToColor(std::string_view text)
{
    if (auto color = IdentToColor(text))
        return *color;
    std::string_view digits = text;
    int base = 10;
    if (!digits.empty() && digits.front() == '$') {
        digits.remove_prefix(1);
        base = 16;
    }
    bool negative = !digits.empty() && digits.front() == '-' && base == 10;
    if (negative)
        digits.remove_prefix(1);
    uint32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw core::EConvertError("'%s' is not a valid colour value", core::AnsiString(text));
    return static_cast<TColor>(negative ? 0u - value : value);
}

}  // namespace graphics
