// The About box on a real dialog made from DIALOG 101 (compiled into the tests with a version
// string and a cursor 111 of their own): its layout, its caption, and the hand over the links.
#include "app/about_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "resource_ids.h"

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = AppState{};
        app.instance = GetModuleHandleA(nullptr);
        dialog_ = CreateDialogParamA(app.instance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                     AboutDlgProc, 0);
        ASSERT_NE(dialog_, nullptr) << "error " << GetLastError();
    }
    void TearDown() override {
        if (dialog_ != nullptr) DestroyWindow(dialog_);
    }

    // A rectangle in dialog units, in the dialog's client pixels. The dialog manager turns the
    // position and the size into pixels each on its own, so they are mapped apart here too.
    RECT Pixels(int x, int y, int width, int height) const {
        RECT units = {x, y, width, height};
        MapDialogRect(dialog_, &units);
        return {units.left, units.top, units.left + units.right, units.top + units.bottom};
    }
    RECT ClientRectOf(HWND control) const {
        RECT rect = {};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND dialog_ = nullptr;
};

std::string Text(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

struct ControlCase {
    WORD id;
    const char* className;
    const char* text;
    int x, y, width, height;  // dialog units
    DWORD style;
};

const ControlCase kControls[] = {
    {IDOK, "Button", "OK", 71, 42, 50, 13, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {0xFFFF, "Static", "Visit our web site at", 17, 15, 61, 8,
     WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER},
    {0xFFFF, "Button", "", 7, 3, 180, 56, WS_CHILD | WS_VISIBLE | BS_GROUPBOX},
    {IDC_WEB_LINK, "Static", "www.veloth.example ", 79, 15, 103, 9, WS_CHILD | WS_GROUP | SS_CENTER},
    {0xFFFF, "Static", "Send your questions to:", 25, 28, 74, 8,
     WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT},
    {IDC_MAIL_LINK, "Static", "hi@veloth.example", 101, 28, 66, 8, WS_CHILD | WS_GROUP | SS_LEFT},
    {0xFFFF, "Static", "build 001", 9, 48, 30, 8,
     WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_GROUP | SS_LEFT},
};

TEST_F(AboutBoxTest, ControlsInTheirOrderPlacesAndStyles) {
    HWND control = GetWindow(dialog_, GW_CHILD);
    for (const ControlCase& c : kControls) {
        ASSERT_NE(control, nullptr) << c.text;
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(control)), c.id) << c.text;
        EXPECT_STRCASEEQ(ClassOf(control).c_str(), c.className) << c.text;
        EXPECT_EQ(Text(control), c.text);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)), c.style) << c.text;
        const RECT want = Pixels(c.x, c.y, c.width, c.height);
        const RECT got = ClientRectOf(control);
        EXPECT_TRUE(EqualRect(&want, &got))
            << c.text << ": at " << got.left << "," << got.top << " to " << got.right << ","
            << got.bottom << " instead of " << want.left << "," << want.top << " to "
            << want.right << "," << want.bottom;
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "a control more than the box has";
}

TEST_F(AboutBoxTest, ModalFrameOfItsSizeInItsFont) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog_, GWL_STYLE));
    const DWORD want = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(style & want, want);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT client = {};
    GetClientRect(dialog_, &client);
    const RECT size = Pixels(0, 0, 194, 65);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(dialog_, WM_GETFONT, 0, 0));
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(GetObjectA(handle, sizeof(font), &font), 0);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

// The version is string 2, read into ten bytes: the tests' own "7.6.5.4.3.2.1" shows as its
// first nine characters, between the product name and " :: About".
TEST_F(AboutBoxTest, CaptionCarriesTheVersionString) {
    EXPECT_EQ(Text(dialog_), "A Veloth 3D Screen Saver 7.6.5.4.3 :: About");
}

// A point of the control's window rectangle in the dialog's client coordinates, as a mouse
// message carries it.
LPARAM ClientParam(HWND dialog, LONG x, LONG y) {
    POINT point = {x, y};
    ScreenToClient(dialog, &point);
    return MAKELPARAM(point.x, point.y);
}

struct Spot {
    const char* name;
    int dx, dy;  // which edge: -1 left or top, 1 right or bottom, 0 the middle
    int past;    // 1: one pixel beyond that edge
};

const Spot kSpots[] = {
    {"middle", 0, 0, 0},          {"left edge", -1, 0, 0},       {"right edge", 1, 0, 0},
    {"top edge", 0, -1, 0},       {"bottom edge", 0, 1, 0},      {"top-left", -1, -1, 0},
    {"bottom-right", 1, 1, 0},    {"left of it", -1, 0, 1},      {"right of it", 1, 0, 1},
    {"above it", 0, -1, 1},       {"below it", 0, 1, 1},
};

LONG Along(LONG low, LONG high, int side, int past) {
    if (side < 0) return low - past;
    if (side > 0) return high + past;
    return (low + high) / 2;
}

// Moves the pointer over each spot of each link, from the arrow each time; returns the cursor
// that each move leaves, checked against `on` (the spot is on the link) and `off`.
void ExpectCursors(HWND dialog, HCURSOR on, HCURSOR off) {
    for (int id : {IDC_WEB_LINK, IDC_MAIL_LINK}) {
        RECT link = {};
        GetWindowRect(GetDlgItem(dialog, id), &link);
        for (const Spot& spot : kSpots) {
            SetCursor(off);
            const LONG x = Along(link.left, link.right, spot.dx, spot.past);
            const LONG y = Along(link.top, link.bottom, spot.dy, spot.past);
            SendMessageA(dialog, WM_MOUSEMOVE, 0, ClientParam(dialog, x, y));
            EXPECT_EQ(GetCursor(), spot.past ? off : on) << "link " << id << ", " << spot.name;
        }
    }
}

TEST_F(AboutBoxTest, HandOverTheLinksEdgesIncluded) {
    HCURSOR hand = LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(hand, nullptr);
    ASSERT_NE(hand, arrow);
    ExpectCursors(dialog_, hand, arrow);
}

// A program built without its hand cursor keeps the arrow over the links instead of losing the
// pointer altogether.
TEST_F(AboutBoxTest, ArrowStaysWithoutTheHandResource) {
    app.instance = GetModuleHandleA("kernel32.dll");
    ASSERT_EQ(LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_HAND_CURSOR)), nullptr);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ExpectCursors(dialog_, arrow, arrow);
}

}  // namespace
