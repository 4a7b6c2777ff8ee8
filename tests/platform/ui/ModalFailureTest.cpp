#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;

namespace {

using ModalFailureTest = HeadlessFixture;

// A close query that fails (a validation that throws) ends the modal loop
// with the exception; the dialog must not stay on screen as a modeless form
// that can never be shown modally again, and its owner must work again.
TEST_F(ModalFailureTest, FailingCloseQueryHidesTheDialogAndEnablesTheOthers)
{
    ShowForm(200, 100);
    auto* dialog = new TForm(form);
    dialog->SetBounds(150, 150, 200, 100);
    dialog->OnCloseQuery = [](core::TObject*, bool&) { throw core::Exception("not valid"); };
    int ticks = 0;
    WindowManager().SetTimer(nullptr, 0, 10, [&] {
        if (ticks++ == 0)
            dialog->SetModalResult(mrOk);
    });
    EXPECT_THROW(dialog->ShowModal(), core::Exception);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(form->Handle()->Enabled());
    EXPECT_EQ(WindowManager().ActiveWindow(), form->Handle());

    // Shown again, it works as a dialog.
    dialog->OnCloseQuery = nullptr;
    ticks = 0;
    EXPECT_EQ(dialog->ShowModal(), mrOk);
}

}  // namespace

namespace {

// Release on a form that is up modally (a Close button written for a modeless
// form) must end the modal loop before the form goes.
TEST_F(ModalFailureTest, ReleaseEndsTheModalLoopBeforeFreeing)
{
    ShowForm(200, 100);
    auto* dialog = new TForm(nullptr);
    dialog->SetBounds(150, 150, 200, 100);
    int ticks = 0;
    WindowManager().SetTimer(nullptr, 0, 10, [&] {
        if (ticks++ == 0)
            dialog->Release();
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    Pump();
    EXPECT_FALSE(Screen().HasForm(dialog));
    EXPECT_TRUE(form->Handle()->Enabled());
}

}  // namespace
