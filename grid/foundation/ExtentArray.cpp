#include "grid/foundation/ExtentArray.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace grid {

// One run of `length` equal entries, with the totals of its subtree.
struct TtsExtentArray::Node {
    int64_t length = 0;
    int value = 0;
    uint32_t priority = 0;
    NodePtr left;
    NodePtr right;
    // Subtree totals: entries, sum of max(entry, 0), entries above 0.
    int64_t cells = 0;
    int64_t extent = 0;
    int64_t positive = 0;
};

namespace {

int64_t CellsOf(const std::unique_ptr<TtsExtentArray::Node>& n)
{
    return n ? n->cells : 0;
}

}  // namespace

TtsExtentArray::TtsExtentArray(int count, int fill) : fill_(fill)
{
    if (count > 0)
        root_ = MakeRun(count, fill);
}

TtsExtentArray::TtsExtentArray() = default;
TtsExtentArray::~TtsExtentArray() = default;
TtsExtentArray::TtsExtentArray(TtsExtentArray&&) noexcept = default;
TtsExtentArray& TtsExtentArray::operator=(TtsExtentArray&&) noexcept = default;

TtsExtentArray::TtsExtentArray(const TtsExtentArray& other)
    : root_(Clone(other.root_.get())), fill_(other.fill_), seed_(other.seed_)
{
}

TtsExtentArray& TtsExtentArray::operator=(const TtsExtentArray& other)
{
    if (this != &other) {
        root_ = Clone(other.root_.get());
        fill_ = other.fill_;
        seed_ = other.seed_;
    }
    return *this;
}

TtsExtentArray::NodePtr TtsExtentArray::Clone(const Node* n)
{
    if (!n)
        return nullptr;
    auto copy = std::make_unique<Node>();
    copy->length = n->length;
    copy->value = n->value;
    copy->priority = n->priority;
    copy->cells = n->cells;
    copy->extent = n->extent;
    copy->positive = n->positive;
    copy->left = Clone(n->left.get());
    copy->right = Clone(n->right.get());
    return copy;
}

TtsExtentArray::NodePtr TtsExtentArray::MakeRun(int64_t count, int value) const
{
    auto n = std::make_unique<Node>();
    n->length = count;
    n->value = value;
    // xorshift: any well-spread sequence keeps the tree balanced.
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    n->priority = seed_;
    Update(n.get());
    return n;
}

void TtsExtentArray::Update(Node* n)
{
    n->cells = n->length;
    n->extent = n->length * std::max(n->value, 0);
    n->positive = n->value > 0 ? n->length : 0;
    for (const NodePtr* child : {&n->left, &n->right}) {
        if (*child) {
            n->cells += (*child)->cells;
            n->extent += (*child)->extent;
            n->positive += (*child)->positive;
        }
    }
}

// Splits off the first k entries (returned) from the rest (`right`). A run
// that straddles the cut becomes two runs of the same priority, which keeps
// the heap order of both halves.
TtsExtentArray::NodePtr TtsExtentArray::Split(NodePtr t, int64_t k, NodePtr& right)
{
    if (!t) {
        right = nullptr;
        return nullptr;
    }
    int64_t leftCells = CellsOf(t->left);
    if (k <= leftCells) {
        NodePtr lr;
        NodePtr l = Split(std::move(t->left), k, lr);
        t->left = std::move(lr);
        Update(t.get());
        right = std::move(t);
        return l;
    }
    if (k >= leftCells + t->length) {
        NodePtr rr;
        t->right = Split(std::move(t->right), k - leftCells - t->length, rr);
        Update(t.get());
        right = std::move(rr);
        return t;
    }
    auto rest = std::make_unique<Node>();
    rest->length = t->length - (k - leftCells);
    rest->value = t->value;
    rest->priority = t->priority;
    rest->right = std::move(t->right);
    t->length = k - leftCells;
    Update(t.get());
    Update(rest.get());
    right = std::move(rest);
    return t;
}

TtsExtentArray::NodePtr TtsExtentArray::Merge(NodePtr a, NodePtr b)
{
    if (!a)
        return b;
    if (!b)
        return a;
    if (a->priority >= b->priority) {
        a->right = Merge(std::move(a->right), std::move(b));
        Update(a.get());
        return a;
    }
    b->left = Merge(std::move(a), std::move(b->left));
    Update(b.get());
    return b;
}

int TtsExtentArray::Count() const
{
    return static_cast<int>(CellsOf(root_));
}

int TtsExtentArray::Get(int index) const
{
    if (index < 0 || index >= Count())
        return fill_;
    const Node* n = root_.get();
    int64_t k = index;
    while (n) {
        int64_t leftCells = CellsOf(n->left);
        if (k < leftCells) {
            n = n->left.get();
        } else if (k < leftCells + n->length) {
            return n->value;
        } else {
            k -= leftCells + n->length;
            n = n->right.get();
        }
    }
    return fill_;
}

void TtsExtentArray::Set(int index, int value)
{
    if (index < 0 || index >= Count() || Get(index) == value)
        return;
    NodePtr rest;
    NodePtr before = Split(std::move(root_), index, rest);
    NodePtr after;
    NodePtr cell = Split(std::move(rest), 1, after);
    cell->value = value;
    Update(cell.get());
    root_ = Merge(Merge(std::move(before), std::move(cell)), std::move(after));
}

TtsExtentArray TtsExtentArray::Resize(int count)
{
    TtsExtentArray tail(0, fill_);
    int old = Count();
    count = std::max(count, 0);
    if (count > old) {
        root_ = Merge(std::move(root_), MakeRun(count - old, fill_));
    } else if (count < old) {
        NodePtr cut;
        root_ = Split(std::move(root_), count, cut);
        tail.root_ = std::move(cut);
    }
    return tail;
}

