// The About box as the system opens it for "Settings" and for a start without a switch: its
// texts, what ends it and what does not, its links in the picture and under the pointer, and
// the browser they start.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/maker_addresses.h"
#include "e2e/driver/browser_recorder.h"
#include "e2e/driver/driver.h"

using namespace e2e;

namespace {

const char kCaption[] = "A Veloth 3D Screen Saver 1.2 :: About";
const int kWebLink = 1003;
const int kMailLink = 1004;

// Starts the saver and waits for its About box to be shown.
HWND StartAboutBox(SaverProcess& saver, const std::string& args) {
    RecordedBrowser().clear();
    if (!saver.start(args)) return nullptr;
    HWND box = WaitForWindow(saver.pid(), "#32770", kPatienceMs);
    if (box == nullptr) return nullptr;
    const double end = NowMs() + 5000;
    while (!IsWindowVisible(box) && NowMs() < end) PumpMessages(20);
    PumpMessages(300);  // let it paint
    return box;
}

RECT RectOf(HWND box, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(box, id), &rect);
    return rect;
}

POINT Middle(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// Moves the pointer and waits until the system has it there.
void PointAt(POINT at) {
    MoveMouse(at.x, at.y);
    const double end = NowMs() + 5000;
    POINT now = {};
    while (GetCursorPos(&now) && (now.x != at.x || now.y != at.y) && NowMs() < end)
        PumpMessages(10);
}

struct Control {
    std::string className;
    int id;
    std::string text;
    bool visible;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM param) {
    auto* controls = reinterpret_cast<std::vector<Control>*>(param);
    controls->push_back({ClassName(child), static_cast<WORD>(GetDlgCtrlID(child)),
                         WindowText(child), IsWindowVisible(child) != FALSE});
    return TRUE;
}

std::vector<Control> ControlsOf(HWND box) {
    std::vector<Control> controls;
    EnumChildWindows(box, CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

// Where the link's text is drawn in the picture: the box around its blue pixels, and the
// longest run of blue in one row (the underline).
struct BlueText {
    int pixels = 0;
    RECT bounds = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int longestRun = 0;
};

BlueText FindBlueText(const Screenshot& shot, const RECT& area) {
    BlueText blue;
    for (int y = area.top; y < area.bottom; ++y) {
        int run = 0;
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = shot.pixel(x, y);
            if (GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) > 215) {
                ++blue.pixels;
                blue.bounds.left = std::min<LONG>(blue.bounds.left, x);
                blue.bounds.top = std::min<LONG>(blue.bounds.top, y);
                blue.bounds.right = std::max<LONG>(blue.bounds.right, x + 1);
                blue.bounds.bottom = std::max<LONG>(blue.bounds.bottom, y + 1);
                blue.longestRun = std::max(blue.longestRun, ++run);
            } else {
                run = 0;
            }
        }
    }
    return blue;
}

TEST(AboutBox, OpensForSettingsAndWithoutASwitch) {
    for (const char* args : {"/c", ""}) {
        SaverProcess saver;
        HWND box = StartAboutBox(saver, args);
        ASSERT_NE(box, nullptr) << "'" << args << "'";
        EXPECT_EQ(WindowText(box), kCaption) << args;
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << args;
        const std::vector<Control> want = {
            {"Button", IDOK, "OK", true},
            {"Static", 0xFFFF, "Visit our web site at", true},
            {"Button", 0xFFFF, "", true},
            {"Static", kWebLink, VELOTH_MAKER_HOST " ", false},
            {"Static", 0xFFFF, "Send your questions to:", true},
            {"Static", kMailLink, VELOTH_SUPPORT_EMAIL, false},
            {"Static", 0xFFFF, "build 001", true},
        };
        const std::vector<Control> got = ControlsOf(box);
        ASSERT_EQ(got.size(), want.size()) << args;
        for (size_t i = 0; i < want.size(); ++i) {
            EXPECT_STRCASEEQ(got[i].className.c_str(), want[i].className.c_str()) << i;
            EXPECT_EQ(got[i].id, want[i].id) << i;
            EXPECT_EQ(got[i].text, want[i].text) << i;
            EXPECT_EQ(got[i].visible, want[i].visible) << want[i].text;
        }
        EXPECT_FALSE(IsWindowEnabled(GetWindow(GetDlgItem(box, kMailLink), GW_HWNDNEXT)))
            << "the build number is greyed";
        PressOk(box);
        DWORD code = 1;
        ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code)) << args;
        EXPECT_EQ(code, 0u) << args;
        EXPECT_TRUE(RecordedBrowser().launches().empty()) << args;
    }
}

