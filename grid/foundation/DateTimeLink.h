#pragma once

#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/List.h"
#include "platform/core/Variant.h"

namespace ui {
class TWinControl;
}

namespace grid {

class TtsDateTimeDefComponent;

// What a date-time picker picks.
enum TtsDateTimeKind { dtkDate, dtkTime, dtkDateTime };

// The settings object of a date-time definition: the picker's current value
// and the options the grid reads or sets when it opens the picker.
class TtsDateTimeSettings : public core::TPersistent {
    CORE_CLASS(TtsDateTimeSettings, core::TPersistent)

    // The picked value: empty, or a date or floating-point date-time.
    virtual core::Variant Value() const = 0;
    virtual void SetValue(const core::Variant& value) = 0;
    virtual TtsDateTimeKind Kind() const = 0;
    // The caption of the picker's window when it is shown as a dialog.
    virtual core::AnsiString Caption() const = 0;
    // Whether the picker is shown as a dialog rather than dropped down.
    virtual void SetPopup(bool popup) = 0;
};

// The link through which a grid follows the date-time definitions its cells,
// rows and columns refer to. A link may be attached to one component several
// times (once per reference); the component counts the attachments and keeps
// the link until the last one is detached, and tells it when it is destroyed.
//
// A link destroyed while still attached removes itself from its components,
// so that none of them calls it afterwards.
class TtsDateTimeLink : public core::TPersistent {
    CORE_CLASS(TtsDateTimeLink, core::TPersistent)

    TtsDateTimeLink() = default;
    ~TtsDateTimeLink() override;
    TtsDateTimeLink(const TtsDateTimeLink&) = delete;
    TtsDateTimeLink& operator=(const TtsDateTimeLink&) = delete;

    // Registers with `component` once more; nothing for nullptr.
    void Attach(TtsDateTimeDefComponent* component);
    // Takes one registration back; nothing for nullptr.
    void Detach(TtsDateTimeDefComponent* component);

    // `component` is being destroyed; nothing in the base.
    virtual void DateTimeDefRemoved(TtsDateTimeDefComponent* component);

private:
    friend class TtsDateTimeDefComponent;

    // The components this link is registered with.
    std::vector<TtsDateTimeDefComponent*> components_;
};

// The base of the components that hold the settings and the picker of the
// grid's date-time drop-down. The concrete component belongs to the host
// application; the grid calls only the operations below, and relies on the
// component's virtual constructor (ClassType().CreateInstance) to make a
// private copy and on Assign to copy the settings into it.
class TtsDateTimeDefComponent : public core::TComponent {
    CORE_CLASS(TtsDateTimeDefComponent, core::TComponent)

    explicit TtsDateTimeDefComponent(core::TComponent* owner) : core::TComponent(owner) {}
    // Tells every registered link DateTimeDefRemoved, in registration order,
    // before the lists go. A link that detaches (or is destroyed) while the
    // others are told is not told afterwards. By then the subclass's own
    // parts are gone: a link only compares the component with its references.
    ~TtsDateTimeDefComponent() override;

    // A registered link gets one more count; another is appended with count 1.
    void RegisterLink(TtsDateTimeLink* link);
    // Nothing for a link that is not registered; otherwise its count drops by
    // one, and the link leaves when `force` is set or the count reaches 0.
    void UnregisterLink(TtsDateTimeLink* link, bool force);

    // The registered links and, in parallel, their counts.
    int LinkCount() const { return links_.Count(); }
    TtsDateTimeLink* Links(int index) const { return links_.Items(index); }
    int LinkCounts(int index) const { return linkCounts_.Items(index); }

    // The windowed control that shows the picker, or nullptr.
    virtual ui::TWinControl* PickerControl() const = 0;
    // The handler the picker calls when a value is accepted.
    virtual void SetOnAccept(const core::TNotifyEvent& handler) = 0;
    // The handler the picker calls when it is cancelled.
    virtual void SetOnCancel(const core::TNotifyEvent& handler) = 0;
    // The object that carries the picker's current value and options.
    virtual TtsDateTimeSettings* PickerSettings() const = 0;
    // Called before the picker is shown for a cell.
    virtual void PreparePicker() = 0;
    // Called when the picker has become visible.
    virtual void ActivatePicker() = 0;

private:
    core::TList<TtsDateTimeLink*> links_;
    core::TList<int> linkCounts_;
};

}  // namespace grid
