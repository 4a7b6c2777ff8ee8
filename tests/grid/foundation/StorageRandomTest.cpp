// Mixed sets, clears, row and column deletions and row saves on a storage,
// checked after every step against a plain map of the same cells.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "StorageSupport.h"
#include "grid/foundation/2DStorage.h"
#include "grid/foundation/BitmapSet.h"

using namespace grid;
using core::Variant;

namespace {

struct Cell {
    TtsStoredKind kind;
    Variant value;
};
// row -> column -> cell; only non-empty cells are kept.
using Model = std::map<int, std::map<int, Cell>>;

class StorageRandomTest : public storagetest::StorageFixture {
protected:
    void SetUp() override
    {
        // Two shared pictures held by the test for its whole run, and one of
        // the application's own.
        for (auto*& picture : shared_) {
            picture = NewSharedBitmap()->Bitmap();
            ChangeBitmapRef(picture, false);
        }
    }
    void TearDown() override
    {
        for (auto* picture : shared_)
            ChangeBitmapRef(picture, true);
        storagetest::StorageFixture::TearDown();
    }

    Cell RandomCell(std::mt19937& random)
    {
        switch (random() % 6) {
        case 0:
            return {skText, Variant(core::AnsiString(random() % 4 == 0 ? "" : "text " + std::to_string(random() % 1000)))};
        case 1:
            return {skCheckState, Variant(static_cast<int>(random() % 3))};
        case 2:
            return {skPictureName, Variant(core::AnsiString("picture ") + std::to_string(random() % 50))};
        case 3:
            return {skNull, Variant::Null()};
        case 4: {
            int which = static_cast<int>(random() % 3);
            return {skBitmap, BitmapValue(which < 2 ? shared_[which] : &own_)};
        }
        default:
            return {skEmpty, Variant()};
        }
    }

    // The storage holds exactly the model's cells, and (unless the storage
    // is a copy made through a stream, with pictures of its own) each shared
    // picture counts the cells that hold it.
    void Check(const Tts2DStorage& storage, const Model& model, int step, bool samePictures = true)
    {
        int holders[2] = {0, 0};
        for (int row = 0; row < storage.RowSlots() + 3; ++row) {
            auto found = model.find(row);
            int lastCol = 0;
            for (int col = 1; col <= storage.Lengths(row) + 3; ++col) {
                const Cell* cell = nullptr;
                if (found != model.end()) {
                    auto c = found->second.find(col);
                    if (c != found->second.end())
                        cell = &c->second;
                }
                TtsStoredKind kind = cell ? cell->kind : skEmpty;
                ASSERT_EQ(storage.KindOf(col, row), kind) << "step " << step << " cell " << col << "," << row;
                if (cell) {
                    lastCol = col;
                    if (samePictures || cell->kind != skBitmap) {
                        ASSERT_TRUE(storage.GetValue(col, row).Identical(cell->kind == skNull ? Variant::Null() : cell->value))
                            << "step " << step << " cell " << col << "," << row;
                    }
                    if (cell->kind == skBitmap)
                        for (int i = 0; i < 2; ++i)
                            holders[i] += ValueBitmap(cell->value) == shared_[i];
                } else {
                    ASSERT_TRUE(storage.GetValue(col, row).IsEmpty());
                }
            }
            ASSERT_EQ(storage.LastCol(row), lastCol) << "step " << step << " row " << row;
        }
        int lastRow = model.empty() ? 0 : model.rbegin()->first;
        ASSERT_GE(storage.LastRow(), lastRow);
        for (int i = 0; samePictures && i < 2; ++i)
            ASSERT_EQ(FindSharedBitmap(shared_[i])->RefCount(), holders[i] + 1) << "step " << step;
    }

