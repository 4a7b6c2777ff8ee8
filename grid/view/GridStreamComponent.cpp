// Saving and loading chosen parts of a grid: the stream component and the
// grid's Save... and Load... operations over streams, files and the
// registry.
//
// Call flow of a load: LoadFromStream -> a backup copy of the grid -> the
// stream component read as a component (its defined properties in stored
// order: the mask, ResetProps (resets), Grid, the counts, the collections,
// Data) -> on failure the backup is copied back.
#include "grid/view/GridStreamComponent.h"

#include <filesystem>

#include "grid/foundation/RegistryKeyPath.h"
#include "grid/view/GridFiling.h"
#include "platform/core/CodePage.h"
#include "platform/core/Stream.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/Writer.h"
#include "platform/system/Registry.h"

namespace grid {

CORE_CLASS_IMPL(TtsGridStreamComponent)

namespace {

// The horizontal alignment and the two legacy alignment settings travel
// together: one of them in a mask brings the others.
constexpr uint32_t kAlignmentBits = rpAligned | rpAlignment | rpHorzAlignment;

}  // namespace

TtsGridStreamComponent::TtsGridStreamComponent(core::TComponent* owner) : core::TComponent(owner) {}

TtsGridStreamComponent::~TtsGridStreamComponent()
{
    if (grid_ && grid_->streamComponent_ == this)
        grid_->streamComponent_ = nullptr;
    scratch_.reset();
}

void TtsGridStreamComponent::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsGridStreamComponent> p(list);
    p.Set("SavePropKinds", &TtsGridStreamComponent::SavePropKinds, &TtsGridStreamComponent::SetSavePropKinds);
    p.Boolean("SaveData", &TtsGridStreamComponent::SaveData, &TtsGridStreamComponent::SetSaveData);
}

void TtsGridStreamComponent::Prepare(TtsBaseGrid& grid, TtsPropKinds kinds, bool saveData, uint32_t mask)
{
    kinds_ = kinds;
    saveData_ = saveData;
    allProps_ = mask == kAllPropsMask;
    if (!allProps_ && (mask & kAlignmentBits))
        mask |= kAlignmentBits;
    mask_ = mask;
    grid_ = &grid;
    if (!allProps_) {
        // A hidden copy on which everything outside the mask is back at its
        // default, so that only the masked properties can be written.
        scratch_ = TtsGridFiling::NewScratch(grid);
        scratch_->SetName(grid.Name());
        scratch_->CopyGrid(grid, kAllPropKinds, saveData);
        uint32_t others = ~mask_;
        // A reset gives a column back the width last set for it; here it
        // goes back to the default width, so that it is not written.
        if (kinds.Contains(pkCols))
            for (int c = 0; c <= scratch_->Cols(); ++c) {
                TtsCol& col = *scratch_->GridCols().Items(c);
                col.ResetProperties(others);
                if ((others & rpWidth) && c > 0)
                    col.SetWidth(scratch_->DefaultColWidth());
            }
        if (kinds.Contains(pkRows)) {
            scratch_->ResetAllRows(others);
            if (others & rpHeight)
                for (int r = 1; r <= scratch_->Rows(); ++r)
                    if (scratch_->GridRows().Items(r))
                        scratch_->GridRows().Update(
                            r, [&](TtsRow& row) { row.SetHeight(scratch_->DefaultRowHeight()); });
        }
        if (kinds.Contains(pkCells))
            scratch_->ResetAllCells(others);
        grid_ = scratch_.get();
    }
    grid_->streamComponent_ = this;
}

void TtsGridStreamComponent::PrepareLoad(TtsBaseGrid& grid, TtsLoadMode mode)
{
    grid_ = &grid;
    mode_ = mode;
    grid.streamComponent_ = this;
}

// ---- Filing ---------------------------------------------------------------------------

void TtsGridStreamComponent::WriteMask(filing::TWriter& writer)
{
    // The mask's four bytes as they are, as a short string: they are no
    // text and must not meet a code page.
    char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(mask_ >> (8 * i));
    writer.WriteValue(filing::vaString);
    writer.WriteStr(AnsiString(bytes, 4));
}

