#pragma once

#include "platform/core/Bits.h"

namespace grid {

// A set of selected display positions of one axis (rows or columns), one bit
// per position of the base layout's count. Position 0 (the heading row or
// the row bar) is never selected. The first and last selected positions and
// the number selected are kept beside the bits, so that the questions the
// grid asks on every paint and key are answered without a walk; the walks
// that remain (next, previous, count between) go a word at a time.
class TtsSelection {
public:
    // Copies the other selection; returns whether any bit changed.
    bool Assign(const TtsSelection& source);
    // All bits off: count 0, first and last -1.
    void Clear();

    int Size() const { return bits_.Size(); }
    // Grows or shrinks to n positions; selections cut off leave the count
    // and the first and last marks.
    void SetSize(int n);

    // False outside 1..Size-1.
    bool Selected(int position) const;
    // Selects or unselects positions from..to (clamped to 1..Size-1; a
    // reversed range is empty); returns how many changed.
    int SetSelected(int from, int to, bool value);
    void SetSelected(int position, bool value) { SetSelected(position, position, value); }
    // Flips positions from..to (clamped like SetSelected).
    void Toggle(int from, int to);

    int First() const { return first_; }
    int Last() const { return last_; }
    int SelectedCount() const { return count_; }
    // The next selected position after `position`, or -1 (also when
    // `position` is at or beyond the last).
    int NextSelected(int position) const;
    // The previous selected position before `position`, or -1 (also when
    // `position` is at or before the first).
    int PrevSelected(int position) const;
    // The number selected between two positions, both included; the bounds
    // are swapped when reversed and clamped to 1..Size-1.
    int CountSelected(int from, int to) const;

    // Structure changes. Delete removes a position and closes the gap (the
    // size drops by one); Move takes the bit of `from` to `to`, the bits
    // between shifting by one.
    void Delete(int position);
    void Move(int from, int to);

private:
    // Clamps to 1..Size-1; false when nothing is left.
    bool Clamp(int& from, int& to) const;
    // Recomputes first and last after bits went off.
    void UpdateMarks();

    core::TBits bits_;
    int first_ = -1;
    int last_ = -1;
    int count_ = 0;
};

}  // namespace grid
