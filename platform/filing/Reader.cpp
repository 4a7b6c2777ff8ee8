#include "platform/filing/Reader.h"

#include <cmath>
#include <cstring>

#include "platform/core/ClassRegistry.h"
#include "platform/core/CodePage.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Exception.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/Stream.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"

// Sections: the byte level (bounds, positions, messages); values; objects
// and properties; references and the end of a read.
//
// Reading a form: ReadRootComponent -> ReadTopLevel (one Session) -> ReadData
// (properties, then ReadNested for each child, which creates, names and
// parents it and recurses into ReadData) -> Finish (references, Loaded).

namespace filing {

using core::TCollection;
using core::TCollectionItem;
using core::TComponent;
using core::TPersistent;
using core::PropInfo;

namespace {

std::function<TComponent*(std::string_view)>& GlobalFinder()
{
    static std::function<TComponent*(std::string_view)> finder;
    return finder;
}

}  // namespace

void SetGlobalComponentFinder(std::function<TComponent*(std::string_view name)> finder)
{
    GlobalFinder() = std::move(finder);
}

// One step from the component being read to the object a property is set
// on: an object property, or an item of a collection property.
struct TReader::Step {
    const PropInfo* prop;
    int item;  // -1 for an object property
};

// A component reference, set once the whole stream is read.
struct TReader::Fixup {
    TComponent* base;
    std::vector<Step> steps;
    const PropInfo* prop;
    AnsiString name;
    int64_t offset;
    AnsiString context;
};

// What one top-level read has done, to finish it or to undo it.
struct TReader::Session {
    std::vector<TComponent*> loaded;
    std::vector<TComponent*> created;
    TComponent* createdRoot = nullptr;
    std::vector<Fixup> fixups;
};

class TReader::DepthGuard {
public:
    DepthGuard(TReader& reader, int64_t offset) : reader_(reader)
    {
        if (++reader_.depth_ > MaxNestingDepth) {
            --reader_.depth_;
            reader_.Error("Nesting too deep", offset);
        }
    }
    ~DepthGuard() { --reader_.depth_; }

private:
    TReader& reader_;
};

// Restores the context, the steps and the base component on leaving a record.
class TReader::PathScope {
public:
    explicit PathScope(TReader& reader)
        : reader_(reader),
          contextSize_(reader.context_.size()),
          stepsSize_(reader.steps_.size()),
          reachable_(reader.stepsReachable_)
    {
    }
    ~PathScope()
    {
        reader_.context_.resize(contextSize_);
        reader_.steps_.resize(stepsSize_);
        reader_.stepsReachable_ = reachable_;
    }

private:
    TReader& reader_;
    size_t contextSize_;
    size_t stepsSize_;
    bool reachable_;
};

TReader::TReader(core::TStream& stream)
    : stream_(stream), position_(stream.Position()), end_(std::max(stream.Size(), position_))
{
}

TReader::~TReader() = default;

// --- The byte level ----------------------------------------------------------

AnsiString TReader::DescribePosition(int64_t offset) const
{
    if (describe_)
        return describe_(offset);
    return "at byte offset " + std::to_string(offset);
}

AnsiString TReader::ContextPath() const
{
    AnsiString path;
    for (const AnsiString& part : context_)
        path += part;
    return path;
}

void TReader::Error(const AnsiString& what, int64_t offset)
{
    AnsiString message = what + " " + DescribePosition(offset);
    AnsiString context = ContextPath();
    if (!context.empty())
        message += " (reading " + context + ")";
    lastMessage_ = message;
    throw core::EReadError(message);
}

void TReader::Annotate(core::Exception& e, int64_t offset)
{
    if (e.Message() == lastMessage_)
        return;
    AnsiString context = ContextPath();
    e.SetMessage(e.Message() + " (" + DescribePosition(offset) + (context.empty() ? "" : ", reading " + context) + ")");
    lastMessage_ = e.Message();
}

uint8_t TReader::ReadByte()
{
    uint8_t b = 0;
    if (position_ >= end_ || stream_.Read(&b, 1) != 1)
        Error("Unexpected end of stream", position_);
    ++position_;
    return b;
}

void TReader::Read(void* buffer, int64_t count)
{
    if (count < 0 || count > Remaining())
        Error("Unexpected end of stream", end_);
    auto* bytes = static_cast<char*>(buffer);
    while (count > 0) {
        int chunk = static_cast<int>(std::min<int64_t>(count, 1 << 20));
        int got = stream_.Read(bytes, chunk);
        position_ += std::max(got, 0);
        if (got != chunk)
            Error("Unexpected end of stream", position_);
        bytes += chunk;
        count -= chunk;
    }
}

AnsiString TReader::ReadStr()
{
    uint8_t length = ReadByte();
    AnsiString text(length, '\0');
    Read(text.data(), length);
    return text;
}

uint32_t TReader::ReadLength(int64_t unitSize, int64_t offset)
{
    uint8_t raw[4];
    Read(raw, 4);
    uint32_t length = raw[0] | raw[1] << 8 | raw[2] << 16 | static_cast<uint32_t>(raw[3]) << 24;
    if (length > Remaining() / unitSize)
        Error(core::Format("Length %d runs past the end of the stream", static_cast<int64_t>(length)), offset);
    return length;
}

// --- Values ------------------------------------------------------------------

TValueType TReader::NextValue()
{
    int64_t offset = position_;
    uint8_t code = ReadByte();
    stream_.Seek(-1, core::soCurrent);
    --position_;
    if (code > vaUString)
        Error(core::Format("Unknown value type %d", code), offset);
    return static_cast<TValueType>(code);
}

TValueType TReader::ReadValue()
{
    int64_t offset = position_;
    uint8_t code = ReadByte();
    if (code > vaUString)
        Error(core::Format("Unknown value type %d", code), offset);
    return static_cast<TValueType>(code);
}

void TReader::WrongType(const char* expected, TValueType found, int64_t offset)
{
    Error(core::Format("Invalid property value: expected %s, found %s", AnsiString(expected),
                       AnsiString(ValueTypeName(found))),
          offset);
}

void TReader::CheckValue(TValueType expected)
{
    int64_t offset = position_;
    TValueType found = ReadValue();
    if (found != expected)
        WrongType(ValueTypeName(expected), found, offset);
}

bool TReader::EndOfList()
{
    // Only the byte is looked at: before a child component comes its
    // header, whose prefix byte is no value type.
    uint8_t code = ReadByte();
    stream_.Seek(-1, core::soCurrent);
    --position_;
    return code == vaNull;
}

void TReader::ReadListBegin()
{
    CheckValue(vaList);
}

void TReader::ReadListEnd()
{
    int64_t offset = position_;
    TValueType found = ReadValue();
    if (found != vaNull)
        WrongType("the end of a list", found, offset);
}

int64_t TReader::ReadIntegerValue(TValueType type, int64_t)
{
    int bytes = type == vaInt8 ? 1 : type == vaInt16 ? 2 : type == vaInt32 ? 4 : 8;
    uint8_t raw[8];
    Read(raw, bytes);
    uint64_t bits = 0;
    for (int i = bytes - 1; i >= 0; --i)
        bits = bits << 8 | raw[i];
    // Sign-extend from the width read.
    if (bytes < 8 && (bits >> (bytes * 8 - 1)) & 1)
        bits |= ~uint64_t{0} << (bytes * 8);
    return static_cast<int64_t>(bits);
}

int32_t TReader::ReadInteger()
{
    int64_t offset = position_;
    TValueType type = ReadValue();
    if (type != vaInt8 && type != vaInt16 && type != vaInt32 && type != vaInt64)
        WrongType("an integer", type, offset);
    int64_t value = ReadIntegerValue(type, offset);
    if (value < INT32_MIN || value > INT32_MAX)
        Error(core::Format("Integer %d out of range", value), offset);
    return static_cast<int32_t>(value);
}

int64_t TReader::ReadInt64()
{
    int64_t offset = position_;
    TValueType type = ReadValue();
    if (type != vaInt8 && type != vaInt16 && type != vaInt32 && type != vaInt64)
        WrongType("an integer", type, offset);
    return ReadIntegerValue(type, offset);
}

bool TReader::ReadBoolean()
{
    int64_t offset = position_;
    TValueType type = ReadValue();
    if (type != vaFalse && type != vaTrue)
        WrongType("a Boolean", type, offset);
    return type == vaTrue;
}

double TReader::ReadFloat()
{
    int64_t offset = position_;
    TValueType type = ReadValue();
    switch (type) {
    case vaExtended: {
        uint8_t raw[10];
        Read(raw, 10);
        return core::ExtendedToDouble(raw);
    }
    case vaSingle: {
        uint8_t raw[4];
        Read(raw, 4);
        float value;
        std::memcpy(&value, raw, 4);
        return value;
    }
    case vaDate: {
        uint8_t raw[8];
        Read(raw, 8);
        double value;
        std::memcpy(&value, raw, 8);
        return value;
    }
    case vaCurrency:
        return static_cast<double>(ReadIntegerValue(vaInt64, offset)) / 10000.0;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        return static_cast<double>(ReadIntegerValue(type, offset));
    default:
        WrongType("a number", type, offset);
    }
}

float TReader::ReadSingle()
{
    int64_t offset = position_;
    double value = ReadFloat();
    if (std::isfinite(value) && std::fabs(value) > 3.4028234663852886e38)
        Error("Floating point value out of range", offset);
    return static_cast<float>(value);
}

core::Currency TReader::ReadCurrency()
{
    int64_t offset = position_;
    TValueType type = NextValue();
    if (type == vaCurrency) {
        ReadValue();
        return core::Currency{ReadIntegerValue(vaInt64, offset)};
    }
    double value = ReadFloat();
    // The scaled value must fit in 64 bits.
    if (!(std::fabs(value) < 922337203685477.0))
        Error("Currency value out of range", offset);
    return core::Currency{std::llround(value * 10000.0)};
}

double TReader::ReadDate()
{
    return ReadFloat();
}

AnsiString TReader::ReadUtf16Text(int64_t offset, bool wide, WideString* wideOut)
{
    uint32_t count = ReadLength(2, offset);
    std::string raw(size_t{count} * 2, '\0');
    Read(raw.data(), static_cast<int64_t>(raw.size()));
    WideString units(count, u'\0');
    for (uint32_t i = 0; i < count; ++i)
        units[i] = static_cast<char16_t>(static_cast<uint8_t>(raw[2 * i]) | static_cast<uint8_t>(raw[2 * i + 1]) << 8);
    if (wide) {
        *wideOut = std::move(units);
        return {};
    }
    return core::WideToAnsi(units);
}

AnsiString TReader::ReadString()
{
    int64_t offset = position_;
    TValueType type = ReadValue();
    switch (type) {
    case vaString: {
        uint8_t length = ReadByte();
        AnsiString text(length, '\0');
        Read(text.data(), length);
        return text;
    }
    case vaLString: {
        AnsiString text(ReadLength(1, offset), '\0');
        Read(text.data(), static_cast<int64_t>(text.size()));
        return text;
    }
    case vaWString:
    case vaUString:
        return ReadUtf16Text(offset, false, nullptr);
    case vaUTF8String: {
        std::string utf8(ReadLength(1, offset), '\0');
        Read(utf8.data(), static_cast<int64_t>(utf8.size()));
        return core::Utf8ToAnsi(utf8);
    }
    default:
        WrongType("a string", type, offset);
    }
}

WideString TReader::ReadWideString()
{
    int64_t offset = position_;
    TValueType type = NextValue();
    switch (type) {
    case vaString:
    case vaLString:
        return core::AnsiToWide(ReadString());
    case vaWString:
    case vaUString: {
        ReadValue();
        WideString text;
        ReadUtf16Text(offset, true, &text);
        return text;
    }
    case vaUTF8String: {
        ReadValue();
        std::string utf8(ReadLength(1, offset), '\0');
        Read(utf8.data(), static_cast<int64_t>(utf8.size()));
        return core::Utf8ToWide(utf8);
    }
    default:
        ReadValue();
        WrongType("a string", type, offset);
    }
}

char TReader::ReadChar()
{
    int64_t offset = position_;
    AnsiString text = ReadString();
    if (text.size() != 1)
        Error("Invalid property value: expected one character", offset);
    return text[0];
}

char16_t TReader::ReadWideChar()
{
    int64_t offset = position_;
    WideString text = ReadWideString();
    if (text.size() != 1)
        Error("Invalid property value: expected one character", offset);
    return text[0];
}

AnsiString TReader::ReadIdent()
{
    int64_t offset = position_;
    TValueType type = ReadValue();
    switch (type) {
    case vaIdent:
        return ReadStr();
    case vaFalse:
        return "False";
    case vaTrue:
        return "True";
    case vaNil:
        return "nil";
    case vaNull:
        return "Null";
    default:
        WrongType("an identifier", type, offset);
    }
}

AnsiString TReader::ReadBinary()
{
    int64_t offset = position_;
    CheckValue(vaBinary);
    AnsiString bytes(ReadLength(1, offset), '\0');
    Read(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

std::vector<AnsiString> TReader::ReadSetNames()
{
    CheckValue(vaSet);
    std::vector<AnsiString> names;
    for (AnsiString name = ReadStr(); !name.empty(); name = ReadStr())
        names.push_back(std::move(name));
    return names;
}

core::Variant TReader::ReadVariant()
{
    int64_t offset = position_;
    TValueType type = NextValue();
    switch (type) {
    case vaNil:
        ReadValue();
        return core::Variant();
    case vaNull:
        ReadValue();
        return core::Variant::Null();
    case vaInt8:
    case vaInt16:
    case vaInt32:
        return core::Variant(ReadInteger());
    case vaInt64:
        return core::Variant(ReadInt64());
    case vaExtended:
        return core::Variant(ReadFloat());
    case vaSingle:
        return core::Variant(ReadSingle());
    case vaCurrency:
        return core::Variant(ReadCurrency());
    case vaDate:
        return core::Variant::FromDate(ReadFloat());
    case vaString:
    case vaLString:
        return core::Variant(ReadString());
    case vaWString:
    case vaUString:
    case vaUTF8String:
        return core::Variant(ReadWideString());
    case vaFalse:
    case vaTrue:
        return core::Variant(ReadBoolean());
    default:
        ReadValue();
        WrongType("a variant value", type, offset);
    }
}

void TReader::SkipValue()
{
    int64_t offset = position_;
    auto skip = [&](int64_t count) {
        if (count > Remaining())
            Error("Unexpected end of stream", end_);
        stream_.Seek(count, core::soCurrent);
        position_ += count;
    };
    switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
        break;
    case vaList: {
        DepthGuard guard(*this, offset);
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        break;
    }
    case vaInt8:
        skip(1);
        break;
    case vaInt16:
        skip(2);
        break;
    case vaInt32:
    case vaSingle:
        skip(4);
        break;
    case vaInt64:
    case vaCurrency:
    case vaDate:
        skip(8);
        break;
    case vaExtended:
        skip(10);
        break;
    case vaString:
    case vaIdent:
        skip(ReadByte());
        break;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
        skip(ReadLength(1, offset));
        break;
    case vaWString:
    case vaUString:
        skip(int64_t{ReadLength(2, offset)} * 2);
        break;
    case vaSet:
        while (!ReadStr().empty()) {
        }
        break;
    case vaCollection: {
        DepthGuard guard(*this, offset);
        while (!EndOfList()) {
            TValueType next = NextValue();
            if (next == vaInt8 || next == vaInt16 || next == vaInt32)
                SkipValue();
            ReadListBegin();
            while (!EndOfList()) {
                ReadStr();
                SkipValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        break;
    }
    }
}

void TReader::ReadCollection(TCollection& collection)
{
    CheckValue(vaCollection);
    // Called by a class's own callback: how its items are reached from the
    // component is not known, so references in them are resolved at once.
    bool reachable = stepsReachable_;
    stepsReachable_ = false;
    try {
        ReadCollectionItems(collection, nullptr);
    } catch (...) {
        stepsReachable_ = reachable;
        throw;
    }
    stepsReachable_ = reachable;
}

void TReader::ReadCollectionItems(TCollection& collection, const PropInfo* viaProp)
{
    DepthGuard guard(*this, position_);
    collection.BeginUpdate();
    struct EndUpdate {
        TCollection& c;
        ~EndUpdate() { c.EndUpdate(); }
    } endUpdate{collection};
    if (!EndOfList())
        collection.Clear();
    for (int index = 0; !EndOfList(); ++index) {
        TValueType next = NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32)
            ReadInteger();  // the item's order number, which only text shows
        TCollectionItem* item = collection.Add();
        PathScope scope(*this);
        context_.push_back("[" + std::to_string(index) + "]");
        if (viaProp)
            steps_.push_back({viaProp, index});
        else
            stepsReachable_ = false;
        ReadListBegin();
        while (!EndOfList())
            ReadProperty(*item);
        ReadListEnd();
    }
    ReadListEnd();
}

// --- Objects and properties --------------------------------------------------

void TReader::ReadSignature()
{
    int64_t offset = position_;
    char signature[4] = {};
    if (Remaining() < 4)
        Error("Invalid stream format: no component stream signature", offset);
    Read(signature, 4);
    if (std::memcmp(signature, FilerSignature, 4) != 0)
        Error("Invalid stream format: no component stream signature", offset);
}

TFilerFlags TReader::ReadPrefix(int& childPos)
{
    childPos = -1;
    TFilerFlags flags;
    int64_t offset = position_;
    uint8_t b = ReadByte();
    if ((b & 0xF0) != 0xF0) {
        stream_.Seek(-1, core::soCurrent);
        --position_;
        return flags;
    }
    if (b & 0x08)
        Error(core::Format("Invalid object prefix %d", b), offset);
    flags = TFilerFlags::FromBits(b & 0x07);
    if (flags.Contains(ffChildPos))
        childPos = ReadInteger();
    return flags;
}

TComponent* TReader::ReadRootComponent(TComponent* root)
{
    ReadSignature();
    return ReadTopLevel(root);
}

TComponent* TReader::ReadComponent(TComponent* component)
{
    return session_ ? ReadNested(component) : ReadTopLevel(component);
}

TComponent* TReader::CreateComponent(const AnsiString& className, int64_t offset)
{
    const core::TClass* cls = core::GetClass(className);
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass()) || cls->IsAbstract()) {
        AnsiString message = core::Format("Class %s not found", className) + " " + DescribePosition(offset);
        AnsiString context = ContextPath();
        if (!context.empty())
            message += " (reading " + context + ")";
        lastMessage_ = message;
        throw core::EClassNotFound(message);
    }
    TComponent* component;
    try {
        component = static_cast<TComponent*>(cls->CreateInstance(owner_));
    } catch (core::Exception& e) {
        Annotate(e, offset);
        throw;
    }
    session_->created.push_back(component);
    return component;
}

TComponent* TReader::ReadTopLevel(TComponent* root)
{
    session_ = std::make_unique<Session>();
    try {
        DepthGuard guard(*this, position_);
        int64_t start = position_;
        int childPos;
        TFilerFlags flags = ReadPrefix(childPos);
        int64_t classOffset = position_;
        AnsiString className = ReadStr();
        AnsiString name = ReadStr();
        context_.assign(1, name.empty() ? className : name);
        if (!root) {
            owner_ = nullptr;
            root = CreateComponent(className, classOffset);
            session_->createdRoot = root;
        }
        root_ = lookupRoot_ = root;
        owner_ = parent_ = root;
        root->SetLoading(true);
        root->SetReading(true);
        session_->loaded.push_back(root);
        // A root that has a name keeps it: a component read back from a
        // saved layout is not renamed by it.
        if (root->Name().empty() && !name.empty()) {
            try {
                root->SetName(name);
            } catch (core::Exception& e) {
                Annotate(e, start);
                throw;
            }
        }
        ReadData(*root, flags.Contains(ffInline));
        Finish();
    } catch (...) {
        Abandon();
        session_.reset();
        context_.clear();
        throw;
    }
    session_.reset();
    context_.clear();
    return root;
}

TComponent* TReader::ReadNested(TComponent* component)
{
    DepthGuard guard(*this, position_);
    PathScope scope(*this);
    int64_t start = position_;
    int childPos;
    TFilerFlags flags = ReadPrefix(childPos);
    int64_t classOffset = position_;
    AnsiString className = ReadStr();
    AnsiString name = ReadStr();
    context_.push_back("." + (name.empty() ? className : name));
    TComponent* result = component;
    bool inherited = flags.Contains(ffInherited);
    if (!result && inherited) {
        result = owner_ ? owner_->FindComponent(name) : nullptr;
        if (!result)
            Error(core::Format("Ancestor for '%s' not found", name), start);
    }
    if (!result)
        result = CreateComponent(className, classOffset);
    result->SetLoading(true);
    result->SetReading(true);
    session_->loaded.push_back(result);
    try {
        if (!inherited)
            result->SetName(name);
        result->SetParentComponent(parent_);
    } catch (core::Exception& e) {
        Annotate(e, start);
        throw;
    }
    ReadData(*result, flags.Contains(ffInline));
    return result;
}

void TReader::ReadData(TComponent& component, bool isInline)
{
    // Properties are reached from this component from here on.
    struct Restore {
        TReader& r;
        std::vector<Step> steps;
        bool reachable;
        TComponent* base;
        TComponent* owner;
        TComponent* parent;
        ~Restore()
        {
            r.steps_.swap(steps);
            r.stepsReachable_ = reachable;
            r.base_ = base;
            r.owner_ = owner;
            r.parent_ = parent;
        }
    } restore{*this, {}, stepsReachable_, base_, owner_, parent_};
    steps_.swap(restore.steps);
    stepsReachable_ = true;
    base_ = &component;

    while (!EndOfList())
        ReadProperty(component);
    ReadListEnd();
    parent_ = &component;
    if (isInline)
        owner_ = &component;
    while (!EndOfList())
        ReadNested(nullptr);
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent& instance)
{
    int64_t start = position_;
    AnsiString path = ReadStr();
    PathScope scope(*this);
    context_.push_back("." + path);
    try {
        TPersistent* target = &instance;
        size_t begin = 0;
        for (size_t dot = path.find('.'); dot != AnsiString::npos; dot = path.find('.', begin)) {
            std::string_view segment = std::string_view(path).substr(begin, dot - begin);
            const PropInfo* prop = target->ClassType().FindProperty(segment);
            if (!prop || prop->Kind() != core::tkClass)
                Error(core::Format("Property %s does not exist", AnsiString(segment)), start);
            auto* next = dynamic_cast<TPersistent*>(prop->GetObject(*target));
            if (!next)
                Error(core::Format("Property %s has no object", AnsiString(segment)), start);
            steps_.push_back({prop, -1});
            target = next;
            begin = dot + 1;
        }
        AnsiString name = path.substr(begin);
        const PropInfo* prop = name.empty() ? nullptr : target->ClassType().FindProperty(name);
        if (prop) {
            ReadPropValue(*target, *prop, start);
        } else {
            propName_ = name;
            DefineAllProperties(*this, *target);
            if (!propName_.empty()) {
                propName_.clear();
                Error(core::Format("Property %s does not exist", name), start);
            }
        }
    } catch (core::Exception& e) {
        Annotate(e, start);
        throw;
    }
}

void TReader::ReadPropValue(TPersistent& instance, const PropInfo& prop, int64_t offset)
{
    int64_t valueOffset = position_;
    switch (prop.Kind()) {
    case core::tkInteger: {
        int64_t value;
        if (NextValue() == vaIdent) {
            AnsiString ident = ReadIdent();
            if (!core::IdentToInt(prop.TypeName(), ident, value))
                Error(core::Format("Invalid property value %s", ident), valueOffset);
        } else {
            value = ReadInteger();
        }
        prop.SetOrd(instance, value);
        break;
    }
    case core::tkInt64:
        prop.SetOrd(instance, ReadInt64());
        break;
    case core::tkChar:
        prop.SetOrd(instance, static_cast<uint8_t>(ReadChar()));
        break;
    case core::tkWChar:
        prop.SetOrd(instance, ReadWideChar());
        break;
    case core::tkEnumeration: {
        AnsiString ident = ReadIdent();
        int value = prop.EnumValue(ident);
        if (value < 0)
            Error(core::Format("Invalid property value %s", ident), valueOffset);
        prop.SetOrd(instance, value);
        break;
    }
    case core::tkSet: {
        uint64_t bits = 0;
        for (const AnsiString& element : ReadSetNames()) {
            int bit = prop.EnumValue(element);
            if (bit < 0 || bit >= 64)
                Error(core::Format("Invalid set element %s", element), valueOffset);
            bits |= uint64_t{1} << bit;
        }
        prop.SetOrd(instance, static_cast<int64_t>(bits));
        break;
    }
    case core::tkFloat:
        // Narrower types are range-checked here rather than overflowing in
        // the setter.
        if (core::SameText(prop.TypeName(), "Single"))
            prop.SetFloat(instance, ReadSingle());
        else if (core::SameText(prop.TypeName(), "Currency"))
            prop.SetFloat(instance, ReadCurrency().ToDouble());
        else
            prop.SetFloat(instance, ReadFloat());
        break;
    case core::tkString:
        prop.SetStr(instance, ReadString());
        break;
    case core::tkWString:
        prop.SetWideStr(instance, ReadWideString());
        break;
    case core::tkVariant:
        prop.SetVariant(instance, ReadVariant());
        break;
    case core::tkClass:
        ReadObjectValue(instance, prop, offset);
        break;
    case core::tkMethod:
        ReadMethodValue(instance, prop, offset);
        break;
    default:
        Error(core::Format("Property %s cannot be read", prop.Name()), offset);
    }
}

void TReader::ReadObjectValue(TPersistent& instance, const PropInfo& prop, int64_t offset)
{
    int64_t valueOffset = position_;
    TValueType type = ReadValue();
    switch (type) {
    case vaNil:
        prop.SetObject(instance, nullptr);
        break;
    case vaCollection: {
        auto* collection = dynamic_cast<TCollection*>(prop.GetObject(instance));
        if (!collection)
            Error(core::Format("Property %s is not a collection", prop.Name()), offset);
        ReadCollectionItems(*collection, &prop);
        break;
    }
    case vaIdent:
        if (!prop.PropClass() || !prop.PropClass()->InheritsFrom(TComponent::StaticClass()))
            WrongType("an object", type, valueOffset);
        AddFixup(instance, prop, ReadStr(), offset);
        break;
    default:
        WrongType("an object", type, valueOffset);
    }
}

void TReader::ReadMethodValue(TPersistent& instance, const PropInfo& prop, int64_t offset)
{
    int64_t valueOffset = position_;
    TValueType type = NextValue();
    if (type == vaNil) {
        ReadValue();
        prop.SetMethod(instance, core::TMethod{});
        return;
    }
    if (type != vaIdent) {
        ReadValue();
        WrongType("a method name", type, valueOffset);
    }
    AnsiString name = ReadIdent();
    const std::any* handler = lookupRoot_ ? lookupRoot_->MethodAddress(name) : nullptr;
    if (!handler)
        Error(core::Format("Method %s not found in %s", name,
                           lookupRoot_ ? lookupRoot_->ClassName() : AnsiString("the root")),
              offset);
    prop.SetMethod(instance, core::TMethod{name, *handler});
}

void TReader::DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc, bool)
{
    if (propName_.empty() || !core::SameText(name, propName_))
        return;
    propName_.clear();
    if (!readData)
        Error(core::Format("Property %s cannot be read", name), position_);
    readData(*this);
}

