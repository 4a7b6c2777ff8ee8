#pragma once

#include <memory>

#include "platform/core/Component.h"
#include "platform/core/Variant.h"

namespace grid {

class TtsComponentWatch;
class TtsImageListComponent;

// One picture of an image-list component, owned by that component. Stepping
// a picture cell turns an item into the cell's new value: its name, or its
// qualifier, "." and its name when it has a qualifier.
class TtsImageItem {
public:
    virtual ~TtsImageItem() = default;

    virtual core::AnsiString Name() const = 0;
    // Empty for an item without a qualifier.
    virtual core::AnsiString Qualifier() const = 0;
};

// The link through which a grid uses an image-list component: it registers
// with the component, is told when the images change or go, and lets go of
// the component when destroyed.
//
// The link also follows the component through free notification: when the
// component is destroyed without having released the link, the link forgets
// it and is told ImagesRemoved, so it never calls a component that is gone.
class TtsImageLink : public core::TPersistent {
    CORE_CLASS(TtsImageLink, core::TPersistent)

    TtsImageLink();
    ~TtsImageLink() override;
    TtsImageLink(const TtsImageLink&) = delete;
    TtsImageLink& operator=(const TtsImageLink&) = delete;

    // The linked component or nullptr. It changes only through the
    // component's AddImageLink and RemoveImageLink.
    TtsImageListComponent* ImageList() const { return imageList_; }
    // Unless `component` is already linked: the current component (if any)
    // removes this link, then `component` (if any) adds it.
    void SetImageList(TtsImageListComponent* component);

    // The component's images changed; nothing in the base.
    virtual void ImagesChanged();
    // The component's images are gone; nothing in the base.
    virtual void ImagesRemoved();

private:
    friend class TtsImageListComponent;
    void Bind(TtsImageListComponent* component);

    TtsImageListComponent* imageList_ = nullptr;
    std::unique_ptr<TtsComponentWatch> watch_;
};

// The base of the components that hold named pictures for picture cells. The
// concrete component (its pictures and their storage) belongs to the host
// application; the grid calls only these operations.
class TtsImageListComponent : public core::TComponent {
    CORE_CLASS(TtsImageListComponent, core::TComponent)

    explicit TtsImageListComponent(core::TComponent* owner) : core::TComponent(owner) {}

    // Remember the link and set its ImageList to this component.
    virtual void AddImageLink(TtsImageLink* link) = 0;
    // Forget the link and clear its ImageList (SetLinkImageList with nullptr).
    virtual void RemoveImageLink(TtsImageLink* link) = 0;
    // The picture for a key (a name or a number), or nullptr.
    virtual TtsImageItem* ImageItem(const core::Variant& key) const = 0;
    // The component's identifying text; the grid numbers the image lists it
    // has met by a sorted list of these texts.
    virtual core::AnsiString ListName() const = 0;
    // The position of the picture given by number, negative when there is none.
    virtual int ImageIndex(int number) const = 0;
    virtual bool HasImage(const core::Variant& key) const = 0;
    // The position of the named picture, negative when there is none.
    virtual int IndexOfName(const core::AnsiString& name) const = 0;
    // The key of the picture after (before) the picture of a text key, in the
    // form ImageItem accepts; used when a spin button steps a picture cell.
    virtual core::Variant NextImageKey(const core::AnsiString& key) const = 0;
    virtual core::Variant PriorImageKey(const core::AnsiString& key) const = 0;

protected:
    // The one way to change a link's ImageList, for AddImageLink and
    // RemoveImageLink.
    static void SetLinkImageList(TtsImageLink& link, TtsImageListComponent* component) { link.Bind(component); }
};

}  // namespace grid
