#pragma once

// A small family of components with a property of every kind, for the
// filing tests and fuzzers: a form with nested controls (parents and
// children as the control layer will have them), a grid-like control with
// a published collection, defined properties (a list, a collection, binary
// data) and events, and non-visual components with a reference between them.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/ClassRegistry.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/EnumType.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/Stream.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Variant.h"
#include "platform/filing/Filer.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Writer.h"

namespace sample {

using core::AnsiString;
using core::PropertyList;
using core::TObject;
using core::TComponent;
using core::TPersistent;
using core::WideString;

CORE_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
CORE_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
CORE_SET(TAnchors, TAnchorKind);
CORE_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
CORE_SET(TFontStyles, TFontStyle);

constexpr int clBlack = 0;
constexpr int clWhite = 0xFFFFFF;
constexpr int clWindowText = static_cast<int>(0x80000008u);
constexpr int clBtnFace = static_cast<int>(0x8000000Fu);

class TSampleFont : public TPersistent {
    CORE_CLASS(TSampleFont, TPersistent)

    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& v) { name_ = v; }
    int Height() const { return height_; }
    void SetHeight(int v) { height_ = v; }
    int Color() const { return color_; }
    void SetColor(int v) { color_ = v; }
    int Charset() const { return charset_; }
    void SetCharset(int v) { charset_ = v; }
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles v) { style_ = v; }

    void Assign(const TPersistent* source) override
    {
        auto* other = dynamic_cast<const TSampleFont*>(source);
        if (!other)
            return TPersistent::Assign(source);
        name_ = other->name_;
        height_ = other->height_;
        color_ = other->color_;
        charset_ = other->charset_;
        style_ = other->style_;
    }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleFont> p(list);
        p.Integer("Charset", &TSampleFont::Charset, &TSampleFont::SetCharset, "TFontCharset").Default(1);
        p.Integer("Color", &TSampleFont::Color, &TSampleFont::SetColor, "TColor").Default(clWindowText);
        p.Integer("Height", &TSampleFont::Height, &TSampleFont::SetHeight).Default(-11);
        p.String("Name", &TSampleFont::Name, &TSampleFont::SetName, "TFontName");
        p.Set("Style", &TSampleFont::Style,
              &TSampleFont::SetStyle)
            .Default(TFontStyles{});
    }

private:
    AnsiString name_;
    int height_ = -11;
    int color_ = clWindowText;
    int charset_ = 1;
    TFontStyles style_;
};
inline CORE_CLASS_IMPL(TSampleFont)

// Records the order in which components are told that loading finished and
// what each could see then.
inline std::vector<AnsiString>& LoadedJournal()
{
    static std::vector<AnsiString> journal;
    return journal;
}

class TSampleControl : public TComponent {
    CORE_CLASS(TSampleControl, TComponent)

    explicit TSampleControl(TComponent* owner) : TComponent(owner) {}
    ~TSampleControl() override
    {
        for (TSampleControl* child : children_)
            child->parent_ = nullptr;
        SetParent(nullptr);
    }

    TSampleControl* Parent() const { return parent_; }
    void SetParent(TSampleControl* parent)
    {
        if (parent_ == parent)
            return;
        if (parent_)
            std::erase(parent_->children_, this);
        parent_ = parent;
        if (parent_)
            parent_->children_.push_back(this);
    }
    const std::vector<TSampleControl*>& Controls() const { return children_; }

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    int Top() const { return top_; }
    void SetTop(int v) { top_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    int Height() const { return height_; }
    void SetHeight(int v) { height_ = v; }
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& v) { caption_ = v; }
    const WideString& Hint() const { return hint_; }
    void SetHint(const WideString& v) { hint_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign v) { align_ = v; }
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors v) { anchors_ = v; }
    int Color() const { return color_; }
    void SetColor(int v) { color_ = v; }
    TSampleFont* Font() const { return font_.get(); }
    void SetFont(TSampleFont* v) { font_->Assign(v); }
    core::TNotifyEvent OnClick;

    // What the component saw while it was read: its state when its caption
    // was set, and its state when it was told loading had finished.
    bool ReadingWhenCaptionSet = false;
    bool LoadingWhenCaptionSet = false;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* parent) override { SetParent(dynamic_cast<TSampleControl*>(parent)); }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        for (TSampleControl* child : children_)
            if (child->Owner() == root)
                proc(child);
    }

    void Loaded() override
    {
        TComponent::Loaded();
        LoadedJournal().push_back(Name());
    }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleControl> p(list);
        p.Integer("Left", &TSampleControl::Left, &TSampleControl::SetLeft);
        p.Integer("Top", &TSampleControl::Top, &TSampleControl::SetTop);
        p.Integer("Width", &TSampleControl::Width, &TSampleControl::SetWidth);
        p.Integer("Height", &TSampleControl::Height, &TSampleControl::SetHeight);
        p.Enum("Align", &TSampleControl::Align, &TSampleControl::SetAlign)
            .Default(alNone);
        p.Set("Anchors", &TSampleControl::Anchors,
              &TSampleControl::SetAnchors)
            .Default(TAnchors{akLeft, akTop});
        p.String("Caption", &TSampleControl::Caption, [](TSampleControl& c, const AnsiString& v) {
            c.ReadingWhenCaptionSet = c.InState(core::csReading);
            c.LoadingWhenCaptionSet = c.InState(core::csLoading);
            c.SetCaption(v);
        });
        p.Integer("Color", &TSampleControl::Color, &TSampleControl::SetColor, "TColor").Default(clBtnFace);
        p.Object<TSampleFont>("Font", &TSampleControl::Font, &TSampleControl::SetFont);
        p.WideStr("Hint", &TSampleControl::Hint, &TSampleControl::SetHint);
        p.Boolean("Visible", &TSampleControl::Visible, &TSampleControl::SetVisible).Default(true);
        p.Event("OnClick", &TSampleControl::OnClick);
    }