void TReader::DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc, bool)
{
    if (propName_.empty() || !core::SameText(name, propName_))
        return;
    propName_.clear();
    int64_t offset = position_;
    CheckValue(vaBinary);
    uint32_t length = ReadLength(1, offset);
    core::TMemoryStream data;
    data.SetSize(length);
    Read(data.Memory(), length);
    data.SetPosition(0);
    if (!readData)
        Error(core::Format("Property %s cannot be read", name), offset);
    readData(data);
}

// --- References and the end of a read ---------------------------------------

void TReader::AddFixup(TPersistent& instance, const PropInfo& prop, const AnsiString& name, int64_t offset)
{
    if (session_ && stepsReachable_ && base_) {
        session_->fixups.push_back({base_, steps_, &prop, name, offset, ContextPath()});
        return;
    }
    // Nothing says how to reach this object again later: resolve it now.
    TComponent* target = FindReference(name);
    if (!target)
        Error(core::Format("Component %s not found", name), offset);
    prop.SetObject(instance, target);
}

TComponent* TReader::FindReference(const AnsiString& name) const
{
    if (!root_)
        return nullptr;
    size_t dot = name.find('.');
    std::string_view first = std::string_view(name).substr(0, dot);
    TComponent* found = root_->FindComponent(first);
    for (TComponent* c = root_; !found && c; c = c->Owner())
        if (core::SameText(c->Name(), first))
            found = c;
    if (!found && dot != AnsiString::npos && GlobalFinder())
        found = GlobalFinder()(first);
    while (found && dot != AnsiString::npos) {
        size_t next = name.find('.', dot + 1);
        found = found->FindComponent(std::string_view(name).substr(dot + 1, next - dot - 1));
        dot = next;
    }
    return found;
}

