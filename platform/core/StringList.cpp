#include "platform/core/StringList.h"

#include <utility>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/core/StrUtils.h"

namespace core {

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Bytes of the character at `index`: a delimiter or quote that happens to
// equal the trail byte of a double-byte character must not split it.
size_t CharLength(std::string_view text, size_t index)
{
    bool pair = IsLeadByte(text[index]) && index + 1 < text.size() && IsTrailByte(text[index + 1]);
    return pair ? 2 : 1;
}

size_t FindChar(std::string_view text, char c)
{
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (text[i] == c)
            return i;
    return std::string_view::npos;
}

bool NeedsQuotes(std::string_view text, char delimiter, char quote)
{
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (IsBlank(text[i]) || text[i] == delimiter || text[i] == quote)
            return true;
    return false;
}

AnsiString Quoted(std::string_view text, char quote)
{
    AnsiString out(1, quote);
    for (size_t i = 0; i < text.size();) {
        size_t n = CharLength(text, i);
        out.append(text.substr(i, n));
        if (n == 1 && text[i] == quote)
            out += quote;
        i += n;
    }
    return out + quote;
}

// Reads a quoted item starting at the opening quote; a doubled quote stands
// for one. Without a closing quote the item runs to the end of the text.
AnsiString ExtractQuoted(std::string_view text, size_t& pos, char quote)
{
    AnsiString out;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                out += quote;
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        size_t n = CharLength(text, pos);
        out.append(text.substr(pos, n));
        pos += n;
    }
    return out;
}

void SkipBlanks(std::string_view text, size_t& pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
}

// Runs `body` inside BeginUpdate / EndUpdate, ending the update on failure too.
template <typename Body>
void WithUpdate(TStrings& list, Body body)
{
    list.BeginUpdate();
    try {
        body();
    } catch (...) {
        list.EndUpdate();
        throw;
    }
    list.EndUpdate();
}

[[noreturn]] void SortedListError()
{
    throw EStringListError("Operation not allowed on sorted list");
}

}  // namespace

// ---------------------------------------------------------------------------
// TStrings

void TStrings::IndexError(int index)
{
    throw EStringListError("List index out of bounds (%d)", index);
}

int TStrings::CompareStrings(const AnsiString& a, const AnsiString& b) const
{
    return AnsiCompareText(a, b);
}

void TStrings::SetStrings(int index, const AnsiString& text)
{
    TObject* object = Objects(index);
    WithUpdate(*this, [&] {
        Delete(index);
        InsertObject(index, text, object);
    });
}

TObject* TStrings::Objects(int index) const
{
    (void)index;
    return nullptr;
}

void TStrings::SetObjects(int index, TObject* object)
{
    (void)index;
    (void)object;
}

int TStrings::Add(const AnsiString& text)
{
    int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const AnsiString& text, TObject* object)
{
    int index = Add(text);
    SetObjects(index, object);
    return index;
}

void TStrings::InsertObject(int index, const AnsiString& text, TObject* object)
{
    Insert(index, text);
    SetObjects(index, object);
}

void TStrings::Exchange(int index1, int index2)
{
    WithUpdate(*this, [&] {
        AnsiString text = Strings(index1);
        TObject* object = Objects(index1);
        SetStrings(index1, Strings(index2));
        SetObjects(index1, Objects(index2));
        SetStrings(index2, text);
        SetObjects(index2, object);
    });
}

void TStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    // Both indexes are checked before anything changes, so that a bad target
    // does not lose the line on its way.
    for (int index : {curIndex, newIndex})
        if (index < 0 || index >= Count())
            IndexError(index);
    WithUpdate(*this, [&] {
        AnsiString text = Strings(curIndex);
        TObject* object = Objects(curIndex);
        Delete(curIndex);
        InsertObject(newIndex, text, object);
    });
}

