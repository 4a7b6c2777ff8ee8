#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/core/Forward.h"

namespace core {

// Which published properties an operation takes: all, only the named ones,
// or all but the named ones. Names are matched without regard to case; a
// name the object's class does not publish raises EPropertyError, so that a
// misspelt name cannot quietly widen or narrow the operation.
class TPropFilter {
public:
    TPropFilter() = default;
    static TPropFilter Only(std::initializer_list<std::string_view> names);
    static TPropFilter Except(std::initializer_list<std::string_view> names);

    // Raises EPropertyError for a name that `cls` does not publish.
    void Check(const TClass& cls) const;
    bool Takes(const PropInfo& prop) const;

private:
    bool only_ = false;
    std::vector<AnsiString> names_;
};

// What the property registry does for a whole object. Each goes through the
// published properties in declaration order and through their setters, so
// the object sees the same calls as when it is read from a form.
//
// Copies `source`'s published properties into `dest` (the properties of
// `dest`'s class that `source`'s class publishes too, by name, kind and
// type). A property that `source` would file is copied; one it would not file
// under a condition (StoredWhen) goes back to its default in `dest`, so that
// `dest` ends as if it had been read from `source`'s stream; properties never
// filed (Stored(false)) and read-only ones are left alone.
void CopyProperties(const TObject& source, TObject& dest, const TPropFilter& filter = {});

// Whether the object would file none of the properties that have a default:
// each is at its default or not filed. Properties without a default (always
// filed) take no part.
bool PropertiesAtDefault(const TObject& object, const TPropFilter& filter = {});

// Sets every property that has a default (and a setter) back to it.
void ResetProperties(TObject& object, const TPropFilter& filter = {});

}  // namespace core
