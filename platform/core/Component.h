#pragma once

#include <any>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/core/Persistent.h"
#include "platform/core/Set.h"
#include "platform/core/TypeInfo.h"

namespace core {

enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

// A component: owned by another component, which destroys it; named uniquely
// among its owner's components; told when components it watches go away.
//
// Owned components are destroyed in reverse order of insertion. A class whose
// owned components use its own members while they die calls
// DestroyComponents() at the start of its destructor.
class TComponent : public TPersistent {
    CORE_CLASS(TComponent, TPersistent)

    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static void Publish(PropertyList& list);

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Raises EListError for an index outside 0..ComponentCount-1.
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    const AnsiString& Name() const { return name_; }
    // Raises EComponentError for a name that is not an identifier or that
    // another component of the same owner already has.
    virtual void SetName(const AnsiString& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    bool InState(TComponentStateFlag flag) const { return state_.Contains(flag); }
    void SetDesigning(bool designing, bool children = true);

    // Ask to be told (through Notification) when `component` is destroyed;
    // it is told of this one's destruction as well.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Filing: called around reading, and once every component of a form is read.
    virtual void Loaded();
    void SetLoading(bool loading);
    void SetReading(bool reading);
    void SetWriting(bool writing);

    // Handlers of a form, found by name when a form description binds events.
    template <typename... Args, typename F>
    void RegisterMethod(const AnsiString& name, F&& handler)
    {
        methods_[name] = typename TEvent<Args...>::Handler(std::forward<F>(handler));
    }
    // The handler registered under `name` (case-insensitive), or nullptr.
    const std::any* MethodAddress(std::string_view name) const;

    TPersistent* GetOwner() const override { return owner_; }
    AnsiString GetNamePath() const override { return name_; }

protected:
    // Told when a component is inserted into or removed from this owner, and
    // when a free-notified component is destroyed. The default passes the
    // notice on to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);
    // Called once when destruction starts.
    virtual void Destroying();
    virtual void ValidateRename(TComponent* component, const AnsiString& current, const AnsiString& next);
    void SetState(TComponentStateFlag flag, bool on);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    AnsiString name_;
    int tag_ = 0;
    TComponentState state_;
    std::map<AnsiString, std::any> methods_;
};

bool IsValidIdent(std::string_view name);

}  // namespace core
