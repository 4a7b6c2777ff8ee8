#pragma once

#include <string_view>

#include "platform/core/Forward.h"

namespace filing {

using core::AnsiString;

// Single components on any stream, as the grid's layout streams and the
// stream component use them. WriteComponent writes the signature and the
// component with its properties and children; WriteDescendent writes only
// what differs from `ancestor`. ReadComponent reads such a stream into
// `instance`, or into a new component of the stream's class when it is
// nullptr, and returns it (see TReader for what reading does and how it
// fails).
void WriteComponent(core::TStream& stream, core::TComponent* component);
void WriteDescendent(core::TStream& stream, core::TComponent* component, core::TComponent* ancestor);
core::TComponent* ReadComponent(core::TStream& stream, core::TComponent* instance);

// The same in the text form. Errors found while reading name the line of
// the text.
AnsiString ComponentToText(core::TComponent* component);
core::TComponent* ReadComponentText(std::string_view text, core::TComponent* instance);

}  // namespace filing
