#include <gtest/gtest.h>

#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/filing/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Action.h"
#include "platform/ui/Button.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Registration.h"
#include "platform/ui/Timer.h"

using namespace ui;
using backend::THeadlessBackend;

namespace {

// A control that also shows an action's Checked and ImageIndex, as a
// latching button would.
class TActionProbe : public TCustomControl {
public:
    explicit TActionProbe(core::TComponent* owner) : TCustomControl(owner) {}

    bool checked = false;
    int imageIndex = -1;
    int changes = 0;

protected:
    void ActionChange(core::TObject* sender, bool checkDefaults) override
    {
        TCustomControl::ActionChange(sender, checkDefaults);
        ++changes;
        if (auto* action = dynamic_cast<TCustomAction*>(sender)) {
            checked = action->Checked();
            imageIndex = action->ImageIndex();
        }
    }
};

class ActionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = &THeadlessBackend::Install();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        list = new TActionList(form.get());
        action = new TAction(form.get());
        action->SetActionList(list);
        action->OnExecute = [this](core::TObject* sender) {
            EXPECT_EQ(sender, action);
            executedBy = action->ActionComponent();
            ++executed;
        };
        probe = new TActionProbe(form.get());
        probe->SetParent(form.get());
        probe->SetBounds(10, 10, 80, 30);
    }
    void TearDown() override
    {
        form.reset();
        WindowManager().Reset();
    }

    void ClickProbe()
    {
        display->Advance(1000);  // no double click with the last one
        display->Click(probe->ClientToScreen({5, 5}));
    }

    THeadlessBackend* display = nullptr;
    std::unique_ptr<TForm> form;
    TActionList* list = nullptr;
    TAction* action = nullptr;
    TActionProbe* probe = nullptr;
    int executed = 0;
    core::TComponent* executedBy = nullptr;
};

}  // namespace

TEST_F(ActionTest, TheControlTakesTheActionsStateAndFollowsItsChanges)
{
    action->SetCaption("&Save");
    action->SetHint("Save the set");
    action->SetEnabled(false);
    probe->SetAction(action);
    EXPECT_EQ(probe->Action(), action);
    EXPECT_EQ(probe->Caption(), "&Save");
    EXPECT_EQ(probe->Hint(), "Save the set");
    EXPECT_FALSE(probe->Enabled());
    EXPECT_TRUE(probe->Visible());

    action->SetEnabled(true);
    action->SetVisible(false);
    action->SetCaption("Save &as");
    action->SetChecked(true);
    action->SetImageIndex(3);
    EXPECT_TRUE(probe->Enabled());
    EXPECT_FALSE(probe->Visible());
    EXPECT_EQ(probe->Caption(), "Save &as");
    EXPECT_TRUE(probe->checked);
    EXPECT_EQ(probe->imageIndex, 3);

    // A setting that changes nothing tells nobody.
    int changes = probe->changes;
    action->SetCaption("Save &as");
    EXPECT_EQ(probe->changes, changes);
}

TEST_F(ActionTest, AClickRunsTheActionUnlessOnClickIsAssigned)
{
    probe->SetAction(action);
    form->Show();
    ClickProbe();
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(executedBy, probe);
    EXPECT_EQ(action->ActionComponent(), nullptr) << "only while it runs";

    int clicks = 0;
    probe->OnClick = [&](core::TObject*) { ++clicks; };
    ClickProbe();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(executed, 1);

    // A disabled action disables its control, and does not run from code.
    probe->OnClick.Clear();
    action->SetEnabled(false);
    EXPECT_FALSE(action->Execute());
    EXPECT_EQ(executed, 1);
}

TEST_F(ActionTest, TheListMayTakeTheActionFirst)
{
    std::vector<TBasicAction*> seen;
    bool take = true;
    list->OnExecute = [&](TBasicAction* a, bool& handled) {
        seen.push_back(a);
        handled = take;
    };
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(executed, 0);
    take = false;
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(seen, (std::vector<TBasicAction*>{action, action}));

    int updates = 0;
    action->OnUpdate = [&](core::TObject*) { ++updates; };
    EXPECT_TRUE(action->Update());
    EXPECT_EQ(updates, 1);
}

TEST_F(ActionTest, ListsImagesAndIndexes)
{
    auto* second = new TAction(form.get());
    second->SetActionList(list);
    EXPECT_EQ(list->ActionCount(), 2);
    EXPECT_EQ(second->Index(), 1);
    second->SetIndex(0);
    EXPECT_EQ(list->Actions(0), second);
    EXPECT_EQ(action->Index(), 1);
    EXPECT_THROW(list->Actions(2), core::EListError);

    // The clients hear of a new image list; it is forgotten when freed.
    probe->SetAction(action);
    auto* images = new TImageList(form.get());
    int changes = probe->changes;
    list->SetImages(images);
    EXPECT_EQ(action->Images(), images);
    EXPECT_GT(probe->changes, changes);
    delete images;
    EXPECT_EQ(list->Images(), nullptr);
    EXPECT_EQ(action->Images(), nullptr);

    // Moving an action to another list takes it out of the first.
    auto* other = new TActionList(form.get());
    second->SetActionList(other);
    EXPECT_EQ(list->ActionCount(), 1);
    EXPECT_EQ(other->ActionCount(), 1);
    EXPECT_EQ(second->GetParentComponent(), other);
}

