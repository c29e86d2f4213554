#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/shell_tray.h"
#include "platform/win32_window.h"
#include "window/tray.h"
#include "window/window_system.h"

namespace {

NOTIFYICONDATAA IconRecord(HWND window, const std::string& tip)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 505;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = 0x401;
    std::memcpy(data.szTip, tip.data(), std::min(tip.size(), sizeof data.szTip));  // 64 characters: no zero
    return data;
}

class Tray : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA trayClass{};
        trayClass.lpfnWndProc = DefWindowProcA;
        trayClass.lpszClassName = "Velmorine Tray Icon";
        RegisterClassA(&trayClass);
        trayWindow = CreateWindowA("Velmorine Tray Icon", "Velmorine Tray Icon", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(trayWindow, nullptr);
    }
    void TearDown() override
    {
        for (const platform::TrayIcon& icon : platform::TrayIcons()) {
            NOTIFYICONDATAA data = IconRecord(icon.window, "");
            Shell_NotifyIconA(NIM_DELETE, &data);
        }
        DestroyWindow(trayWindow);
        UnregisterClassA("Velmorine Tray Icon", nullptr);  // a later test registers it with its own procedure
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
    HWND trayWindow = nullptr;
};

TEST_F(Tray, AnIconIsAddedOnceKeptWithItsTipAndDeletedOnce)
{
    NOTIFYICONDATAA data = IconRecord(trayWindow, std::string(64, 'V'));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data));
    ASSERT_EQ(platform::TrayIcons().size(), 1u);
    EXPECT_EQ(platform::TrayIcons()[0].tip, std::string(63, 'V'));
    EXPECT_EQ(platform::TrayIcons()[0].callbackMessage, 0x401u);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_TRUE(platform::TrayIcons().empty());
}

TEST_F(Tray, AWindowBroughtBackFromBehindTheIconClicksTheIcon)
{
    NOTIFYICONDATAA data = IconRecord(trayWindow, "Velmorine");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    platform::WindowRecord* record = platform::FindWindowRecord(trayWindow);
    ASSERT_NE(record, nullptr);
    record->inTray = true;
    platform::NoteWindowBack(*record);
    platform::NoteWindowBack(*record);  // only the first return counts
    int clicks = 0;
    MSG msg;
    while (PeekMessageA(&msg, trayWindow, 0, 0, PM_REMOVE))
        if (msg.message == 0x401 && msg.wParam == 505 && msg.lParam == WM_LBUTTONDOWN) ++clicks;
    EXPECT_EQ(clicks, 1);
}

}  // namespace
