#pragma once

#include "core/persist/settings.h"

class QAbstractScrollArea;
class QMainWindow;
class QScrollArea;
class QWidget;

namespace quorel {

// The parts of the main window a first start shows whole: the measurement table at its columns'
// width, the diagram's box around a picture of `pictureSide` pixels without scroll bars, and the
// Options bar without scrolling.
struct WholeParts
{
    QWidget *table = nullptr;
    int tableWidth = 0;
    QAbstractScrollArea *pictureBox = nullptr;
    int pictureSide = 0;
    QScrollArea *optionsBox = nullptr;
};

// The smallest size of `window`, with the bars, docks and status line it has, that shows
// `parts` whole.
[[nodiscard]] Extent wholePartsSize(QMainWindow &window, const WholeParts &parts);

// Where `window` opens on a first start: large enough for `parts` where its screen's free area
// allows (see startPlacement), allowing for the window manager's frame.
[[nodiscard]] WindowPlacement firstStartPlacement(QMainWindow &window, const WholeParts &parts);

} // namespace quorel
