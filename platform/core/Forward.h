#pragma once

#include <string>

// Forward declarations of the core's classes, so that headers include little.
namespace core {

// Text inside the system: bytes of the active code page (936, GBK).
using AnsiString = std::string;
// Text where the platform demands UTF-16.
using WideString = std::u16string;

class TObject;
class TClass;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TStream;
class TMemoryStream;
class TFileStream;
class TStrings;
class TStringList;
class TBits;
class Variant;
class Exception;
class PropInfo;
class PropertyList;
class TFiler;
struct TFormatSettings;

}  // namespace core
