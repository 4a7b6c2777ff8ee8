#include "platform/ui/Application.h"

#include "platform/ui/Form.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"

namespace ui {

CORE_CLASS_IMPL(TApplication)

TApplication& Application()
{
    static TApplication* application = new TApplication(nullptr);
    return *application;
}

TApplication::TApplication(core::TComponent* owner) : core::TComponent(owner) {}

TApplication::~TApplication() = default;

void TApplication::Initialize()
{
    terminated_ = false;
}

void TApplication::Notification(core::TComponent* component, core::TOperation operation)
{
    core::TComponent::Notification(component, operation);
    if (operation == core::opRemove && component == mainForm_)
        mainForm_ = nullptr;
}

void TApplication::Run()
{
    if (mainForm_)
        mainForm_->Show();
    while (!terminated_)
        HandleMessage();
}

bool TApplication::IsKeyMsg(const TMsg& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    // The message goes to the nearest control that owns a window on the way up.
    HWND window = msg.hwnd;
    TWinControl* control = nullptr;
    while (window && !(control = TWinControl::FromHandle(window)))
        window = window->Parent();
    if (!control)
        return false;
    return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage()
{
    TWindowManager& wm = WindowManager();
    TMsg msg;
    if (!wm.PeekMessage(msg, nullptr, 0, 0, true))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    try {
        if (!IsKeyMsg(msg)) {
            wm.TranslateMessage(msg);
            wm.DispatchMessage(msg);
        }
    } catch (const std::exception&) {
        HandleException(this);
    }
    return true;
}

void TApplication::HandleMessage()
{
    if (ProcessMessage())
        return;
    TWindowManager& wm = WindowManager();
    wm.PresentAll();
    try {
        OnIdle(this);
    } catch (const std::exception&) {
        HandleException(this);
    }
    if (terminated_)
        return;
    TMsg msg;
    // Waiting happens inside GetMessage; the message it brings is handled here.
    if (wm.GetMessage(msg)) {
        try {
            if (!IsKeyMsg(msg)) {
                wm.TranslateMessage(msg);
                wm.DispatchMessage(msg);
            }
        } catch (const std::exception&) {
            HandleException(this);
        }
    } else {
        terminated_ = true;
    }
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
    WindowManager().PresentAll();
}

void TApplication::Terminate()
{
    if (!terminated_)
        WindowManager().PostQuitMessage(0);
    terminated_ = true;
}

bool TApplication::Active() const
{
    return WindowManager().ActiveWindow() != nullptr;
}

void TApplication::HandleException(core::TObject* sender)
{
    try {
        throw;
    } catch (const EAbort&) {
        return;
    } catch (const std::exception& e) {
        if (OnException) {
            OnException(sender, e);
            return;
        }
        ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e)
{
    AnsiString text = e.what();
    if (!text.empty() && text.back() != '.' && static_cast<unsigned char>(text.back()) < 0x80)
        text += '.';
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags)
{
    return ui::MessageBox(text, caption, flags);
}

}  // namespace ui