private:
    TSampleControl* parent_ = nullptr;
    std::vector<TSampleControl*> children_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    AnsiString caption_;
    WideString hint_;
    bool visible_ = true;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    int color_ = clBtnFace;
    std::unique_ptr<TSampleFont> font_ = std::make_unique<TSampleFont>();
};
inline CORE_CLASS_IMPL(TSampleControl)

class TSamplePanel : public TSampleControl {
    CORE_CLASS(TSamplePanel, TSampleControl)
    explicit TSamplePanel(TComponent* owner) : TSampleControl(owner) {}
};
inline CORE_CLASS_IMPL(TSamplePanel)

class TSampleButton : public TSampleControl {
    CORE_CLASS(TSampleButton, TSampleControl)
    explicit TSampleButton(TComponent* owner) : TSampleControl(owner) {}

    bool Default() const { return default_; }
    void SetDefault(bool v) { default_ = v; }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleButton> p(list);
        p.Boolean("Default", &TSampleButton::Default, &TSampleButton::SetDefault).Default(false);
    }

private:
    bool default_ = false;
};
inline CORE_CLASS_IMPL(TSampleButton)

// A column's settings, filed as "Col.Heading" inside a collection item.
class TSampleColumn : public TPersistent {
    CORE_CLASS(TSampleColumn, TPersistent)

    const AnsiString& Heading() const { return heading_; }
    void SetHeading(const AnsiString& v) { heading_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }

    void Assign(const TPersistent* source) override
    {
        auto* other = dynamic_cast<const TSampleColumn*>(source);
        if (!other)
            return TPersistent::Assign(source);
        heading_ = other->heading_;
        width_ = other->width_;
        readOnly_ = other->readOnly_;
    }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleColumn> p(list);
        p.String("Heading", &TSampleColumn::Heading, &TSampleColumn::SetHeading);
        p.Integer("Width", &TSampleColumn::Width, &TSampleColumn::SetWidth).Default(64);
        p.Boolean("ReadOnly", &TSampleColumn::ReadOnly, &TSampleColumn::SetReadOnly).Default(false);
    }

private:
    AnsiString heading_;
    int width_ = 64;
    bool readOnly_ = false;
};
inline CORE_CLASS_IMPL(TSampleColumn)

class TSampleItem : public core::TCollectionItem {
    CORE_CLASS(TSampleItem, core::TCollectionItem)
    explicit TSampleItem(core::TCollection* collection) : core::TCollectionItem(collection) {}

    int DataCol() const { return dataCol_; }
    void SetDataCol(int v) { dataCol_ = v; }
    const AnsiString& FieldName() const { return fieldName_; }
    void SetFieldName(const AnsiString& v) { fieldName_ = v; }
    TSampleColumn* Col() const { return col_.get(); }
    void SetCol(TSampleColumn* v) { col_->Assign(v); }

    void Assign(const TPersistent* source) override
    {
        auto* other = dynamic_cast<const TSampleItem*>(source);
        if (!other)
            return core::TCollectionItem::Assign(source);
        dataCol_ = other->dataCol_;
        fieldName_ = other->fieldName_;
        col_->Assign(other->col_.get());
    }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleItem> p(list);
        p.Integer("DataCol", &TSampleItem::DataCol, &TSampleItem::SetDataCol).Default(0);
        p.String("FieldName", &TSampleItem::FieldName, &TSampleItem::SetFieldName);
        p.Object<TSampleColumn>("Col", &TSampleItem::Col, &TSampleItem::SetCol);
    }

private:
    int dataCol_ = 0;
    AnsiString fieldName_;
    std::unique_ptr<TSampleColumn> col_ = std::make_unique<TSampleColumn>();
};
inline CORE_CLASS_IMPL(TSampleItem)