int TStrings::IndexOf(const AnsiString& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Strings(i), text) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const AnsiString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        AnsiString line = Strings(i);
        size_t at = FindChar(line, nameValueSeparator_);
        if (at != std::string_view::npos && CompareStrings(line.substr(0, at), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == object)
            return i;
    return -1;
}

AnsiString TStrings::Names(int index) const
{
    AnsiString line = Strings(index);
    size_t at = FindChar(line, nameValueSeparator_);
    return at == std::string_view::npos ? AnsiString() : line.substr(0, at);
}

AnsiString TStrings::ValueFromIndex(int index) const
{
    AnsiString line = Strings(index);
    size_t at = FindChar(line, nameValueSeparator_);
    return at == std::string_view::npos ? AnsiString() : line.substr(at + 1);
}

AnsiString TStrings::Values(const AnsiString& name) const
{
    int index = IndexOfName(name);
    return index < 0 ? AnsiString() : ValueFromIndex(index);
}

void TStrings::SetValues(const AnsiString& name, const AnsiString& value)
{
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    AnsiString line = name + nameValueSeparator_ + value;
    if (index < 0)
        Add(line);
    else
        SetStrings(index, line);
}

AnsiString TStrings::Text() const
{
    AnsiString text;
    for (int i = 0; i < Count(); ++i)
        text.append(Strings(i)).append("\r\n");
    return text;
}

void TStrings::SetText(const AnsiString& text)
{
    WithUpdate(*this, [&] {
        Clear();
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = text.find_first_of("\r\n", pos);
            if (end == AnsiString::npos)
                end = text.size();
            Add(text.substr(pos, end - pos));
            pos = end;
            if (pos < text.size() && text[pos] == '\r')
                ++pos;
            if (pos < text.size() && text[pos] == '\n')
                ++pos;
        }
    });
}

AnsiString TStrings::DelimitedTextWith(char delimiter, char quote) const
{
    // A single empty item is written as a pair of quotes: bare, it would
    // read back as an empty list.
    if (Count() == 1 && Strings(0).empty())
        return AnsiString(2, quote);
    AnsiString text;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            text += delimiter;
        AnsiString item = Strings(i);
        text += NeedsQuotes(item, delimiter, quote) ? Quoted(item, quote) : item;
    }
    return text;
}

void TStrings::SetDelimitedTextWith(const AnsiString& text, char delimiter, char quote)
{
    WithUpdate(*this, [&] {
        Clear();
        size_t pos = 0;
        SkipBlanks(text, pos);
        while (pos < text.size()) {
            if (text[pos] == quote) {
                Add(ExtractQuoted(text, pos, quote));
            } else {
                size_t start = pos;
                while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != delimiter)
                    pos += CharLength(text, pos);
                Add(text.substr(start, pos - start));
            }
            SkipBlanks(text, pos);
            if (pos < text.size() && text[pos] == delimiter) {
                // A delimiter that ends the text closes an empty last item.
                if (pos + 1 == text.size())
                    Add(AnsiString());
                ++pos;
                SkipBlanks(text, pos);
            }
        }
    });
}

AnsiString TStrings::CommaText() const
{
    return DelimitedTextWith(',', '"');
}

void TStrings::SetCommaText(const AnsiString& text)
{
    SetDelimitedTextWith(text, ',', '"');
}

AnsiString TStrings::DelimitedText() const
{
    return DelimitedTextWith(delimiter_, quoteChar_);
}

void TStrings::SetDelimitedText(const AnsiString& text)
{
    SetDelimitedTextWith(text, delimiter_, quoteChar_);
}

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::Assign(const TStrings& source)
{
    if (&source == this)
        return;
    WithUpdate(*this, [&] {
        Clear();
        delimiter_ = source.delimiter_;
        quoteChar_ = source.quoteChar_;
        nameValueSeparator_ = source.nameValueSeparator_;
        AddStrings(source);
    });
}

