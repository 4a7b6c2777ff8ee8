#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/Forward.h"

namespace core {

// A list of texts, each with an object reference beside it (never owned).
// The storage belongs to the subclass; this base builds everything else
// (name=value pairs, line text, comma text, copying, searching) on the few
// operations a subclass must provide. Indexes are 0-based; a bad one raises
// EStringListError "List index out of bounds (%d)".
class TStrings {
public:
    TStrings() = default;
    virtual ~TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual int Count() const = 0;
    virtual AnsiString Strings(int index) const = 0;
    // By default the line is deleted and inserted anew with its object.
    virtual void SetStrings(int index, const AnsiString& text);
    // A list without objects answers null and ignores what it is given.
    virtual TObject* Objects(int index) const;
    virtual void SetObjects(int index, TObject* object);

    virtual int Add(const AnsiString& text);
    virtual int AddObject(const AnsiString& text, TObject* object);
    virtual void Insert(int index, const AnsiString& text) = 0;
    virtual void InsertObject(int index, const AnsiString& text, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);

    // Searches compare as the list does: without regard to case unless the
    // list says otherwise.
    virtual int IndexOf(const AnsiString& text) const;
    int IndexOfName(const AnsiString& name) const;
    int IndexOfObject(const TObject* object) const;

    // Lines of the form name=value (the separator is NameValueSeparator).
    // A line without the separator has an empty name.
    AnsiString Names(int index) const;
    AnsiString ValueFromIndex(int index) const;
    AnsiString Values(const AnsiString& name) const;
    // An empty value removes the line; otherwise the line is replaced or added.
    void SetValues(const AnsiString& name, const AnsiString& value);

    // Every line followed by CR LF. Reading ends a line at CR, LF or CR LF.
    virtual AnsiString Text() const;
    virtual void SetText(const AnsiString& text);
    // Items separated by commas, quoted with '"' when they hold blanks,
    // control characters, commas or quotes (quotes doubled inside).
    // Reading splits at commas and at blanks outside quotes.
    AnsiString CommaText() const;
    void SetCommaText(const AnsiString& text);
    // The same with Delimiter and QuoteChar.
    AnsiString DelimitedText() const;
    void SetDelimitedText(const AnsiString& text);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char quoteChar) { quoteChar_ = quoteChar; }
    char NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(char separator) { nameValueSeparator_ = separator; }

    // Nested updates: the list reports one change when the outermost ends.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Becomes a copy of `source`: lines, objects, delimiter, quote and separator.
    virtual void Assign(const TStrings& source);
    void AddStrings(const TStrings& source);
    // The same lines in the same order, case counting; objects are not compared.
    bool Equals(const TStrings& other) const;

    // The text of the stream from its position to its end, as lines.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

protected:
    // Called with true as the outermost update begins and false as it ends.
    virtual void SetUpdateState(bool updating) { (void)updating; }
    virtual int CompareStrings(const AnsiString& a, const AnsiString& b) const;
    [[noreturn]] static void IndexError(int index);

private:
    AnsiString DelimitedTextWith(char delimiter, char quote) const;
    void SetDelimitedTextWith(const AnsiString& text, char delimiter, char quote);

    int updateCount_ = 0;
    char delimiter_ = ',';
    char quoteChar_ = '"';
    char nameValueSeparator_ = '=';
};

// How a sorted TStringList treats a text it already holds.
enum TDuplicates { dupIgnore, dupAccept, dupError };

// The string list proper. Sorted, it keeps its lines in order (compared as
// CompareStrings does) and finds them by binary search; inserting at a
// chosen place or replacing a line is then an error.
class TStringList : public TStrings {
public:
    using TNotifyEvent = std::function<void(TStringList&)>;
    // Compares the lines at two indexes: <0, 0 or >0.
    using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

    int Count() const override { return static_cast<int>(items_.size()); }
    AnsiString Strings(int index) const override;
    void SetStrings(int index, const AnsiString& text) override;
    TObject* Objects(int index) const override;
    void SetObjects(int index, TObject* object) override;

    int Add(const AnsiString& text) override;
    int AddObject(const AnsiString& text, TObject* object) override;
    void Insert(int index, const AnsiString& text) override;
    void InsertObject(int index, const AnsiString& text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const AnsiString& text) const override;

    // Binary search of a sorted list. True when found; `index` receives the
    // place of the line, or the place where it would be inserted. With
    // dupAccept the first of equal lines is found.
    bool Find(const AnsiString& text, int& index) const;
    // Sorts an unsorted list (a sorted one is in order already).
    void Sort();
    void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
    const TNotifyEvent& OnChanging() const { return onChanging_; }
    void SetOnChanging(TNotifyEvent handler) { onChanging_ = std::move(handler); }

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(const AnsiString& a, const AnsiString& b) const override;
    // Called before and after every change, unless an update is running.
    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        AnsiString text;
        TObject* object = nullptr;
    };

    void CheckIndex(int index) const;
    void InsertItem(int index, const AnsiString& text, TObject* object);
    void QuickSort(int low, int high, const TStringListSortCompare& compare);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
    TNotifyEvent onChange_;
    TNotifyEvent onChanging_;
};

}  // namespace core