class TSampleItems : public core::TCollection {
    CORE_CLASS(TSampleItems, core::TCollection)
    explicit TSampleItems(TPersistent* owner = nullptr) : core::TCollection(TSampleItem::StaticClass(), owner) {}
    TSampleItem* Add() { return static_cast<TSampleItem*>(core::TCollection::Add()); }
    TSampleItem* Item(int i) const { return ItemAs<TSampleItem>(i); }
};
inline CORE_CLASS_IMPL(TSampleItems)

CORE_ENUM(TGridOption, goEditing, goTabs, goRowSelect);
CORE_SET(TGridOptions, TGridOption);
using TCellEvent = core::TEvent<TObject*, int, int>;

// A grid-like control: numbers of every width and kind, a variant, a
// published collection, and defined properties of three kinds.
class TSampleGrid : public TSampleControl {
    CORE_CLASS(TSampleGrid, TSampleControl)
    explicit TSampleGrid(TComponent* owner) : TSampleControl(owner) {}

    int Cols() const { return cols_; }
    void SetCols(int v) { cols_ = v; }
    int Offset() const { return offset_; }
    void SetOffset(int v) { offset_ = v; }
    int64_t Total() const { return total_; }
    void SetTotal(int64_t v) { total_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    double Scale() const { return scale_; }
    void SetScale(double v) { scale_ = static_cast<float>(v); }
    double Amount() const { return amount_; }
    void SetAmount(double v) { amount_ = v; }
    double Stamp() const { return stamp_; }
    void SetStamp(double v) { stamp_ = v; }
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char v) { passwordChar_ = v; }
    const core::Variant& Value() const { return value_; }
    void SetValue(const core::Variant& v) { value_ = v; }
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions v) { options_ = v; }
    TSampleItems* Items() const { return items_.get(); }
    void SetItems(TSampleItems* v) { items_->Assign(v); }
    TCellEvent OnCellClick;

    // Defined properties.
    std::vector<int> Widths;
    std::string Data;
    TSampleItems Extra{this};

    void DefineProperties(core::TFiler& filer) override
    {
        TSampleControl::DefineProperties(filer);
        auto* ancestor = dynamic_cast<TSampleGrid*>(filer.Ancestor());
        filer.DefineProperty(
            "Widths",
            [this](filing::TReader& r) {
                Widths.clear();
                r.ReadListBegin();
                while (!r.EndOfList())
                    Widths.push_back(r.ReadInteger());
                r.ReadListEnd();
            },
            [this](filing::TWriter& w) {
                w.WriteListBegin();
                for (int width : Widths)
                    w.WriteInteger(width);
                w.WriteListEnd();
            },
            ancestor ? Widths != ancestor->Widths : !Widths.empty());
        filer.DefineProperty(
            "ColProperties", [this](filing::TReader& r) { r.ReadCollection(Extra); },
            [this](filing::TWriter& w) { w.WriteCollection(&Extra); },
            ancestor ? !filing::CollectionsEqual(&Extra, &ancestor->Extra) : Extra.Count() > 0);
        filer.DefineBinaryProperty(
            "Data",
            [this](core::TStream& s) {
                Data.assign(static_cast<size_t>(s.Size()), '\0');
                s.ReadBuffer(Data.data(), static_cast<int>(Data.size()));
            },
            [this](core::TStream& s) { s.WriteBuffer(Data.data(), static_cast<int>(Data.size())); },
            ancestor ? Data != ancestor->Data : !Data.empty());
    }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleGrid> p(list);
        p.Integer("Cols", &TSampleGrid::Cols, &TSampleGrid::SetCols).Default(5);
        p.Integer("Offset", &TSampleGrid::Offset, &TSampleGrid::SetOffset)
            .Default(0)
            .StoredWhen([](const core::TObject& o) { return static_cast<const TSampleGrid&>(o).Cols() > 0; });
        p.Int64("Total", &TSampleGrid::Total, &TSampleGrid::SetTotal).Default(0);
        p.Float("Ratio", &TSampleGrid::Ratio, &TSampleGrid::SetRatio);
        p.Float("Scale", &TSampleGrid::Scale, &TSampleGrid::SetScale, "Single");
        p.Float("Amount", &TSampleGrid::Amount, &TSampleGrid::SetAmount, "Currency");
        p.Float("Stamp", &TSampleGrid::Stamp, &TSampleGrid::SetStamp, "TDateTime");
        p.Char("PasswordChar", &TSampleGrid::PasswordChar, &TSampleGrid::SetPasswordChar).Default(0);
        p.VariantProp("Value", &TSampleGrid::Value, &TSampleGrid::SetValue);
        p.Set("Options", &TSampleGrid::Options,
              &TSampleGrid::SetOptions)
            .Default(TGridOptions{goTabs});
        p.Object<TSampleItems>("Items", &TSampleGrid::Items, &TSampleGrid::SetItems);
        p.Event("OnCellClick", &TSampleGrid::OnCellClick, "TCellEvent");
    }

