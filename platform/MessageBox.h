// Message boxes: a text of one or more lines (split at line feeds), a
// caption, an icon with its beep, and a row of buttons; the result is the id
// of the button chosen. Built as a dialog of the layer (so the CBT hook sees
// it and it centres on its owner), it runs modally like any dialog and under
// test is answered by the modal script: kind MessageBox, named by its text.
//
// Escape answers IDCANCEL when there is a Cancel button and IDOK in an
// OK-only box; in Yes/No and Abort/Retry/Ignore boxes it does nothing.
#pragma once

#include "platform/Types.h"

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_TYPEMASK = 0x000F;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
constexpr UINT MB_DEFMASK = 0x0F00;
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

// A null caption gives "Error". Returns IDOK, IDCANCEL, IDABORT, IDRETRY,
// IDIGNORE, IDYES or IDNO; 0 when the box could not be made.
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
