#pragma once

#include "core/diagram/diagramstyle.h"
#include "core/persist/keyvaluestore.h"
#include "core/util/result.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// The main window's size and position in pixels.
struct WindowPlacement
{
    int width = 750;
    int height = 500;
    int left = 206;
    int top = 103;
    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

// The placement the window has at start-up, before the settings are applied (and so what a
// first run stores): three fifths of the screen, at least 750 x 500, at (206, 103).
[[nodiscard]] WindowPlacement startPlacement(int screenWidth, int screenHeight);

// A rectangle of the screen in pixels.
struct ScreenRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A width and a height in pixels.
struct Extent
{
    int width = 0;
    int height = 0;
};

// The placement of a first start on a real screen: three fifths of the screen, or the size the
// window needs to show its parts whole (`needed`) where that is larger, at least 750 x 500, but
// with its `frame` (the window manager's title bar and borders) no larger than the `available`
// area (the screen less its panels). At (206, 103) where it fits there, else moved up and left
// just enough to stay inside the available area.
[[nodiscard]] WindowPlacement startPlacement(const ScreenRect &screen, const ScreenRect &available,
                                             Extent needed, Extent frame);

// Everything the program remembers between runs, as a plain value. The window fills it from
// its widgets before saving and applies it after loading.
struct Settings;

// How one part of the window takes the stored settings and gives back what it keeps of them
// (its folders, its check marks, its placement); either may be empty.
struct SettingsBinding
{
    std::function<void(const Settings &settings)> apply;
    std::function<void(Settings &settings)> store;
};

struct Settings
{
    WindowPlacement placement; // the last normal (not maximized) placement
    bool maximized = false;
    bool toolBarVisible = true; // main tool bar
    bool tableVisible = true; // measurement-table panel
    bool optionsBarVisible = true;
    bool descriptionBarVisible = true;
    bool statusBarVisible = true;
    // Stored parts: size, the three list positions, the five colours and the description's
    // font name, size, colour and bold/italic/underline. Description text and X/Y are not
    // stored and keep the values the style had.
    DiagramStyle style = DiagramStyle::firstRun();
    std::string imageFolder; // initial folder of "Save graph..."
    std::string reportFolder; // initial folder of the HTML report dialog
    std::string openFolder; // initial folder of the open and new-file dialogs
    bool associateFiles = true; // "Associate QRL" check box
    std::vector<std::string> recentFiles; // most recent first
    // Options added later are stored only once they were switched on, so a store that never
    // had them stays as it was.
    bool ringLabels = false; // "Ring labels" check box
    bool fitToWindow = false; // "Fit diagram to window" in the View menu
    // What the diagram and the report show of the circular statistics.
    bool significanceBand = false; // "Significance band" check box
    bool meanDirection = false; // "Mean direction" check box
    bool circularReport = false; // "Circular statistics in the report" (Adds menu)
    // The Stereonet page: the net, what it draws, and whether the report has a section of it.
    bool stereonetWulff = false; // the equal-angle net instead of the equal-area one
    bool stereonetGreatCircles = false; // planes as great circles instead of poles
    bool stereonetContours = false;
    bool stereonetMean = false; // the mean and its cone of confidence
    bool stereonetGirdle = false; // the best-fit girdle and its beta axis
    bool stereonetNetLines = false; // the 10 degree net
    bool stereonetReport = false; // "Stereonet in the report" (Adds menu)

    friend bool operator==(const Settings &, const Settings &) = default;
};

// What the program knows about itself when it loads the settings.
struct StartContext
{
    std::string programPath; // stored as ExePath
    std::string programFolder; // without trailing '/'; the fallback for missing folders
    WindowPlacement startPlacement; // the window's placement before the settings are applied
};

struct LoadedSettings
{
    Settings settings;
    int runCount = 0; // this start's number
    // "You have run Quorel N times !\r\nTHANKS !" on every hundredth start, else empty; the
    // window shows it (caption "Quorel", exclamation icon) before it shows itself.
    std::string runCounterMessage;
    // Empty when every write succeeded, else the first failure's message for the user. The
    // settings read are valid either way (a read-only configuration still loads).
    std::string storeError;
};

// Reads the settings; called once while the main window is created, after its style lists are
// filled and before a file named on the command line is loaded. Writes ExePath and the run
// counter, writes the first-run value of every missing setting (so the store is complete
// afterwards), then reads them with their corrections: a negative run counter counts from 0,
// a negative ImageWidth gives 500, list positions outside their lists give 0, a folder that no
// longer exists gives the program's folder. A value of the wrong type reads as its first-run
// value. A store that cannot be written is reported in storeError; the values read still count.
[[nodiscard]] LoadedSettings loadSettings(KeyValueStore &store, const StartContext &context);

// Writes the settings; called once as the last step of closing the main window, after the
// write-back into the current file. Writes every setting: ImageWidth from the size text (500
// when it is not a whole number or negative), the placement only when not maximized (so the
// last normal one stays), the three dialog folders as the current file's folder (the program's
// folder when no file is current), DescFontSize from its text (10 when not a whole number).
// `applyAssociation` is called right after SetAssoc is written, with its value (register or
// remove the file association). The run counter and ExePath are not written. A failed write
// does not stop the others; the first failure is returned.
[[nodiscard]] Status saveSettings(KeyValueStore &store, const Settings &settings,
                                  std::string_view currentFileName, std::string_view programFolder,
                                  const std::function<Status(bool)> &applyAssociation = {});

// The run-counter message for a start number (empty unless it is a multiple of 100).
[[nodiscard]] std::string runCounterMessage(int runCount);

} // namespace quorel
