// The cell store's stream, as a form's Data block or a saved layout hands it
// over. Any bytes may only end in a clean error that leaves the store as it
// was; what loads writes back as a stream that loads to the same store, and
// every picture the load made is let go with the cells that hold it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/foundation/2DStorage.h"
#include "grid/foundation/BitmapSet.h"
#include "grid/foundation/IntegerList.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"

namespace {

std::string Saved(const grid::Tts2DStorage& storage)
{
    core::TStringStream stream;
    storage.SaveToStream(stream);
    return stream.DataString();
}

int SharedCount()
{
    return grid::SharedBitmaps() ? grid::SharedBitmaps()->Count() : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 64 * 1024)
        return 0;
    // The first byte picks a column map (or none); the rest is the stream.
    grid::TtsIntegerList map;
    uint8_t mode = data[0];
    for (int i = 0; i < (mode & 3); ++i)
        map.Add(static_cast<int>((mode >> (2 + 2 * i)) & 3) * 2 - 1);
    const grid::TtsIntegerList* colMap = (mode & 3) ? &map : nullptr;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    {
        grid::Tts2DStorage storage(3, 5);
        storage.SetValue(1, 1, grid::skText, core::Variant(core::AnsiString("kept")));
        storage.SetValue(4, 2, grid::skCheckState, core::Variant(2));
        storage.SetValue(2, 3, grid::skBitmap, grid::BitmapValue(grid::NewSharedBitmap()->Bitmap()));
        std::string before = Saved(storage);
        core::TStringStream stream(bytes);
        try {
            storage.LoadFromStream(stream, colMap);
        } catch (const core::Exception&) {
            // The store's own picture is the only one registered.
            if (Saved(storage) != before || stream.Position() != 0 || SharedCount() != 1)
                __builtin_trap();
            return 0;
        }
        if (stream.Position() > stream.Size())
            __builtin_trap();

        std::string once = Saved(storage);
        grid::Tts2DStorage again(3, 5);
        core::TStringStream written(once);
        again.LoadFromStream(written, nullptr);
        if (written.Position() != written.Size())
            __builtin_trap();
        if (Saved(again) != once)
            __builtin_trap();
    }
    if (SharedCount() != 0)
        __builtin_trap();
    return 0;
}
