// A window loaded from a form description compiled into the program
// (forms/SampleForm.dfm, embedded by ats_embed_forms).

#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/filing/FormResources.h"
#include "platform/filing/Streaming.h"
#include "tests/platform/filing/SampleClasses.h"

using namespace sample;

namespace {

class FormLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterSampleClasses();
        LoadedJournal().clear();
    }
};

const std::string CellBlock =
    std::string("\x01\x00\x00\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00\x01\x00\x00\x00\x00\x02\x01\x00\x00\x00", 23) +
    std::string("\x02\x00\x00\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00\x01\x00\x00\x00\x00\x02\x01\x00\x00\x00", 23) +
    std::string("\x03\x00\x00\x00\x03\x00\x00\x00\x00\x01\x00\x00\x00\x00\x02\x01\x00\x00\x00", 19) +
    std::string("\x04\x00\x00\x00\x03\x00\x00\x00\x00\x00\x02\x01\x00\x00\x00", 15) +
    std::string("\x05\x00\x00\x00\x03\x00\x00\x00\x00\x00\x02\x01\x00\x00\x00", 15) + std::string(8, '\0');

}  // namespace

TEST_F(FormLoading, TheDescriptionIsCompiledInAndFoundByNameOrClass)
{
    auto byName = filing::FindFormResource("sampleform");
    auto byClass = filing::FindFormResource("TSampleForm");
    ASSERT_TRUE(byName.has_value());
    ASSERT_TRUE(byClass.has_value());
    EXPECT_EQ(byName->data(), byClass->data());
    EXPECT_EQ(byName->substr(0, 33), "object SampleWindow: TSampleForm\n");
    EXPECT_FALSE(filing::FindFormResource("TNoSuchForm").has_value());
}

TEST_F(FormLoading, AWindowLoadsWithEveryValueSetAndEveryHandlerBound)
{
    TSampleForm form(nullptr);
    ASSERT_TRUE(filing::InitInheritedComponent(form));

    EXPECT_EQ(form.Name(), "SampleWindow");
    EXPECT_EQ(form.Caption(), "帐套工具");
    EXPECT_EQ(form.Left(), 321);
    EXPECT_EQ(form.Top(), 136);
    EXPECT_EQ(form.Color(), clBtnFace);
    EXPECT_EQ(form.Font()->Name(), "宋体");
    EXPECT_EQ(form.Font()->Charset(), 134);
    EXPECT_EQ(form.Font()->Height(), -12);

    // Named components reach the window's fields.
    ASSERT_NE(form.Grid1, nullptr);
    ASSERT_NE(form.Button1, nullptr);
    ASSERT_NE(form.Table1, nullptr);
    EXPECT_EQ(form.Grid1, form.FindComponent("Grid1"));

    TSampleGrid& grid = *form.Grid1;
    EXPECT_EQ(grid.Owner(), &form);
    EXPECT_EQ(grid.Parent(), &form);
    EXPECT_EQ(grid.Align(), alClient);
    EXPECT_EQ(grid.Color(), clWhite);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.Options(), (TGridOptions{goEditing, goRowSelect}));
    ASSERT_EQ(grid.Items()->Count(), 2);
    EXPECT_EQ(grid.Items()->Item(0)->FieldName(), "AccountName");
    EXPECT_EQ(grid.Items()->Item(0)->Col()->Heading(), "帐套名称");
    EXPECT_EQ(grid.Items()->Item(0)->Col()->Width(), 147);
    EXPECT_TRUE(grid.Items()->Item(0)->Col()->ReadOnly());
    EXPECT_EQ(grid.Items()->Item(1)->DataCol(), 2);
    EXPECT_EQ(grid.Items()->Item(1)->Col()->Heading(), "数据库名");
    EXPECT_FALSE(grid.Items()->Item(1)->Col()->ReadOnly());
    EXPECT_EQ(grid.Data, CellBlock);

    // Nested controls: owned by the window, parented to the panel.
    auto* panel = dynamic_cast<TSamplePanel*>(form.FindComponent("Panel1"));
    ASSERT_NE(panel, nullptr);
    auto* button2 = dynamic_cast<TSampleButton*>(form.FindComponent("Button2"));
    ASSERT_NE(button2, nullptr);
    EXPECT_EQ(form.Button1->Owner(), &form);
    EXPECT_EQ(form.Button1->Parent(), panel);
    EXPECT_EQ(panel->Controls(), (std::vector<TSampleControl*>{form.Button1, button2}));
    EXPECT_EQ(form.Button1->Caption(), "登录");
    EXPECT_EQ(button2->Caption(), "保存");

    // Non-visual components keep their design position; the reference
    // between them is set.
    auto* connection = dynamic_cast<TSampleConnection*>(form.FindComponent("Connection1"));
    ASSERT_NE(connection, nullptr);
    EXPECT_FALSE(connection->LoginPrompt());
    EXPECT_EQ(connection->DesignInfo(), 8 | 8 << 16);
    EXPECT_EQ(form.Table1->DesignInfo(), 40 | 8 << 16);
    EXPECT_EQ(form.Table1->Connection(), connection);
    EXPECT_EQ(form.Table1->TableName(), "TsAccount");

    // Events call the window's handlers.
    form.Button1->OnClick(form.Button1);
    button2->OnClick(button2);
    EXPECT_EQ(form.Clicks, (std::vector<core::TObject*>{form.Button1, button2}));
    EXPECT_EQ(form.Button1->OnClick.Name(), "Button1Click");
    grid.OnCellClick(&grid, 3, 2);
    EXPECT_EQ(form.CellClicks, (std::vector<int>{302}));
}

