#pragma once

#include <vector>

#include "platform/core/StringList.h"

namespace grid {

class TtsImageListComponent;

// The picture names of picture cells while the grid is designed. A name is
// stored with where it came from, so that a picture renamed in its image
// list renames the cell too: the name, the character with code 1, the index
// of the image list's identifier in the identifier list, the character with
// code 1 and the picture's index in the image list. At run time names are
// stored bare.
//
// The identifier list is sorted (it is filed as ImageListIds). A new
// identifier can land before ones already in use; AddListId then says from
// which index the stored indexes must move up by one, and ShiftListIndex
// moves one stored name, so that every stored name keeps pointing at its own
// image list.
class TtsPictureNames {
public:
    static constexpr char kSeparator = '\x01';

    const core::TStringList& ImageListIds() const { return ids_; }
    void SetImageListIds(const core::AnsiString& commaText);
    void Clear() { ids_.Clear(); }

    // The index of the identifier, added in sorted order when missing.
    // `shiftFrom` is the index from which stored indexes must grow by one
    // (-1 when none must).
    int AddListId(const core::AnsiString& id, int& shiftFrom);

    // The design-time form of a name from an image list (with its picture
    // index); the bare name when the list is missing or does not know it.
    // `shiftFrom` as for AddListId.
    core::AnsiString Encode(const core::AnsiString& name, const TtsImageListComponent* list, int& shiftFrom);
    // The bare name of a stored name (either form).
    static core::AnsiString BareName(const core::AnsiString& stored);
    // Splits the design-time form; false for a bare name.
    static bool Split(const core::AnsiString& stored, core::AnsiString& name, int& listIndex, int& pictureIndex);
    // The stored name with its identifier index moved up by one when it is
    // at or above `from`.
    static core::AnsiString ShiftListIndex(const core::AnsiString& stored, int from);
    // The name a stored name reads as: the bare name, or, when the picture
    // at the remembered index of the same image list now has another name,
    // that name.
    core::AnsiString Resolve(const core::AnsiString& stored, const TtsImageListComponent* list) const;

private:
    core::TStringList ids_;
};

}  // namespace grid
