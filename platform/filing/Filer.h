#pragma once

#include <cstddef>
#include <cstdint>
#include "platform/core/Filer.h"
#include "platform/core/Forward.h"
#include "platform/core/Set.h"
#include "platform/filing/Forward.h"

namespace filing {

using core::AnsiString;
using core::WideString;

// The value types of the binary component stream, by their codes in it.
enum TValueType : uint8_t {
    vaNull,        // a Null value; also ends every list
    vaList,        // values until vaNull
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,    // 10-byte x87 extended
    vaString,      // 1-byte length + 8-bit text
    vaIdent,       // 1-byte length + identifier
    vaFalse,
    vaTrue,
    vaBinary,      // 4-byte length + bytes
    vaSet,         // element names until an empty name
    vaLString,     // 4-byte length + 8-bit text
    vaNil,
    vaCollection,  // items, each an optional order and a property list, until vaNull
    vaSingle,
    vaCurrency,    // 64-bit count of ten-thousandths
    vaDate,        // double, days since 1899-12-30
    vaWString,     // 4-byte count of UTF-16 units + the units
    vaInt64,
    vaUTF8String,  // 4-byte length + UTF-8 bytes
    vaUString      // UTF-16 as vaWString, as one later generation writes it
};

// The readable name of a value type, for messages.
const char* ValueTypeName(TValueType type);

// The flags of an object header's prefix byte (0xF0 | flags).
enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = core::TSet<TFilerFlag>;

// An object header opens with its class name, a short string, or with the
// prefix byte: a first byte of 0xF0 or more is taken as a prefix, so a class
// name can be at most 239 bytes long.
inline constexpr size_t MaxClassNameLength = 0xEF;

// The four bytes that open every component stream.
inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// How deep lists, collections and nested objects may go before a stream or
// text is refused as malformed.
inline constexpr int MaxNestingDepth = 64;

// The filer's interface is the core's, so that classes outside the filing
// layer (bitmaps, fonts) can file extra properties.
using core::TFiler;
using core::TReaderProc;
using core::TStreamProc;
using core::TWriterProc;

// Offers every defined property of `instance` to the filer: the design
// position ("Left", "Top") that every component has, then the class's own.
void DefineAllProperties(TFiler& filer, core::TPersistent& instance);

}  // namespace filing
