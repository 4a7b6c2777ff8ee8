#pragma once

#include "platform/core/Forward.h"
#include "platform/core/Variant.h"

namespace grid {

// Whether two cell values are the same: an unassigned value equals only an
// unassigned one; otherwise both must have the same value type and either
// both be null or compare equal by the platform's value comparison.
bool ValuesEqual(const core::Variant& a, const core::Variant& b);
// ValuesEqual, and besides two numbers of different types (16- or 32-bit
// integer, single, double, currency, byte) that are equal as numbers.
bool ValuesEqualLoose(const core::Variant& a, const core::Variant& b);

// An object reference travels in a cell value as a 32-bit integer. A pointer
// does not fit in one, so each object gets a number of its own, the same one
// every time, and reading the number back gives the object. Numbers are never
// reused; 0 stands for no object. An object that goes away while a value may
// still name it calls ForgetObjectValue, after which its number reads as no
// object.
core::Variant ObjectToValue(core::TObject* object);
// The object a value names: the integer it converts to, looked up; nullptr
// for a number that names no object and for a value that is no integer.
core::TObject* ValueToObject(const core::Variant& value);
void ForgetObjectValue(const core::TObject* object);

}  // namespace grid
