#include "grid/foundation/ImageLink.h"

#include "grid/foundation/ComponentWatch.h"

namespace grid {

CORE_CLASS_IMPL(TtsImageLink)
CORE_CLASS_IMPL(TtsImageListComponent)

TtsImageLink::TtsImageLink()
    : watch_(std::make_unique<TtsComponentWatch>([this](core::TComponent* destroyed) {
          if (destroyed != imageList_)
              return;
          imageList_ = nullptr;
          ImagesRemoved();
      }))
{
}

TtsImageLink::~TtsImageLink()
{
    SetImageList(nullptr);
}

void TtsImageLink::SetImageList(TtsImageListComponent* component)
{
    if (component == imageList_)
        return;
    if (imageList_)
        imageList_->RemoveImageLink(this);
    if (component)
        component->AddImageLink(this);
}

void TtsImageLink::ImagesChanged() {}

void TtsImageLink::ImagesRemoved() {}

void TtsImageLink::Bind(TtsImageListComponent* component)
{
    imageList_ = component;
    watch_->Watch(component);
}

}  // namespace grid