void TtsGridStreamComponent::ReadMask(filing::TReader& reader)
{
    if (reader.NextValue() == filing::vaSet) {
        reader.ReadSetNames();
        mask_ = kAllPropsMask;
        return;
    }
    AnsiString bytes = reader.ReadString();
    uint32_t mask = 0;
    for (size_t i = 0; i < 4 && i < bytes.size(); ++i)
        mask |= uint32_t{static_cast<uint8_t>(bytes[i])} << (8 * i);
    mask_ = mask;
}

void TtsGridStreamComponent::ResetBeforeLoad()
{
    TtsBaseGrid& grid = *grid_;
    bool withLayout = mode_ == lmWithLayout;
    if (allProps_ || mask_ == kAllPropsMask) {
        grid.ResetToDefaults(withLayout ? kinds_ : kinds_ - TtsPropKinds{pkCols});
        return;
    }
    if (kinds_.Contains(pkCols) && withLayout)
        for (int c = 0; c <= grid.Cols(); ++c)
            grid.GridCols().Items(c)->ResetProperties(mask_);
    if (kinds_.Contains(pkRows))
        grid.ResetAllRows(mask_);
    if (kinds_.Contains(pkCells))
        grid.ResetAllCells(mask_);
}

void TtsGridStreamComponent::ColumnMatched(int savedCol, TtsCol& col)
{
    col.ResetProperties(mask_);
    if (savedCol < 1)
        return;
    if (!colMap_)
        colMap_ = std::make_unique<TtsIntegerList>();
    while (colMap_->Count() < savedCol)
        colMap_->Add(0);
    colMap_->SetItems(savedCol - 1, col.DataCol());
}

void TtsGridStreamComponent::WriteGridPart(core::TStream& stream)
{
    // The grid alone, without the controls placed on it (in-cell editors
    // and the like): a layout carries settings, not components.
    writingGrid_ = true;
    try {
        filing::TWriter writer(stream);
        writer.SetRoot(grid_);
        writer.WriteSignature();
        writer.WriteStr(grid_->ClassName());
        writer.WriteStr(grid_->Name());
        writer.WriteProperties(*grid_);
        writer.WriteListEnd();
        writer.WriteListEnd();
    } catch (...) {
        writingGrid_ = false;
        throw;
    }
    writingGrid_ = false;
}

void TtsGridStreamComponent::ReadGridPart(core::TStream& stream)
{
    // The saved grid's published properties arrive on a scratch grid and
    // are copied over without its place, name and sizes, so that a layout
    // does not move or rename the grid it is loaded into.
    std::unique_ptr<TtsBaseGrid> saved = TtsGridFiling::NewScratch(*grid_);
    filing::ReadComponent(stream, saved.get());
    grid_->CopyPublished(*saved, TtsGridFiling::GridExclusions(*grid_, kinds_, mode_ == lmByFieldName));
}

