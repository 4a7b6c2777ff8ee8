#pragma once

#include <cstdint>

#include "grid/foundation/SetRef.h"

namespace grid {

class TtsCustomSet;
class TtsSetElement;

// One node of an ordered set's balanced tree. Nodes compare themselves with a
// key through virtual operations, so one tree serves every kind of payload.
// Only the set links nodes and sets their balance.
class TtsSetNode {
public:
    // The base node stores no value.
    TtsSetNode() = default;
    virtual ~TtsSetNode() = default;
    TtsSetNode(const TtsSetNode&) = delete;
    TtsSetNode& operator=(const TtsSetNode&) = delete;

    // The subtree of keys that sort before this node, or nullptr.
    TtsSetNode* Left() const { return left_; }
    // The subtree of keys that sort after this node, or nullptr.
    TtsSetNode* Right() const { return right_; }
    // Height of the right subtree minus height of the left: -1, 0 or +1.
    int Balance() const { return balance_; }

    // Takes over the source's balance and drops both links; used while a
    // tree is copied, which then links the copied children itself.
    virtual void AssignNode(const TtsSetNode& source);
    // Frees the node. Nodes that own a payload pass the flag on to it.
    virtual void Release(bool flag);
    // Where `key` sorts relative to this node; used by insertion, where the
    // key is the value a new node would be made from. The base reports equal.
    virtual TtsCompare Compare(const TtsCustomSet* set, const TtsSetRef& key) const;
    // The same question for lookup and deletion keys. The base asks Compare.
    virtual TtsCompare CompareKey(const TtsCustomSet* set, const TtsSetRef& key) const;
    // A reference to the node's payload; null in the base.
    virtual TtsSetRef Value() const;

private:
    friend class TtsCustomSet;

    TtsSetNode* left_ = nullptr;
    TtsSetNode* right_ = nullptr;
    std::int8_t balance_ = 0;
};

// A node holding a 32-bit integer; insertion and lookup keys are both
// references to an integer, compared as signed numbers.
class TtsIntegerSetNode : public TtsSetNode {
public:
    explicit TtsIntegerSetNode(int value) : intValue_(value) {}

    int IntValue() const { return intValue_; }

    TtsCompare Compare(const TtsCustomSet* set, const TtsSetRef& key) const override;
    // The address of the stored integer.
    TtsSetRef Value() const override { return TtsSetRef(&intValue_); }

private:
    int intValue_;
};

// A node owning one element. Insertion compares with another element,
// lookup and deletion with a key of tagged values.
class TtsObjectSetNode : public TtsSetNode {
public:
    explicit TtsObjectSetNode(TtsSetElement* element) : element_(element) {}

    TtsSetElement* Element() const { return element_; }
    // Takes `element` over without releasing the one held before.
    void SetElement(TtsSetElement* element) { element_ = element; }

    // Releases the element with the flag, then frees the node.
    void Release(bool flag) override;
    TtsCompare Compare(const TtsCustomSet* set, const TtsSetRef& key) const override;
    TtsCompare CompareKey(const TtsCustomSet* set, const TtsSetRef& key) const override;
    // The element.
    TtsSetRef Value() const override { return TtsSetRef(element_); }

private:
    TtsSetElement* element_;
};

}  // namespace grid
