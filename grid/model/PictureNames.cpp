#include "grid/model/PictureNames.h"

#include <charconv>

#include "grid/foundation/ImageLink.h"

namespace grid {

using core::AnsiString;

void TtsPictureNames::SetImageListIds(const AnsiString& commaText)
{
    ids_.SetSorted(false);
    ids_.SetCommaText(commaText);
    ids_.SetSorted(true);
}

int TtsPictureNames::AddListId(const AnsiString& id, int& shiftFrom)
{
    shiftFrom = -1;
    ids_.SetSorted(true);
    int index = 0;
    if (ids_.Find(id, index))
        return index;
    index = ids_.Add(id);
    if (index < ids_.Count() - 1)
        shiftFrom = index;
    return index;
}

AnsiString TtsPictureNames::Encode(const AnsiString& name, const TtsImageListComponent* list, int& shiftFrom)
{
    shiftFrom = -1;
    if (!list)
        return name;
    int picture = list->IndexOfName(name);
    if (picture < 0)
        return name;
    int listIndex = AddListId(list->ListName(), shiftFrom);
    return name + kSeparator + std::to_string(listIndex) + kSeparator + std::to_string(picture);
}

bool TtsPictureNames::Split(const AnsiString& stored, AnsiString& name, int& listIndex, int& pictureIndex)
{
    size_t first = stored.find(kSeparator);
    if (first == AnsiString::npos)
        return false;
    size_t second = stored.find(kSeparator, first + 1);
    if (second == AnsiString::npos)
        return false;
    const char* text = stored.data();
    auto a = std::from_chars(text + first + 1, text + second, listIndex);
    auto b = std::from_chars(text + second + 1, text + stored.size(), pictureIndex);
    if (a.ec != std::errc() || a.ptr != text + second || b.ec != std::errc() || b.ptr != text + stored.size())
        return false;
    name = stored.substr(0, first);
    return true;
}

AnsiString TtsPictureNames::BareName(const AnsiString& stored)
{
    size_t first = stored.find(kSeparator);
    return first == AnsiString::npos ? stored : stored.substr(0, first);
}

AnsiString TtsPictureNames::ShiftListIndex(const AnsiString& stored, int from)
{
    AnsiString name;
    int listIndex = 0, picture = 0;
    if (!Split(stored, name, listIndex, picture) || listIndex < from)
        return stored;
    return name + kSeparator + std::to_string(listIndex + 1) + kSeparator + std::to_string(picture);
}

AnsiString TtsPictureNames::Resolve(const AnsiString& stored, const TtsImageListComponent* list) const
{
    AnsiString name;
    int listIndex = 0, picture = 0;
    if (!Split(stored, name, listIndex, picture))
        return BareName(stored);
    if (!list || listIndex < 0 || listIndex >= ids_.Count() || ids_.Strings(listIndex) != list->ListName())
        return name;
    if (list->IndexOfName(name) == picture)
        return name;
    // The picture at the remembered place was renamed: the cell follows it.
    if (TtsImageItem* item = list->ImageItem(core::Variant(int32_t{picture})))
        return item->Name();
    return name;
}

}  // namespace grid
