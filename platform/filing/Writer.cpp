#include "platform/filing/Writer.h"

#include <cstring>

#include "platform/core/CodePage.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Exception.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/Stream.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"

namespace filing {

using core::TCollection;
using core::TComponent;
using core::TPersistent;
using core::PropInfo;

class TWriter::DepthGuard {
public:
    explicit DepthGuard(TWriter& writer) : writer_(writer)
    {
        if (++writer_.depth_ > MaxNestingDepth) {
            --writer_.depth_;
            throw core::EWriteError("Nesting too deep to write");
        }
    }
    ~DepthGuard() { --writer_.depth_; }

private:
    TWriter& writer_;
};

TWriter::TWriter(core::TStream& stream) : stream_(stream) {}

TWriter::~TWriter() = default;

// --- Raw bytes ---------------------------------------------------------------

void TWriter::Write(const void* buffer, int64_t count)
{
    auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        int chunk = static_cast<int>(std::min<int64_t>(count, 1 << 20));
        stream_.WriteBuffer(bytes, chunk);
        bytes += chunk;
        count -= chunk;
    }
}

int64_t TWriter::Position() const
{
    return stream_.Position();
}

void TWriter::WriteStr(const AnsiString& text)
{
    if (text.size() > 255)
        throw core::EWriteError("Name %s is longer than 255 bytes", text.substr(0, 32) + "...");
    uint8_t length = static_cast<uint8_t>(text.size());
    Write(&length, 1);
    Write(text.data(), length);
}