void TStrings::AddStrings(const TStrings& source)
{
    WithUpdate(*this, [&] {
        int count = source.Count();
        for (int i = 0; i < count; ++i)
            AddObject(source.Strings(i), source.Objects(i));
    });
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) != other.Strings(i))
            return false;
    return true;
}

void TStrings::LoadFromStream(TStream& stream)
{
    int64_t size = stream.Size() - stream.Position();
    SetText(stream.ReadBytes(static_cast<int>(size > 0 ? size : 0)));
}

void TStrings::SaveToStream(TStream& stream) const
{
    stream.WriteString(Text());
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---------------------------------------------------------------------------
// TStringList

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
}

AnsiString TStringList::Strings(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::SetStrings(int index, const AnsiString& text)
{
    if (sorted_)
        SortedListError();
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].text = text;
    Changed();
}

TObject* TStringList::Objects(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object)
{
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

int TStringList::Add(const AnsiString& text)
{
    return AddObject(text, nullptr);
}

int TStringList::AddObject(const AnsiString& text, TObject* object)
{
    int index = Count();
    if (sorted_ && Find(text, index)) {
        if (duplicates_ == dupIgnore)
            return index;
        if (duplicates_ == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, text, object);
    return index;
}

void TStringList::Insert(int index, const AnsiString& text)
{
    InsertObject(index, text, nullptr);
}

void TStringList::InsertObject(int index, const AnsiString& text, TObject* object)
{
    if (sorted_)
        SortedListError();
    if (index < 0 || index > Count())
        IndexError(index);
    InsertItem(index, text, object);
}

void TStringList::InsertItem(int index, const AnsiString& text, TObject* object)
{
    Changing();
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    std::vector<Item>().swap(items_);
    Changed();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    Changed();
}

int TStringList::IndexOf(const AnsiString& text) const
{
    if (!sorted_)
        return TStrings::IndexOf(text);
    int index;
    return Find(text, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& text, int& index) const
{
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int c = CompareStrings(items_[static_cast<size_t>(mid)].text, text);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                // Only a list of duplicates needs the first of the run.
                if (duplicates_ != dupAccept)
                    low = mid;
            }
        }
    }
    index = low;
    return found;
}

void TStringList::Sort()
{
    CustomSort([](TStringList& list, int index1, int index2) {
        return list.CompareStrings(list.items_[static_cast<size_t>(index1)].text,
                                   list.items_[static_cast<size_t>(index2)].text);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare)
{
    if (sorted_ || Count() < 2)
        return;
    Changing();
    QuickSort(0, Count() - 1, compare);
    Changed();
}

// Sorts in place, comparing lines by their current indexes as the compare
// function expects; the pivot's index is followed as exchanges move it.
// The scans are bounded so that an inconsistent compare function cannot
// lead them out of the list.
void TStringList::QuickSort(int low, int high, const TStringListSortCompare& compare)
{
    while (low < high) {
        int i = low;
        int j = high;
        int pivot = low + (high - low) / 2;
        do {
            while (i < high && compare(*this, i, pivot) < 0)
                ++i;
            while (j > low && compare(*this, j, pivot) > 0)
                --j;
            if (i <= j) {
                if (i != j)
                    std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
                if (pivot == i)
                    pivot = j;
                else if (pivot == j)
                    pivot = i;
                ++i;
                --j;
            }
        } while (i <= j);
        // Recurse into the smaller part and loop on the larger one, so that
        // the depth stays logarithmic.
        if (j - low < high - i) {
            if (low < j)
                QuickSort(low, j, compare);
            low = i;
        } else {
            if (i < high)
                QuickSort(i, high, compare);
            high = j;
        }
    }
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == caseSensitive_)
        return;
    caseSensitive_ = caseSensitive;
    // A sorted list must be put in the new order, or Find would miss.
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}

int TStringList::CompareStrings(const AnsiString& a, const AnsiString& b) const
{
    return caseSensitive_ ? CompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && onChanging_)
        onChanging_(*this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && onChange_)
        onChange_(*this);
}

}  // namespace core
