#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/core/Variant.h"
#include "platform/filing/Filer.h"

namespace filing {

// Writes the binary component stream from the property registry.
//
// A published property is written when its stored predicate holds and its
// value differs from the default (ordinals with a declared default, empty
// text, zero floats, unassigned events and references) or, while writing a
// descendant, from the ancestor's value. Object properties are written as
// their own properties under a dotted prefix ("Font.Height"), collections as
// collections (when they have items, or differ from the ancestor's), and
// references to components by name. Events are written by handler name when
// the lookup root has a handler of that name. Then come the defined
// properties, then the children that the component names in GetChildren.
// A stream holds each component once: one that two components both name as
// their child (a form lists its components that have no parent control, a
// control lists the controls placed on it, and a component can be both) is
// written where it is met first, since reading it twice would make two
// components of one name.
//
// Text is written by the rules of the classic format with GBK text: 8-bit
// text that is plain ASCII as vaString (vaLString beyond 255 bytes), other
// text as UTF-16 (vaWString), except bytes that are not GBK text at all,
// which stay 8-bit so that they come back unchanged.
class TWriter : public TFiler {
public:
    explicit TWriter(core::TStream& stream);
    ~TWriter() override;

    // --- Values -----------------------------------------------------------
    void WriteValue(TValueType type);
    void WriteListBegin();
    void WriteListEnd();
    // The smallest of vaInt8, vaInt16 and vaInt32, or vaInt64 beyond 32 bits.
    void WriteInteger(int64_t value);
    void WriteBoolean(bool value);
    void WriteFloat(double value);
    void WriteSingle(float value);
    void WriteCurrency(core::Currency value);
    void WriteDate(double value);
    void WriteChar(char value);
    void WriteWideChar(char16_t value);
    void WriteString(const AnsiString& value);
    void WriteWideString(const WideString& value);
    // "False", "True", "nil" and "Null" (any case) become those values.
    void WriteIdent(const AnsiString& ident);
    void WriteBinary(const void* data, int64_t size);
    void WriteSet(const std::vector<AnsiString>& names);
    void WriteVariant(const core::Variant& value);
    // A vaCollection value with every item's properties; nullptr writes an
    // empty collection.
    void WriteCollection(core::TCollection* collection);

    // --- Raw bytes --------------------------------------------------------
    // A short string; raises EWriteError beyond 255 bytes.
    void WriteStr(const AnsiString& text);
    void Write(const void* buffer, int64_t count);
    int64_t Position() const;

    // --- Objects ----------------------------------------------------------
    void WriteSignature();
    void WritePrefix(TFilerFlags flags, int childPos);
    // The signature and `root` with everything in it.
    void WriteRootComponent(core::TComponent* root);
    // As WriteRootComponent, writing only what differs from `ancestor` (a
    // component of the class `root` derives from, as its form stores it);
    // children that the ancestor has too are marked as inherited.
    void WriteDescendent(core::TComponent* root, core::TComponent* ancestor);
    // One component record: header, properties, children.
    void WriteComponent(core::TComponent* component);
    // The published and defined properties of `instance`.
    void WriteProperties(core::TPersistent& instance);
    // The name of the next property, with the prefix of the object being written.
    void WritePropName(const AnsiString& name);

    void DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override;

private:
    class DepthGuard;

    void WriteProperty(core::TPersistent& instance, const core::PropInfo& prop);
    void WriteOrdinal(const core::PropInfo& prop, int64_t value);
    void WriteFloatProp(const core::PropInfo& prop, double value);
    void WriteObjectProp(core::TPersistent& instance, const core::PropInfo& prop, core::TPersistent* ancestor);
    AnsiString ReferenceName(core::TComponent* component) const;
    void WriteLength(uint64_t length);
    void WriteWideUnits(const WideString& value);
    void Write8Bit(const AnsiString& value);

    core::TStream& stream_;
    AnsiString propPath_;
    core::TComponent* rootAncestor_ = nullptr;
    // The components written so far.
    std::unordered_set<const core::TComponent*> written_;
    int depth_ = 0;
};

// Whether two collections would be written alike: the same number of items
// with the same properties. Either may be nullptr (no collection).
bool CollectionsEqual(core::TCollection* a, core::TCollection* b);

}  // namespace filing
