#pragma once

#include <memory>
#include <vector>

#include "grid/model/GridCellHost.h"
#include "grid/model/PropSet.h"
#include "platform/graphics/Font.h"

namespace grid::test {

// A grid as cell settings see it, without a window: counts, grid-level
// settings and a record of what the settings asked the grid to do.
class CellHost : public IGridCellHost {
public:
    struct Repaint {
        int Col;
        int Row;
        bool ContentOnly;
        bool operator==(const Repaint&) const = default;
    };

    CellHost() { font.SetName("Grid Font"); }

    TtsCellSettings& CellSettings() override { throw core::EInvalidOperation("no cell settings"); }
    const graphics::TFont* CellEffectiveFont(int, int) override { return &font; }
    core::AnsiString GridName() const override { return "TestGrid"; }
    int DataColCount() const override { return cols; }
    int DataRowCount() const override { return rows; }
    graphics::TColor GridColor() const override { return color; }
    const graphics::TFont* GridFont() const override { return &font; }
    TtsWordWrap GridWordWrap() const override { return wwOff; }
    TtsHorzAlignment GridHorzAlignment() const override { return htaDefault; }
    TtsVertAlignment GridVertAlignment() const override { return vtaDefault; }
    bool GridIs3D() const override { return is3D; }
    TtsDrawOverlap DrawOverlap() const override { return overlap; }
    bool ReadOnlyButton() const override { return true; }
    bool DesignEditable() const override { return false; }
    const core::AnsiString& GridCheckBoxValues() const override { return checkBoxValues; }
    graphics::TColor GridHeadingColor() const override { return graphics::clBtnFace; }
    const graphics::TFont* GridHeadingFont() const override { return &font; }
    bool Heading3D() const override { return true; }
    bool IsReading() const override { return false; }
    bool IsWriting() const override { return false; }
    void CellSettingChanged(int dataCol, int dataRow, bool contentOnly) override
    {
        repaints.push_back({dataCol, dataRow, contentOnly});
    }
    void CellMaskChanged(int dataCol, int dataRow) override { maskReloads.push_back({dataCol, dataRow, false}); }
    void CellControlTypeChanged(int dataCol, int dataRow) override { prunes.push_back({dataCol, dataRow, false}); }
    core::TPersistent* CreateCombo() override { return nullptr; }
    TtsDropDownStyle ComboDropDownStyle(const core::TPersistent&) const override { return ddDropDown; }
    void SetComboDropDownStyle(core::TPersistent&, TtsDropDownStyle) override {}
    void SizeComboToCol(core::TPersistent&, int) override {}
    void RegisterDateTimeDef(TtsDateTimeDefComponent* def) override { registered.push_back(def); }
    void UnregisterDateTimeDef(TtsDateTimeDefComponent* def) override { unregistered.push_back(def); }
    void ResetDateTimeState() override { ++dateTimeResets; }

    int cols = 4;
    int rows = 4;
    graphics::TColor color = graphics::clWindow;
    bool is3D = false;
    TtsDrawOverlap overlap = doDrawColOnTop;
    core::AnsiString checkBoxValues;
    graphics::TFont font;
    std::vector<Repaint> repaints;
    std::vector<Repaint> maskReloads;
    std::vector<Repaint> prunes;
    std::vector<TtsDateTimeDefComponent*> registered;
    std::vector<TtsDateTimeDefComponent*> unregistered;
    int dateTimeResets = 0;
};

}  // namespace grid::test
