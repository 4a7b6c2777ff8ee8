// account-tool: the account-set administration tool. It opens the account
// list window on the desktop and runs until that window closes.
#include <iostream>

#include "app/AccountTool.h"
#include "app/Registration.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/ui/Application.h"

int main()
{
    try {
        ui::WindowManager().SetBackend(backend::CreateSdlBackend());
    } catch (const core::EOSError& e) {
        std::cerr << "account-tool: there is no display to show the window on (" << core::AnsiToUtf8(e.Message())
                  << ")\n";
        return 1;
    }
    ui::Application().Initialize();
    app::RegisterClasses();
    ui::Application().CreateForm(app::AccountMain);
    ui::Application().Run();
    // The window goes before the display that shows it.
    delete app::AccountMain;
    ui::WindowManager().Reset();
    return 0;
}
