#pragma once

#include <functional>

#include "platform/core/Component.h"
#include "platform/core/Exception.h"
#include "platform/ui/ControlTypes.h"

namespace ui {

class TCustomForm;

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

protected:
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    bool ProcessMessage();
    // Dialog keys and characters go to the control first (CN_ messages).
    bool IsKeyMsg(const struct TMsg& msg);

    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    AnsiString title_;
};

// The application object of the process.
TApplication& Application();

// Raised to leave an operation quietly: the application shows nothing.
class EAbort : public core::Exception {
public:
    using core::Exception::Exception;
};

}  // namespace ui
