#pragma once

class QWidget;

// What every window of the handbook does as desktop windows do, applied at start-up to the
// windows as they were built.
namespace app {

// Esc closes the window as its "退出" does (through close(), so its close handler runs).
void closeOnEscape(QWidget *window);

// Absolutely placed labels of the window grow to the size their text needs (never shrink), at
// once and whenever a text or the font changes, so a larger system font does not cut them.
void keepLabelsWhole(QWidget *window);

// Assistive technologies see the handbook's secondary windows, plain widgets made top-level,
// as windows (not as panels of no window).
void installWindowRoles();

} // namespace app