void TtsGridStreamComponent::DefineProperties(core::TFiler& filer)
{
    core::TComponent::DefineProperties(filer);
    if (!grid_)
        return;
    TtsBaseGrid& grid = *grid_;
    bool hasGrid = kinds_.Contains(pkGrid);
    bool hasCols = kinds_.Contains(pkCols);
    bool hasRows = kinds_.Contains(pkRows);
    filer.DefineProperty(
        "Properties", [this](filing::TReader& r) { ReadMask(r); }, [this](filing::TWriter& w) { WriteMask(w); },
        true);
    filer.DefineProperty(
        "AllProperties",
        [this](filing::TReader& r) {
            allProps_ = r.ReadBoolean();
            if (allProps_)
                mask_ = kAllPropsMask;
        },
        [this](filing::TWriter& w) { w.WriteBoolean(allProps_); }, true);
    filer.DefineProperty(
        "ResetProps",
        [this](filing::TReader& r) {
            if (r.ReadBoolean())
                ResetBeforeLoad();
        },
        [](filing::TWriter& w) { w.WriteBoolean(true); }, true);
    filer.DefineBinaryProperty(
        "Grid", [this](core::TStream& s) { ReadGridPart(s); }, [this](core::TStream& s) { WriteGridPart(s); },
        hasGrid);
    filer.DefineProperty(
        "Cols",
        [this, &grid](filing::TReader& r) {
            int cols = r.ReadInteger();
            savedCols_ = std::max(cols, 0);
            if (mode_ == lmWithLayout)
                grid.SetCols(cols);
            else if (!colMap_)
                colMap_ = std::make_unique<TtsIntegerList>();
        },
        [&grid](filing::TWriter& w) { w.WriteInteger(grid.Cols()); }, hasCols);
    filer.DefineProperty(
        "Rows", [&grid](filing::TReader& r) { grid.SetRows(r.ReadInteger()); },
        [&grid](filing::TWriter& w) { w.WriteInteger(grid.Rows()); }, hasRows && !hasGrid);
    filer.DefineProperty(
        "FixedColCount", [&grid](filing::TReader& r) { grid.SetFixedColCount(r.ReadInteger()); },
        [&grid](filing::TWriter& w) { w.WriteInteger(grid.FixedColCount()); }, hasCols);
    filer.DefineProperty(
        "DefaultColWidth", [&grid](filing::TReader& r) { grid.SetDefaultColWidth(r.ReadInteger()); },
        [&grid](filing::TWriter& w) { w.WriteInteger(grid.DefaultColWidth()); },
        hasCols && !hasGrid && (mask_ & rpWidth));
    filer.DefineProperty(
        "DefaultRowHeight", [&grid](filing::TReader& r) { grid.SetDefaultRowHeight(r.ReadInteger()); },
        [&grid](filing::TWriter& w) { w.WriteInteger(grid.DefaultRowHeight()); },
        hasRows && !hasGrid && (mask_ & rpHeight));
    filer.DefineProperty(
        "ColProperties",
        [this, &grid](filing::TReader& r) {
            if (mode_ == lmByFieldName && !colMap_)
                colMap_ = std::make_unique<TtsIntegerList>();
            TtsGridFiling::ReadColProperties(grid, r, mode_);
        },
        [&grid](filing::TWriter& w) { TtsGridFiling::WriteColProperties(grid, w); }, hasCols);
    filer.DefineProperty(
        "RowProperties", [&grid](filing::TReader& r) { TtsGridFiling::ReadRowProperties(grid, r); },
        [&grid](filing::TWriter& w) { TtsGridFiling::WriteRowProperties(grid, w); }, hasRows);
    filer.DefineProperty(
        "CellProperties", [&grid](filing::TReader& r) { TtsGridFiling::ReadCellProperties(grid, r); },
        [&grid](filing::TWriter& w) { TtsGridFiling::WriteCellProperties(grid, w); }, kinds_.Contains(pkCells));
    filer.DefineBinaryProperty(
        "Data",
        [this, &grid](core::TStream& s) {
            // Every saved column the map does not send elsewhere is dropped,
            // not read into the grid's column of the same number.
            if (colMap_)
                while (colMap_->Count() < savedCols_)
                    colMap_->Add(0);
            TtsGridFiling::ReadData(grid, s);
        },
        [&grid](core::TStream& s) { TtsGridFiling::WriteData(grid, s); }, saveData_ && grid.StoreData());
}

// ---- The grid's operations ----------------------------------------------------------------

void TtsBaseGrid::SaveToStream(core::TStream& stream, TtsPropKinds kinds, bool saveData, uint32_t mask)
{
    TtsGridStreamComponent component;
    component.Prepare(*this, kinds, saveData, mask);
    // Both the grid and the copy written in its place report that they are
    // being written.
    TtsBaseGrid& written = *component.Grid();
    PaintLock lock(*this);
    bool wasWriting = Writing();
    auto mark = [&](bool on) {
        written.SetWriting(on);
        SetWriting(on || wasWriting);
    };
    mark(true);
    try {
        filing::WriteComponent(stream, &component);
    } catch (...) {
        mark(false);
        throw;
    }
    mark(false);
}

