#include <gtest/gtest.h>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/ClassRegistry.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Action.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Label.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Registration.h"
#include "platform/ui/Shape.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/Timer.h"
#include "platform/ui/VirtualKeys.h"

using namespace ui;
using backend::THeadlessBackend;

namespace {

// One form with every standard control, as a program would describe it.
const char* kDescription = R"(object EveryForm: TEveryForm
  Left = 100
  Top = 80
  ActiveControl = NotesMemo
  BorderStyle = bsDialog
  Caption = 'Every control'
  ClientHeight = 240
  ClientWidth = 320
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = #23435#20307
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 12
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 320
    Height = 30
    Align = alTop
    Caption = #39030#37096
    TabOrder = 0
    object NameLabel: TLabel
      Left = 8
      Top = 8
      Width = 40
      Height = 12
      Caption = '&Name'
      FocusControl = NameEdit
    end
    object NameEdit: TEdit
      Left = 60
      Top = 4
      Width = 120
      Height = 20
      TabOrder = 0
    end
  end
  object BottomPanel: TPanel
    Left = 0
    Top = 200
    Width = 320
    Height = 40
    Align = alBottom
    BevelOuter = bvLowered
    TabOrder = 2
    object OkButton: TButton
      Left = 230
      Top = 8
      Width = 75
      Height = 25
      Action = SaveAction
      TabOrder = 0
    end
    object Flat: TSpeedButton
      Left = 8
      Top = 8
      Width = 23
      Height = 22
      GroupIndex = 1
      AllowAllUp = True
      OnClick = FlatClick
    end
    object Line: TShape
      Left = 40
      Top = 30
      Width = 100
      Height = 1
    end
  end
  object NotesMemo: TMemo
    Left = 0
    Top = 30
    Width = 320
    Height = 170
    Align = alClient
    Lines.Strings = (
      #31532#19968#34892
      'second line')
    ScrollBars = ssVertical
    TabOrder = 1
  end
  object Ticker: TTimer
    Interval = 100
    OnTimer = TickerTimer
    Left = 200
    Top = 100
  end
  object Images: TImageList
    Left = 240
    Top = 100
  end
  object Actions: TActionList
    Images = Images
    Left = 280
    Top = 100
    object SaveAction: TAction
      Caption = #20445#23384
      OnExecute = SaveActionExecute
    end
  end
end
)";

class TEveryForm : public TForm {
    CORE_CLASS(TEveryForm, TForm)
    explicit TEveryForm(core::TComponent* owner) : TForm(owner)
    {
        RegisterField("NameEdit", &NameEdit);
        RegisterField("NotesMemo", &NotesMemo);
        RegisterField("OkButton", &OkButton);
        RegisterField("Flat", &Flat);
        RegisterField("BottomPanel", &BottomPanel);
        RegisterMethod<core::TObject*>("FlatClick", [this](core::TObject*) { ++flatClicks; });
        RegisterMethod<core::TObject*>("TickerTimer", [this](core::TObject*) { ++ticks; });
        RegisterMethod<core::TObject*>("SaveActionExecute", [this](core::TObject*) { saved = NameEdit->Text(); });
    }

    TEdit* NameEdit = nullptr;
    TMemo* NotesMemo = nullptr;
    TButton* OkButton = nullptr;
    TSpeedButton* Flat = nullptr;
    TPanel* BottomPanel = nullptr;
    int flatClicks = 0;
    int ticks = 0;
    AnsiString saved;
};
CORE_CLASS_IMPL(TEveryForm)

}  // namespace

TEST(EveryControlForm, LoadsFromItsDescriptionAndWorksAsAUserExpects)
{
    THeadlessBackend& display = THeadlessBackend::Install();
    RegisterControls();
    core::RegisterClass(TEveryForm::StaticClass());
    auto* form = new TEveryForm(nullptr);
    filing::ReadComponentText(kDescription, form);

    // Everything read: geometry, alignment, fonts, references and events.
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->Font()->Name(), "宋体");
    ASSERT_NE(form->NotesMemo, nullptr);
    EXPECT_EQ(form->NotesMemo->BoundsRect(), graphics::Bounds(0, 30, 320, 170));
    EXPECT_EQ(form->NotesMemo->Lines()->Strings(0), "第一行");
    EXPECT_EQ(form->NameEdit->Font()->Name(), "宋体");
    EXPECT_EQ(form->OkButton->Caption(), "保存");  // from its action

    form->Show();
    Application().ProcessMessages();
    EXPECT_TRUE(form->NotesMemo->Focused());  // the description's active control
    // The label's accelerator focuses its edit; typed Chinese arrives whole.
    display.PressKey('N', {VK_MENU});
    EXPECT_TRUE(form->NameEdit->Focused());
    display.Type(reinterpret_cast<const char*>(u8"账套一"));
    EXPECT_EQ(form->NameEdit->Text(), "账套一");
    // The button runs its action; the speed button its handler.
    display.Click(form->OkButton->ClientToScreen({10, 10}));
    EXPECT_EQ(form->saved, "账套一");
    display.Click(form->Flat->ClientToScreen({5, 5}));
    EXPECT_EQ(form->flatClicks, 1);
    EXPECT_TRUE(form->Flat->Down());
    // The timer ticks on the clock.
    display.Advance(100);
    Application().ProcessMessages();
    EXPECT_EQ(form->ticks, 1);
    // The client-aligned memo follows the form's size.
    form->SetClientHeight(300);
    EXPECT_EQ(form->NotesMemo->Height(), 230);
    EXPECT_EQ(form->BottomPanel->Top(), 260);

    // Written back and read again, the form says the same.
    AnsiString text = filing::ComponentToText(form);
    auto* again = new TEveryForm(nullptr);
    filing::ReadComponentText(text, again);
    EXPECT_EQ(filing::ComponentToText(again), text);
    delete again;
    delete form;
    WindowManager().Reset();
}