TEST_F(FormLoading, ComponentsReadAndLoadThenReceiveLoadedOnceEverythingIsThere)
{
    TSampleForm form(nullptr);
    ASSERT_TRUE(filing::InitInheritedComponent(form));

    // While their properties were set they were being read and loaded.
    EXPECT_TRUE(form.ReadingWhenCaptionSet);
    EXPECT_TRUE(form.LoadingWhenCaptionSet);
    EXPECT_TRUE(form.Button1->ReadingWhenCaptionSet);
    // Loaded came after the whole description: the table saw its connection
    // although the reference was resolved at the end.
    EXPECT_TRUE(form.Table1->ConnectedWhenLoaded);
    EXPECT_EQ(LoadedJournal(),
              (std::vector<AnsiString>{"SampleWindow", "Table1", "Grid1", "Panel1", "Button1", "Button2"}));
    for (int i = 0; i < form.ComponentCount(); ++i) {
        EXPECT_FALSE(form.Components(i)->InState(core::csLoading)) << form.Components(i)->Name();
        EXPECT_FALSE(form.Components(i)->InState(core::csReading)) << form.Components(i)->Name();
    }
    EXPECT_FALSE(form.InState(core::csLoading));
}

TEST_F(FormLoading, AWindowWithoutADescriptionIsLeftAlone)
{
    TSampleControl control(nullptr);
    EXPECT_FALSE(filing::InitInheritedComponent(control));
    EXPECT_EQ(control.ComponentCount(), 0);
}

TEST_F(FormLoading, TheLoadedWindowWritesBackToTheSameDescription)
{
    TSampleForm form(nullptr);
    ASSERT_TRUE(filing::InitInheritedComponent(form));
    AnsiString text = filing::ComponentToText(&form);

    TSampleForm copy(nullptr);
    filing::ReadComponentText(text, &copy);
    EXPECT_EQ(filing::ComponentToText(&copy), text);
    // Properties at their defaults are not written; a stored Boolean False is.
    EXPECT_EQ(text.find("Visible"), AnsiString::npos);
    EXPECT_NE(text.find("    LoginPrompt = False\n"), AnsiString::npos);
    EXPECT_NE(text.find("    OnCellClick = Grid1CellClick\n"), AnsiString::npos);
}
