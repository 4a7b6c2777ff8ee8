#pragma once

#include <memory>
#include <vector>

#include "platform/core/Component.h"

namespace ui {

using core::AnsiString;

class TBasicAction;
class TActionList;
class TControl;
class TCustomImageList;

// The connection between an action and one client (a control). The action
// tells its links after every change; a link passes the notice on through
// OnChange, and runs the action for its client.
class TBasicActionLink {
public:
    explicit TBasicActionLink(core::TObject* client);
    virtual ~TBasicActionLink();
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    core::TObject* Client() const { return client_; }
    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* value);

    // Runs the action with `component` as the one that set it off; false when
    // nothing ran it.
    virtual bool Execute(core::TComponent* component = nullptr);
    // Lets the action bring itself up to date (its OnUpdate).
    virtual bool Update();

    // Told, with the action as sender, after every change of the action.
    core::TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void Change();

private:
    core::TObject* client_;
    TBasicAction* action_ = nullptr;
};

// The link of a control: the control's ActionChange hears every change, and
// its Click runs the action.
class TControlActionLink : public TBasicActionLink {
public:
    explicit TControlActionLink(TControl* client);
    TControl* Control() const { return control_; }

protected:
    void Change() override;

private:
    TControl* control_;
};

// A command that controls share: what runs it (OnExecute) and what brings
// its state up to date (OnUpdate). Its clients are told of every change.
class TBasicAction : public core::TComponent {
    CORE_CLASS(TBasicAction, core::TComponent)

    explicit TBasicAction(core::TComponent* owner);
    ~TBasicAction() override;

    // Runs OnExecute; false when it is not assigned.
    virtual bool Execute();
    // Runs OnUpdate; false when it is not assigned.
    virtual bool Update();
    // The component that set off the action running now (or last).
    core::TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(core::TComponent* value);

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);
    int ClientCount() const { return static_cast<int>(links_.size()); }

    core::TNotifyEvent OnExecute;
    core::TNotifyEvent OnUpdate;

protected:
    // Tells every client that the action changed.
    void Change();
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    friend class TActionList;
    std::vector<TBasicActionLink*> links_;
    core::TComponent* actionComponent_ = nullptr;
};

// An action kept in an action list, which may run or update it first.
class TContainedAction : public TBasicAction {
    CORE_CLASS(TContainedAction, TBasicAction)

    explicit TContainedAction(core::TComponent* owner);
    ~TContainedAction() override;

    TActionList* ActionList() const { return actionList_; }
    void SetActionList(TActionList* value);
    // The position in the list, or -1.
    int Index() const;
    void SetIndex(int value);
    const AnsiString& Category() const { return category_; }
    void SetCategory(const AnsiString& value) { category_ = value; }

    // The list's OnExecute (or OnUpdate) may take the action first.
    bool Execute() override;
    bool Update() override;

    // Filing: an action is filed inside its list.
    bool HasParent() const override { return actionList_ != nullptr; }
    core::TComponent* GetParentComponent() const override;
    void SetParentComponent(core::TComponent* parent) override;

private:
    friend class TActionList;
    TActionList* actionList_ = nullptr;
    AnsiString category_;
};

// An action with the state that controls show: caption, hint, enabled,
// visible, checked, an image of its list's images, and a shortcut (kept
// only).
class TCustomAction : public TContainedAction {
    CORE_CLASS(TCustomAction, TContainedAction)

    explicit TCustomAction(core::TComponent* owner);
    ~TCustomAction() override;

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int value) { shortCut_ = value; }
    // The image list of the action's list, or nullptr.
    TCustomImageList* Images() const;

    // A disabled action does not run.
    bool Execute() override;

private:
    AnsiString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    AnsiString hint_;
    int imageIndex_ = -1;
    bool visible_ = true;
    int shortCut_ = 0;
};

// The action that form descriptions hold.
class TAction : public TCustomAction {
    CORE_CLASS(TAction, TCustomAction)

    explicit TAction(core::TComponent* owner);
    static void Publish(core::PropertyList& list);
};

using TActionEvent = core::TEvent<TBasicAction*, bool&>;

// A list of actions with the image list their ImageIndex refers to. The
// list frees the actions it still holds when it goes.
class TActionList : public core::TComponent {
    CORE_CLASS(TActionList, core::TComponent)

    explicit TActionList(core::TComponent* owner);
    ~TActionList() override;
    static void Publish(core::PropertyList& list);

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TContainedAction* Actions(int index) const;
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);

    // The list's own handlers, asked before the action's: true when one of
    // them took the action.
    bool ExecuteAction(TBasicAction* action);
    bool UpdateAction(TBasicAction* action);

    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    core::TNotifyEvent OnChange;

    void GetChildren(const std::function<void(core::TComponent*)>& proc, core::TComponent* root) override;

protected:
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    friend class TContainedAction;
    void AddAction(TContainedAction* action);
    void RemoveAction(TContainedAction* action);
    // Every action's clients are told (the images changed).
    void ActionsChanged();

    std::vector<TContainedAction*> actions_;
    TCustomImageList* images_ = nullptr;
};

}  // namespace ui
