#include "platform/filing/FormResources.h"

#include <cstring>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Stream.h"
#include "platform/core/StrUtils.h"
#include "platform/filing/Filer.h"
#include "platform/filing/Streaming.h"

namespace filing {

namespace {

struct FormResource {
    AnsiString name;
    std::string_view data;
    AnsiString rootClass;
};

std::vector<FormResource>& Resources()
{
    static std::vector<FormResource> resources;
    return resources;
}

bool IsBinary(std::string_view data)
{
    return data.size() >= 4 && std::memcmp(data.data(), FilerSignature, 4) == 0;
}

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The class of the root object, read from the header alone.
AnsiString RootClassOf(std::string_view data)
{
    if (IsBinary(data)) {
        size_t p = 4;
        if (p < data.size() && (static_cast<uint8_t>(data[p]) & 0xF0) == 0xF0) {
            bool childPos = data[p] & 0x02;
            ++p;
            if (childPos && p < data.size()) {
                uint8_t type = static_cast<uint8_t>(data[p]);
                p += 1 + (type == vaInt8 ? 1 : type == vaInt16 ? 2 : 4);
            }
        }
        if (p >= data.size())
            return {};
        size_t length = static_cast<uint8_t>(data[p]);
        return p + 1 + length <= data.size() ? AnsiString(data.substr(p + 1, length)) : AnsiString();
    }
    size_t p = data.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    auto word = [&] {
        while (p < data.size() && std::strchr(" \t\r\n", data[p]) && data[p])
            ++p;
        size_t start = p;
        while (p < data.size() && IsNameChar(data[p]))
            ++p;
        return data.substr(start, p - start);
    };
    word();  // object, inherited or inline
    std::string_view first = word();
    while (p < data.size() && std::strchr(" \t", data[p]) && data[p])
        ++p;
    if (p < data.size() && data[p] == ':') {
        ++p;
        return AnsiString(word());
    }
    return AnsiString(first);
}

void Load(core::TComponent& instance, std::string_view data)
{
    if (IsBinary(data)) {
        core::TStringStream stream{AnsiString(data)};
        ReadComponent(stream, &instance);
    } else {
        ReadComponentText(data, &instance);
    }
}

}  // namespace

void RegisterFormResource(const char* name, const unsigned char* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Resources().push_back({name, bytes, RootClassOf(bytes)});
}

std::optional<std::string_view> FindFormResource(std::string_view name)
{
    for (const FormResource& r : Resources())
        if (core::SameText(r.name, name))
            return r.data;
    for (const FormResource& r : Resources())
        if (core::SameText(r.rootClass, name))
            return r.data;
    return std::nullopt;
}

bool InitInheritedComponent(core::TComponent& instance)
{
    std::vector<const core::TClass*> chain;
    for (const core::TClass* c = &instance.ClassType(); c && c != &core::TComponent::StaticClass(); c = c->Parent())
        chain.push_back(c);
    bool loaded = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        for (const FormResource& r : Resources()) {
            if (core::SameText(r.rootClass, (*it)->Name())) {
                Load(instance, r.data);
                loaded = true;
                break;
            }
        }
    }
    return loaded;
}

}  // namespace filing
