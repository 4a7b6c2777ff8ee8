#pragma once

#include "grid/foundation/ObjectSet.h"
#include "grid/foundation/SetElement.h"

namespace graphics {
class TBitmap;
}

namespace grid {

// A picture registered by identity, with the number of cells that hold it.
// The picture is the element's key: elements order by the picture's address.
class TtsBitmapElement : public TtsSetElement {
public:
    explicit TtsBitmapElement(graphics::TBitmap* bitmap) : bitmap_(bitmap) {}
    // Frees the picture when the element owns it.
    ~TtsBitmapElement() override;

    graphics::TBitmap* Bitmap() const { return bitmap_; }
    int RefCount() const { return refCount_; }
    void SetRefCount(int value) { refCount_ = value; }
    // The 1-based place of the picture in a stream's picture list; 0 until
    // the picture is written.
    int StreamIndex() const { return streamIndex_; }
    void SetStreamIndex(int value) { streamIndex_ = value; }
    bool OwnsBitmap() const { return ownsBitmap_; }
    void SetOwnsBitmap(bool value) { ownsBitmap_ = value; }

    // Compares through CompareKey with a one-value key made of the other
    // element's picture.
    TtsCompare Compare(const TtsCustomSet* set, const TtsSetElement* element) const override;
    // The key's first value is a picture (an object reference): before,
    // equal or after this element's picture by address.
    TtsCompare CompareKey(const TtsCustomSet* set, TtsKey key) const override;

private:
    graphics::TBitmap* bitmap_;
    int refCount_ = 0;
    int streamIndex_ = 0;
    bool ownsBitmap_ = false;
};

// A set of registered pictures.
class TtsBitmapSet : public TtsObjectSet {
    CORE_CLASS(TtsBitmapSet, TtsObjectSet)

    // The element registered for the picture, or nullptr.
    TtsBitmapElement* FindBitmap(const graphics::TBitmap* bitmap) const;
    // The element registered for the picture; a new one, which does not own
    // the picture and counts no holders, when it was not registered.
    TtsBitmapElement* Acquire(graphics::TBitmap* bitmap);
    // One holder fewer for a registered picture; at none the element goes,
    // and with it the picture when the element owns it. Unregistered
    // pictures are ignored.
    void ReleaseBitmap(const graphics::TBitmap* bitmap);
};

// The process-wide registry of the pictures that cells share: the pictures
// the storage makes while it reads a stream. It is made on first need and
// freed when the program ends, freeing every picture it owns.
//
// A new, empty picture, registered and owned by the registry; its element
// counts no holders yet.
TtsBitmapElement* NewSharedBitmap();
// The registry's element for the picture, or nullptr (also while there is
// no registry).
TtsBitmapElement* FindSharedBitmap(const graphics::TBitmap* bitmap);
// One holder more (`release` false) or fewer (`release` true) for a
// registered picture. Pictures the registry does not know, and every call
// while there is no registry, are ignored: the application's own pictures
// are only referred to, never counted or freed.
void ChangeBitmapRef(const graphics::TBitmap* bitmap, bool release);
// The registry, or nullptr while it does not exist.
TtsBitmapSet* SharedBitmaps();
// Frees the registry and the pictures it owns. The grid unit's end does
// this; cells that still refer to the pictures must be gone by then.
void FreeSharedBitmaps();

}  // namespace grid
