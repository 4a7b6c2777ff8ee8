#pragma once

// Forward declarations of the filing layer's classes.
namespace filing {

class TReader;
class TWriter;
class TLineMap;

}  // namespace filing
