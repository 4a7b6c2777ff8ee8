#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

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

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(core::TStream&)>;

// What the reader and the writer have in common: the root being filed and,
// while writing a descendant, the ancestor object that corresponds to the
// one being filed; and the defined properties, which a class declares in its
// DefineProperties with callbacks of its own:
//
//   void TMyGrid::DefineProperties(filing::TFiler& filer)
//   {
//       inherited::DefineProperties(filer);
//       filer.DefineProperty("Widths", readWidths, writeWidths, !widths_.empty());
//       filer.DefineBinaryProperty("Data", readData, writeData, StoreData());
//   }
//
// The writer writes a defined property only when `hasData` holds; the reader
// calls `readData` whenever the property's name comes up. A write callback
// writes exactly one value (a list or a collection for several).
class TFiler {
public:
    TFiler() = default;
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    virtual void DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc writeData,
                                bool hasData) = 0;
    virtual void DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc writeData,
                                      bool hasData) = 0;

    // The top component of the stream: a form, or the component filed alone.
    core::TComponent* Root() const { return root_; }
    void SetRoot(core::TComponent* root) { root_ = root; }
    // The component whose handlers and components name events and references.
    core::TComponent* LookupRoot() const { return lookupRoot_; }
    // While a descendant is written, the ancestor's counterpart of the object
    // being written (nullptr when it has none); always nullptr when reading.
    core::TPersistent* Ancestor() const { return ancestor_; }
    void SetAncestor(core::TPersistent* ancestor) { ancestor_ = ancestor; }

protected:
    core::TComponent* root_ = nullptr;
    core::TComponent* lookupRoot_ = nullptr;
    core::TPersistent* ancestor_ = nullptr;
};

// Offers every defined property of `instance` to the filer: the design
// position ("Left", "Top") that every component has, then the class's own.
void DefineAllProperties(TFiler& filer, core::TPersistent& instance);

}  // namespace filing
