#include "platform/ui/Registration.h"

#include "platform/core/ClassRegistry.h"
#include "platform/core/IntegerConsts.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/Action.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Label.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Shape.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/Timer.h"

namespace ui {

namespace {

// Names of colours, character sets and cursors, so that descriptions say
// `Color = clBtnFace`, `Font.Charset = GB2312_CHARSET`, `Cursor = crHSplit`.
void RegisterIdents()
{
    using namespace graphics;
    core::TIdentMap colors;
    std::vector<TColor> candidates = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                                      clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite,
                                      clMoneyGreen, clSkyBlue, clCream, clMedGray, clNone, clDefault};
    for (int i = 0; i < COLOR_ENDCOLORS; ++i)
        candidates.push_back(SysColor(i));
    for (TColor c : candidates)
        if (auto name = ColorToIdent(c))
            colors.emplace_back(c, *name);
    core::RegisterIntegerConsts("TColor", colors);
    core::TIdentMap charsets;
    for (int c = 0; c < 256; ++c)
        if (auto name = CharsetToIdent(c))
            charsets.emplace_back(c, *name);
    core::RegisterIntegerConsts("TFontCharset", charsets);
    core::RegisterIntegerConsts("TCursor", {{crDefault, "crDefault"}, {crNone, "crNone"}, {crArrow, "crArrow"},
                                            {crCross, "crCross"}, {crIBeam, "crIBeam"}, {crSizeNESW, "crSizeNESW"},
                                            {crSizeNS, "crSizeNS"}, {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
                                            {crUpArrow, "crUpArrow"}, {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
                                            {crNoDrop, "crNoDrop"}, {crHSplit, "crHSplit"}, {crVSplit, "crVSplit"},
                                            {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"}, {crNo, "crNo"},
                                            {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
                                            {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"}});
}

}  // namespace

void RegisterControls()
{
    RegisterIdents();
    core::RegisterClasses({
        &TForm::StaticClass(),
        &TLabel::StaticClass(),
        &TPanel::StaticClass(),
        &TSpeedButton::StaticClass(),
        &TShape::StaticClass(),
        &TBevel::StaticClass(),
        &TEdit::StaticClass(),
        &TMemo::StaticClass(),
        &TButton::StaticClass(),
        &TTimer::StaticClass(),
        &TAction::StaticClass(),
        &TActionList::StaticClass(),
        &TImageList::StaticClass(),
    });
}

}  // namespace ui
