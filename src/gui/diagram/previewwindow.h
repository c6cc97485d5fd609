#pragma once

#include "core/diagram/color.h"
#include "core/diagram/picture.h"

#include <QDialog>
#include <QIcon>

#include <functional>

class QMenu;
class QScrollArea;
class QTimer;

namespace quorel {

class PictureWidget;

// What the full-screen preview asks of the main window: it never draws the diagram itself.
struct PreviewHost
{
    std::function<void()> enlarge; // the main window's "Graph size + 20" (redraws)
    std::function<void()> reduce;
    std::function<void()> copyToClipboard;
    std::function<void()> print;
    std::function<Picture()> picture; // the main window's current picture
    std::function<SystemColorTable()> colors;
    QIcon copyIcon; // the main window's pictures of its copy and print commands
    QIcon printIcon;
};

// The diagram alone on a black screen: plus/minus change the size by four steps of 20, F5
// refreshes, Esc, F11, a double click or "Close" leave. The pointer hides after a few seconds
// without movement. Keys that would open files or windows in the main window do nothing here.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PreviewWindow(PreviewHost host, QWidget *parent = nullptr);

    const Picture &shownPicture() const;
    QMenu *contextMenu() const { return m_menu; }
    QScrollArea *scrollArea() const { return m_scroll; }

    void enlarge();
    void reduce();
    void refresh();

    static constexpr int stepsPerCommand = 4;
    static constexpr int pointerHideMs = 4000;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createActions();
    void hidePointer();
    void showPointer();

    PreviewHost m_host;
    QScrollArea *m_scroll = nullptr;
    PictureWidget *m_view = nullptr;
    QMenu *m_menu = nullptr;
    QTimer *m_pointerTimer = nullptr;
};

} // namespace quorel
