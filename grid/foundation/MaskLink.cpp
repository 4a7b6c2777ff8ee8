#include "grid/foundation/MaskLink.h"

#include "grid/foundation/ComponentWatch.h"

namespace grid {

CORE_CLASS_IMPL(TtsMaskLink)
CORE_CLASS_IMPL(TtsMaskDefsComponent)

TtsMaskLink::TtsMaskLink()
    : watch_(std::make_unique<TtsComponentWatch>([this](core::TComponent* destroyed) {
          if (destroyed != maskDefs_)
              return;
          maskDefs_ = nullptr;
          MasksRemoved();
      }))
{
}

TtsMaskLink::~TtsMaskLink()
{
    SetMaskDefs(nullptr);
}

void TtsMaskLink::SetMaskDefs(TtsMaskDefsComponent* component)
{
    if (component == maskDefs_)
        return;
    if (maskDefs_)
        maskDefs_->RemoveMaskLink(this);
    if (component)
        component->AddMaskLink(this);
}

TtsMask* TtsMaskLink::FindMask(const core::AnsiString& name) const
{
    if (name.empty() || !maskDefs_)
        return nullptr;
    return maskDefs_->FindMask(name);
}

void TtsMaskLink::MasksChanged() {}

void TtsMaskLink::MasksRemoved() {}

void TtsMaskLink::Bind(TtsMaskDefsComponent* component)
{
    maskDefs_ = component;
    watch_->Watch(component);
}

}  // namespace grid