// Both links are drawn in pure blue and underlined in the places of their controls, each
// whole: a text too wide for its place would be cut off at both of its sides.
TEST(AboutBox, LinksAreBlueUnderlinedAndFitTheirPlaces) {
    SaverProcess saver;
    HWND box = StartAboutBox(saver, "/c");
    ASSERT_NE(box, nullptr);
    // Repainting a part of the box, as the system asks when a window that covered that part
    // goes away, leaves the link on top there too.
    RECT client = {};
    GetClientRect(box, &client);
    POINT middle = Middle(RectOf(box, kWebLink));
    ScreenToClient(box, &middle);
    const RECT leftPart = {0, 0, middle.x, client.bottom};
    InvalidateRect(box, &leftPart, TRUE);
    PumpMessages(700);

    const Screenshot shot = CaptureScreen();
    shot.save_bmp("e2e-about.bmp");
    for (int id : {kWebLink, kMailLink}) {
        const RECT link = RectOf(box, id);
        const BlueText blue = FindBlueText(shot, link);
        ASSERT_GT(blue.pixels, 40) << "link " << id << ": no blue text";
        EXPECT_GT(blue.bounds.left, link.left) << "link " << id << " is cut off";
        EXPECT_LT(blue.bounds.right, link.right) << "link " << id << " is cut off";
        const int width = blue.bounds.right - blue.bounds.left;
        EXPECT_GE(blue.longestRun, width * 9 / 10) << "link " << id << " is not underlined";
        // Drawn centred in its place.
        const int leftGap = blue.bounds.left - link.left, rightGap = link.right - blue.bounds.right;
        EXPECT_LE(std::abs(leftGap - rightGap), 3) << "link " << id;
        // The link stands in its left half as well, where the box was repainted.
        const RECT leftHalf = {link.left, link.top, Middle(link).x, link.bottom};
        EXPECT_GT(FindBlueText(shot, leftHalf).pixels, blue.pixels / 4) << "link " << id;
    }
    PressOk(box);
    DWORD code = 1;
    ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code));
}

struct Ending {
    const char* name;
    void (*end)(HWND box);
};

const Ending kEndings[] = {
    {"OK button", [](HWND box) {
         const POINT ok = Middle(RectOf(box, IDOK));
         ClickAt(ok.x, ok.y);
     }},
    {"Enter", [](HWND) { PressKey(VK_RETURN); }},
};

// The close box's place in the caption, checked with the box's own hit test.
POINT CloseBoxOf(HWND box) {
    RECT rect = {};
    GetWindowRect(box, &rect);
    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    return {rect.right - frame - GetSystemMetrics(SM_CXSIZE) / 2,
            rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}

TEST(AboutBox, EscAndTheCloseBoxLeaveItOpenOkAndEnterEndIt) {
    for (const Ending& ending : kEndings) {
        SaverProcess saver;
        HWND box = StartAboutBox(saver, "/c");
        ASSERT_NE(box, nullptr) << ending.name;
        SetForegroundWindow(box);
        PressKey(VK_ESCAPE);
        const POINT close = CloseBoxOf(box);
        LRESULT hit = 0;
        SendMessageTimeoutA(box, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y), SMTO_ABORTIFHUNG,
                            2000, reinterpret_cast<DWORD_PTR*>(&hit));
        ASSERT_EQ(hit, HTCLOSE) << "the close box is not at " << close.x << "," << close.y;
        ClickAt(close.x, close.y);
        PumpMessages(1500);
        ASSERT_TRUE(IsWindowVisible(box)) << ending.name << ": Esc or the close box ended it";
        ASSERT_TRUE(saver.running());

        ending.end(box);
        DWORD code = 1;
        ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code)) << ending.name;
        EXPECT_EQ(code, 0u) << ending.name;
        EXPECT_TRUE(RecordedBrowser().launches().empty()) << ending.name;
    }
}

struct LinkClick {
    const char* name;
    int id;
    bool corner;  // at the bottom-right pixel of the control's rectangle, not in its middle
    const char* address;
};

const LinkClick kLinkClicks[] = {
    {"web site", kWebLink, false, VELOTH_WEB_LINK},
    {"web site, bottom-right pixel", kWebLink, true, VELOTH_WEB_LINK},
    {"e-mail", kMailLink, false, VELOTH_MAIL_LINK},
    {"e-mail, bottom-right pixel", kMailLink, true, VELOTH_MAIL_LINK},
};

