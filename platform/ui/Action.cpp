#include "platform/ui/Action.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/ui/Control.h"
#include "platform/ui/ImageList.h"

namespace ui {

CORE_CLASS_IMPL(TBasicAction)
CORE_CLASS_IMPL(TContainedAction)
CORE_CLASS_IMPL(TCustomAction)
CORE_CLASS_IMPL(TAction)
CORE_CLASS_IMPL(TActionList)

// ---- Links -------------------------------------------------------------------

TBasicActionLink::TBasicActionLink(core::TObject* client) : client_(client) {}

TBasicActionLink::~TBasicActionLink()
{
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* value)
{
    if (value == action_)
        return;
    if (action_)
        action_->UnRegisterChanges(this);
    action_ = value;
    if (action_)
        action_->RegisterChanges(this);
}

bool TBasicActionLink::Execute(core::TComponent* component)
{
    if (!action_)
        return false;
    action_->SetActionComponent(component);
    bool done = false;
    try {
        done = action_->Execute();
    } catch (...) {
        if (action_)
            action_->SetActionComponent(nullptr);
        throw;
    }
    // The handler may have freed the action: the link forgot it then.
    if (action_)
        action_->SetActionComponent(nullptr);
    return done;
}

bool TBasicActionLink::Update()
{
    return action_ && action_->Update();
}

void TBasicActionLink::Change()
{
    OnChange(action_);
}

TControlActionLink::TControlActionLink(TControl* client) : TBasicActionLink(client), control_(client) {}

void TControlActionLink::Change()
{
    control_->ActionChange(Action(), false);
    TBasicActionLink::Change();
}

// ---- TBasicAction ------------------------------------------------------------

TBasicAction::TBasicAction(core::TComponent* owner) : core::TComponent(owner) {}

TBasicAction::~TBasicAction()
{
    // Clients let go: their links no longer name this action.
    while (!links_.empty())
        links_.back()->SetAction(nullptr);
}

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::SetActionComponent(core::TComponent* value)
{
    if (value == actionComponent_)
        return;
    if (actionComponent_)
        actionComponent_->RemoveFreeNotification(this);
    actionComponent_ = value;
    if (actionComponent_)
        actionComponent_->FreeNotification(this);
}

void TBasicAction::Notification(core::TComponent* component, core::TOperation operation)
{
    core::TComponent::Notification(component, operation);
    if (operation == core::opRemove && component == actionComponent_)
        actionComponent_ = nullptr;
}

void TBasicAction::RegisterChanges(TBasicActionLink* link)
{
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link)
{
    auto it = std::find(links_.begin(), links_.end(), link);
    if (it == links_.end())
        return;
    links_.erase(it);
    if (link->action_ == this)
        link->action_ = nullptr;
}

void TBasicAction::Change()
{
    // A client may drop its link while it hears of the change.
    std::vector<TBasicActionLink*> links = links_;
    for (TBasicActionLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
}

// ---- TContainedAction --------------------------------------------------------

TContainedAction::TContainedAction(core::TComponent* owner) : TBasicAction(owner) {}

TContainedAction::~TContainedAction()
{
    SetActionList(nullptr);
}

void TContainedAction::SetActionList(TActionList* value)
{
    if (value == actionList_)
        return;
    if (actionList_)
        actionList_->RemoveAction(this);
    if (value)
        value->AddAction(this);
}

int TContainedAction::Index() const
{
    if (!actionList_)
        return -1;
    const auto& list = actionList_->actions_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TContainedAction::SetIndex(int value)
{
    if (!actionList_)
        return;
    auto& list = actionList_->actions_;
    list.erase(list.begin() + Index());
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

core::TComponent* TContainedAction::GetParentComponent() const
{
    return actionList_;
}

void TContainedAction::SetParentComponent(core::TComponent* parent)
{
    if (auto* list = dynamic_cast<TActionList*>(parent))
        SetActionList(list);
}

bool TContainedAction::Execute()
{
    if (actionList_ && actionList_->ExecuteAction(this))
        return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update()
{
    if (actionList_ && actionList_->UpdateAction(this))
        return true;
    return TBasicAction::Update();
}

// ---- TCustomAction and TAction -----------------------------------------------

TCustomAction::TCustomAction(core::TComponent* owner) : TContainedAction(owner) {}

TCustomAction::~TCustomAction() = default;

void TCustomAction::SetCaption(const AnsiString& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    Change();
}

void TCustomAction::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    Change();
}

void TCustomAction::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Change();
}

void TCustomAction::SetHint(const AnsiString& value)
{
    if (value == hint_)
        return;
    hint_ = value;
    Change();
}

void TCustomAction::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    Change();
}

void TCustomAction::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    Change();
}

TCustomImageList* TCustomAction::Images() const
{
    return ActionList() ? ActionList()->Images() : nullptr;
}

bool TCustomAction::Execute()
{
    if (!enabled_)
        return false;
    return TContainedAction::Execute();
}

TAction::TAction(core::TComponent* owner) : TCustomAction(owner) {}

void TAction::Publish(core::PropertyList& list)
{
    core::PropBuilder<TAction> p(list);
    p.String("Caption", &TAction::Caption, &TAction::SetCaption, "TCaption");
    p.String("Category", &TAction::Category, &TAction::SetCategory);
    p.Boolean("Checked", &TAction::Checked, &TAction::SetChecked).Default(false);
    p.Boolean("Enabled", &TAction::Enabled, &TAction::SetEnabled).Default(true);
    p.String("Hint", &TAction::Hint, &TAction::SetHint);
    p.Integer("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex, "TImageIndex").Default(-1);
    p.Integer("ShortCut", &TAction::ShortCut, &TAction::SetShortCut, "TShortCut").Default(0);
    p.Boolean("Visible", &TAction::Visible, &TAction::SetVisible).Default(true);
    using Event = core::TNotifyEvent TAction::*;
    p.Event("OnExecute", static_cast<Event>(&TAction::OnExecute));
    p.Event("OnUpdate", static_cast<Event>(&TAction::OnUpdate));
}

// ---- TActionList ---------------------------------------------------------------

TActionList::TActionList(core::TComponent* owner) : core::TComponent(owner) {}

TActionList::~TActionList()
{
    while (!actions_.empty())
        delete actions_.back();
    SetImages(nullptr);
}

void TActionList::Publish(core::PropertyList& list)
{
    core::PropBuilder<TActionList> p(list);
    p.Object<TCustomImageList>("Images", &TActionList::Images, &TActionList::SetImages);
    p.Event("OnChange", &TActionList::OnChange);
    p.Event("OnExecute", &TActionList::OnExecute, "TActionEvent");
    p.Event("OnUpdate", &TActionList::OnUpdate, "TActionEvent");
}

TContainedAction* TActionList::Actions(int index) const
{
    if (index < 0 || index >= ActionCount())
        throw core::EListError("List index out of bounds (%d)", index);
    return actions_[static_cast<size_t>(index)];
}

void TActionList::AddAction(TContainedAction* action)
{
    actions_.push_back(action);
    action->actionList_ = this;
    action->FreeNotification(this);
    OnChange(this);
}

void TActionList::RemoveAction(TContainedAction* action)
{
    std::erase(actions_, action);
    action->actionList_ = nullptr;
    action->RemoveFreeNotification(this);
    if (!InState(core::csDestroying))
        OnChange(this);
}

void TActionList::SetImages(TCustomImageList* value)
{
    if (value == images_)
        return;
    if (images_)
        images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_)
        images_->FreeNotification(this);
    ActionsChanged();
}

void TActionList::ActionsChanged()
{
    for (TContainedAction* action : std::vector<TContainedAction*>(actions_))
        action->Change();
}

void TActionList::Notification(core::TComponent* component, core::TOperation operation)
{
    core::TComponent::Notification(component, operation);
    if (operation != core::opRemove)
        return;
    if (component == images_) {
        images_ = nullptr;
        ActionsChanged();
    }
    if (auto* action = dynamic_cast<TContainedAction*>(component); action && action->actionList_ == this)
        RemoveAction(action);
}

bool TActionList::ExecuteAction(TBasicAction* action)
{
    bool handled = false;
    OnExecute(action, handled);
    return handled;
}

bool TActionList::UpdateAction(TBasicAction* action)
{
    bool handled = false;
    OnUpdate(action, handled);
    return handled;
}

void TActionList::GetChildren(const std::function<void(core::TComponent*)>& proc, core::TComponent* root)
{
    for (TContainedAction* action : actions_)
        if (action->Owner() == root)
            proc(action);
}

}  // namespace ui
