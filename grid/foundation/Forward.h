#pragma once

// Forward declarations of the grid foundation's classes, so that headers
// include little.
namespace grid {

class TtsTaggedValue;
class TtsKey;
class TtsSetRef;
class TtsSetElement;
class TtsSetNode;
class TtsIntegerSetNode;
class TtsObjectSetNode;
class TtsNodeStack;
class TtsSetList;
class TtsCustomSet;
class TtsIntegerSet;
class TtsObjectSet;

class TtsSortIntList;
class TtsIntegerList;
class TtsIntegerSetList;

class TtsMask;
class TtsMaskLink;
class TtsMaskDefsComponent;
class TtsImageItem;
class TtsImageLink;
class TtsImageListComponent;
class TtsDateTimeSettings;
class TtsDateTimeLink;
class TtsDateTimeDefComponent;

}  // namespace grid