void TWriter::WriteLength(uint64_t length)
{
    if (length > UINT32_MAX)
        throw core::EWriteError("Value of %d bytes is too long to write", static_cast<int64_t>(length));
    uint8_t raw[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                      static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
    Write(raw, 4);
}

// --- Values ------------------------------------------------------------------

void TWriter::WriteValue(TValueType type)
{
    uint8_t code = type;
    Write(&code, 1);
}

void TWriter::WriteListBegin()
{
    WriteValue(vaList);
}

void TWriter::WriteListEnd()
{
    WriteValue(vaNull);
}

void TWriter::WriteInteger(int64_t value)
{
    int bytes;
    if (value >= INT8_MIN && value <= INT8_MAX)
        WriteValue(vaInt8), bytes = 1;
    else if (value >= INT16_MIN && value <= INT16_MAX)
        WriteValue(vaInt16), bytes = 2;
    else if (value >= INT32_MIN && value <= INT32_MAX)
        WriteValue(vaInt32), bytes = 4;
    else
        WriteValue(vaInt64), bytes = 8;
    uint8_t raw[8];
    for (int i = 0; i < bytes; ++i)
        raw[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
    Write(raw, bytes);
}

void TWriter::WriteBoolean(bool value)
{
    WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteFloat(double value)
{
    WriteValue(vaExtended);
    uint8_t raw[10];
    core::DoubleToExtended(value, raw);
    Write(raw, 10);
}

void TWriter::WriteSingle(float value)
{
    WriteValue(vaSingle);
    Write(&value, 4);
}

void TWriter::WriteCurrency(core::Currency value)
{
    WriteValue(vaCurrency);
    uint8_t raw[8];
    for (int i = 0; i < 8; ++i)
        raw[i] = static_cast<uint8_t>(static_cast<uint64_t>(value.Scaled) >> (8 * i));
    Write(raw, 8);
}

void TWriter::WriteDate(double value)
{
    WriteValue(vaDate);
    Write(&value, 8);
}

void TWriter::Write8Bit(const AnsiString& value)
{
    if (value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(value);
    } else {
        WriteValue(vaLString);
        WriteLength(value.size());
        Write(value.data(), static_cast<int64_t>(value.size()));
    }
}

void TWriter::WriteWideUnits(const WideString& value)
{
    WriteValue(vaWString);
    WriteLength(value.size());
    std::string raw(value.size() * 2, '\0');
    for (size_t i = 0; i < value.size(); ++i) {
        raw[2 * i] = static_cast<char>(value[i] & 0xFF);
        raw[2 * i + 1] = static_cast<char>(value[i] >> 8);
    }
    Write(raw.data(), static_cast<int64_t>(raw.size()));
}

void TWriter::WriteChar(char value)
{
    Write8Bit(AnsiString(1, value));
}

void TWriter::WriteWideChar(char16_t value)
{
    WriteWideString(WideString(1, value));
}

void TWriter::WriteString(const AnsiString& value)
{
    bool ascii = std::all_of(value.begin(), value.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
    if (!ascii) {
        WideString wide = core::AnsiToWide(value);
        // Bytes that are not GBK text (a mask kept in a string) would not
        // survive the trip through UTF-16, so they stay 8-bit.
        if (core::WideToAnsi(wide) == value) {
            WriteWideUnits(wide);
            return;
        }
    }
    Write8Bit(value);
}

void TWriter::WriteWideString(const WideString& value)
{
    if (std::all_of(value.begin(), value.end(), [](char16_t c) { return c < 0x80; }))
        Write8Bit(AnsiString(value.begin(), value.end()));
    else
        WriteWideUnits(value);
}

void TWriter::WriteIdent(const AnsiString& ident)
{
    if (core::SameText(ident, "False"))
        WriteValue(vaFalse);
    else if (core::SameText(ident, "True"))
        WriteValue(vaTrue);
    else if (core::SameText(ident, "nil"))
        WriteValue(vaNil);
    else if (core::SameText(ident, "Null"))
        WriteValue(vaNull);
    else {
        WriteValue(vaIdent);
        WriteStr(ident);
    }
}

void TWriter::WriteBinary(const void* data, int64_t size)
{
    WriteValue(vaBinary);
    WriteLength(static_cast<uint64_t>(size));
    Write(data, size);
}

void TWriter::WriteSet(const std::vector<AnsiString>& names)
{
    WriteValue(vaSet);
    for (const AnsiString& name : names)
        if (!name.empty())
            WriteStr(name);
    WriteStr(AnsiString());
}

void TWriter::WriteVariant(const core::Variant& value)
{
    switch (value.VarType()) {
    case core::varEmpty:
        WriteValue(vaNil);
        break;
    case core::varNull:
        WriteValue(vaNull);
        break;
    case core::varSmallint:
    case core::varInteger:
    case core::varByte:
    case core::varInt64:
        WriteInteger(value.AsInt64());
        break;
    case core::varSingle:
        WriteSingle(static_cast<float>(value.AsFloat()));
        break;
    case core::varDouble:
        WriteFloat(value.AsFloat());
        break;
    case core::varCurrency:
        WriteCurrency(value.AsCurrency());
        break;
    case core::varDate:
        WriteDate(value.AsDate());
        break;
    case core::varBoolean:
        WriteBoolean(value.AsBoolean());
        break;
    case core::varOleStr:
        WriteWideString(value.AsWideString());
        break;
    case core::varString:
        WriteString(value.AsString());
        break;
    default:
        throw core::EWriteError("Cannot write a %s variant", AnsiString(value.TypeName()));
    }
}

void TWriter::WriteCollection(TCollection* collection)
{
    WriteValue(vaCollection);
    DepthGuard guard(*this);
    // Reading a collection rebuilds it from fresh items, so each item is
    // written in full against a fresh item's defaults.
    TPersistent* savedAncestor = ancestor_;
    AnsiString savedPath = propPath_;
    ancestor_ = nullptr;
    propPath_.clear();
    try {
        for (int i = 0; collection && i < collection->Count(); ++i) {
            WriteListBegin();
            WriteProperties(*collection->Items(i));
            WriteListEnd();
        }
    } catch (...) {
        ancestor_ = savedAncestor;
        propPath_ = savedPath;
        throw;
    }
    ancestor_ = savedAncestor;
    propPath_ = savedPath;
    WriteListEnd();
}

// --- Properties --------------------------------------------------------------

void TWriter::WritePropName(const AnsiString& name)
{
    WriteStr(propPath_ + name);
}

void TWriter::WriteProperties(TPersistent& instance)
{
    for (const PropInfo* prop : instance.ClassType().Properties())
        WriteProperty(instance, *prop);
    DefineAllProperties(*this, instance);
}

void TWriter::WriteOrdinal(const PropInfo& prop, int64_t value)
{
    switch (prop.Kind()) {
    case core::tkInteger: {
        AnsiString ident;
        if (core::IntToIdent(prop.TypeName(), value, ident))
            WriteIdent(ident);
        else
            WriteInteger(value);
        break;
    }
    case core::tkChar:
        WriteChar(static_cast<char>(value));
        break;
    case core::tkWChar:
        WriteWideChar(static_cast<char16_t>(value));
        break;
    case core::tkEnumeration:
        if (value < 0 || value >= static_cast<int64_t>(prop.EnumNames().size()))
            throw core::EWriteError("Value %d of %s is not a member of %s", value, prop.Name(), prop.TypeName());
        WriteIdent(prop.EnumName(value));
        break;
    case core::tkSet: {
        std::vector<AnsiString> names;
        for (size_t bit = 0; bit < prop.EnumNames().size() && bit < 64; ++bit)
            if (static_cast<uint64_t>(value) >> bit & 1)
                names.push_back(prop.EnumNames()[bit]);
        WriteSet(names);
        break;
    }
    default:
        WriteInteger(value);
    }
}

void TWriter::WriteFloatProp(const PropInfo& prop, double value)
{
    const AnsiString& type = prop.TypeName();
    if (core::SameText(type, "Single"))
        WriteSingle(static_cast<float>(value));
    else if (core::SameText(type, "Currency"))
        WriteCurrency(core::Currency::FromDouble(value));
    else if (core::SameText(type, "TDateTime") || core::SameText(type, "TDate") || core::SameText(type, "TTime"))
        WriteDate(value);
    else
        WriteFloat(value);
}

void TWriter::WriteProperty(TPersistent& instance, const PropInfo& prop)
{
    if (!prop.IsStored(instance))
        return;
    // While writing a descendant, the ancestor's value is the default;
    // otherwise the property's own (a value without one is always written).
    TPersistent* ancestor = ancestor_;
    const PropInfo* ancestorProp = ancestor ? ancestor->ClassType().FindProperty(prop.Name()) : nullptr;
    if (ancestorProp && ancestorProp->Kind() != prop.Kind())
        ancestorProp = nullptr;
    bool inherits = ancestorProp != nullptr;

    switch (prop.Kind()) {
    case core::tkInteger:
    case core::tkChar:
    case core::tkWChar:
    case core::tkEnumeration:
    case core::tkSet:
    case core::tkInt64: {
        int64_t value = prop.GetOrd(instance);
        if (inherits ? value == ancestorProp->GetOrd(*ancestor) : prop.IsDefaultValue(instance))
            return;
        WritePropName(prop.Name());
        WriteOrdinal(prop, value);
        break;
    }
    case core::tkFloat: {
        double value = prop.GetFloat(instance);
        if (inherits ? value == ancestorProp->GetFloat(*ancestor) : prop.IsDefaultValue(instance))
            return;
        WritePropName(prop.Name());
        WriteFloatProp(prop, value);
        break;
    }
    case core::tkString: {
        AnsiString value = prop.GetStr(instance);
        if (inherits ? value == ancestorProp->GetStr(*ancestor) : prop.IsDefaultValue(instance))
            return;
        WritePropName(prop.Name());
        WriteString(value);
        break;
    }
    case core::tkWString: {
        WideString value = prop.GetWideStr(instance);
        if (inherits ? value == ancestorProp->GetWideStr(*ancestor) : prop.IsDefaultValue(instance))
            return;
        WritePropName(prop.Name());
        WriteWideString(value);
        break;
    }
    case core::tkVariant: {
        core::Variant value = prop.GetVariant(instance);
        if (inherits ? value.Identical(ancestorProp->GetVariant(*ancestor)) : prop.IsDefaultValue(instance))
            return;
        WritePropName(prop.Name());
        WriteVariant(value);
        break;
    }
    case core::tkMethod: {
        AnsiString name = prop.GetMethodName(instance);
        if (inherits ? core::SameText(name, ancestorProp->GetMethodName(*ancestor)) : prop.IsDefaultValue(instance))
            return;
        if (name.empty()) {
            WritePropName(prop.Name());
            WriteValue(vaNil);
        } else if (lookupRoot_ && lookupRoot_->MethodAddress(name)) {
            // A handler that is not the lookup root's cannot be bound by name
            // when the stream is read, so it is not written.
            WritePropName(prop.Name());
            WriteIdent(name);
        }
        break;
    }
    case core::tkClass:
        WriteObjectProp(instance, prop, inherits ? ancestor : nullptr);
        break;
    default:
        break;
    }
}

AnsiString TWriter::ReferenceName(TComponent* component) const
{
    if (component == lookupRoot_ || component->Owner() == lookupRoot_)
        return component->Name();
    TComponent* owner = component->Owner();
    if (owner && !owner->Name().empty() && !component->Name().empty())
        return owner->Name() + "." + component->Name();
    return component->Name();
}

void TWriter::WriteObjectProp(TPersistent& instance, const PropInfo& prop, TPersistent* ancestor)
{
    core::TObject* value = prop.GetObject(instance);
    core::TObject* ancestorValue = ancestor ? ancestor->ClassType().FindProperty(prop.Name())->GetObject(*ancestor) : nullptr;
    if (!value) {
        if (ancestorValue) {
            WritePropName(prop.Name());
            WriteValue(vaNil);
        }
        return;
    }
    auto* component = dynamic_cast<TComponent*>(value);
    if (component && !(component->IsSubComponent() && component->Owner() == &instance)) {
        AnsiString name = ReferenceName(component);
        auto* ancestorComponent = dynamic_cast<TComponent*>(ancestorValue);
        if (name.empty() || (ancestorComponent && core::SameText(ancestorComponent->Name(), component->Name())))
            return;
        WritePropName(prop.Name());
        WriteIdent(name);
        return;
    }
    if (auto* collection = dynamic_cast<TCollection*>(value)) {
        bool same = ancestor ? CollectionsEqual(collection, dynamic_cast<TCollection*>(ancestorValue))
                             : collection->Count() == 0;
        if (same)
            return;
        WritePropName(prop.Name());
        WriteCollection(collection);
        return;
    }
    if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
        DepthGuard guard(*this);
        AnsiString savedPath = propPath_;
        TPersistent* savedAncestor = ancestor_;
        propPath_ += prop.Name() + ".";
        ancestor_ = dynamic_cast<TPersistent*>(ancestorValue);
        try {
            WriteProperties(*persistent);
        } catch (...) {
            propPath_ = savedPath;
            ancestor_ = savedAncestor;
            throw;
        }
        propPath_ = savedPath;
        ancestor_ = savedAncestor;
    }
}

void TWriter::DefineProperty(const AnsiString& name, TReaderProc, TWriterProc writeData, bool hasData)
{
    if (!hasData || !writeData)
        return;
    WritePropName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const AnsiString& name, TStreamProc, TStreamProc writeData, bool hasData)
{
    if (!hasData || !writeData)
        return;
    core::TMemoryStream data;
    writeData(data);
    WritePropName(name);
    WriteBinary(data.Memory(), data.Size());
}

// --- Components --------------------------------------------------------------

void TWriter::WriteSignature()
{
    Write(FilerSignature, 4);
}

void TWriter::WritePrefix(TFilerFlags flags, int childPos)
{
    if (childPos >= 0)
        flags.Include(ffChildPos);
    else
        flags.Exclude(ffChildPos);
    if (flags.Empty())
        return;
    uint8_t prefix = static_cast<uint8_t>(0xF0 | flags.Bits());
    Write(&prefix, 1);
    if (childPos >= 0)
        WriteInteger(childPos);
}

void TWriter::WriteRootComponent(TComponent* root)
{
    WriteDescendent(root, nullptr);
}

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor)
{
    root_ = lookupRoot_ = root;
    rootAncestor_ = ancestor;
    ancestor_ = ancestor;
    WriteSignature();
    WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component)
{
    DepthGuard guard(*this);
    if (!root_)
        root_ = lookupRoot_ = component;
    written_.insert(component);
    bool wasWriting = component->InState(core::csWriting);
    component->SetWriting(true);
    struct Restore {
        TComponent* c;
        bool writing;
        ~Restore() { c->SetWriting(writing); }
    } restore{component, wasWriting};

    auto* ancestor = dynamic_cast<TComponent*>(ancestor_);
    TFilerFlags flags;
    if (ancestor)
        flags.Include(ffInherited);
    if (component->ClassName().size() > MaxClassNameLength)
        throw core::EWriteError("Class name %s is longer than %d characters", component->ClassName(),
                                static_cast<int>(MaxClassNameLength));
    WritePrefix(flags, -1);
    WriteStr(component->ClassName());
    WriteStr(component->Name());
    AnsiString savedPath = propPath_;
    propPath_.clear();
    WriteProperties(*component);
    propPath_ = savedPath;
    WriteListEnd();

    std::vector<TComponent*> ancestorChildren;
    if (ancestor)
        ancestor->GetChildren([&](TComponent* c) { ancestorChildren.push_back(c); }, rootAncestor_);
    std::vector<TComponent*> children;
    component->GetChildren([&](TComponent* c) { children.push_back(c); }, root_);
    TPersistent* savedAncestor = ancestor_;
    for (TComponent* child : children) {
        if (written_.contains(child))
            continue;
        ancestor_ = nullptr;
        for (TComponent* candidate : ancestorChildren)
            if (!child->Name().empty() && core::SameText(candidate->Name(), child->Name()))
                ancestor_ = candidate;
        try {
            WriteComponent(child);
        } catch (...) {
            ancestor_ = savedAncestor;
            throw;
        }
    }
    ancestor_ = savedAncestor;
    WriteListEnd();
}

bool CollectionsEqual(TCollection* a, TCollection* b)
{
    if (a == b)
        return true;
    int countA = a ? a->Count() : 0;
    int countB = b ? b->Count() : 0;
    if (countA != countB)
        return false;
    if (countA == 0)
        return true;
    if (&a->ClassType() != &b->ClassType())
        return false;
    core::TMemoryStream streamA, streamB;
    TWriter writerA(streamA), writerB(streamB);
    writerA.WriteCollection(a);
    writerB.WriteCollection(b);
    return streamA.Size() == streamB.Size() &&
           std::memcmp(streamA.Memory(), streamB.Memory(), static_cast<size_t>(streamA.Size())) == 0;
}

}  // namespace filing
