#pragma once

// Forward declarations of the filing layer's classes.
namespace filing {

class TFiler;
class TReader;
class TWriter;
class TLineMap;

}  // namespace filing