// A right click on a link does nothing; a left click starts the browser's command, one blank
// and the link's address, and ends the box. The right click goes to the other link first, so
// a launch or an end caused by it would show in the one record the left click leaves.
TEST(AboutBox, LeftClickOnALinkOpensItAndEndsTheBox) {
    for (const LinkClick& click : kLinkClicks) {
        SaverProcess saver;
        HWND box = StartAboutBox(saver, "/c");
        ASSERT_NE(box, nullptr) << click.name;
        const int other = click.id == kWebLink ? kMailLink : kWebLink;
        for (int id : {other, click.id}) {
            const RECT link = RectOf(box, id);
            const POINT at = click.corner ? POINT{link.right, link.bottom} : Middle(link);
            ClickAt(at.x, at.y, id == other);
        }
        DWORD code = 1;
        ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code)) << click.name;
        EXPECT_EQ(code, 0u) << click.name;
        const std::vector<std::string> launches = RecordedBrowser().launches();
        ASSERT_EQ(launches.size(), 1u) << click.name;
        EXPECT_EQ(launches[0], RecordedBrowser().command() + " " + click.address) << click.name;
    }
}

// The cursor that the system shows now, as set by the window under the pointer.
HCURSOR ShownCursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetCursorInfo(&info) || !(info.flags & CURSOR_SHOWING)) return nullptr;
    return info.hCursor;
}

// Moves the pointer there and waits up to timeoutMs for the shown cursor to differ from
// `from`; returns the cursor shown then.
HCURSOR CursorAfterMove(POINT at, HCURSOR from, DWORD timeoutMs) {
    PointAt(at);
    const double end = NowMs() + timeoutMs;
    HCURSOR shown = ShownCursor();
    while (shown == from && NowMs() < end) {
        PumpMessages(20);
        shown = ShownCursor();
    }
    return shown;
}

// Whether the saver carries its hand cursor, group cursor 111.
bool SaverHasHandCursor() {
    HMODULE saver = LoadLibraryExA(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (saver == nullptr) return false;
    const bool found = FindResourceA(saver, MAKEINTRESOURCEA(111), RT_GROUP_CURSOR) != nullptr;
    FreeLibrary(saver);
    return found;
}

// Cursor handles of another process cannot be drawn or compared with our own loads, so the
// test compares what the system shows: over the links (edges included) a cursor other than the
// arrow shown beside them. Without its cursor resource the program keeps the arrow.
TEST(AboutBox, HandCursorOverTheLinks) {
    const bool hand = SaverHasHandCursor();
    SaverProcess saver;
    HWND box = StartAboutBox(saver, "/c");
    ASSERT_NE(box, nullptr);
    SetForegroundWindow(box);
    const RECT web = RectOf(box, kWebLink), mail = RectOf(box, kMailLink);
    // The arrow, as the box shows it beside the link.
    const POINT beside = {web.left - 8, Middle(web).y};
    PointAt(beside);
    PumpMessages(500);
    HCURSOR arrow = ShownCursor();
    ASSERT_NE(arrow, nullptr) << "no cursor shown beside the link";
    const POINT spots[] = {Middle(web), {web.right, web.bottom}, {web.left, web.top},
                           Middle(mail), {mail.right, mail.bottom}, {mail.left, mail.top}};
    for (const POINT& spot : spots) {
        const HCURSOR over = CursorAfterMove(spot, arrow, hand ? 5000 : 1000);
        if (hand)
            EXPECT_NE(over, arrow) << "no hand at " << spot.x << "," << spot.y;
        else
            EXPECT_EQ(over, arrow) << "the arrow was lost at " << spot.x << "," << spot.y;
        if (over != arrow) {
            EXPECT_EQ(CursorAfterMove(beside, over, 5000), arrow) << "the arrow did not come back";
        }
    }
    PressOk(box);
    DWORD code = 1;
    ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code));
    if (!hand)
        GTEST_SKIP() << "the saver has no cursor 111 yet: only checked that the arrow stays over "
                        "the links; the hand is checked once the cursor is in its resources";
}

// The handle given with the switch is the box's owner: the box stays in front of it and the
// owner takes no input while the box is open.
TEST(AboutBox, SettingsWithAHandleIsOwnedByThatWindow) {
    HWND owner = CreateHostWindow(400, 300, 300, 200);
    ASSERT_NE(owner, nullptr);
    SaverProcess saver;
    HWND box = StartAboutBox(saver, "/c:" + std::to_string(reinterpret_cast<uintptr_t>(owner)));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
    EXPECT_FALSE(IsWindowEnabled(owner));
    PressOk(box);
    DWORD code = 1;
    ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

}  // namespace
