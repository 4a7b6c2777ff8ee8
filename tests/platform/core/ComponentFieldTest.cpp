#include <gtest/gtest.h>

#include "platform/core/Component.h"
#include "platform/core/Exception.h"

using namespace core;

namespace {

class TButtonLike : public TComponent {
    CORE_CLASS(TButtonLike, TComponent)
    explicit TButtonLike(TComponent* owner) : TComponent(owner) {}
};
CORE_CLASS_IMPL(TButtonLike)

// A form whose code reaches two of its components through fields.
class TFieldForm : public TComponent {
    CORE_CLASS(TFieldForm, TComponent)
    explicit TFieldForm(TComponent* owner) : TComponent(owner)
    {
        RegisterField("Button1", &Button1);
        RegisterField("Helper", &Helper);
    }
    TButtonLike* Button1 = nullptr;
    TComponent* Helper = nullptr;
};
CORE_CLASS_IMPL(TFieldForm)

}  // namespace

TEST(ComponentField, FollowsNamingRenamingAndDestruction)
{
    TFieldForm form(nullptr);
    auto* button = new TButtonLike(&form);
    EXPECT_EQ(form.Button1, nullptr);
    button->SetName("BUTTON1");  // names match without regard to case
    EXPECT_EQ(form.Button1, button);

    button->SetName("Other");
    EXPECT_EQ(form.Button1, nullptr);
    button->SetName("Button1");
    delete button;
    EXPECT_EQ(form.Button1, nullptr);

    // A named component moved in from another owner binds on insertion and
    // unbinds when it leaves.
    TComponent elsewhere(nullptr);
    auto* helper = new TButtonLike(&elsewhere);
    helper->SetName("Helper");
    form.InsertComponent(helper);
    EXPECT_EQ(form.Helper, helper);
    form.RemoveComponent(helper);
    EXPECT_EQ(form.Helper, nullptr);
    delete helper;
}

TEST(ComponentField, AComponentTheFieldCannotHoldIsRefused)
{
    TFieldForm form(nullptr);
    auto* plain = new TComponent(&form);
    try {
        plain->SetName("Button1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "Field Button1 of TFieldForm cannot hold a TComponent");
    }
    EXPECT_EQ(plain->Name(), "");
    EXPECT_EQ(form.Button1, nullptr);
}

TEST(ComponentField, DestroyComponentsClearsFields)
{
    TFieldForm form(nullptr);
    (new TButtonLike(&form))->SetName("Button1");
    ASSERT_NE(form.Button1, nullptr);
    form.DestroyComponents();
    EXPECT_EQ(form.Button1, nullptr);
}

TEST(ComponentField, ARefusedInsertLeavesTheComponentWithItsOwner)
{
    // A name clash or a field of the wrong class refuses the move; the
    // component must still belong to its first owner, which frees it.
    TFieldForm form(nullptr);
    (new TComponent(&form))->SetName("Taken");
    TComponent first(nullptr);
    auto* clash = new TComponent(&first);
    clash->SetName("Taken");
    EXPECT_THROW(form.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &first);
    EXPECT_EQ(first.FindComponent("Taken"), clash);

    auto* wrongClass = new TComponent(&first);
    wrongClass->SetName("Button1");
    EXPECT_THROW(form.InsertComponent(wrongClass), EComponentError);
    EXPECT_EQ(wrongClass->Owner(), &first);
    EXPECT_EQ(form.Button1, nullptr);
}
