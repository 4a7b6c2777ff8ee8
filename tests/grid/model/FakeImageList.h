#pragma once

// An image list for tests: named pictures at fixed places, found by name or
// by place, that can be renamed.

#include <memory>
#include <vector>

#include "grid/foundation/ImageLink.h"

class FakeImageList : public grid::TtsImageListComponent {
public:
    struct Item : grid::TtsImageItem {
        core::AnsiString name;
        core::AnsiString Name() const override { return name; }
        core::AnsiString Qualifier() const override { return {}; }
    };
    FakeImageList(core::AnsiString id, std::vector<core::AnsiString> names)
        : grid::TtsImageListComponent(nullptr), id_(std::move(id))
    {
        for (auto& n : names) {
            items_.push_back(std::make_unique<Item>());
            items_.back()->name = n;
        }
    }
    void Rename(int index, const core::AnsiString& name) { items_[static_cast<size_t>(index)]->name = name; }
    void AddImageLink(grid::TtsImageLink*) override {}
    void RemoveImageLink(grid::TtsImageLink*) override {}
    grid::TtsImageItem* ImageItem(const core::Variant& key) const override
    {
        int i = key.AsInteger();
        return i >= 0 && i < static_cast<int>(items_.size()) ? items_[static_cast<size_t>(i)].get() : nullptr;
    }
    core::AnsiString ListName() const override { return id_; }
    int ImageIndex(int number) const override { return number; }
    bool HasImage(const core::Variant& key) const override { return IndexOfName(key.AsString()) >= 0; }
    int IndexOfName(const core::AnsiString& name) const override
    {
        for (size_t i = 0; i < items_.size(); ++i)
            if (items_[i]->name == name)
                return static_cast<int>(i);
        return -1;
    }
    core::Variant NextImageKey(const core::AnsiString&) const override { return {}; }
    core::Variant PriorImageKey(const core::AnsiString&) const override { return {}; }

private:
    core::AnsiString id_;
    std::vector<std::unique_ptr<Item>> items_;
};

