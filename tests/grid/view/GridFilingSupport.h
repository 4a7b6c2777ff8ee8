#pragma once

// Helpers of the grid filing tests: text forms to bytes and back, grids read
// from bytes, and reading little-endian numbers out of a stream.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "grid/view/Grid.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/TextConvert.h"
#include "platform/ui/Registration.h"

namespace gridtest {

using core::AnsiString;

// The platform's names of colours and character sets, for descriptions.
inline void RegisterNames()
{
    static const bool registered = (ui::RegisterControls(), true);
    (void)registered;
}

inline AnsiString TextToBinary(const std::string& text)
{
    RegisterNames();
    core::TStringStream in{AnsiString(text)};
    core::TStringStream out;
    filing::ObjectTextToBinary(in, out);
    return out.DataString();
}

inline std::string BinaryToText(const AnsiString& bytes)
{
    RegisterNames();
    core::TStringStream in{bytes};
    core::TStringStream out;
    filing::ObjectBinaryToText(in, out);
    return out.DataString();
}

inline AnsiString Written(core::TComponent& component)
{
    RegisterNames();
    core::TStringStream out;
    filing::WriteComponent(out, &component);
    return out.DataString();
}

inline void ReadInto(core::TComponent& component, const AnsiString& bytes)
{
    RegisterNames();
    core::TStringStream in{bytes};
    filing::ReadComponent(in, &component);
}

inline std::unique_ptr<grid::TtsGrid> NewGrid(int cols, int rows, bool storeData)
{
    auto grid = std::make_unique<grid::TtsGrid>(nullptr);
    grid->SetName("Grid1");
    grid->SetCols(cols);
    grid->SetRows(rows);
    grid->SetStoreData(storeData);
    return grid;
}

inline std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const core::Exception& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

// Bytes from a hex text; blanks are passed over.
inline AnsiString Hex(std::string_view text)
{
    AnsiString bytes;
    int high = -1;
    for (char c : text) {
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            bytes += static_cast<char>(high * 16 + v);
            high = -1;
        }
    }
    return bytes;
}

// The position just after a property name record ("\x04Data") in a stream.
inline size_t AfterName(const AnsiString& stream, const std::string& name)
{
    std::string record = std::string(1, static_cast<char>(name.size())) + name;
    size_t at = stream.find(record);
    return at == std::string::npos ? at : at + record.size();
}

}  // namespace gridtest
