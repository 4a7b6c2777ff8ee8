#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <type_traits>
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
    // A component that is part of its owner (a control's own label, say):
    // an object property holding it is filed with the owner's properties
    // instead of as a reference by name.
    bool IsSubComponent() const { return subComponent_; }
    void SetSubComponent(bool value) { subComponent_ = value; }

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

    // Fields of a form that name its components: an owned component whose
    // name matches (case-insensitive) is stored in the field, and the field
    // is cleared when the component is renamed, removed or destroyed, so the
    // form's code reaches `TinyGrid1` as soon as the component of that name
    // is read. A component of a class the field cannot hold raises
    // EComponentError when it takes the name.
    template <typename T>
    void RegisterField(const AnsiString& name, T** field)
    {
        static_assert(std::is_base_of_v<TComponent, T>, "a field holds a component");
        fields_[name] = FieldBinding{
            [](TComponent* c) { return dynamic_cast<T*>(c) != nullptr; },
            [field](TComponent* c) { *field = static_cast<T*>(c); },
        };
    }

    // The structure of a form as filing sees it. GetChildren names, in the
    // order they are written, the components that are filed nested inside
    // this one, taking only those owned by `root`; the default has none.
    // A component read nested inside another receives that one through
    // SetParentComponent; the defaults keep no parent. The control layer
    // overrides these with its parent and child controls.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent);

    // The design position of a component that is not a control: left in the
    // low 16 bits, top in the high 16 bits. It is filed as "Left" and "Top".
    int32_t DesignInfo() const { return designInfo_; }
    void SetDesignInfo(int32_t info) { designInfo_ = info; }

    TPersistent* GetOwner() const override { return owner_; }
    AnsiString GetNamePath() const override { return name_; }

protected:
    // Told when a component is inserted into or removed from this owner, and
    // when a free-notified component is destroyed. The default passes the
    // notice on to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);
    // Marks this component and those it owns as being destroyed. It is not
    // virtual: the base destructor calls it, when no override could run; a
    // class that must act at that moment does so in its own destructor.
    void Destroying();
    virtual void ValidateRename(TComponent* component, const AnsiString& current, const AnsiString& next);
    void SetState(TComponentStateFlag flag, bool on);

private:
    struct FieldBinding {
        std::function<bool(TComponent*)> fits;
        std::function<void(TComponent*)> set;
    };

    void Insert(TComponent* component);
    void Remove(TComponent* component);
    // The field registered under `name` (case-insensitive), or nullptr.
    const FieldBinding* FieldFor(std::string_view name) const;
    void CheckFieldFits(const FieldBinding* field, TComponent* component, const AnsiString& name) const;

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    AnsiString name_;
    int tag_ = 0;
    bool subComponent_ = false;
    TComponentState state_;
    std::map<AnsiString, std::any> methods_;
    std::map<AnsiString, FieldBinding> fields_;
    int32_t designInfo_ = 0;
};

bool IsValidIdent(std::string_view name);

}  // namespace core