TEST_F(ActionTest, FreeingEitherSideUnlinks)
{
    probe->SetAction(action);
    EXPECT_EQ(action->ClientCount(), 1);
    delete action;
    EXPECT_EQ(probe->Action(), nullptr);
    EXPECT_EQ(list->ActionCount(), 0);
    ClickProbe();  // nothing to run, nothing breaks

    auto* again = new TAction(form.get());
    probe->SetAction(again);
    delete probe;
    EXPECT_EQ(again->ClientCount(), 0);
    again->SetCaption("still fine");

    // A list frees the actions it holds.
    auto* held = new TAction(form.get());
    held->SetActionList(list);
    int before = form->ComponentCount();
    delete list;
    EXPECT_EQ(form->ComponentCount(), before - 2);
}

TEST_F(ActionTest, AnActionSetWhileReadingKeepsWhatTheFormSays)
{
    action->SetCaption("From action");
    action->SetHint("Action hint");
    action->SetEnabled(false);
    probe->SetCaption("From form");
    probe->SetLoading(true);
    probe->SetAction(action);
    probe->SetLoading(false);
    EXPECT_EQ(probe->Caption(), "From form");
    EXPECT_EQ(probe->Hint(), "Action hint");
    EXPECT_FALSE(probe->Enabled());
    // Later changes of the action are taken whole.
    action->SetCaption("Changed");
    EXPECT_EQ(probe->Caption(), "Changed");
}

TEST_F(ActionTest, TheActionIsAPublishedReference)
{
    const core::PropInfo* prop = TControl::StaticClass().FindProperty("Action");
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->Kind(), core::tkClass);
    for (const char* name : {"Caption", "Checked", "Enabled", "Hint", "ImageIndex", "ShortCut", "Visible", "OnExecute", "OnUpdate"})
        EXPECT_NE(TAction::StaticClass().FindProperty(name), nullptr) << name;
    EXPECT_NE(TActionList::StaticClass().FindProperty("Images"), nullptr);
}

TEST(StandardComponentsFilingTest, ActionsTimersImageListsAndButtonsLoadAndWriteBack)
{
    THeadlessBackend& display = THeadlessBackend::Install();
    RegisterControls();
    const char* description = R"(object Form1: TForm
  Left = 100
  Top = 100
  Caption = 'Actions'
  ClientHeight = 100
  ClientWidth = 200
  object ActionList1: TActionList
    Images = ImageList1
    Left = 8
    Top = 8
    object Action1: TAction
      Caption = '&Save'
      Hint = 'Save the set'
      ImageIndex = 0
      OnExecute = Action1Execute
    end
  end
  object ImageList1: TImageList
    Height = 8
    Width = 8
  end
  object Timer1: TTimer
    Interval = 250
    OnTimer = Timer1Timer
  end
  object Button1: TButton
    Left = 8
    Top = 40
    Width = 75
    Height = 25
    Action = Action1
    Default = True
    ModalResult = 1
    TabOrder = 0
  end
end
)";
    int executed = 0, ticks = 0;
    auto load = [&](const std::string& text) {
        auto form = std::make_unique<TForm>(nullptr);
        form->RegisterMethod<core::TObject*>("Action1Execute", [&](core::TObject*) { ++executed; });
        form->RegisterMethod<core::TObject*>("Timer1Timer", [&](core::TObject*) { ++ticks; });
        filing::ReadComponentText(text, form.get());
        return form;
    };
    std::unique_ptr<TForm> form = load(description);
    auto* list = dynamic_cast<TActionList*>(form->FindComponent("ActionList1"));
    auto* action = dynamic_cast<TAction*>(form->FindComponent("Action1"));
    auto* images = dynamic_cast<TImageList*>(form->FindComponent("ImageList1"));
    auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
    auto* button = dynamic_cast<TButton*>(form->FindComponent("Button1"));
    ASSERT_TRUE(list && action && images && timer && button);
    EXPECT_EQ(action->ActionList(), list);
    EXPECT_EQ(list->Images(), images);
    EXPECT_EQ(action->Images(), images);
    EXPECT_EQ(images->Width(), 8);
    EXPECT_EQ(button->Action(), action);
    EXPECT_EQ(button->Caption(), "&Save");
    EXPECT_EQ(button->Hint(), "Save the set");
    EXPECT_TRUE(button->Default());
    EXPECT_EQ(timer->Interval(), 250u);
    EXPECT_TRUE(timer->Running());

    display.Advance(250);
    WindowManager().ProcessMessages();
    EXPECT_EQ(ticks, 1);
    form->Show();
    display.Click(button->ClientToScreen({10, 10}));
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);

    // Written back, the description holds the same components, and reads
    // again into the same structure.
    AnsiString text = filing::ComponentToText(form.get());
    for (const char* line : {"object ActionList1: TActionList", "Images = ImageList1", "object Action1: TAction",
                             "OnExecute = Action1Execute", "object ImageList1: TImageList", "Interval = 250",
                             "OnTimer = Timer1Timer", "Action = Action1", "ModalResult = 1"})
        EXPECT_NE(text.find(line), AnsiString::npos) << line << " in\n" << text;
    EXPECT_LT(text.find("object Action1: TAction"), text.find("object ImageList1")) << "actions are filed inside their list";
    form.reset();
    std::unique_ptr<TForm> again = load(text);
    auto* reloaded = dynamic_cast<TButton*>(again->FindComponent("Button1"));
    ASSERT_NE(reloaded, nullptr);
    ASSERT_NE(reloaded->Action(), nullptr);
    EXPECT_EQ(reloaded->Action()->Name(), "Action1");
    EXPECT_EQ(dynamic_cast<TAction*>(reloaded->Action())->ActionList()->Name(), "ActionList1");
    again.reset();
    WindowManager().Reset();
}
