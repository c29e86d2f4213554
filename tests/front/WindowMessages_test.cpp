#include "front/WindowMessages.h"
#include "SessionFixture.h"

using namespace fronttest;

namespace {

LPARAM ScanCode(int code) { return static_cast<LPARAM>(code) << 16 | 1; }

int NextTyped() { return KeyboardState::Get().NextTyped(); }

}  // namespace

TEST(KeyTable, KeysTypeToolkitCodesAndDigitsAndTabOnlyWithCtrl)
{
    struct Case {
        int virtualKey;
        bool control;
        int code;
    };
    const Case cases[] = {
        {VK_PRIOR, false, 7},   {VK_NEXT, false, 15},   {VK_END, false, 14},   {VK_HOME, false, 5},
        {VK_LEFT, false, 11},   {VK_UP, false, 6},      {VK_RIGHT, false, 12}, {VK_DOWN, false, 10},
        {VK_INSERT, false, 16}, {VK_DELETE, false, 17}, {VK_F1, false, 19},    {VK_F4, false, 20},
        {VK_F5, false, 2},      {VK_F6, false, 28},     {VK_F7, false, 21},    {VK_F8, false, 23},
        {VK_F9, false, 29},     {VK_F10, false, 25},    {VK_F11, false, 26},   {VK_F2, false, 0},
        {VK_F12, true, 0},      {'5', false, 0},        {'5', true, '5'},      {VK_TAB, false, 0},
        {VK_TAB, true, 9},      {'A', true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TranslateVirtualKey(c.virtualKey, c.control), c.code) << c.virtualKey << " ctrl " << c.control;
}

TEST_F(Session, MessagesOutsideASessionAreNotTaken)
{
    EXPECT_FALSE(Message(WM_KEYDOWN, VK_F1, ScanCode(59)));
    EXPECT_EQ(KeyboardState::Get().GetTypedCount(), 0);
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    EXPECT_TRUE(Message(WM_KEYDOWN, VK_F1, ScanCode(59)));
    GetArcadeState().EndMenuSession();
    EXPECT_FALSE(Message(WM_CHAR, 'x'));
    EXPECT_EQ(KeyboardState::Get().GetTypedCount(), 1);
}

TEST_F(Session, KeysMarkTheirScanCodesAndTypeOnlyWhatTheTableGives)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    KeyboardState& keys = KeyboardState::Get();
    EXPECT_TRUE(Message(WM_KEYDOWN, VK_F2, ScanCode(60)));
    EXPECT_TRUE(keys.IsDown(60));
    EXPECT_EQ(keys.GetTypedCount(), 0);
    Message(WM_KEYDOWN, '5', ScanCode(6));
    EXPECT_EQ(keys.GetTypedCount(), 0);
    // The right Ctrl key, with the extended bit.
    Message(WM_KEYDOWN, VK_CONTROL, ScanCode(0x11D));
    Message(WM_KEYDOWN, '5', ScanCode(6));
    EXPECT_EQ(NextTyped(), '5');
    Message(WM_KEYUP, VK_CONTROL, ScanCode(0x11D));
    EXPECT_FALSE(keys.IsDown(0x11D));
    EXPECT_TRUE(Message(WM_CHAR, 0x1E9));
    EXPECT_EQ(NextTyped(), 0xE9);
    EXPECT_TRUE(Message(WM_CONTEXTMENU));
    EXPECT_EQ(NextTyped(), 18);
}

TEST_F(Session, MousePositionsAreSignedAndMovedByTheOffsetsAndButtonsKeepTheirBits)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 1280, 720), TA_ERROR_CODE_NONE);
    int x = 0;
    int y = 0;
    Message(WM_MOUSEMOVE, 0, Point(100, 50));
    MouseState::Get().GetPosition(x, y);
    EXPECT_EQ(x, -60);
    EXPECT_EQ(y, 50);
    Message(WM_MOUSEMOVE, 0, Point(-10, -5));
    MouseState::Get().GetPosition(x, y);
    EXPECT_EQ(x, -170);
    EXPECT_EQ(y, -5);

    MouseState& mouse = MouseState::Get();
    EXPECT_TRUE(Message(WM_RBUTTONDBLCLK));
    EXPECT_EQ(mouse.GetButtons(), 2u);
    EXPECT_TRUE(mouse.TakeDoubleClick(2));
    Message(WM_LBUTTONDOWN);
    Message(WM_RBUTTONUP);
    EXPECT_EQ(mouse.GetButtons(), 1u);
    constexpr UINT kMouseWheel = 0x020A;
    EXPECT_FALSE(Message(kMouseWheel));
}

TEST_F(Session, CloseEndsTheSessionAndIsTakenOnlyInDebugMode3)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    EXPECT_FALSE(Message(WM_SETCURSOR, 0, 2));
    EXPECT_TRUE(Message(WM_SETCURSOR, 0, HTCLIENT));
    EXPECT_FALSE(Message(WM_CLOSE));
    EXPECT_FALSE(GetArcadeState().SessionRunning);

    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    GetArcadeState().DebugMode = 3;
    EXPECT_TRUE(Message(WM_CLOSE));
    EXPECT_EQ(TA_IsTheMenuSessionComplete(), 1);
}
