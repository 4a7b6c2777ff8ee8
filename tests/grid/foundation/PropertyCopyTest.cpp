#include <gtest/gtest.h>

#include "platform/core/EnumType.h"

#include <memory>
#include <vector>

#include "grid/foundation/PropertyCopy.h"
#include "platform/core/Exception.h"
#include "platform/core/Persistent.h"
#include "platform/core/Set.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Variant.h"

using namespace grid;
using core::AnsiString;
using core::Variant;

namespace {

CORE_ENUM(TShape, shCircle, shSquare);
CORE_ENUM(TStyle, stBold, stItalic);
CORE_SET(TStyles, TStyle);

class TPen : public core::TPersistent {
    CORE_CLASS(TPen, core::TPersistent)
    int Width = 1;
};
CORE_CLASS_IMPL(TPen)

// A cell-like object with one published property of every kind. Every
// setter writes down its name, so the order of the writes shows.
class TCopyProbe : public core::TPersistent {
    CORE_CLASS(TCopyProbe, core::TPersistent)

    std::vector<AnsiString> writes;
    bool refuseValues = false;

    int Count() const { return count_; }
    void SetCount(int v) { Note("Count"); count_ = v; }
    char Letter() const { return letter_; }
    void SetLetter(char v) { Note("Letter"); letter_ = v; }
    TShape Shape() const { return shape_; }
    void SetShape(TShape v) { Note("Shape"); shape_ = v; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v) { Note("ParentFont"); parentFont_ = v; }
    TStyles Styles() const { return styles_; }
    void SetStyles(TStyles v) { Note("Styles"); styles_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { Note("Ratio"); ratio_ = v; }
    const AnsiString& Font() const { return font_; }
    void SetFont(const AnsiString& v) { Note("Font"); font_ = v; }
    const AnsiString& FontName() const { return fontName_; }
    void SetFontName(const AnsiString& v) { Note("FontName"); fontName_ = v; }
    const core::WideString& Wide() const { return wide_; }
    void SetWide(const core::WideString& v) { Note("Wide"); wide_ = v; }
    const Variant& Value() const { return value_; }
    void SetValue(const Variant& v)
    {
        Note("Value");
        if (refuseValues)
            throw core::EConvertError("refused");
        value_ = v;
    }
    TPen* Pen() const { return pen_; }
    void SetPen(TPen* v) { Note("Pen"); pen_ = v; }
    int64_t Big() const { return big_; }
    void SetBig(int64_t v) { Note("Big"); big_ = v; }
    int Fixed() const { return 7; }
    core::TNotifyEvent OnChange;

    static void Publish(core::PropertyList& list)
    {
        core::PropBuilder<TCopyProbe> p(list);
        p.Integer("Count", &TCopyProbe::Count, &TCopyProbe::SetCount);
        p.Char("Letter", &TCopyProbe::Letter, &TCopyProbe::SetLetter);
        p.Enum("Shape", &TCopyProbe::Shape, &TCopyProbe::SetShape);
        p.Boolean("ParentFont", &TCopyProbe::ParentFont, &TCopyProbe::SetParentFont);
        p.Set("Styles", &TCopyProbe::Styles, &TCopyProbe::SetStyles);
        p.Float("Ratio", &TCopyProbe::Ratio, &TCopyProbe::SetRatio);
        p.String("Font", &TCopyProbe::Font, &TCopyProbe::SetFont);
        p.String("FontName", &TCopyProbe::FontName, &TCopyProbe::SetFontName);
        p.WideStr("Wide", &TCopyProbe::Wide, &TCopyProbe::SetWide);
        p.VariantProp("Value", &TCopyProbe::Value, &TCopyProbe::SetValue);
        p.Object<TPen>("Pen", &TCopyProbe::Pen, &TCopyProbe::SetPen);
        p.Int64("Big", &TCopyProbe::Big, &TCopyProbe::SetBig);
        p.Integer("Fixed", &TCopyProbe::Fixed, nullptr);
        p.Event("OnChange", &TCopyProbe::OnChange);
    }

    void Fill(TPen* pen)
    {
        count_ = 42;
        letter_ = 'z';
        shape_ = shSquare;
        parentFont_ = false;
        styles_ = TStyles{stItalic};
        ratio_ = 2.5;
        font_ = "宋体";
        fontName_ = "Arial";
        wide_ = u"wide";
        value_ = Variant(int32_t{9});
        pen_ = pen;
        big_ = 1LL << 40;
        OnChange = core::TNotifyEvent([this](core::TObject*) { ++changes; }, "ProbeChange");
    }

    int changes = 0;

private:
    void Note(const char* name) { writes.push_back(name); }

    int count_ = 0;
    char letter_ = 'a';
    TShape shape_ = shCircle;
    bool parentFont_ = true;
    TStyles styles_;
    double ratio_ = 0;
    AnsiString font_;
    AnsiString fontName_;
    core::WideString wide_;
    Variant value_;
    TPen* pen_ = nullptr;
    int64_t big_ = 0;
};
CORE_CLASS_IMPL(TCopyProbe)

// A class of its own with some of the same published properties.
class TOtherProbe : public core::TPersistent {
    CORE_CLASS(TOtherProbe, core::TPersistent)
    int count = 0;
    AnsiString ratio;
    static void Publish(core::PropertyList& list)
    {
        core::PropBuilder<TOtherProbe> p(list);
        p.Integer("Count", [](const TOtherProbe& o) { return o.count; }, [](TOtherProbe& o, int v) { o.count = v; });
        // Same name, another kind: not written.
        p.String("Ratio", [](const TOtherProbe& o) { return o.ratio; },
                 [](TOtherProbe& o, const AnsiString& v) { o.ratio = v; });
    }
};
CORE_CLASS_IMPL(TOtherProbe)

}  // namespace

TEST(PropertyCopy, CopiesEveryKindInNameOrderExceptTheExcluded)
{
    TPen pen;
    TCopyProbe source, dest;
    source.Fill(&pen);
    CopyProperties(dest, source, " Font ; ;parentfont");

    // Name order; no Font, no ParentFont, no 64-bit integer, no read-only
    // property, no event.
    const std::vector<AnsiString> order = {"Count", "FontName", "Letter", "Pen",
                                           "Ratio", "Shape",    "Styles", "Value", "Wide"};
    EXPECT_EQ(dest.writes, order);
    EXPECT_EQ(dest.Count(), 42);
    EXPECT_EQ(dest.FontName(), "Arial");  // begins like an excluded name, copied all the same
    EXPECT_EQ(dest.Letter(), 'z');
    EXPECT_EQ(dest.Pen(), &pen);  // the source's object itself reaches the setter
    EXPECT_EQ(dest.Ratio(), 2.5);
    EXPECT_EQ(dest.Shape(), shSquare);
    EXPECT_EQ(dest.Styles(), TStyles{stItalic});
    EXPECT_TRUE(dest.Value().Identical(Variant(int32_t{9})));
    EXPECT_EQ(dest.Wide(), u"wide");
    EXPECT_EQ(dest.Font(), "");
    EXPECT_TRUE(dest.ParentFont());
    EXPECT_EQ(dest.Big(), 0);
    EXPECT_FALSE(dest.OnChange.Assigned());

    // With nothing excluded, Font and ParentFont come too.
    TCopyProbe all;
    CopyProperties(all, source, "");
    EXPECT_EQ(all.Font(), "宋体");
    EXPECT_FALSE(all.ParentFont());
    EXPECT_FALSE(all.OnChange.Assigned());
}

TEST(PropertyCopy, CopyPropertyCopiesOneIncludingEvents)
{
    TPen pen;
    TCopyProbe source, dest;
    source.Fill(&pen);
    CopyProperty("onchange", dest, source);
    ASSERT_TRUE(dest.OnChange.Assigned());
    EXPECT_EQ(dest.OnChange.Name(), "ProbeChange");
    dest.OnChange(&dest);
    EXPECT_EQ(source.changes, 1);  // the same handler

    CopyProperty("Ratio", dest, source);
    CopyProperty("NoSuchProperty", dest, source);
    CopyProperty("Big", dest, source);
    EXPECT_EQ(dest.writes, std::vector<AnsiString>{"Ratio"});
    EXPECT_EQ(dest.Ratio(), 2.5);

    // An unassigned event copies as unassigned.
    TCopyProbe empty;
    CopyProperty("OnChange", dest, empty);
    EXPECT_FALSE(dest.OnChange.Assigned());
    // A handler bound in code, without a name, copies too.
    empty.OnChange = core::TNotifyEvent([&](core::TObject*) { ++empty.changes; });
    CopyProperty("OnChange", dest, empty);
    dest.OnChange(&dest);
    EXPECT_EQ(empty.changes, 1);
}

TEST(PropertyCopy, ASetterErrorStopsTheCopyAfterWhatWasCopied)
{
    TPen pen;
    TCopyProbe source, dest;
    source.Fill(&pen);
    dest.refuseValues = true;
    EXPECT_THROW(CopyProperties(dest, source, ""), core::EConvertError);
    EXPECT_EQ(dest.Count(), 42);
    EXPECT_EQ(dest.Styles(), TStyles{stItalic});  // "Styles" comes before "Value"
    EXPECT_EQ(dest.Wide(), u"");                  // "Wide" after it
    EXPECT_EQ(dest.writes.back(), "Value");
}

TEST(PropertyCopy, ADestinationOfAnotherClassTakesWhatItCan)
{
    TPen pen;
    TCopyProbe source;
    source.Fill(&pen);
    TOtherProbe other;
    CopyProperties(other, source, "");
    EXPECT_EQ(other.count, 42);
    EXPECT_EQ(other.ratio, "");
}
