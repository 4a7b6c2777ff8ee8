#pragma once

#include <memory>

#include "grid/foundation/NodeStack.h"
#include "grid/foundation/SetList.h"
#include "grid/foundation/SetNode.h"
#include "platform/core/Object.h"

namespace grid {

// Frees a node that Delete detached, through its own Release(false).
struct TtsNodeRelease {
    void operator()(TtsSetNode* node) const { node->Release(false); }
};
using TtsDetachedNode = std::unique_ptr<TtsSetNode, TtsNodeRelease>;

// An ordered set held in a height-balanced (AVL) tree whose nodes compare
// themselves with keys. The node class, made by CreateNode, decides what a
// key is; TtsIntegerSet and TtsObjectSet are the two kinds the grid uses.
//
// Insertion is Knuth's single pass down the tree: it remembers the deepest
// node whose balance is off-centre (the only place a rotation may be needed),
// links the new node, then fixes the balances below that point and rotates
// there if the subtree became too tall. Deletion records its way down in
// Path, replaces a node with two children by its in-order successor, and
// walks Path back up, rotating where a subtree became too short.
//
// A set is used by one thread at a time. Path belongs to the set, so two
// deletions must not overlap, not even from inside a compare operation.
class TtsCustomSet : public core::TObject {
    CORE_CLASS(TtsCustomSet, core::TObject)

    // Sets have virtual constructors (their class reference creates them),
    // so that a set class chosen at run time can be instantiated.
    TtsCustomSet() = default;
    ~TtsCustomSet() override;
    TtsCustomSet(const TtsCustomSet&) = delete;
    TtsCustomSet& operator=(const TtsCustomSet&) = delete;

    int Count() const { return count_; }
    TtsSetNode* Root() const { return root_; }
    // The work stack of the last deletion.
    const TtsNodeStack& Path() const { return path_; }
    // True while Assign builds the copy, so that CreateNode can copy payloads.
    bool Copying() const { return copyDepth_ > 0; }
    // While Assign builds the copy: the source's node whose copy CreateNode
    // is making; nullptr otherwise.
    const TtsSetNode* CopiedNode() const { return copiedNode_; }

    // The node that compares equal to `key`, or a new node made from `key`
    // and linked into the tree.
    TtsSetNode* Insert(const TtsSetRef& key);
    // The node that CompareKey reports equal to `key`, or nullptr.
    TtsSetNode* FindNode(const TtsSetRef& key) const;
    // Unlinks the node equal to `key` and hands it over detached (freed with
    // Release(false) when dropped); empty when there is none.
    TtsDetachedNode Delete(const TtsSetRef& key);
    // A new list of the node values in ascending key order.
    std::unique_ptr<TtsSetList> GetList() const;
    // CreateNode, with the new node counted and its balance 0.
    TtsSetNode* NewNode(const TtsSetRef& value);

    // Makes a node from `value`. The base makes a plain TtsSetNode.
    virtual TtsSetNode* CreateNode(const TtsSetRef& value);
    // A copy of the subtree under `source`, of the same shape and balances,
    // made without comparisons. On failure nothing of it is left behind.
    virtual TtsSetNode* CopyTree(const TtsSetNode* source);
    // Makes this set a copy of `source`: same nodes, shape and balances.
    // Nodes already here are cleared first; assigning a set to itself does
    // nothing.
    virtual void Assign(const TtsCustomSet& source);
    // Releases every node with Release(true) and empties the set.
    virtual void Clear();

private:
    // The child of `node` on `side` (-1 left, +1 right), as a link to change.
    static TtsSetNode*& Child(TtsSetNode* node, int side) { return side < 0 ? node->left_ : node->right_; }
    void BalanceInsertion(TtsSetNode* t, TtsSetNode* s, TtsSetNode* q, const TtsSetRef& key);
    void Unlink(TtsSetNode* n);
    void BalanceDeletion();
    static TtsSetNode* RotateSingle(TtsSetNode* s, TtsSetNode* r, int a);
    static TtsSetNode* RotateDouble(TtsSetNode* s, TtsSetNode* r, int a);
    static int ReleaseTree(TtsSetNode* node);
    static void FillList(const TtsSetNode* node, TtsSetList& list, int& position);

    int count_ = 0;
    TtsSetNode* root_ = nullptr;
    TtsNodeStack path_;
    int copyDepth_ = 0;
    const TtsSetNode* copiedNode_ = nullptr;
};

}  // namespace grid
