#include "controls/TinyMemo.h"

namespace controls {

CORE_CLASS_IMPL(TTinyMemo)

TTinyMemo::TTinyMemo(core::TComponent* owner) : flat::TFlatMemo(owner) {}

void TTinyMemo::Publish(core::PropertyList& list)
{
    core::PropBuilder<TTinyMemo> p(list);
    p.String("FieldName", &TTinyMemo::FieldName, &TTinyMemo::SetFieldName);
}

}  // namespace controls
