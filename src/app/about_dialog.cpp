// The About box: its caption with the version, the two links drawn in blue and underlined,
// the hand cursor over them, and the clicks that open them. Only OK, Enter and a link end it.
#include "app/about_dialog.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/browser.h"
#include "app/error_report.h"
#include "app/link_hit.h"
#include "app/maker_addresses.h"
#include "resource_ids.h"

namespace {

// The dialog font of the links, taken from the system's GUI font when the box opens.
LOGFONTA linkFont = {};

// The link controls of DIALOG 101 are never shown: they only mark where each link is drawn
// and where the pointer counts as on it.
struct Link {
    int id;
    const char* text;     // what the box shows
    const char* address;  // what the browser is given
};
const Link kLinks[] = {
    {IDC_WEB_LINK, VELOTH_MAKER_HOST, VELOTH_WEB_LINK},
    {IDC_MAIL_LINK, VELOTH_SUPPORT_EMAIL, VELOTH_MAIL_LINK},
};

void OnInitDialog(HWND dialog) {
    char version[10] = "";
    LoadStringA(app.instance, IDS_VERSION, version, sizeof(version));
    char caption[96];
    std::snprintf(caption, sizeof(caption), "%s %s :: About", kProductName, version);
    SetWindowTextA(dialog, caption);
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(linkFont), &linkFont);
}

// The link control's rectangle in screen coordinates.
LinkRect ScreenRectOf(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void DrawLinks(HWND dialog, HDC dc) {
    linkFont.lfUnderline = 1;
    HFONT font = CreateFontIndirectA(&linkFont);
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 255));
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    for (const Link& link : kLinks) {
        const LinkRect screen = ScreenRectOf(dialog, link.id);
        RECT client = {screen.left - origin.x, screen.top - origin.y, screen.right - origin.x,
                       screen.bottom - origin.y};
        DrawTextA(dc, link.text, -1, &client, DT_CENTER);
    }
    // A font still selected into a device context cannot be deleted.
    SelectObject(dc, previous);
    DeleteObject(font);
}

// The links go on top of the dialog's own painting. Drawn before it, they would be wiped by
// the background wherever the box had been covered, so the box is painted here, links last.
void OnPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (dc == nullptr) return;
    DrawLinks(dialog, dc);
    EndPaint(dialog, &paint);
}

// The pointer of a mouse message in screen coordinates.
POINT ScreenPointOf(HWND dialog, LPARAM lParam) {
    POINT point = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    ClientToScreen(dialog, &point);
    return point;
}

void OnMouseMove(HWND dialog, LPARAM lParam) {
    const POINT point = ScreenPointOf(dialog, lParam);
    for (const Link& link : kLinks) {
        if (!IsOnLink(ScreenRectOf(dialog, link.id), point.x, point.y)) continue;
        // Without its resource the hand cannot be loaded: the arrow stays rather than no
        // cursor at all.
        HCURSOR hand = LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
        if (hand != nullptr) SetCursor(hand);
    }
}

void OnLeftButtonDown(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (!(wParam & MK_LBUTTON)) return;
    const POINT point = ScreenPointOf(dialog, lParam);
    for (const Link& link : kLinks) {
        if (!IsOnLink(ScreenRectOf(dialog, link.id), point.x, point.y)) continue;
        LaunchBrowser(link.address);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace

INT_PTR ShowAboutDialog() {
    return DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_ABOUT), app.parentWindow,
                           AboutDlgProc, 0);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            // The close box and Esc arrive as IDCANCEL and leave the box open.
            if (LOWORD(wParam) == IDOK) EndDialog(dialog, static_cast<INT_PTR>(wParam));
            return TRUE;
        case WM_PAINT:
            OnPaint(dialog);
            return TRUE;
        case WM_MOUSEMOVE:
            OnMouseMove(dialog, lParam);
            return FALSE;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(dialog, wParam, lParam);
            return FALSE;
        default:
            return FALSE;
    }
}
