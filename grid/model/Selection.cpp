#include "grid/model/Selection.h"

#include <algorithm>

namespace grid {

bool TtsSelection::Assign(const TtsSelection& source)
{
    bool changed = !(bits_ == source.bits_);
    bits_ = source.bits_;
    first_ = source.first_;
    last_ = source.last_;
    count_ = source.count_;
    return changed;
}

void TtsSelection::Clear()
{
    if (count_ > 0)
        bits_.SetRange(first_, last_, false);
    first_ = last_ = -1;
    count_ = 0;
}

void TtsSelection::SetSize(int n)
{
    n = std::max(n, 0);
    if (n < Size() && count_ > 0 && last_ >= n) {
        count_ -= bits_.CountRange(std::max(n, 1), last_);
        bits_.SetSize(n);
        UpdateMarks();
        return;
    }
    bits_.SetSize(n);
}

bool TtsSelection::Selected(int position) const
{
    return position >= 1 && position < Size() && bits_.Bits(position);
}

bool TtsSelection::Clamp(int& from, int& to) const
{
    from = std::max(from, 1);
    to = std::min(to, Size() - 1);
    return from <= to;
}

void TtsSelection::UpdateMarks()
{
    if (count_ == 0) {
        first_ = last_ = -1;
        return;
    }
    first_ = bits_.NextSet(1);
    last_ = bits_.PrevSet(Size() - 1);
}

int TtsSelection::SetSelected(int from, int to, bool value)
{
    if (!Clamp(from, to))
        return 0;
    int changed = bits_.SetRange(from, to, value);
    if (changed == 0)
        return 0;
    if (value) {
        count_ += changed;
        first_ = first_ < 0 ? from : std::min(first_, from);
        last_ = std::max(last_, to);
    } else {
        count_ -= changed;
        if (count_ == 0 || from <= first_ || to >= last_)
            UpdateMarks();
    }
    return changed;
}

void TtsSelection::Toggle(int from, int to)
{
    if (!Clamp(from, to))
        return;
    int before = bits_.CountRange(from, to);
    bits_.FlipRange(from, to);
    count_ += (to - from + 1) - 2 * before;
    UpdateMarks();
}

int TtsSelection::NextSelected(int position) const
{
    if (count_ == 0 || position >= last_)
        return -1;
    return bits_.NextSet(std::max(position + 1, first_));
}

int TtsSelection::PrevSelected(int position) const
{
    if (count_ == 0 || position <= first_)
        return -1;
    return bits_.PrevSet(std::min(position - 1, last_));
}

int TtsSelection::CountSelected(int from, int to) const
{
    if (from > to)
        std::swap(from, to);
    if (count_ == 0 || !Clamp(from, to))
        return 0;
    if (from <= first_ && to >= last_)
        return count_;
    return bits_.CountRange(from, to);
}

void TtsSelection::Delete(int position)
{
    if (position < 0 || position >= Size())
        return;
    if (Selected(position))
        --count_;
    bits_.Delete(position);
    UpdateMarks();
}

void TtsSelection::Move(int from, int to)
{
    if (from == to || from < 1 || to < 1 || from >= Size() || to >= Size())
        return;
    bool value = bits_.Bits(from);
    bits_.Delete(from);
    bits_.Insert(to, value);
    UpdateMarks();
}

}  // namespace grid
