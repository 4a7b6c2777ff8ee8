#include "grid/foundation/DateTimeLink.h"

#include <algorithm>

namespace grid {

CORE_CLASS_IMPL(TtsDateTimeSettings)
CORE_CLASS_IMPL(TtsDateTimeLink)
CORE_CLASS_IMPL(TtsDateTimeDefComponent)

TtsDateTimeLink::~TtsDateTimeLink()
{
    std::vector<TtsDateTimeDefComponent*> components = components_;
    for (TtsDateTimeDefComponent* component : components)
        component->UnregisterLink(this, true);
}

void TtsDateTimeLink::Attach(TtsDateTimeDefComponent* component)
{
    if (component)
        component->RegisterLink(this);
}

void TtsDateTimeLink::Detach(TtsDateTimeDefComponent* component)
{
    if (component)
        component->UnregisterLink(this, false);
}

void TtsDateTimeLink::DateTimeDefRemoved(TtsDateTimeDefComponent* component)
{
    (void)component;
}

TtsDateTimeDefComponent::~TtsDateTimeDefComponent()
{
    // Told from a copy: a told link may detach itself, or others.
    std::vector<TtsDateTimeLink*> links(links_.begin(), links_.end());
    for (TtsDateTimeLink* link : links)
        if (links_.IndexOf(link) >= 0)
            link->DateTimeDefRemoved(this);
    for (TtsDateTimeLink* link : links_)
        std::erase(link->components_, this);
}

void TtsDateTimeDefComponent::RegisterLink(TtsDateTimeLink* link)
{
    if (!link)
        return;
    int index = links_.IndexOf(link);
    if (index >= 0) {
        linkCounts_.SetItems(index, linkCounts_.Items(index) + 1);
        return;
    }
    links_.Add(link);
    linkCounts_.Add(1);
    link->components_.push_back(this);
}

void TtsDateTimeDefComponent::UnregisterLink(TtsDateTimeLink* link, bool force)
{
    int index = links_.IndexOf(link);
    if (index < 0)
        return;
    int count = linkCounts_.Items(index) - 1;
    linkCounts_.SetItems(index, count);
    if (force || count <= 0) {
        links_.Delete(index);
        linkCounts_.Delete(index);
        std::erase(link->components_, this);
    }
}

}  // namespace grid
