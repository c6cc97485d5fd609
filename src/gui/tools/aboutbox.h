#pragma once

#include "core/tools/projectaddresses.h"

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;
class QWidget;

namespace quorel {

// The About box: the program's name, version and dates with two links and a logo. Enter, Escape
// and OK close it; it can be dragged by its background. The links lead to the addresses the
// program was built with; a text without an address is shown as plain text, not as a link.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    enum class Link { Web, Mail, Logo };

    explicit AboutBox(QWidget *parent = nullptr);
    AboutBox(const ProjectAddresses &addresses, QWidget *parent = nullptr);

    // Where a link leads; empty when there is no such address.
    QUrl linkTarget(Link link) const;

    QLabel *webLink() const { return m_web; }
    QLabel *mailLink() const { return m_mail; }
    QLabel *logo() const { return m_logo; }
    QWidget *panel() const { return m_panel; }
    QPushButton *closeButton() const { return m_close; }

    // Follows a link as a click on it does.
    void openLink(Link link);

signals:
    // A link with a target was followed (the desktop was asked to open `url`).
    void linkOpened(const QUrl &url);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Shows `label` as a link when `link` leads somewhere.
    void makeLink(QLabel *label, Link link);
    // Underlines and emboldens the link under the mouse; nullptr sets both plain.
    void highlight(QLabel *link);
    void startDrag();

    ProjectAddresses m_addresses;
    QWidget *m_panel;
    QLabel *m_web;
    QLabel *m_mail;
    QLabel *m_logo;
    QPushButton *m_close;
};

} // namespace quorel
