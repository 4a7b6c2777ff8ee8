#pragma once

#include <string>

#include "grid/foundation/CustomSet.h"
#include "grid/foundation/ObjectSet.h"

namespace settest {

// An element keyed by (row, col), comparing row first, as the grid's cell
// elements do. Counts the live elements so that tests see every release.
class TCellElement : public grid::TtsSetElement {
public:
    static inline int Live = 0;

    TCellElement(int row, int col) : row_(row), col_(col) { ++Live; }
    TCellElement(const TCellElement& other) : grid::TtsSetElement(other), row_(other.row_), col_(other.col_) { ++Live; }
    ~TCellElement() override { --Live; }

    int Row() const { return row_; }
    int Col() const { return col_; }

    grid::TtsCompare Compare(const grid::TtsCustomSet* set, const grid::TtsSetElement* element) const override
    {
        auto* other = static_cast<const TCellElement*>(element);
        return CompareKey(set, {other->row_, other->col_});
    }
    grid::TtsCompare CompareKey(const grid::TtsCustomSet*, grid::TtsKey key) const override
    {
        int row = key[0].Integer();
        int col = key[1].Integer();
        if (row != row_)
            return row < row_ ? grid::crBefore : grid::crAfter;
        if (col != col_)
            return col < col_ ? grid::crBefore : grid::crAfter;
        return grid::crEqual;
    }

private:
    int row_;
    int col_;
};

// The key of a node of an integer or cell set, as text.
inline std::string NodeKey(const grid::TtsSetNode* node)
{
    grid::TtsSetRef value = node->Value();
    if (value.IsElement()) {
        auto* cell = static_cast<const TCellElement*>(value.Element());
        return std::to_string(cell->Row()) + ":" + std::to_string(cell->Col());
    }
    return std::to_string(*value.Integer());
}

// The tree as text: "key" for a leaf, "key(left,right)" otherwise, "-" for a
// missing child, the key followed by "+" or "-" when the node leans right or
// left. "4(2(1,3),6+(5,7+(-,8)))".
inline std::string Shape(const grid::TtsSetNode* node)
{
    if (!node)
        return "-";
    std::string text = NodeKey(node);
    if (node->Balance() > 0)
        text += "+";
    else if (node->Balance() < 0)
        text += "-";
    if (node->Left() || node->Right())
        text += "(" + Shape(node->Left()) + "," + Shape(node->Right()) + ")";
    return text;
}

}  // namespace settest
