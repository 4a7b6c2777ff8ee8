#pragma once

#include <memory>

#include "platform/core/Component.h"

namespace grid {

class TtsComponentWatch;
class TtsMaskDefsComponent;

// A named input mask, owned by the mask-definition component that holds it.
// The mask language is the component's; the grid's edit box asks a mask only
// these questions.
class TtsMask {
public:
    virtual ~TtsMask() = default;

    // Whether typed and pasted text is checked as it is inserted.
    virtual bool CheckKeys() const = 0;
    // Whether a cell may only be left with complete input.
    virtual bool RequiresComplete() const = 0;
    // Whether `text` fits the mask; when it does, `trailing` receives the
    // literal text the mask appends to complete input (often empty).
    virtual bool CheckText(const core::AnsiString& text, core::AnsiString& trailing) const = 0;
};

// The link through which a grid or an edit box uses a mask-definition
// component: it registers with the component, is told when the masks change
// or go, and lets go of the component when destroyed.
//
// The link also follows the component through free notification: when the
// component is destroyed without having released the link, the link forgets
// it and is told MasksRemoved, so it never calls a component that is gone.
class TtsMaskLink : public core::TPersistent {
    CORE_CLASS(TtsMaskLink, core::TPersistent)

    TtsMaskLink();
    ~TtsMaskLink() override;
    TtsMaskLink(const TtsMaskLink&) = delete;
    TtsMaskLink& operator=(const TtsMaskLink&) = delete;

    // The linked component or nullptr. It changes only through the
    // component's AddMaskLink and RemoveMaskLink.
    TtsMaskDefsComponent* MaskDefs() const { return maskDefs_; }
    // Unless `component` is already linked: the current component (if any)
    // removes this link, then `component` (if any) adds it.
    void SetMaskDefs(TtsMaskDefsComponent* component);
    // The linked component's mask of that name; nullptr for an empty name or
    // when no component is linked.
    TtsMask* FindMask(const core::AnsiString& name) const;

    // The component's masks changed; nothing in the base.
    virtual void MasksChanged();
    // The component's masks are gone; nothing in the base.
    virtual void MasksRemoved();

private:
    friend class TtsMaskDefsComponent;
    void Bind(TtsMaskDefsComponent* component);

    TtsMaskDefsComponent* maskDefs_ = nullptr;
    std::unique_ptr<TtsComponentWatch> watch_;
};

// The base of the components that hold named mask definitions. The concrete
// component (its masks, their language and storage) belongs to the host
// application; the grid calls only these operations.
class TtsMaskDefsComponent : public core::TComponent {
    CORE_CLASS(TtsMaskDefsComponent, core::TComponent)

    explicit TtsMaskDefsComponent(core::TComponent* owner) : core::TComponent(owner) {}

    // Forget the link and clear its MaskDefs (SetLinkMaskDefs with nullptr).
    virtual void RemoveMaskLink(TtsMaskLink* link) = 0;
    // Remember the link and set its MaskDefs to this component.
    virtual void AddMaskLink(TtsMaskLink* link) = 0;
    // The mask registered under `name`, or nullptr.
    virtual TtsMask* FindMask(const core::AnsiString& name) const = 0;

protected:
    // The one way to change a link's MaskDefs, for AddMaskLink and
    // RemoveMaskLink.
    static void SetLinkMaskDefs(TtsMaskLink& link, TtsMaskDefsComponent* component) { link.Bind(component); }
};

}  // namespace grid
