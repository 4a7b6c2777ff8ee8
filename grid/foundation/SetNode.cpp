#include "grid/foundation/SetNode.h"

#include <memory>
#include <utility>

#include "grid/foundation/SetElement.h"

namespace grid {

void TtsSetNode::AssignNode(const TtsSetNode& source)
{
    left_ = nullptr;
    right_ = nullptr;
    balance_ = source.balance_;
}

void TtsSetNode::Release(bool flag)
{
    (void)flag;
    delete this;
}

TtsCompare TtsSetNode::Compare(const TtsCustomSet* set, const TtsSetRef& key) const
{
    (void)set;
    (void)key;
    return crEqual;
}

TtsCompare TtsSetNode::CompareKey(const TtsCustomSet* set, const TtsSetRef& key) const
{
    return Compare(set, key);
}

TtsSetRef TtsSetNode::Value() const
{
    return {};
}

TtsCompare TtsIntegerSetNode::Compare(const TtsCustomSet* set, const TtsSetRef& key) const
{
    (void)set;
    int k = *key.Integer();
    if (k == intValue_)
        return crEqual;
    return k < intValue_ ? crBefore : crAfter;
}

void TtsObjectSetNode::Release(bool flag)
{
    // The node goes even when its element's release fails.
    std::unique_ptr<TtsObjectSetNode> self(this);
    if (TtsSetElement* element = std::exchange(element_, nullptr))
        element->Release(flag);
}

TtsCompare TtsObjectSetNode::Compare(const TtsCustomSet* set, const TtsSetRef& key) const
{
    return element_->Compare(set, key.Element());
}

TtsCompare TtsObjectSetNode::CompareKey(const TtsCustomSet* set, const TtsSetRef& key) const
{
    return element_->CompareKey(set, key.Key());
}

}  // namespace grid