void TtsExtentArray::Restore(TtsExtentArray&& tail)
{
    root_ = Merge(std::move(root_), std::move(tail.root_));
}

void TtsExtentArray::Move(int from, int to)
{
    int count = Count();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count)
        return;
    NodePtr rest;
    NodePtr before = Split(std::move(root_), from, rest);
    NodePtr after;
    NodePtr cell = Split(std::move(rest), 1, after);
    NodePtr others = Merge(std::move(before), std::move(after));
    NodePtr tail;
    NodePtr head = Split(std::move(others), to, tail);
    root_ = Merge(Merge(std::move(head), std::move(cell)), std::move(tail));
}

int64_t TtsExtentArray::Weight(const Node* n, const Weights& w)
{
    return n ? w.extent * n->extent + w.cell * n->cells + w.positive * n->positive : 0;
}

namespace {

int64_t CellWeight(int value, int64_t extentWeight, int64_t cellWeight, int64_t positiveWeight)
{
    return extentWeight * std::max(value, 0) + cellWeight + (value > 0 ? positiveWeight : 0);
}

}  // namespace

int64_t TtsExtentArray::PrefixWeight(int64_t index, const Weights& w) const
{
    int64_t total = 0;
    int64_t k = std::clamp<int64_t>(index, 0, Count());
    const Node* n = root_.get();
    while (n && k > 0) {
        int64_t leftCells = CellsOf(n->left);
        if (k <= leftCells) {
            n = n->left.get();
            continue;
        }
        total += Weight(n->left.get(), w);
        k -= leftCells;
        int64_t take = std::min(k, n->length);
        total += take * CellWeight(n->value, w.extent, w.cell, w.positive);
        k -= take;
        n = n->right.get();
    }
    return total;
}

int TtsExtentArray::FindWeight(int64_t limit, const Weights& w) const
{
    int64_t before = 0;  // weight of everything left of the subtree `n`
    int64_t base = 0;    // index of the first entry of `n`
    const Node* n = root_.get();
    while (n) {
        int64_t leftWeight = Weight(n->left.get(), w);
        if (before + leftWeight > limit) {
            n = n->left.get();
            continue;
        }
        before += leftWeight;
        base += CellsOf(n->left);
        int64_t each = CellWeight(n->value, w.extent, w.cell, w.positive);
        if (each > 0 && before + each * n->length > limit)
            return static_cast<int>(base + (limit - before) / each);
        before += each * n->length;
        base += n->length;
        n = n->right.get();
    }
    return Count();
}

int64_t TtsExtentArray::Sum(int first, int last, int line) const
{
    Weights w{1, line, 0};
    if (last <= first)
        return 0;
    return PrefixWeight(last, w) - PrefixWeight(first, w);
}

int64_t TtsExtentArray::SumPositive(int first, int last, int line) const
{
    Weights w{1, 0, line};
    if (last <= first)
        return 0;
    return PrefixWeight(last, w) - PrefixWeight(first, w);
}

int TtsExtentArray::FindEnd(int first, int64_t limit, int line) const
{
    first = std::max(first, 0);
    if (first >= Count())
        return Count();
    if (limit < 0)
        return first;
    Weights w{1, line, 0};
    return FindWeight(PrefixWeight(first, w) + limit, w);
}

int TtsExtentArray::FindPositiveEnd(int first, int64_t limit, int line) const
{
    first = std::max(first, 0);
    if (first >= Count())
        return Count();
    Weights w{1, 0, line};
    return FindWeight(PrefixWeight(first, w) + std::max<int64_t>(limit, 1) - 1, w);
}

int TtsExtentArray::NextPositive(int first) const
{
    first = std::max(first, 0);
    if (first >= Count())
        return Count();
    Weights w{0, 0, 1};
    return FindWeight(PrefixWeight(first, w), w);
}

int TtsExtentArray::PreviousPositive(int last) const
{
    if (last < 0)
        return -1;
    Weights w{0, 0, 1};
    int64_t positives = PrefixWeight(static_cast<int64_t>(last) + 1, w);
    if (positives == 0)
        return -1;
    return FindWeight(positives - 1, w);
}

void TtsExtentArray::ForEachRun(const std::function<void(int, int, int)>& visit) const
{
    // An explicit stack: the walk visits every run once, in index order.
    std::vector<const Node*> stack;
    const Node* n = root_.get();
    int64_t index = 0;
    while (n || !stack.empty()) {
        while (n) {
            stack.push_back(n);
            n = n->left.get();
        }
        n = stack.back();
        stack.pop_back();
        visit(static_cast<int>(index), static_cast<int>(n->length), n->value);
        index += n->length;
        n = n->right.get();
    }
}

int TtsExtentArray::RunCount() const
{
    int runs = 0;
    ForEachRun([&](int, int, int) { ++runs; });
    return runs;
}

bool TtsExtentArray::operator==(const TtsExtentArray& other) const
{
    // Compare the entries, whatever runs hold them.
    auto entries = [](const TtsExtentArray& a) {
        std::vector<std::pair<int, int>> runs;  // value, count, adjacent equal runs joined
        a.ForEachRun([&](int, int count, int value) {
            if (!runs.empty() && runs.back().first == value)
                runs.back().second += count;
            else
                runs.emplace_back(value, count);
        });
        return runs;
    };
    return entries(*this) == entries(other);
}

}  // namespace grid
