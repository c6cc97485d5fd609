#include "gui/shell/traycontroller.h"

#include "gui/document/programcaption.h"
#include "gui/tools/programicon.h"

#include <QAction>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QSystemTrayIcon>

namespace quorel {

namespace {

constexpr int bandWidth = 18;

// The tray menu with a vertical band along its left side that reads "Quorel" upwards.
class BandMenu : public QMenu
{
public:
    BandMenu()
    {
        // The band sits in the margin, so the items start to its right.
        setContentsMargins(bandWidth, 0, 0, 0);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QMenu::paintEvent(event);
        QPainter painter(this);
        const QRect band(0, 0, bandWidth, height());
        painter.fillRect(band, QColor(0, 0, 128));
        QFont font(QStringLiteral("Verdana"));
        font.setPixelSize(12);
        font.setBold(true);
        font.setItalic(true);
        painter.setFont(font);
        painter.setPen(QColor(235, 234, 225));
        painter.translate(band.left(), band.bottom() - 14);
        painter.rotate(-90);
        painter.drawText(QRect(0, 0, band.height(), bandWidth), Qt::AlignLeft | Qt::AlignVCenter,
                         programCaptionText());
    }
};

} // namespace

TrayController::TrayController(QObject *parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(programIcon(), this))
    , m_menu(new BandMenu)
{
    m_menu->setParent(nullptr);
    connect(this, &QObject::destroyed, m_menu, &QObject::deleteLater);
    m_showHide = m_menu->addAction(tr("&Show/Hide main window"));
    m_menu->addSeparator();
    m_open = m_menu->addAction(tr("&Open..."));
    m_open->setIcon(m_menu->style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_menu->addSeparator();
    m_exit = m_menu->addAction(tr("Exit"));
    connect(m_showHide, &QAction::triggered, this, &TrayController::showHideRequested);
    connect(m_open, &QAction::triggered, this, &TrayController::openRequested);
    connect(m_exit, &QAction::triggered, this, &TrayController::exitRequested);

    m_icon->setToolTip(QStringLiteral("QUOREL"));
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    emit showHideRequested();
            });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_icon->show();
}

bool TrayController::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable() && m_icon->isVisible();
}

} // namespace quorel
