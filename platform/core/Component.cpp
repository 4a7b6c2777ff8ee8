#include "platform/core/Component.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace core {

CORE_CLASS_IMPL(TComponent)

bool IsValidIdent(std::string_view name)
{
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (name.empty() || !alpha(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Everyone watching this component forgets it.
    while (!freeNotifies_.empty()) {
        TComponent* watcher = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = watcher->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        watcher->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::Publish(PropertyList& list)
{
    PropBuilder<TComponent> p(list);
    p.String("Name", &TComponent::Name, &TComponent::SetName, "TComponentName").Stored(false);
    p.Integer("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (%d)", index);
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    auto& siblings = owner_->components_;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    // Check first: a refused component stays with its old owner, which
    // still frees it.
    ValidateRename(component, AnsiString(), component->name_);
    const FieldBinding* field = FieldFor(component->name_);
    CheckFieldFits(field, component, component->name_);
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    Insert(component);
    if (field)
        field->set(component);
    if (InState(csDesigning))
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component)
{
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component)
{
    // While the owner dies its fields are gone already (they belong to the
    // derived class, destroyed first), so they are left alone.
    if (!InState(csDestroying))
        if (const FieldBinding* field = FieldFor(component->name_))
            field->set(nullptr);
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* last = components_.back();
        // Detach first so that the dying component does not call back into
        // this owner's list while it is being torn down.
        Remove(last);
        delete last;
    }
}

void TComponent::SetName(const AnsiString& name)
{
    if (name_ == name)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'%s' is not a valid component name", name);
    if (owner_)
        owner_->ValidateRename(this, name_, name);
    else
        ValidateRename(nullptr, name_, name);
    const FieldBinding* next = owner_ ? owner_->FieldFor(name) : nullptr;
    if (owner_) {
        owner_->CheckFieldFits(next, this, name);
        if (const FieldBinding* current = owner_->FieldFor(name_))
            current->set(nullptr);
    }
    name_ = name;
    if (next)
        next->set(this);
}

const TComponent::FieldBinding* TComponent::FieldFor(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (const auto& [key, field] : fields_)
        if (SameText(key, name))
            return &field;
    return nullptr;
}

void TComponent::CheckFieldFits(const FieldBinding* field, TComponent* component, const AnsiString& name) const
{
    if (field && !field->fits(component))
        throw EComponentError("Field %s of %s cannot hold a %s", name, ClassName(), component->ClassName());
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::ValidateRename(TComponent* component, const AnsiString& current, const AnsiString& next)
{
    if (component && !SameText(current, next) && FindComponent(next))
        throw EComponentError("A component named %s already exists", next);
}

void TComponent::SetState(TComponentStateFlag flag, bool on)
{
    if (on)
        state_.Include(flag);
    else
        state_.Exclude(flag);
}

void TComponent::SetDesigning(bool designing, bool children)
{
    SetState(csDesigning, designing);
    if (children)
        for (TComponent* c : components_)
            c->SetDesigning(designing, true);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    auto& theirs = component->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
    state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    // Iterate over a copy: a notified component may insert or remove others.
    std::vector<TComponent*> owned = components_;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        if (std::find(components_.begin(), components_.end(), *it) != components_.end())
            (*it)->Notification(component, operation);
}

void TComponent::Destroying()
{
    if (InState(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::Loaded()
{
    state_.Exclude(csLoading);
}

void TComponent::SetLoading(bool loading)
{
    SetState(csLoading, loading);
}

void TComponent::SetReading(bool reading)
{
    SetState(csReading, reading);
}

void TComponent::SetWriting(bool writing)
{
    SetState(csWriting, writing);
}

const std::any* TComponent::MethodAddress(std::string_view name) const
{
    for (const auto& [key, handler] : methods_)
        if (SameText(key, name))
            return &handler;
    return nullptr;
}

}  // namespace core
