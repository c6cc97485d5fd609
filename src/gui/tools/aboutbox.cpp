#include "gui/tools/aboutbox.h"

#include "gui/document/programcaption.h"
#include "gui/tools/programicon.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

namespace quorel {

namespace {

constexpr int boxWidth = 246;
constexpr int boxHeight = 172;
constexpr int panelHeight = 137;
constexpr QSize logoSize(81, 33);

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel *addLabel(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// Our logo: the program's icon beside its name, maroon on the report's beige.
QPixmap makeLogo()
{
    QPixmap pixmap(logoSize);
    pixmap.fill(QColor(0xdc, 0xd6, 0xbe));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(128, 0, 0), 1));
    painter.drawRect(QRectF(0.5, 0.5, logoSize.width() - 1, logoSize.height() - 1));
    programIcon().paint(&painter, QRect(3, 3, logoSize.height() - 6, logoSize.height() - 6));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(128, 0, 0));
    painter.drawText(QRect(32, 0, logoSize.width() - 34, logoSize.height()), Qt::AlignCenter,
                     programCaptionText());
    return pixmap;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : AboutBox(builtProjectAddresses(), parent)
{ }

AboutBox::AboutBox(const ProjectAddresses &addresses, QWidget *parent)
    : QDialog(parent)
    , m_addresses(addresses)
{
    setWindowTitle(tr("About"));
    setFixedSize(boxWidth, boxHeight);
    setMouseTracking(true);

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("panel"));
    m_panel->setGeometry(0, 0, boxWidth, panelHeight);
    m_panel->setAutoFillBackground(true);
    m_panel->setMouseTracking(true);
    m_panel->installEventFilter(this);

    auto *title = addLabel(m_panel, programCaptionText(), 12, 6);
    QFont titleFont(QStringLiteral("Arial Narrow"));
    titleFont.setBold(true);
    titleFont.setPixelSize(21);
    title->setFont(titleFont);
    title->adjustSize();
    addLabel(m_panel, tr("Version 2.0"), 12, 38);
    addLabel(m_panel, tr("September 2003"), 12, 54);
    addLabel(m_panel, tr("English Version : July 2004"), 12, 70);
    addLabel(m_panel, tr("WWW :"), 12, 94);
    addLabel(m_panel, tr("Author :"), 12, 112);

    m_web = addLabel(m_panel, tr("click here"), 64, 94);
    m_web->setObjectName(QStringLiteral("webLink"));
    makeLink(m_web, Link::Web);
    m_mail = addLabel(m_panel, QStringLiteral("Halvorn5"), 64, 112);
    m_mail->setObjectName(QStringLiteral("mailLink"));
    makeLink(m_mail, Link::Mail);

    m_logo = new QLabel(m_panel);
    m_logo->setObjectName(QStringLiteral("logo"));
    m_logo->setPixmap(makeLogo());
    m_logo->setGeometry(boxWidth - logoSize.width() - 12, 10, logoSize.width(), logoSize.height());
    if (!linkTarget(Link::Logo).isEmpty()) {
        m_logo->setCursor(Qt::PointingHandCursor);
        m_logo->setToolTip(linkTarget(Link::Logo).toString());
        m_logo->installEventFilter(this);
    }

    m_close = new QPushButton(tr("&OK"), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setGeometry((boxWidth - 75) / 2, panelHeight + 5, 75, 25);
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::makeLink(QLabel *label, Link link)
{
    const QUrl target = linkTarget(link);
    if (target.isEmpty())
        return; // plain text: no colour, no hand, no address, nothing to click
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    label->setToolTip(target.toString());
}

QUrl AboutBox::linkTarget(Link link) const
{
    switch (link) {
    case Link::Web:
    case Link::Logo:
        return m_addresses.homePage.empty() ? QUrl() : QUrl(fromUtf8(m_addresses.homePage));
    case Link::Mail:
        if (m_addresses.mailAddress.empty())
            return QUrl();
        return QUrl(QStringLiteral("mailto:") + fromUtf8(m_addresses.mailAddress)
                    + QStringLiteral("?subject=Quorel 2.0.1"));
    }
    return QUrl();
}

void AboutBox::openLink(Link link)
{
    const QUrl url = linkTarget(link);
    if (url.isEmpty())
        return;
    QDesktopServices::openUrl(url);
    emit linkOpened(url);
}

void AboutBox::highlight(QLabel *link)
{
    for (QLabel *label : {m_web, m_mail}) {
        if (linkTarget(label == m_web ? Link::Web : Link::Mail).isEmpty())
            continue; // plain text, not a link
        QFont font = label->font();
        font.setBold(label == link);
        font.setUnderline(label == link);
        label->setFont(font);
        label->adjustSize();
    }
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    // Moves and clicks on a link stop there; otherwise the panel and the box would see them too
    // and take the highlight away again.
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_web || watched == m_mail) {
            highlight(static_cast<QLabel *>(watched));
            return true;
        }
        if (watched == m_panel)
            highlight(nullptr);
    } else if (event->type() == QEvent::MouseButtonRelease
               && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const Link link = watched == m_web ? Link::Web
            : watched == m_mail            ? Link::Mail
                                           : Link::Logo;
        if (watched == m_web || watched == m_mail || watched == m_logo) {
            openLink(link);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::mouseMoveEvent(QMouseEvent *event)
{
    // The strip around the OK button is the box's handle.
    highlight(nullptr);
    if (event->buttons() & Qt::LeftButton)
        startDrag();
    QDialog::mouseMoveEvent(event);
}

void AboutBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        startDrag();
    QDialog::mousePressEvent(event);
}

void AboutBox::startDrag()
{
    if (QWindow *window = windowHandle())
        window->startSystemMove();
}

void AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    highlight(nullptr);
    if (parentWidget()) {
        const QRect over = parentWidget()->window()->frameGeometry();
        move(over.center() - rect().center());
    }
}

} // namespace quorel
