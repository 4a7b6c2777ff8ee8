#include "grid/foundation/CustomSet.h"

// Sections: insertion (with the two rotations), lookup, deletion, then
// copying, snapshots and releasing.
//
// Directions and balances use the same numbers: -1 is the left side and +1
// the right side, so "the child on side a" and "leans to side a" read alike.

namespace grid {

CORE_CLASS_IMPL(TtsCustomSet)

TtsCustomSet::~TtsCustomSet()
{
    ReleaseTree(root_);
}

TtsSetNode* TtsCustomSet::NewNode(const TtsSetRef& value)
{
    TtsSetNode* node = CreateNode(value);
    node->balance_ = 0;
    ++count_;
    return node;
}

TtsSetNode* TtsCustomSet::CreateNode(const TtsSetRef& value)
{
    (void)value;
    return new TtsSetNode();
}

TtsSetNode* TtsCustomSet::Insert(const TtsSetRef& key)
{
    if (!root_) {
        root_ = NewNode(key);
        return root_;
    }

    // Walk down. S is the deepest node on the way whose balance is not 0
    // (or the root), T its parent: below S every balance is 0, so only S can
    // become too unbalanced.
    TtsSetNode* t = nullptr;
    TtsSetNode* s = root_;
    TtsSetNode* p = root_;
    TtsSetNode* q;
    for (;;) {
        TtsCompare c = p->Compare(this, key);
        if (c == crEqual)
            return p;
        TtsSetNode*& link = c == crBefore ? p->left_ : p->right_;
        q = link;
        if (!q) {
            q = NewNode(key);
            link = q;
            break;
        }
        if (q->balance_ != 0) {
            t = p;
            s = q;
        }
        p = q;
    }

    BalanceInsertion(t, s, q, key);
    return q;
}

// Fixes the balances on the way from S down to the new node Q and rotates at
// S when its subtree became two levels taller on one side.
void TtsCustomSet::BalanceInsertion(TtsSetNode* t, TtsSetNode* s, TtsSetNode* q, const TtsSetRef& key)
{
    // Every node strictly between S and Q was balanced and now leans towards
    // the side the key went.
    int a;
    TtsSetNode* r;
    if (s->Compare(this, key) == crBefore) {
        a = -1;
        r = s->left_;
    } else {
        a = +1;
        r = s->right_;
    }
    for (TtsSetNode* p = r; p != q;) {
        if (p->Compare(this, key) == crBefore) {
            p->balance_ = -1;
            p = p->left_;
        } else {
            p->balance_ = +1;
            p = p->right_;
        }
    }

    if (s->balance_ == 0) {
        // S is the root: the whole tree grew one level.
        s->balance_ = static_cast<std::int8_t>(a);
    } else if (s->balance_ == -a) {
        // The shorter side caught up.
        s->balance_ = 0;
    } else {
        TtsSetNode* top = r->balance_ == a ? RotateSingle(s, r, a) : RotateDouble(s, r, a);
        if (!t)
            root_ = top;
        else if (s == t->right_)
            t->right_ = top;
        else
            t->left_ = top;
    }
}

// Lifts R, the child of S on side a, above S. During insertion R always
// leans to side a; during deletion it may be balanced, and then the subtree
// keeps its height and both nodes lean.
TtsSetNode* TtsCustomSet::RotateSingle(TtsSetNode* s, TtsSetNode* r, int a)
{
    Child(s, a) = Child(r, -a);
    Child(r, -a) = s;
    if (r->balance_ != 0) {
        s->balance_ = 0;
        r->balance_ = 0;
    } else {
        s->balance_ = static_cast<std::int8_t>(a);
        r->balance_ = static_cast<std::int8_t>(-a);
    }
    return r;
}

// Lifts X, the inner grandchild (R's child on the side away from a), above
// both S and R, which take X's two subtrees.
TtsSetNode* TtsCustomSet::RotateDouble(TtsSetNode* s, TtsSetNode* r, int a)
{
    TtsSetNode* x = Child(r, -a);
    Child(r, -a) = Child(x, a);
    Child(x, a) = r;
    Child(s, a) = Child(x, -a);
    Child(x, -a) = s;
    if (x->balance_ == a) {
        s->balance_ = static_cast<std::int8_t>(-a);
        r->balance_ = 0;
    } else if (x->balance_ == 0) {
        s->balance_ = 0;
        r->balance_ = 0;
    } else {
        s->balance_ = 0;
        r->balance_ = static_cast<std::int8_t>(a);
    }
    x->balance_ = 0;
    return x;
}

TtsSetNode* TtsCustomSet::FindNode(const TtsSetRef& key) const
{
    TtsSetNode* p = root_;
    while (p) {
        TtsCompare c = p->CompareKey(this, key);
        if (c == crEqual)
            return p;
        p = c == crBefore ? p->left_ : p->right_;
    }
    return nullptr;
}

TtsDetachedNode TtsCustomSet::Delete(const TtsSetRef& key)
{
    // Walk down to N, recording every step.
    path_.Clear();
    TtsSetNode* n = root_;
    while (n) {
        TtsCompare c = n->CompareKey(this, key);
        if (c == crEqual)
            break;
        if (c == crBefore) {
            path_.Push(n, -1);
            n = n->left_;
        } else {
            path_.Push(n, +1);
            n = n->right_;
        }
    }
    if (!n)
        return nullptr;

    Unlink(n);
    BalanceDeletion();
    n->left_ = nullptr;
    n->right_ = nullptr;
    return TtsDetachedNode(n);
}

// Takes N out of the tree, with Path leading to N. A node with two children
// gives way to its in-order successor M; Path then leads to M's old place,
// with M standing where N stood.
void TtsCustomSet::Unlink(TtsSetNode* n)
{
    // M, the leftmost node of N's right subtree, will stand for N at entry k.
    TtsSetNode* m = n;
    int k = 0;
    if (n->left_ && n->right_) {
        k = path_.Top() + 1;
        path_.Push(n, +1);
        m = n->right_;
        while (m->left_) {
            path_.Push(m, -1);
            m = m->left_;
        }
    }

    // M has at most one child, which takes M's place.
    TtsSetNode* c = m->left_ ? m->left_ : m->right_;
    if (path_.Top() == 0) {
        root_ = c;
    } else {
        TtsPathEntry top = path_.Entries(path_.Top());
        Child(top.Node, top.Direction) = c;
    }
    --count_;

    // M takes N's place, links and balance.
    if (m != n) {
        if (k == 1) {
            root_ = m;
        } else {
            TtsPathEntry parent = path_.Entries(k - 1);
            Child(parent.Node, parent.Direction) = m;
        }
        m->left_ = n->left_;
        m->right_ = n->right_;
        m->balance_ = n->balance_;
        path_.SetEntries(k, m, +1);
    }
}

// Walks Path back up after an unlink: each recorded subtree lost a level on
// the side the walk went, until one keeps its height.
void TtsCustomSet::BalanceDeletion()
{
    bool stop = false;
    while (!stop && path_.Top() > 0) {
        TtsPathEntry top = path_.Entries(path_.Top());
        TtsSetNode* p = top.Node;
        int d = top.Direction;
        if (p->balance_ == 0) {
            // It leans to the other side now but kept its height.
            p->balance_ = static_cast<std::int8_t>(-d);
            stop = true;
        } else if (p->balance_ == d) {
            // It was taller on side d; now balanced and one level shorter.
            p->balance_ = 0;
        } else {
            // It leans away from the shortened side by two levels.
            int a = -d;
            TtsSetNode* r = Child(p, a);
            TtsSetNode* sub;
            if (r->balance_ == -a) {
                sub = RotateDouble(p, r, a);
            } else {
                stop = r->balance_ == 0;
                sub = RotateSingle(p, r, a);
            }
            if (path_.Top() == 1) {
                root_ = sub;
            } else {
                TtsSetNode* below = path_.Entries(path_.Top() - 1).Node;
                if (below->right_ == p)
                    below->right_ = sub;
                else
                    below->left_ = sub;
            }
        }
        path_.Pop();
    }

}

void TtsCustomSet::Assign(const TtsCustomSet& source)
{
    if (&source == this)
        return;
    if (root_)
        Clear();
    struct CopyScope {
        TtsCustomSet& set;
        explicit CopyScope(TtsCustomSet& s) : set(s) { ++set.copyDepth_; }
        ~CopyScope()
        {
            --set.copyDepth_;
            set.copiedNode_ = nullptr;
        }
    } scope(*this);
    root_ = CopyTree(source.root_);
}

TtsSetNode* TtsCustomSet::CopyTree(const TtsSetNode* source)
{
    if (!source)
        return nullptr;
    copiedNode_ = source;
    TtsSetNode* node = NewNode(source->Value());
    try {
        node->AssignNode(*source);
        node->left_ = CopyTree(source->left_);
        node->right_ = CopyTree(source->right_);
    } catch (...) {
        // The part copied so far hangs under `node` and goes with it.
        count_ -= ReleaseTree(node);
        throw;
    }
    return node;
}

std::unique_ptr<TtsSetList> TtsCustomSet::GetList() const
{
    auto list = std::make_unique<TtsSetList>(count_);
    int position = 0;
    FillList(root_, *list, position);
    return list;
}

void TtsCustomSet::FillList(const TtsSetNode* node, TtsSetList& list, int& position)
{
    if (!node)
        return;
    FillList(node->left_, list, position);
    list.SetItems(++position, node->Value());
    FillList(node->right_, list, position);
}

void TtsCustomSet::Clear()
{
    ReleaseTree(root_);
    root_ = nullptr;
    count_ = 0;
    path_.Clear();
}

// Releases the subtree in post-order and tells how many nodes went.
int TtsCustomSet::ReleaseTree(TtsSetNode* node)
{
    if (!node)
        return 0;
    int released = ReleaseTree(node->left_) + ReleaseTree(node->right_);
    node->Release(true);
    return released + 1;
}

}  // namespace grid
