#pragma once

#include "platform/core/Object.h"

namespace core {

// An object that can copy itself from another and take part in filing.
class TPersistent : public TObject {
    CORE_CLASS(TPersistent, TObject)

    // Copies `source` into this object. The default asks the source to do it
    // (AssignTo); when neither side knows the other it raises EConvertError
    // "Cannot assign a <source class> to a <this class>".
    virtual void Assign(const TPersistent* source);
    void Assign(const TPersistent& source) { Assign(&source); }

    // Extra properties a class files with its own read and write callbacks.
    virtual void DefineProperties(TFiler& filer);
    // The object that owns this one, for name paths and filing.
    virtual TPersistent* GetOwner() const { return nullptr; }
    virtual AnsiString GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent& dest) const;
};

}  // namespace core
