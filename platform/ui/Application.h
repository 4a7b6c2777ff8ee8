#pragma once

#include <functional>
#include <memory>

#include "platform/core/Component.h"
#include "platform/core/Exception.h"
#include "platform/ui/ControlTypes.h"

namespace ui {

class TCustomForm;
class TControl;
class THintWindow;

using TExceptionEvent = core::TEvent<core::TObject*, const std::exception&>;

// The program: its main form, its message loop, and the display of errors
// that no code caught.
class TApplication : public core::TComponent {
    CORE_CLASS(TApplication, core::TComponent)

    explicit TApplication(core::TComponent* owner);
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application; the first becomes the main form.
    template <typename T>
    void CreateForm(T*& form)
    {
        form = new T(this);
        if (!mainForm_)
            mainForm_ = form;
    }
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }

    // Shows the main form and handles messages until the program ends.
    void Run();
    // Takes one message, or waits for one when there is none.
    void HandleMessage();
    // Handles every pending message without waiting.
    void ProcessMessages();
    // Ends the loop once the message that runs now is done.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Whether one of the program's windows is active.
    bool Active() const;

    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& value) { title_ = value; }

    // Shows the exception being handled (inside a catch block) in a message
    // box, unless OnException takes it; the program goes on.
    void HandleException(core::TObject* sender);
    void ShowException(const std::exception& e);
    int MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags);

    TExceptionEvent OnException;
    core::TNotifyEvent OnIdle;

    // Hints (ApplicationHint.cpp): when the pointer rests HintPause ms over a
    // control whose ShowHint is on and whose Hint is not empty, the hint shows
    // below the pointer; it goes after HintHidePause ms, when the pointer
    // leaves the control, or on a click or a key. Moving on from a shown hint
    // to another control shows that one after HintShortPause ms.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int value) { hintPause_ = value; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int value) { hintShortPause_ = value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int value) { hintHidePause_ = value; }
    // Hides a shown hint and forgets a pending one.
    void CancelHint();
    // The control layer says which control the pointer is over now.
    void HintMouseControl(TControl* control);
    // The window of the hint shown now, or nullptr.
    THintWindow* ActiveHintWindow() const;

protected:
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    bool ProcessMessage();
    // Dialog keys and characters go to the control first (CN_ messages).
    bool IsKeyMsg(const struct TMsg& msg);

    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    AnsiString title_;

    struct THintState;
    struct THintStateDeleter {
        void operator()(THintState* state) const;
    };
    THintState& Hint();
    void StartHintTimer(unsigned ms, bool hideTimer);
    void StopHintTimer();
    void HintTimerExpired();
    void ShowHintFor(TControl* control);
    void WatchInput(bool on);
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    std::unique_ptr<THintState, THintStateDeleter> hint_;
};

// The application object of the process.
TApplication& Application();

// Raised to leave an operation quietly: the application shows nothing.
class EAbort : public core::Exception {
public:
    using core::Exception::Exception;
};

}  // namespace ui
