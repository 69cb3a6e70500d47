#pragma once

#include <windows.h>

#include "ui/win32/main_window.h"

namespace tavrel::win32 {

// The transparent labels: a window class of our own that paints only its text.
inline constexpr wchar_t kTransparentLabelClass[] = L"TavrelTransparentLabel";
void registerTransparentLabelClass(HINSTANCE instance);

// Puts our procedure in front of a system edit box or button: the integer input rules of the
// entry boxes, the mouse-over state of the super buttons.
void subclassControl(ControlWindow& control);

// Gives an edit box its one centred line of text: the box grows to hold a line if it is too
// short, and the bands above and below the line are filled with its background.
void centreTextLine(ControlWindow& box, HFONT font);

// Paints a super button for WM_DRAWITEM.
void drawSuperButton(const DRAWITEMSTRUCT& item, const ControlWindow& button, HFONT font);
// Leaves the mouse-over state (and repaints) when the button had it.
void clearHover(ControlWindow& button);

LRESULT superButtonProc(ControlWindow& button, UINT msg, WPARAM wp, LPARAM lp);
LRESULT editBoxProc(ControlWindow& box, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace tavrel::win32
