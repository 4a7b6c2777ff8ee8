#include "platform/core/FormatSettings.h"

namespace core {

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = TFormatSettings::ChineseDefaults();
    return settings;
}

}  // namespace core
