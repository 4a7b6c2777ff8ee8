#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "StorageSupport.h"
#include "grid/foundation/BitmapSet.h"
#include "platform/graphics/Bitmap.h"

using namespace grid;
using storagetest::SharedCount;

namespace {

using BitmapSetTest = storagetest::StorageFixture;

TEST_F(BitmapSetTest, AcquireRegistersOnceAndReleaseRemovesAtNoHolders)
{
    std::vector<std::unique_ptr<graphics::TBitmap>> pictures;
    for (int i = 0; i < 20; ++i)
        pictures.push_back(std::make_unique<graphics::TBitmap>());
    TtsBitmapSet set;
    for (auto& picture : pictures) {
        TtsBitmapElement* element = set.Acquire(picture.get());
        EXPECT_EQ(element->Bitmap(), picture.get());
        EXPECT_EQ(element->RefCount(), 0);
        EXPECT_EQ(element->StreamIndex(), 0);
        EXPECT_FALSE(element->OwnsBitmap());
        EXPECT_EQ(set.Acquire(picture.get()), element);
    }
    EXPECT_EQ(set.Count(), 20);
    for (auto& picture : pictures)
        EXPECT_EQ(set.FindBitmap(picture.get())->Bitmap(), picture.get());
    graphics::TBitmap stranger;
    EXPECT_EQ(set.FindBitmap(&stranger), nullptr);
    set.ReleaseBitmap(&stranger);
    EXPECT_EQ(set.Count(), 20);

    TtsBitmapElement* held = set.FindBitmap(pictures[3].get());
    held->SetRefCount(2);
    set.ReleaseBitmap(pictures[3].get());
    EXPECT_EQ(held->RefCount(), 1);
    set.ReleaseBitmap(pictures[3].get());
    EXPECT_EQ(set.FindBitmap(pictures[3].get()), nullptr);
    // A picture nobody counted goes at its first release.
    set.ReleaseBitmap(pictures[4].get());
    EXPECT_EQ(set.Count(), 18);
    // The set does not own these pictures: they are still whole.
    EXPECT_EQ(pictures[3]->Width(), 0);
}

TEST_F(BitmapSetTest, ElementsOrderByPictureAddress)
{
    // Elements of one array lie in address order.
    graphics::TBitmap pictures[2];
    graphics::TBitmap* low = &pictures[0];
    graphics::TBitmap* high = &pictures[1];
    TtsBitmapElement element(low);
    TtsBitmapElement lower(low);
    TtsBitmapElement higher(high);
    EXPECT_EQ(element.Compare(nullptr, &lower), crEqual);
    EXPECT_EQ(element.Compare(nullptr, &higher), crAfter);
    EXPECT_EQ(higher.Compare(nullptr, &element), crBefore);
    EXPECT_EQ(element.CompareKey(nullptr, {TtsTaggedValue(high)}), crAfter);
    EXPECT_EQ(higher.CompareKey(nullptr, {TtsTaggedValue(low)}), crBefore);
    // A key of an integer is not a picture.
    EXPECT_THROW(element.CompareKey(nullptr, {TtsTaggedValue(5)}), core::EInvalidCast);
}

TEST_F(BitmapSetTest, SharedRegistryOwnsWhatItMakesAndIgnoresOtherPictures)
{
    FreeSharedBitmaps();
    graphics::TBitmap own;
    // No registry yet: nothing is found and counting does nothing.
    EXPECT_EQ(SharedBitmaps(), nullptr);
    EXPECT_EQ(FindSharedBitmap(&own), nullptr);
    ChangeBitmapRef(&own, false);
    ChangeBitmapRef(&own, true);
    EXPECT_EQ(SharedBitmaps(), nullptr);

    TtsBitmapElement* element = NewSharedBitmap();
    ASSERT_NE(SharedBitmaps(), nullptr);
    EXPECT_TRUE(element->OwnsBitmap());
    EXPECT_TRUE(element->Bitmap()->Empty());
    EXPECT_EQ(element->RefCount(), 0);
    EXPECT_EQ(FindSharedBitmap(element->Bitmap()), element);

    // The application's own picture is neither registered nor counted.
    ChangeBitmapRef(&own, false);
    EXPECT_EQ(FindSharedBitmap(&own), nullptr);
    EXPECT_EQ(SharedCount(), 1);

    ChangeBitmapRef(element->Bitmap(), false);
    ChangeBitmapRef(element->Bitmap(), false);
    EXPECT_EQ(element->RefCount(), 2);
    graphics::TBitmap* picture = element->Bitmap();
    ChangeBitmapRef(picture, true);
    ChangeBitmapRef(picture, true);
    EXPECT_EQ(FindSharedBitmap(picture), nullptr);
    EXPECT_EQ(SharedCount(), 0);

    // The end of the program frees whatever the registry still owns.
    ChangeBitmapRef(NewSharedBitmap()->Bitmap(), false);
    FreeSharedBitmaps();
    EXPECT_EQ(SharedBitmaps(), nullptr);
}

}  // namespace
