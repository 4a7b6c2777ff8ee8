#include "platform/core/Collection.h"

#include <algorithm>

#include "platform/core/Exception.h"

namespace core {

CORE_CLASS_IMPL(TCollectionItem)
CORE_CLASS_IMPL(TCollection)

TCollectionItem::TCollectionItem(TCollection* collection)
{
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem()
{
    if (collection_)
        collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection_ == collection)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!collection_)
        return -1;
    auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
    int current = Index();
    if (current < 0 || index == current)
        return;
    auto& items = collection_->items_;
    index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

void TCollectionItem::Changed(bool allItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const
{
    return collection_;
}

AnsiString TCollectionItem::GetNamePath() const
{
    if (!collection_)
        return ClassName();
    return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

TCollection::TCollection(const TClass& itemClass, TPersistent* owner) : itemClass_(&itemClass), owner_(owner) {}

TCollection::~TCollection()
{
    ++updateCount_;  // no change notices while dying
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (%d)", index);
    return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add()
{
    TObject* object = itemClass_->CreateInstance(this);
    auto* item = dynamic_cast<TCollectionItem*>(object);
    if (!item) {
        delete object;
        throw EInvalidCast("%s is not a collection item class", itemClass_->Name());
    }
    // The item's constructor put it in this collection.
    if (item->collection_ != this)
        item->SetCollection(this);
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int index)
{
    BeginUpdate();
    TCollectionItem* item;
    try {
        item = Add();
        item->SetIndex(index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int index)
{
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    for (TCollectionItem* item : items_)
        if (item->id_ == id)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed();
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem* item)
{
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Notify(item, cnAdded);
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    Notify(item, cnExtracting);
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    Changed();
}

void TCollection::Assign(const TPersistent* source)
{
    auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

AnsiString TCollection::GetNamePath() const
{
    if (!owner_ || propName_.empty())
        return ClassName();
    AnsiString ownerPath = owner_->GetNamePath();
    return ownerPath.empty() ? propName_ : ownerPath + "." + propName_;
}

}  // namespace core
