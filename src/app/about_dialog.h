// The About box: the product name and version, and the maker's two links, which open in the
// default browser.
#pragma once

#include <windows.h>

// Runs the modal About box, owned by app.parentWindow, until it ends. Returns the dialog
// result, which callers ignore.
INT_PTR ShowAboutDialog();

// The dialog procedure of DIALOG 101.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
