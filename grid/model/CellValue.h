#pragma once

// How a cell value is typed by the cell's control type: what a write
// stores, what a loaded value must be, and which stored kinds a control
// type keeps.

#include "grid/foundation/2DStorage.h"
#include "grid/model/GridTypes.h"
#include "platform/core/Variant.h"

namespace grid {

// Why a value does not fit its cell; the grid raises the text with its name.
enum TtsValueError : std::uint8_t { veNone, veText, veCheck, vePicture };
const char* ValueErrorText(TtsValueError error);

inline constexpr const char* kCellReadInLoadText = "Cannot get Cell property value while in OnCellLoaded event";
inline constexpr const char* kCheckBoxValuesText =
    "Invalid CheckBoxValues. CheckBoxValues have the format 'Checked|Unchecked|Grayed'. The Grayed value is optional";

// The value a write stores for the control type, and its kind. Returns
// `value` itself when it needs no change (the common case, so that a text
// written to a text cell is not copied), else `scratch` filled with the
// normalized value. An unassigned value, and any value of a ctNone cell,
// gives skEmpty.
//
//   ctText     a string; a wide string or any other value becomes its text;
//              Null clears the cell (a missing database value)
//   ctCheck    a string (skText), Null (skNull), a Boolean as 1 or 0 (the
//              platform's True is -1, no check state), any other value
//              converted to an integer (skCheckState)
//   ctPicture  a string (skPictureName) or a picture the program knows
//              (ObjectToValue of a bitmap) as skBitmap; the number 0 and
//              Null clear the cell; any other value is refused (vePicture),
//              so that no number is ever painted as a picture
//
// Conversions that the platform refuses raise its conversion error.
const core::Variant& TypeCellValue(TtsControlType type, const core::Variant& value, core::Variant& scratch,
                                   TtsStoredKind& kind, TtsValueError& error);

// The load step's check of a value handed out by a cell read or supplied by
// OnCellLoaded, converted in place as a read returns it (a text cell's
// value becomes a string, a check cell's Boolean 1 or 0, wide strings
// strings). Unassigned values pass unchanged.
TtsValueError CheckLoadedValue(TtsControlType type, core::Variant& value);

// Whether a cell of the control type keeps a stored kind when its type
// changes: text keeps skText; check keeps skText, skCheckState and skNull;
// picture keeps skBitmap and skPictureName; none keeps nothing.
bool KindFitsControlType(TtsControlType type, TtsStoredKind kind);

// A stored picture value (the storage's reference) as the cell value the
// application wrote (the picture's object number).
core::Variant PictureCellValue(const core::Variant& stored);

// The CheckBoxValues format: empty, or two or three texts separated by "|",
// the second not empty.
bool CheckBoxValuesValid(const core::AnsiString& text);

}  // namespace grid
