#pragma once

#include <functional>

#include "platform/core/Forward.h"

// The reader and the writer of component streams live in the filing layer;
// classes name them here only as the arguments of their callbacks.
namespace filing {
class TReader;
class TWriter;
}  // namespace filing

namespace core {

using TReaderProc = std::function<void(filing::TReader&)>;
using TWriterProc = std::function<void(filing::TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

// What the reader and the writer have in common, as a class that files extra
// properties sees them: the root being filed and, while writing a
// descendant, the ancestor object that corresponds to the one being filed;
// and the defined properties, which a class declares in its DefineProperties
// with callbacks of its own:
//
//   void TMyGrid::DefineProperties(core::TFiler& filer)
//   {
//       inherited::DefineProperties(filer);
//       filer.DefineProperty("Widths", readWidths, writeWidths, !widths_.empty());
//       filer.DefineBinaryProperty("Data", readData, writeData, StoreData());
//   }
//
// The writer writes a defined property only when `hasData` holds; the reader
// calls `readData` whenever the property's name comes up. A write callback
// writes exactly one value (a list or a collection for several). A class
// whose extra properties are binary blocks needs nothing of the filing layer.
class TFiler {
public:
    TFiler() = default;
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    virtual void DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc writeData,
                                bool hasData) = 0;
    virtual void DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc writeData,
                                      bool hasData) = 0;

    // The top component of the stream: a form, or the component filed alone.
    TComponent* Root() const { return root_; }
    void SetRoot(TComponent* root) { root_ = root; }
    // The component whose handlers and components name events and references.
    TComponent* LookupRoot() const { return lookupRoot_; }
    // While a descendant is written, the ancestor's counterpart of the object
    // being written (nullptr when it has none); always nullptr when reading.
    TPersistent* Ancestor() const { return ancestor_; }
    void SetAncestor(TPersistent* ancestor) { ancestor_ = ancestor; }

protected:
    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TPersistent* ancestor_ = nullptr;
};

}  // namespace core
