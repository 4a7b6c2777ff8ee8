// A program for the end-to-end check of the message box on the SDL display
// (message_box_probe.sh): it shows the account tool's two boxes and a
// question, one after the other, and prints each answer.
#include <cstdio>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowManager.h"

namespace {

int Run()
{
    ui::TWindowManager& wm = ui::WindowManager();
    wm.SetBackend(backend::CreateSdlBackend());
    std::printf("ready\n");
    std::printf("answer %d\n", ui::MessageBox("登录错误！请检查密码，或机器名是否正确", "错误", 0x30));
    std::printf("answer %d\n", ui::MessageBox("修改成功!!", "提示", 0x40));
    std::printf("answer %d\n", ui::MessageBox("Save the changes?", "Question", ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION));
    // The windows go before the display that shows them.
    wm.Reset();
    return 0;
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    try {
        return Run();
    } catch (const core::Exception& e) {
        std::fprintf(stderr, "message box probe: %s\n", core::AnsiToUtf8(e.Message()).c_str());
        return 2;
    }
}
