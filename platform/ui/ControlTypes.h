#pragma once

#include <cstdint>

#include "platform/core/EnumType.h"
#include "platform/core/Event.h"
#include "platform/core/Set.h"
#include "platform/ui/WindowManager.h"

// The enumerations, sets and event types shared by every control.
namespace ui {

CORE_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
CORE_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
CORE_SET(TAnchors, TAnchorKind);

CORE_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
CORE_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);
CORE_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);
// Border styles of forms; controls use the first two.
CORE_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
using TBorderStyle = TFormBorderStyle;
// Controls publish their border style as the classic subrange type
// TBorderStyle: bsNone and bsSingle only.
inline const core::TEnumType& BorderStyleType()
{
    static const core::TEnumType type = EnumTypeOf(bsNone).Subrange("TBorderStyle", bsSingle + 1);
    return type;
}
CORE_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
CORE_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = core::TSet<TShiftStateFlag>;

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = core::TSet<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = core::TSet<TControlStateFlag>;

// Modal results of forms and buttons.
using TModalResult = int;
enum : TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8 };

using TMouseEvent = core::TEvent<core::TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = core::TEvent<core::TObject*, TShiftState, int, int>;
using TKeyEvent = core::TEvent<core::TObject*, uint16_t&, TShiftState>;
using TKeyPressEvent = core::TEvent<core::TObject*, char&>;
using TMouseWheelUpDownEvent = core::TEvent<core::TObject*, TShiftState, TPoint, bool&>;

// Shift state from the flags of a mouse message, or from the keyboard now.
TShiftState ShiftStateFromKeys(WPARAM mouseKeys);
TShiftState KeyboardShiftState();

}  // namespace ui
