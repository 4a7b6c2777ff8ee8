#pragma once

// The tool's windows on the headless display, over an embedded store of
// their own in a scratch XDG_DATA_HOME, with helpers that act in the login
// dialog and answer message boxes from inside their modal loops.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/AccountTool.h"
#include "app/Login.h"
#include "app/Registration.h"
#include "controls/BandPanels.h"
#include "controls/TinyButton.h"
#include "controls/TinyEdit.h"
#include "controls/TinyGrid.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "platform/data/EmbeddedStore.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "platform/ui/MessageForm.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/system/ScratchFolder.h"
#include "tests/support/Golden.h"
#include "tests/support/Snapshot.h"

namespace apptest {

using core::AnsiString;
using graphics::TPoint;

// The store's password, and the account sets every test starts with.
inline const AnsiString kPassword = "s3cret";
inline std::vector<data::TEmbeddedStore::Account> StartAccounts()
{
    return {{"演示账套", "demo_2024", false}, {"北京分公司", "beijing_2024", true}, {"上海分公司", "shanghai_2024", false}};
}

// What a message box showed.
struct ShownBox {
    AnsiString Text;
    AnsiString Caption;
    unsigned Icon = 0;  // MB_ICONWARNING, MB_ICONINFORMATION ...
    // The captions of its buttons, left to right.
    std::vector<AnsiString> Buttons;
};

// Queued input, as the display delivers it: handled by whatever loop runs.
// A button as a window's description stores it: where it sits on its band
// panel, its tab order, caption and handler; the band buttons are no tab stops.
struct StoredButton {
    controls::TTinyButton* button;
    int left, tabOrder;
    const char* caption;
    const char* handler;
};
inline void ExpectStoredButtons(const ui::TWinControl* panel, int top, std::initializer_list<StoredButton> buttons)
{
    for (const StoredButton& b : buttons) {
        ASSERT_NE(b.button, nullptr);
        EXPECT_EQ(b.button->Parent(), panel);
        EXPECT_EQ(b.button->BoundsRect(), graphics::Bounds(b.left, top, 68, 21));
        EXPECT_EQ(b.button->TabOrder(), b.tabOrder);
        EXPECT_FALSE(b.button->TabStop());
        EXPECT_EQ(b.button->Caption(), b.caption);
        EXPECT_EQ(b.button->OnClick.Name(), b.handler);
    }
}

inline void QueueClick(TPoint screen)
{
    ui::TWindowManager& wm = ui::WindowManager();
    wm.InjectMouseMove(screen);
    wm.InjectMouseButton(ui::mbLeft, true, screen);
    wm.InjectMouseButton(ui::mbLeft, false, screen);
}
inline TPoint Centre(const ui::TControl* c)
{
    return c->ClientToScreen({c->Width() / 2, c->Height() / 2});
}
inline void QueueKey(unsigned vk)
{
    ui::WindowManager().InjectKey(vk, true);
    ui::WindowManager().InjectKey(vk, false);
}

// The picture a top-level window shows now.
inline std::unique_ptr<graphics::TBitmap> Picture(backend::THeadlessBackend& display, ui::TWinControl* window)
{
    ui::Application().ProcessMessages();
    return testsupport::SnapshotBitmap(display.Snapshot(window->Handle()));
}

// Which icon a message box shows: the one whose drawing matches the box's
// icon area pixel for pixel.
inline unsigned IconShown(backend::THeadlessBackend& display, ui::TMessageForm& box)
{
    auto picture = Picture(display, &box);
    graphics::TRect area = box.IconRect();
    for (unsigned style : {ui::MB_ICONERROR, ui::MB_ICONQUESTION, ui::MB_ICONWARNING, ui::MB_ICONINFORMATION}) {
        graphics::TBitmap icon(area.Width(), area.Height());
        icon.Canvas()->Brush()->SetColor(box.Color());
        icon.Canvas()->FillRect(graphics::Bounds(0, 0, area.Width(), area.Height()));
        ui::DrawMessageIcon(*icon.Canvas(), 0, 0, style);
        bool same = true;
        for (int y = 0; y < area.Height() && same; ++y)
            for (int x = 0; x < area.Width() && same; ++x)
                same = icon.Pixel(x, y) == picture->Pixel(area.Left + x, area.Top + y);
        if (same)
            return style;
    }
    return 0;
}

class AppFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Hashing a password is slow on purpose: one store is made for all
        // tests and copied for each.
        templateFolder_ = new ScratchFolder;
        data::TEmbeddedStore store = data::TEmbeddedStore::Create(templateFolder_->File("master.db"), kPassword);
        store.AddAccounts(StartAccounts());
    }
    static void TearDownTestSuite()
    {
        delete templateFolder_;
        templateFolder_ = nullptr;
    }

    void SetUp() override
    {
        std::filesystem::create_directories(folder_.Path() + "/account-tool");
        std::filesystem::copy_file(templateFolder_->File("master.db"), StorePath());
        display = &backend::THeadlessBackend::Install();
        ui::Application().Initialize();
        graphics::ResetSysColors();
        app::RegisterClasses();
    }
    void TearDown() override
    {
        delete app::AccountMain;
        app::AccountMain = nullptr;
        ui::Application().SetMainForm(nullptr);
        ui::Application().Initialize();
        ui::WindowManager().Reset();
    }

    std::string StorePath() const { return folder_.Path() + "/account-tool/master.db"; }
    std::vector<data::TEmbeddedStore::Account> StoredAccounts() const
    {
        return data::TEmbeddedStore::Open(StorePath()).Accounts();
    }

    // Makes the main window as the program does and shows it.
    app::TAccountMain& ShowMain()
    {
        app::AccountMain = new app::TAccountMain(&ui::Application());
        ui::Application().SetMainForm(app::AccountMain);
        app::AccountMain->Show();
        ui::Application().ProcessMessages();
        return *app::AccountMain;
    }

    // Runs `act` once on the login dialog, from inside its modal loop.
    void WhenLoginShown(std::function<void(app::TLoginFm&)> act)
    {
        WhenActive<app::TLoginFm>(std::move(act));
    }
    // Answers the next message box with OK after noting what it showed.
    void AnswerMessageBox()
    {
        WhenActive<ui::TMessageForm>([this](ui::TMessageForm& box) {
            std::vector<AnsiString> buttons;
            for (const ui::TButton* button : box.Buttons())
                buttons.push_back(button->Caption());
            boxes.push_back({box.MessageText(), box.Caption(), IconShown(*display, box), buttons});
            QueueClick(Centre(box.ButtonFor(ui::IDOK)));
        });
    }

    // In the login dialog: the server name and the password typed (the
    // account box left alone), then 确认.
    void ConfirmLogin(const AnsiString& password, const AnsiString& server = ".")
    {
        WhenLoginShown([=](app::TLoginFm& dialog) {
            dialog.TinyEdit1->SetText(server);
            dialog.TinyEdit3->SetText(password);
            QueueClick(Centre(dialog.TinyButton1));
        });
    }
    // Clicks 登录 and signs in; `failure` expects the sign-in message.
    void SignIn(const AnsiString& password, const AnsiString& server = ".", bool failure = false)
    {
        ConfirmLogin(password, server);
        if (failure)
            AnswerMessageBox();
        Click(app::AccountMain->TinyButton1);
    }
    // Clicks 保存 and answers the message that follows.
    void Save()
    {
        AnswerMessageBox();
        Click(app::AccountMain->TinyButton2);
    }
    void Click(ui::TControl* control) { display->Click(Centre(control)); }
    void ClickCell(int col, int row)
    {
        controls::TTinyGrid* grid = app::AccountMain->TinyGrid1;
        graphics::TRect r = grid->CellRect(col, row);
        display->Click(grid->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}));
    }

    // The grid's three columns, row by row, as text ("-" for Unassigned).
    std::vector<std::string> GridRows() const
    {
        std::vector<std::string> rows;
        controls::TTinyGrid* grid = app::AccountMain->TinyGrid1;
        for (int r = 1; r <= grid->Rows(); ++r) {
            std::string row;
            for (int c = 1; c <= 3; ++c) {
                core::Variant v = grid->Cell(c, r);
                row += (c > 1 ? "|" : "") + (v.IsEmpty() ? std::string("-") : v.AsString());
            }
            rows.push_back(row);
        }
        return rows;
    }

    // Stops waiting for windows that did not come (when none was to come).
    void CancelPending()
    {
        for (const auto& id : pending_)
            ui::WindowManager().KillTimer(nullptr, *id);
        pending_.clear();
    }

    backend::THeadlessBackend* display = nullptr;
    std::vector<ShownBox> boxes;

private:
    // Runs `act` once, from a timer of the loop that runs while a form of
    // class T is the active one; fails the test if none comes within a
    // virtual minute.
    template <typename T>
    void WhenActive(std::function<void(T&)> act)
    {
        auto id = std::make_shared<uintptr_t>(0);
        auto ticks = std::make_shared<int>(0);
        *id = ui::WindowManager().SetTimer(nullptr, 0, 50, [id, ticks, act] {
            auto* form = dynamic_cast<T*>(ui::Screen().ActiveForm());
            if (!form) {
                if (++*ticks > 1200) {
                    ui::WindowManager().KillTimer(nullptr, *id);
                    ADD_FAILURE() << "the expected window never came";
                    if (ui::TCustomForm* other = ui::Screen().ActiveForm())
                        ui::WindowManager().InjectClose(other->Handle());
                }
                return;
            }
            ui::WindowManager().KillTimer(nullptr, *id);
            act(*form);
        });
        pending_.push_back(id);
    }

    static inline ScratchFolder* templateFolder_ = nullptr;
    std::vector<std::shared_ptr<uintptr_t>> pending_;
    ScratchFolder folder_;
    ScopedEnvironment dataHome_{"XDG_DATA_HOME", folder_.Path()};
};

}  // namespace apptest
