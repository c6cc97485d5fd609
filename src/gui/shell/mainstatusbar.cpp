#include "gui/shell/mainstatusbar.h"

#include "gui/data/elapsedtime.h"

#include <QLabel>
#include <QPainter>

namespace quorel {

namespace {

constexpr int bannerWidth = 100;
constexpr int statusWidth = 300;
constexpr int clockWidth = 50;

// Panel 0: red bold Arial on black, centred at the top.
class Banner : public QWidget
{
public:
    explicit Banner(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("banner"));
        setFixedWidth(bannerWidth);
        m_font.setBold(true);
        // The text keeps a margin above and below; the banner is never shorter than that.
        setMinimumHeight(QFontMetrics(m_font).height() + 2 * textMargin);
    }

    static constexpr int textMargin = 2;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.setFont(m_font);
        painter.setPen(QColor(255, 0, 0));
        painter.drawText(rect().adjusted(0, textMargin, 0, -textMargin), Qt::AlignCenter,
                         QStringLiteral("QUOREL 2.0"));
    }

private:
    QFont m_font {QStringLiteral("Arial"), 8};
};

} // namespace

MainStatusBar::MainStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_status(new QLabel(this))
    , m_clock(new QLabel(this))
{
    setSizeGripEnabled(true);
    addWidget(new Banner(this));
    m_status->setMinimumWidth(statusWidth);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    addWidget(m_status, 1);
    m_clock->setMinimumWidth(clockWidth);
    m_clock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addPermanentWidget(m_clock);

    m_sinceStart.start();
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &MainStatusBar::updateClock);
    m_timer.start();
    updateClock();
}

void MainStatusBar::setStatus(const QString &text, const QColor &color)
{
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, color);
    m_status->setPalette(palette);
    m_status->setText(text);
}

QString MainStatusBar::statusText() const
{
    return m_status->text();
}

QColor MainStatusBar::statusColor() const
{
    return m_status->palette().color(QPalette::WindowText);
}

QString MainStatusBar::clockText() const
{
    return m_clock->text();
}

void MainStatusBar::updateClock()
{
    m_clock->setText(elapsedTimeText(m_sinceStart.elapsed(), QLocale::system())
                     + QStringLiteral("    "));
}

} // namespace quorel
