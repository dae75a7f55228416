#pragma once
#include <QMargins>
#include <QRect>

class QSettings;
class TfrmMain;

// Where the main window appears: fitted to the screen at first start, then where the user left it.
namespace app {

// The window's inner rectangle for its designed size on a screen with that available area: no
// larger than the area leaves room for (frame included), centred in it.
QRect firstPlacement(const QSize &designed, const QRect &available, const QMargins &frame);

// Restores the position, size, left pane width and shown bars the user left (in settings),
// kept inside the screen; without saved ones the window keeps its first placement.
void restorePlacement(TfrmMain &window, QSettings &settings);
void savePlacement(const TfrmMain &window, QSettings &settings);

} // namespace app