    graphics::TBitmap* shared_[2] = {nullptr, nullptr};
    graphics::TBitmap own_;
};

void Store(Model& model, int col, int row, const Cell& cell)
{
    if (cell.kind == skEmpty || cell.value.IsEmpty()) {
        auto found = model.find(row);
        if (found != model.end()) {
            found->second.erase(col);
            if (found->second.empty())
                model.erase(found);
        }
        return;
    }
    model[row][col] = cell;
}

TEST_F(StorageRandomTest, MixedOperationsMatchAPlainMap)
{
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        Tts2DStorage storage(static_cast<int>(random() % 5), static_cast<int>(random() % 30));
        Model model;
        for (int step = 0; step < 600; ++step) {
            int op = static_cast<int>(random() % 100);
            int col = 1 + static_cast<int>(random() % 14);
            int row = static_cast<int>(random() % 40);
            if (op < 55) {
                Cell cell = RandomCell(random);
                storage.SetValue(col, row, cell.kind, cell.value);
                Store(model, col, row, cell);
            } else if (op < 65) {
                storage.ClearCell(col, row);
                Store(model, col, row, {skEmpty, Variant()});
            } else if (op < 68) {
                storage.ClearRow(row, static_cast<int>(random() % 20) - 1);
                model.erase(row);
            } else if (op < 71) {
                storage.ClearCol(col);
                for (auto it = model.begin(); it != model.end();) {
                    if (it->first > 0)
                        it->second.erase(col);
                    it = it->second.empty() ? model.erase(it) : std::next(it);
                }
            } else if (op < 78) {
                int from = 1 + static_cast<int>(random() % 40);
                int to = from + static_cast<int>(random() % 5) - 1;
                storage.DeleteRows(from, to);
                if (from <= to) {
                    Model moved;
                    for (auto& [r, cells] : model)
                        if (r < from)
                            moved[r] = cells;
                        else if (r > to)
                            moved[r - (to - from + 1)] = cells;
                    model = moved;
                }
            } else if (op < 85) {
                int from = 1 + static_cast<int>(random() % 14);
                int to = from + static_cast<int>(random() % 4) - 1;
                storage.DeleteCols(from, to);
                if (from <= to) {
                    for (auto it = model.begin(); it != model.end();) {
                        std::map<int, Cell> moved;
                        for (auto& [c, cell] : it->second)
                            if (c < from)
                                moved[c] = cell;
                            else if (c > to)
                                moved[c - (to - from + 1)] = cell;
                        it->second = moved;
                        it = it->second.empty() ? model.erase(it) : std::next(it);
                    }
                }
            } else if (op < 91) {
                int target = 1 + static_cast<int>(random() % 40);
                bool inSlots = target < storage.RowSlots();
                storage.SaveRow(target);
                if (storage.RowSlots() > 0) {
                    if (inSlots && model.count(target))
                        model[0] = model[target];
                    else
                        model.erase(0);
                }
            } else if (op < 96) {
                int target = 1 + static_cast<int>(random() % 40);
                bool inSlots = target < storage.RowSlots();
                storage.RestoreRow(target);
                if (inSlots) {
                    if (model.count(0))
                        model[target] = model[0];
                    else
                        model.erase(target);
                }
                model.erase(0);
            } else {
                // Through the stream and back, then into a copy and back.
                Tts2DStorage copy(storage.ColsHint(), storage.RowsHint());
                storagetest::Load(copy, storagetest::Saved(storage));
                Tts2DStorage second(3, 0);
                second.Assign(storage);
                // The scratch row and Null cells do not travel.
                Model data = model;
                data.erase(0);
                for (auto it = data.begin(); it != data.end();) {
                    std::erase_if(it->second, [](const auto& c) { return c.second.kind == skNull; });
                    it = it->second.empty() ? data.erase(it) : std::next(it);
                }
                Check(copy, data, step, false);
                if (HasFatalFailure())
                    return;
                ASSERT_EQ(storagetest::Saved(second), storagetest::Saved(storage));
            }
            Check(storage, model, step);
            if (HasFatalFailure())
                return;
        }
    }
}

}  // namespace
