#pragma once

#include <memory>
#include <vector>

#include "platform/core/Persistent.h"

namespace core {

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// One item of a collection, created by the collection through its item class.
class TCollectionItem : public TPersistent {
    CORE_CLASS(TCollectionItem, TPersistent)

    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item into another collection (or none, which leaves the caller owning it).
    void SetCollection(TCollection* collection);
    int Index() const;
    void SetIndex(int index);
    int ID() const { return id_; }
    virtual AnsiString DisplayName() const { return ClassName(); }

    TPersistent* GetOwner() const override;
    AnsiString GetNamePath() const override;

protected:
    // Tells the collection that this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// An owned, ordered list of items of one class.
class TCollection : public TPersistent {
    CORE_CLASS(TCollection, TPersistent)

    explicit TCollection(const TClass& itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    const TClass& ItemClass() const { return *itemClass_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
    TCollectionItem* Items(int index) const;
    template <typename T>
    T* ItemAs(int index) const
    {
        return static_cast<T*>(Items(index));
    }
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Copies the items of another collection: clears this one, then adds an
    // item for each and assigns it.
    void Assign(const TPersistent* source) override;
    using TPersistent::Assign;

    TPersistent* GetOwner() const override { return owner_; }
    AnsiString GetNamePath() const override;
    // The property name under which the owner files this collection.
    void SetPropName(AnsiString name) { propName_ = std::move(name); }

protected:
    // Called after a change: `item` changed, or every item when it is null.
    // Held back while an update is open; EndUpdate reports one change of all.
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    const TClass* itemClass_;
    TPersistent* owner_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
    AnsiString propName_;
};

}  // namespace core