void TReader::ResolveFixups()
{
    for (const Fixup& fixup : session_->fixups) {
        TPersistent* object = fixup.base;
        for (const Step& step : fixup.steps) {
            core::TObject* next = step.prop->GetObject(*object);
            if (step.item >= 0) {
                auto* collection = dynamic_cast<TCollection*>(next);
                next = collection && step.item < collection->Count() ? collection->Items(step.item) : nullptr;
            }
            object = dynamic_cast<TPersistent*>(next);
            if (!object)
                break;
        }
        if (!object)
            continue;
        TComponent* target = FindReference(fixup.name);
        context_.assign(1, fixup.context);
        if (!target) {
            // A reference into another window that is not loaded stays unset.
            if (fixup.name.find('.') != AnsiString::npos)
                continue;
            Error(core::Format("Component %s not found", fixup.name), fixup.offset);
        }
        try {
            fixup.prop->SetObject(*object, target);
        } catch (core::Exception& e) {
            Annotate(e, fixup.offset);
            throw;
        }
    }
    context_.clear();
}

void TReader::Finish()
{
    ResolveFixups();
    for (TComponent* component : session_->loaded)
        component->SetReading(false);
    for (TComponent* component : session_->loaded)
        component->Loaded();
}

void TReader::Abandon()
{
    Session& s = *session_;
    for (TComponent* component : s.loaded) {
        bool created = component == s.createdRoot ||
                       std::find(s.created.begin(), s.created.end(), component) != s.created.end();
        if (!created) {
            component->SetReading(false);
            component->SetLoading(false);
        }
    }
    if (s.createdRoot) {
        delete s.createdRoot;
        return;
    }
    // Newest first: a component made later may be owned by one made earlier.
    for (auto it = s.created.rbegin(); it != s.created.rend(); ++it)
        delete *it;
}

}  // namespace filing
