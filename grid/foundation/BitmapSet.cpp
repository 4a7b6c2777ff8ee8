#include "grid/foundation/BitmapSet.h"

#include <cstdint>

#include "platform/graphics/Bitmap.h"

namespace grid {

CORE_CLASS_IMPL(TtsBitmapSet)

TtsBitmapElement::~TtsBitmapElement()
{
    if (ownsBitmap_)
        delete bitmap_;
}

TtsCompare TtsBitmapElement::Compare(const TtsCustomSet* set, const TtsSetElement* element) const
{
    const auto* other = dynamic_cast<const TtsBitmapElement*>(element);
    if (!other)
        throw core::EInvalidCast("Invalid class typecast");
    return CompareKey(set, {TtsTaggedValue(other->bitmap_)});
}

TtsCompare TtsBitmapElement::CompareKey(const TtsCustomSet* set, TtsKey key) const
{
    (void)set;
    // Pictures are ordered by address, so any order will do as long as it
    // is total; integers keep the comparison well defined.
    auto k = reinterpret_cast<std::uintptr_t>(key[0].Object());
    auto mine = reinterpret_cast<std::uintptr_t>(static_cast<const core::TObject*>(bitmap_));
    return k < mine ? crBefore : k == mine ? crEqual : crAfter;
}

TtsBitmapElement* TtsBitmapSet::FindBitmap(const graphics::TBitmap* bitmap) const
{
    return static_cast<TtsBitmapElement*>(Find({TtsTaggedValue(bitmap)}));
}

TtsBitmapElement* TtsBitmapSet::Acquire(graphics::TBitmap* bitmap)
{
    if (TtsBitmapElement* present = FindBitmap(bitmap))
        return present;
    auto* element = new TtsBitmapElement(bitmap);
    try {
        Add(element);
    } catch (...) {
        delete element;
        throw;
    }
    return element;
}

void TtsBitmapSet::ReleaseBitmap(const graphics::TBitmap* bitmap)
{
    TtsBitmapElement* element = FindBitmap(bitmap);
    if (!element)
        return;
    element->SetRefCount(element->RefCount() - 1);
    if (element->RefCount() <= 0)
        Remove({TtsTaggedValue(bitmap)});
}

// ---- The shared registry ----------------------------------------------------------

namespace {

// A plain pointer, so that it is null before any static constructor runs
// and null again once the finaliser below has freed the registry: a cell
// released during the program's end then finds no registry and does nothing.
TtsBitmapSet* sharedBitmaps = nullptr;

struct SharedBitmapsFinaliser {
    ~SharedBitmapsFinaliser() { FreeSharedBitmaps(); }
} finaliser;

}  // namespace

TtsBitmapElement* NewSharedBitmap()
{
    if (!sharedBitmaps)
        sharedBitmaps = new TtsBitmapSet();
    auto bitmap = std::make_unique<graphics::TBitmap>();
    TtsBitmapElement* element = sharedBitmaps->Acquire(bitmap.get());
    element->SetOwnsBitmap(true);
    bitmap.release();
    return element;
}

TtsBitmapElement* FindSharedBitmap(const graphics::TBitmap* bitmap)
{
    return sharedBitmaps ? sharedBitmaps->FindBitmap(bitmap) : nullptr;
}

void ChangeBitmapRef(const graphics::TBitmap* bitmap, bool release)
{
    if (!sharedBitmaps)
        return;
    if (release) {
        sharedBitmaps->ReleaseBitmap(bitmap);
    } else if (TtsBitmapElement* element = sharedBitmaps->FindBitmap(bitmap)) {
        element->SetRefCount(element->RefCount() + 1);
    }
}

TtsBitmapSet* SharedBitmaps()
{
    return sharedBitmaps;
}

void FreeSharedBitmaps()
{
    delete sharedBitmaps;
    sharedBitmaps = nullptr;
}

}  // namespace grid