private:
    int cols_ = 5;
    int offset_ = 0;
    int64_t total_ = 0;
    double ratio_ = 0;
    float scale_ = 0;
    double amount_ = 0;
    double stamp_ = 0;
    char passwordChar_ = 0;
    core::Variant value_;
    TGridOptions options_{goTabs};
    std::unique_ptr<TSampleItems> items_ = std::make_unique<TSampleItems>(this);
};
inline CORE_CLASS_IMPL(TSampleGrid)

// Non-visual components: a connection and a table that refers to it.
class TSampleConnection : public TComponent {
    CORE_CLASS(TSampleConnection, TComponent)
    explicit TSampleConnection(TComponent* owner) : TComponent(owner) {}

    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool v) { loginPrompt_ = v; }
    const WideString& ConnectionString() const { return connectionString_; }
    void SetConnectionString(const WideString& v) { connectionString_ = v; }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleConnection> p(list);
        p.WideStr("ConnectionString", &TSampleConnection::ConnectionString, &TSampleConnection::SetConnectionString);
        p.Boolean("LoginPrompt", &TSampleConnection::LoginPrompt, &TSampleConnection::SetLoginPrompt).Default(true);
    }

private:
    bool loginPrompt_ = true;
    WideString connectionString_;
};
inline CORE_CLASS_IMPL(TSampleConnection)

class TSampleTable : public TComponent {
    CORE_CLASS(TSampleTable, TComponent)
    explicit TSampleTable(TComponent* owner) : TComponent(owner) {}

    TSampleConnection* Connection() const { return connection_; }
    void SetConnection(TSampleConnection* v)
    {
        connection_ = v;
        if (v)
            v->FreeNotification(this);
    }
    const AnsiString& TableName() const { return tableName_; }
    void SetTableName(const AnsiString& v) { tableName_ = v; }
    // Whether the reference was already set when loading finished.
    bool ConnectedWhenLoaded = false;

    void Loaded() override
    {
        TComponent::Loaded();
        ConnectedWhenLoaded = connection_ != nullptr;
        LoadedJournal().push_back(Name());
    }

    static void Publish(PropertyList& list)
    {
        core::PropBuilder<TSampleTable> p(list);
        p.Object<TSampleConnection>("Connection", &TSampleTable::Connection, &TSampleTable::SetConnection);
        p.String("TableName", &TSampleTable::TableName, &TSampleTable::SetTableName);
    }

protected:
    void Notification(TComponent* component, core::TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == core::opRemove && component == connection_)
            connection_ = nullptr;
    }

private:
    TSampleConnection* connection_ = nullptr;
    AnsiString tableName_;
};
inline CORE_CLASS_IMPL(TSampleTable)

// The window: its code reaches its components through fields and binds
// their events to its handlers by name.
class TSampleForm : public TSampleControl {
    CORE_CLASS(TSampleForm, TSampleControl)
    explicit TSampleForm(TComponent* owner) : TSampleControl(owner)
    {
        RegisterField("Grid1", &Grid1);
        RegisterField("Button1", &Button1);
        RegisterField("Table1", &Table1);
        RegisterMethod<TObject*>("Button1Click", [this](TObject* sender) { Clicks.push_back(sender); });
        RegisterMethod<TObject*, int, int>("Grid1CellClick",
                                           [this](TObject*, int col, int row) { CellClicks.push_back(col * 100 + row); });
    }

    TSampleGrid* Grid1 = nullptr;
    TSampleButton* Button1 = nullptr;
    TSampleTable* Table1 = nullptr;
    std::vector<TObject*> Clicks;
    std::vector<int> CellClicks;

    bool HasParent() const override { return false; }
    // Non-visual components first, then the controls placed on the form.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent())
                proc(Components(i));
        TSampleControl::GetChildren(proc, root);
    }
};
inline CORE_CLASS_IMPL(TSampleForm)

inline void RegisterSampleClasses()
{
    core::RegisterClasses({&TSampleForm::StaticClass(), &TSamplePanel::StaticClass(), &TSampleButton::StaticClass(),
                           &TSampleGrid::StaticClass(), &TSampleConnection::StaticClass(),
                           &TSampleTable::StaticClass(), &TSampleControl::StaticClass()});
    core::RegisterIntegerConsts("TColor", {{clBlack, "clBlack"},
                                           {clWhite, "clWhite"},
                                           {clWindowText, "clWindowText"},
                                           {clBtnFace, "clBtnFace"}});
    core::RegisterIntegerConsts("TFontCharset", {{1, "DEFAULT_CHARSET"}, {134, "GB2312_CHARSET"}});
}

}  // namespace sample
