#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/core/Variant.h"
#include "platform/filing/Filer.h"

namespace filing {

// Reads the binary component stream: values, properties, collections and
// components, applying what it reads through the property registry.
//
// Every malformed input raises EReadError (EClassNotFound for a class that
// is not registered) naming what was wrong and where: the byte offset in
// the stream, or the line of the text form it came from when a describer is
// set, and the component and property being read. Lengths are checked
// against what is left of the stream before anything is allocated, and
// nesting deeper than MaxNestingDepth is refused. Errors raised by setters
// and callbacks keep their class and gain the same "where" in their message.
//
// Reading a component (ReadRootComponent, or ReadComponent outside another
// read) is one transaction: components it creates are owned by the root
// (their parent is the component they were nested in), named components are
// bound to the root's fields through their names, references to components
// are resolved once everything is read, and then every component read
// receives Loaded. While this runs each of them reports csReading and
// csLoading. When reading fails, the components it created are destroyed
// again, so nothing half-built is left behind.
class TReader : public TFiler {
public:
    explicit TReader(core::TStream& stream);
    ~TReader() override;

    // --- Values -----------------------------------------------------------
    // The type of the next value, without consuming it.
    TValueType NextValue();
    TValueType ReadValue();
    // Reads a value type and insists on `expected`.
    void CheckValue(TValueType expected);
    // Skips one whole value of any type.
    void SkipValue();
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();

    // Integer readers take vaInt8/16/32 (and a vaInt64 that fits); the
    // float readers take any number; the string readers take every string
    // type, converting between GBK and UTF-16 as the result needs; the
    // identifier reader answers "False", "True", "nil" and "Null" for those
    // values.
    int32_t ReadInteger();
    int64_t ReadInt64();
    bool ReadBoolean();
    double ReadFloat();
    float ReadSingle();
    core::Currency ReadCurrency();
    double ReadDate();
    char ReadChar();
    char16_t ReadWideChar();
    AnsiString ReadString();
    WideString ReadWideString();
    AnsiString ReadIdent();
    // The bytes of a vaBinary value.
    AnsiString ReadBinary();
    // The element names of a vaSet value.
    std::vector<AnsiString> ReadSetNames();
    // Null, nil (unassigned), numbers, Booleans and strings.
    core::Variant ReadVariant();
    // A vaCollection value: the collection is cleared when items follow and
    // gets one item per entry, whose properties are read in stored order.
    void ReadCollection(core::TCollection& collection);

    // --- Raw bytes --------------------------------------------------------
    // A short string: one length byte and that many bytes.
    AnsiString ReadStr();
    void Read(void* buffer, int64_t count);
    // The stream position, and what is left of the stream after it.
    int64_t Position() const { return position_; }
    int64_t Remaining() const { return end_ - position_; }

    // --- Objects ----------------------------------------------------------
    void ReadSignature();
    // The object header's prefix; `childPos` is -1 when it gives none.
    TFilerFlags ReadPrefix(int& childPos);
    // Reads the signature and the root component into `root`, or into a new
    // component of the stream's class when `root` is nullptr (deleted again
    // when reading fails). The root takes the stream's name only while it
    // has none, so a named component reading a saved layout keeps its name;
    // the recorded class of an existing root is not checked.
    core::TComponent* ReadRootComponent(core::TComponent* root);
    // Reads one component record into `component`, or into a new one of the
    // recorded class owned by Owner() when it is nullptr.
    core::TComponent* ReadComponent(core::TComponent* component);
    // Reads one property record (name and value) and applies it to `instance`.
    void ReadProperty(core::TPersistent& instance);

    // The owner and parent that components read next receive.
    core::TComponent* Owner() const { return owner_; }
    core::TComponent* Parent() const { return parent_; }

    void DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override;

    // Turns a byte offset into the place shown in messages, such as the line
    // of the text the stream was made from ("on line 12").
    void SetPositionDescriber(std::function<AnsiString(int64_t)> describe) { describe_ = std::move(describe); }
    AnsiString DescribePosition(int64_t offset) const;
    // Raises EReadError: `what`, where (at `offset`), and what was being read.
    [[noreturn]] void Error(const AnsiString& what, int64_t offset);

private:
    struct Fixup;
    struct Step;
    struct Session;
    class DepthGuard;
    class PathScope;

    uint8_t ReadByte();
    int64_t ReadIntegerValue(TValueType type, int64_t offset);
    uint32_t ReadLength(int64_t unitSize, int64_t offset);
    [[noreturn]] void WrongType(const char* expected, TValueType found, int64_t offset);
    AnsiString ReadUtf16Text(int64_t offset, bool wide, WideString* wideOut);

    core::TComponent* ReadTopLevel(core::TComponent* root);
    core::TComponent* ReadNested(core::TComponent* component);
    core::TComponent* CreateComponent(const AnsiString& className, int64_t offset);
    void ReadData(core::TComponent& component, bool isInline);
    void ReadPropValue(core::TPersistent& instance, const core::PropInfo& prop, int64_t offset);
    void ReadObjectValue(core::TPersistent& instance, const core::PropInfo& prop, int64_t offset);
    void ReadMethodValue(core::TPersistent& instance, const core::PropInfo& prop, int64_t offset);
    void ReadCollectionItems(core::TCollection& collection, const core::PropInfo* viaProp);
    void AddFixup(core::TPersistent& instance, const core::PropInfo& prop, const AnsiString& name, int64_t offset);
    void ResolveFixups();
    core::TComponent* FindReference(const AnsiString& name) const;
    void Finish();
    void Abandon();
    AnsiString ContextPath() const;
    void Annotate(core::Exception& e, int64_t offset);

    core::TStream& stream_;
    int64_t position_;
    int64_t end_;
    int depth_ = 0;
    core::TComponent* owner_ = nullptr;
    core::TComponent* parent_ = nullptr;
    AnsiString propName_;
    std::function<AnsiString(int64_t)> describe_;
    // The names of what is being read, outermost first, for messages.
    std::vector<AnsiString> context_;
    // How the object being read is reached from the component being read,
    // so that references are set on it at the end even if it was replaced.
    std::vector<Step> steps_;
    bool stepsReachable_ = true;
    core::TComponent* base_ = nullptr;
    // The last message this reader produced or completed, which needs no
    // second "where" as the error passes outer records.
    AnsiString lastMessage_;
    std::unique_ptr<Session> session_;
};

// Finds a component by name outside the root being read (a window loaded
// earlier), for references written as "Window.Component". The window layer
// sets it; without it such references are left unset.
void SetGlobalComponentFinder(std::function<core::TComponent*(std::string_view name)> finder);

}  // namespace filing