void TtsBaseGrid::SaveToFile(const AnsiString& fileName, TtsPropKinds kinds, bool saveData, uint32_t mask)
{
    // The layout is made in memory first, so a failed save leaves no
    // half-written file behind other than an empty one.
    core::TMemoryStream memory;
    SaveToStream(memory, kinds, saveData, mask);
    core::TFileStream file(core::AnsiToUtf8(fileName), core::fmCreate);
    file.WriteBuffer(memory.Memory(), static_cast<int>(memory.Size()));
}

void TtsBaseGrid::SaveLayout(core::TStream& stream, bool saveData)
{
    SaveToStream(stream, {pkCols}, saveData, kColLayoutMask);
}

void TtsBaseGrid::SaveToRegistry(const AnsiString& key, const AnsiString& valueName, bool saveData, uint32_t mask,
                                 TtsPropKinds kinds, const AnsiString& fileName)
{
    std::unique_ptr<sys::TRegistry> registry = OpenKeyPath(key, true);
    if (!registry)
        throw core::ERegistryException("Failed to create key %s", key);
    if (!fileName.empty()) {
        SaveToFile(fileName, kinds, saveData, mask);
        std::error_code error;
        std::filesystem::path full = std::filesystem::absolute(core::AnsiToUtf8(fileName), error);
        registry->WriteString(valueName, error ? fileName : core::Utf8ToAnsi(full.lexically_normal().string()));
        return;
    }
    core::TMemoryStream memory;
    SaveToStream(memory, kinds, saveData, mask);
    registry->WriteBinaryData(valueName, memory.Memory(), static_cast<int>(memory.Size()));
}

void TtsBaseGrid::SaveAllToRegistry(const AnsiString& key, const AnsiString& valueName, bool saveData,
                                    const AnsiString& fileName)
{
    SaveToRegistry(key, valueName, saveData, kAllPropsMask, kAllPropKinds, fileName);
}

void TtsBaseGrid::LoadFromStream(core::TStream& stream, bool loadLayout)
{
    // What the grid was, to go back to when the stream cannot be read.
    std::unique_ptr<TtsBaseGrid> backup = TtsGridFiling::NewScratch(*this);
    backup->CopyGrid(*this, kAllPropKinds, true);
    bool wasLoading = Loading();
    auto restore = [&] {
        streamComponent_ = nullptr;
        if (!wasLoading)
            SetLoading(false);
    };
    {
        PaintLock lock(*this);
        TtsGridStreamComponent component;
        component.PrepareLoad(*this, loadLayout ? lmWithLayout : lmByFieldName);
        SetLoading(true);
        try {
            filing::ReadComponent(stream, &component);
        } catch (...) {
            restore();
            CopyGrid(*backup, kAllPropKinds, true);
            throw;
        }
        restore();
    }
    PlaceCurrentCell();
    UpdateScrollRange();
    ReportCurrentMove();
    selection_.ReportChanges(false);
}

void TtsBaseGrid::LoadFromFile(const AnsiString& fileName, bool loadLayout)
{
    core::TFileStream file(core::AnsiToUtf8(fileName), core::fmOpenRead);
    LoadFromStream(file, loadLayout);
}

bool TtsBaseGrid::LoadFromRegistry(const AnsiString& key, const AnsiString& valueName, bool loadLayout)
{
    std::unique_ptr<sys::TRegistry> registry = OpenKeyPath(key, false);
    if (!registry)
        return false;
    switch (registry->GetDataType(valueName)) {
    case sys::rdString:
    case sys::rdExpandString:
        LoadFromFile(registry->ReadString(valueName), loadLayout);
        return true;
    case sys::rdBinary: {
        std::string bytes = registry->ReadBinaryData(valueName);
        core::TStringStream stream{AnsiString(bytes)};
        LoadFromStream(stream, loadLayout);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace grid
