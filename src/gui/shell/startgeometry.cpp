#include "gui/shell/startgeometry.h"

#include <QAbstractScrollArea>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>

#include <utility>
#include <vector>

namespace quorel {

namespace {

// Room for a window manager's title bar and borders, which are not known before the window is
// shown (a typical desktop's).
constexpr Extent frameAllowance {10, 40};

// Where no screen is known (the settings assume the same).
constexpr ScreenRect fallbackScreen {0, 0, 1280, 800};

// Makes the layouts that hold `widget` ask for its sizes afresh (they cache them).
void invalidateLayoutsAround(QWidget *widget)
{
    for (QWidget *holder = widget; holder; holder = holder->parentWidget()) {
        if (holder->layout())
            holder->layout()->invalidate();
    }
}

ScreenRect rectOf(const QRect &rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

} // namespace

Extent wholePartsSize(QMainWindow &window, const WholeParts &parts)
{
    // The window's layout adds up every bar, dock, handle and frame: asked for its minimum while
    // the parts' minimums are the sizes they should show whole, it answers the size wanted.
    std::vector<std::pair<QWidget *, QSize>> kept;
    const auto require = [&kept](QWidget *widget, QSize size) {
        if (!widget)
            return;
        kept.emplace_back(widget, widget->minimumSize());
        widget->setMinimumSize(widget->minimumSize().expandedTo(size));
        invalidateLayoutsAround(widget);
    };
    require(parts.table, QSize(parts.tableWidth, 0));
    if (parts.pictureBox) {
        const int side = parts.pictureSide + 2 * parts.pictureBox->frameWidth();
        require(parts.pictureBox, QSize(side, side));
    }
    if (parts.optionsBox && parts.optionsBox->widget()) {
        const int height =
            parts.optionsBox->widget()->sizeHint().height() + 2 * parts.optionsBox->frameWidth();
        require(parts.optionsBox, QSize(0, height));
    }
    // The total: with the menu bar, which the main window's layout holds apart.
    const QSize needed = window.layout()->totalMinimumSize().expandedTo(window.minimumSize());
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        it->first->setMinimumSize(it->second);
        invalidateLayoutsAround(it->first);
    }
    return {needed.width(), needed.height()};
}

WindowPlacement firstStartPlacement(QMainWindow &window, const WholeParts &parts)
{
    const QScreen *screen = window.screen();
    const ScreenRect whole = screen ? rectOf(screen->geometry()) : fallbackScreen;
    const ScreenRect available = screen ? rectOf(screen->availableGeometry()) : fallbackScreen;
    return startPlacement(whole, available, wholePartsSize(window, parts), frameAllowance);
}

} // namespace quorel
