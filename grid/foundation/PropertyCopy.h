#pragma once

#include "platform/core/Forward.h"

namespace grid {

// Copying published properties from one object to another through the
// property registry, so that the destination's own setters run. The copy
// operations of cells, columns, rows and grids rest on these.
//
// The properties are those of the source's class; each is written through
// the destination class's property of the same name and kind, and one the
// destination lacks or cannot write is passed over. Integer, character,
// enumeration, set and object properties copy their value (an object
// property hands the source's object to the destination's setter, which
// copies its contents or keeps the reference as it sees fit); floats, texts
// and variants their value; 64-bit integers are not copied. An error raised
// by a setter propagates, and what was copied before it stays copied.

// Copies every published property except events, in ascending order of
// names, leaving out those named in `excluded`: names separated by ";",
// blanks around a name ignored, compared whole and without case.
void CopyProperties(core::TObject& dest, const core::TObject& source, const core::AnsiString& excluded);
// Copies the one property called `name` (an event too); nothing when the
// source's class has no such property.
void CopyProperty(const core::AnsiString& name, core::TObject& dest, const core::TObject& source);

}  // namespace grid
