// Copying, default tests and resets driven by the property registry, and the
// enumeration descriptions properties take their names from.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/core/EnumType.h"
#include "platform/core/Exception.h"
#include "platform/core/Persistent.h"
#include "platform/core/Properties.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Variant.h"

using namespace core;

namespace {

CORE_ENUM(TCellKind,
          ckNone,   // a comment between members is no member
          ckText,
          ckCheck,
          ckDefault, );
CORE_ENUM(TSpinOption, soAutoRepeat, soAutoIncrement, soKeyEdit);
CORE_SET(TSpinOptions, TSpinOption);

// Stands for the owner whose setting a column's default width follows.
struct TOwnerSettings {
    int DefaultWidth = 64;
};

class TFontish : public TPersistent {
    CORE_CLASS(TFontish, TPersistent)
    int Size = 9;
    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TFontish*>(source))
            Size = other->Size;
        else
            TPersistent::Assign(source);
    }
};
CORE_CLASS_IMPL(TFontish)

// A settings object of the kind a grid keeps per column: many properties,
// each with its rule.
class TColumnish : public TPersistent {
    CORE_CLASS(TColumnish, TPersistent)

    TColumnish() = default;
    explicit TColumnish(TOwnerSettings* owner) : owner_(owner) {}

    TCellKind Kind() const { return kind_; }
    void SetKind(TCellKind v) { kind_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    // Reading an empty heading gives the field name.
    AnsiString Heading() const { return heading_.empty() ? fieldName_ : heading_; }
    void SetHeading(const AnsiString& v) { heading_ = v; }
    const AnsiString& FieldName() const { return fieldName_; }
    void SetFieldName(const AnsiString& v) { fieldName_ = v; }
    double Increment() const { return increment_; }
    void SetIncrement(double v) { increment_ = v; }
    TSpinOptions Options() const { return options_; }
    void SetOptions(TSpinOptions v) { options_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    int Color() const { return color_; }
    void SetColor(int v) { color_ = v; }
    TFontish* Font() const { return font_.get(); }
    void SetFont(TFontish* v) { font_->Assign(v); }
    TFontish* Kept() const { return kept_.get(); }
    int Tag() const { return tag_; }
    void SetTag(int v) { tag_ = v; }
    int Changes() const { return changes_; }
    TNotifyEvent OnChange;

    static void Publish(PropertyList& list)
    {
        PropBuilder<TColumnish> p(list);
        p.Enum("Kind", &TColumnish::Kind, &TColumnish::SetKind).Default(ckDefault);
        p.Integer("Width", &TColumnish::Width, &TColumnish::SetWidth).DefaultFrom(&TColumnish::OwnerWidth);
        p.String("FieldName", &TColumnish::FieldName, &TColumnish::SetFieldName);
        p.String("Heading", &TColumnish::Heading, &TColumnish::SetHeading)
            .StoredWhen([](const TColumnish& c) { return !c.heading_.empty(); });
        p.Float("Increment", &TColumnish::Increment, &TColumnish::SetIncrement).Default(1.0);
        p.Set("Options", &TColumnish::Options, &TColumnish::SetOptions)
            .Default(TSpinOptions{soAutoRepeat, soAutoIncrement, soKeyEdit});
        p.Boolean("Visible", &TColumnish::Visible, &TColumnish::SetVisible).Default(true);
        p.Integer("Color", &TColumnish::Color, &TColumnish::SetColor, "TColor").Default(0x1FFFFFFF);
        p.Object<TFontish>("Font", &TColumnish::Font, &TColumnish::SetFont);
        p.Object<TFontish>("Kept", &TColumnish::Kept, nullptr);
        p.Integer("Tag", &TColumnish::Tag, &TColumnish::SetTag);
        p.Event("OnChange", &TColumnish::OnChange);
    }

private:
    int OwnerWidth() const { return owner_ ? owner_->DefaultWidth : 64; }

    TOwnerSettings* owner_ = nullptr;
    TCellKind kind_ = ckDefault;
    int width_ = 64;
    AnsiString heading_;
    AnsiString fieldName_;
    double increment_ = 1.0;
    TSpinOptions options_{soAutoRepeat, soAutoIncrement, soKeyEdit};
    bool visible_ = true;
    int color_ = 0x1FFFFFFF;
    std::unique_ptr<TFontish> font_ = std::make_unique<TFontish>();
    std::unique_ptr<TFontish> kept_ = std::make_unique<TFontish>();
    int tag_ = 0;
    int changes_ = 0;
};
CORE_CLASS_IMPL(TColumnish)

// Another class that publishes some of the same names its own way.
class TOtherColumn : public TPersistent {
    CORE_CLASS(TOtherColumn, TPersistent)
    int width = 5;
    AnsiString fieldName = "Other";
    double increment = 9;

    static void Publish(PropertyList& list)
    {
        PropBuilder<TOtherColumn> p(list);
        p.Integer("Width", [](const TOtherColumn& c) { return c.width; }, [](TOtherColumn& c, int v) { c.width = v; })
            .Default(5);
        p.String("FieldName", [](const TOtherColumn& c) { return c.fieldName; },
                 [](TOtherColumn& c, const AnsiString& v) { c.fieldName = v; });
        // Same name, another type: never copied across.
        p.Integer("Increment", [](const TOtherColumn& c) { return static_cast<int>(c.increment); },
                  [](TOtherColumn& c, int v) { c.increment = v; });
    }
};
CORE_CLASS_IMPL(TOtherColumn)

// One change away from the defaults per property that has one.
struct Change {
    const char* property;
    std::function<void(TColumnish&)> apply;
};
const Change Changes[] = {
    {"Kind", [](TColumnish& c) { c.SetKind(ckCheck); }},
    {"Width", [](TColumnish& c) { c.SetWidth(80); }},
    {"FieldName", [](TColumnish& c) { c.SetFieldName("AccountName"); }},
    {"Heading", [](TColumnish& c) { c.SetHeading("Name"); }},
    {"Increment", [](TColumnish& c) { c.SetIncrement(0.5); }},
    {"Options", [](TColumnish& c) { c.SetOptions({soKeyEdit}); }},
    {"Visible", [](TColumnish& c) { c.SetVisible(false); }},
    {"Color", [](TColumnish& c) { c.SetColor(255); }},
    {"OnChange", [](TColumnish& c) { c.OnChange = TNotifyEvent([](TObject*) {}, "ColumnChange"); }},
};

}  // namespace

TEST(EnumType, DescribedOnceWithItsDeclaration)
{
    const TEnumType& kind = EnumTypeOf(ckText);
    EXPECT_EQ(kind.Name(), "TCellKind");
    EXPECT_EQ(kind.Names(), (std::vector<AnsiString>{"ckNone", "ckText", "ckCheck", "ckDefault"}));
    EXPECT_EQ(kind.Value("CKCHECK"), ckCheck);
    EXPECT_EQ(kind.Value("ckOther"), -1);
    EXPECT_EQ(kind.NameOf(ckDefault), "ckDefault");
    EXPECT_EQ(kind.NameOf(7), "7");
    EXPECT_EQ(&EnumTypeOf(ckNone), &kind);

    TEnumType two = kind.Subrange("TShortKind", 2);
    EXPECT_EQ(two.Name(), "TShortKind");
    EXPECT_EQ(two.Names(), (std::vector<AnsiString>{"ckNone", "ckText"}));
    EXPECT_EQ(two.Value("ckCheck"), -1);

    // Published properties use the one description, names and type name.
    const PropInfo* prop = TColumnish::StaticClass().FindProperty("Kind");
    EXPECT_EQ(prop->EnumType(), &kind);
    EXPECT_EQ(prop->TypeName(), "TCellKind");
    EXPECT_EQ(prop->EnumValue("ckCheck"), ckCheck);
    const PropInfo* options = TColumnish::StaticClass().FindProperty("Options");
    EXPECT_EQ(options->TypeName(), "TSpinOptions");
    EXPECT_EQ(options->EnumType(), &EnumTypeOf(soKeyEdit));
    EXPECT_EQ(TColumnish::StaticClass().FindProperty("Visible")->EnumType(), &BooleanType());

    // A member list whose members carry values of their own is refused.
    EXPECT_THROW(TEnumType::FromList("TBad", "baOne = 1, baTwo"), EInvalidOperation);
}

TEST(PropertyRegistry, EveryPropertyWithADefaultTakesPartInTheDefaultTest)
{
    TOwnerSettings owner;
    for (const Change& change : Changes) {
        SCOPED_TRACE(change.property);
        TColumnish column(&owner);
        column.SetTag(42);  // no default: no part in the test, untouched by resets
        EXPECT_TRUE(PropertiesAtDefault(column));
        change.apply(column);
        EXPECT_FALSE(PropertiesAtDefault(column));
        EXPECT_TRUE(PropertiesAtDefault(column, TPropFilter::Except({change.property})));
        EXPECT_FALSE(PropertiesAtDefault(column, TPropFilter::Only({change.property})));
        ResetProperties(column);
        EXPECT_TRUE(PropertiesAtDefault(column));
        EXPECT_EQ(column.Tag(), 42);
    }
}

TEST(PropertyRegistry, ComputedDefaultsFollowTheObject)
{
    TOwnerSettings owner;
    TColumnish column(&owner);
    const PropInfo* width = TColumnish::StaticClass().FindProperty("Width");
    EXPECT_TRUE(width->IsDefaultValue(column));
    owner.DefaultWidth = 80;
    EXPECT_FALSE(width->IsDefaultValue(column));
    width->ResetValue(column);
    EXPECT_EQ(column.Width(), 80);
    EXPECT_TRUE(PropertiesAtDefault(column));

    // The field-name fallback of Heading is not the column's own heading.
    column.SetFieldName("Flag");
    EXPECT_FALSE(TColumnish::StaticClass().FindProperty("Heading")->IsStored(column));
    EXPECT_TRUE(PropertiesAtDefault(column, TPropFilter::Except({"FieldName"})));
}

TEST(PropertyRegistry, CopyTakesEveryPropertyAsFilingWould)
{
    TOwnerSettings owner;
    TColumnish source(&owner);
    for (const Change& change : Changes)
        change.apply(source);
    source.SetTag(7);
    source.Font()->Size = 12;
    source.Kept()->Size = 15;

    TColumnish copy(&owner);
    CopyProperties(source, copy);
    for (const PropInfo* prop : TColumnish::StaticClass().Properties()) {
        SCOPED_TRACE(prop->Name());
        switch (prop->Kind()) {
        case tkClass:
            break;
        case tkMethod:
            EXPECT_EQ(prop->GetMethodName(copy), prop->GetMethodName(source));
            break;
        case tkFloat:
            EXPECT_EQ(prop->GetFloat(copy), prop->GetFloat(source));
            break;
        case tkString:
            EXPECT_EQ(prop->GetStr(copy), prop->GetStr(source));
            break;
        default:
            EXPECT_EQ(prop->GetOrd(copy), prop->GetOrd(source));
        }
    }
    // Objects: through the setter, and in place when read-only.
    EXPECT_EQ(copy.Font()->Size, 12);
    EXPECT_NE(copy.Font(), source.Font());
    EXPECT_EQ(copy.Kept()->Size, 15);
    EXPECT_TRUE(copy.OnChange.Assigned());

    // A heading the source would not file goes back to the default: the copy
    // does not take the field name as a heading of its own.
    TColumnish plain(&owner);
    plain.SetFieldName("Flag");
    CopyProperties(plain, copy);
    EXPECT_EQ(copy.Heading(), "Flag");
    EXPECT_TRUE(PropertiesAtDefault(copy, TPropFilter::Except({"FieldName"})));
    EXPECT_FALSE(copy.OnChange.Assigned());
    EXPECT_EQ(copy.Tag(), 0);
}

TEST(PropertyRegistry, FiltersNameWhatIsCopied)
{
    TColumnish source;
    source.SetWidth(90);
    source.SetTag(5);
    source.SetFieldName("A");
    TColumnish dest;
    CopyProperties(source, dest, TPropFilter::Except({"tag", "FieldName"}));
    EXPECT_EQ(dest.Width(), 90);
    EXPECT_EQ(dest.Tag(), 0);
    EXPECT_EQ(dest.FieldName(), "");
    CopyProperties(source, dest, TPropFilter::Only({"Tag"}));
    EXPECT_EQ(dest.Tag(), 5);
    EXPECT_EQ(dest.FieldName(), "");

    // A misspelt name is an error, not a silent change of the operation.
    EXPECT_THROW(CopyProperties(source, dest, TPropFilter::Except({"Widht"})), EPropertyError);
    EXPECT_THROW(ResetProperties(dest, TPropFilter::Only({"Nothing"})), EPropertyError);
    EXPECT_THROW(PropertiesAtDefault(dest, TPropFilter::Only({"Nothing"})), EPropertyError);
}

TEST(PropertyRegistry, CopiesAcrossClassesByNameKindAndType)
{
    TOtherColumn other;
    other.width = 33;
    TColumnish column;
    column.SetIncrement(2.5);
    CopyProperties(other, column);
    EXPECT_EQ(column.Width(), 33);
    EXPECT_EQ(column.FieldName(), "Other");
    EXPECT_EQ(column.Increment(), 2.5);  // an Integer there, a Double here

    CopyProperties(column, other);
    EXPECT_EQ(other.width, 33);
    EXPECT_EQ(other.increment, 9);
}
