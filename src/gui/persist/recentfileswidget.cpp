#include "gui/persist/recentfileswidget.h"

#include "core/util/system.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleOptionToolButton>
#include <QToolButton>

namespace quorel {

namespace {

// Draws a drop-down tool button without the menu arrow, which a button that opens its menu at
// once would otherwise paint over the end of its caption.
class NoMenuArrowStyle : public QProxyStyle
{
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override
    {
        if (const auto *button = qstyleoption_cast<const QStyleOptionToolButton *>(option);
            button && control == CC_ToolButton) {
            QStyleOptionToolButton plain(*button);
            plain.features &= ~QStyleOptionToolButton::HasMenu;
            QProxyStyle::drawComplexControl(control, &plain, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

} // namespace

RecentFilesWidget::RecentFilesWidget(QWidget *parent)
    : QWidget(parent)
    , m_box(new QComboBox(this))
    , m_clear(new QToolButton(this))
    , m_menu(new QMenu(this))
    , m_removeLast10(new QAction(tr("Remove last 10"), this))
    , m_clearList(new QAction(tr("Clear list"), this))
{
    m_box->setObjectName(QStringLiteral("recentFilesBox"));
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setMaxVisibleItems(20);
    m_box->setToolTip(tr("Last opened"));
    m_box->setMinimumContentsLength(30);
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    m_clear->setObjectName(QStringLiteral("clearButton"));
    m_clear->setText(tr("Clear"));
    m_clear->setPopupMode(QToolButton::InstantPopup);
    m_clear->setMenu(m_menu);
    auto *clearStyle = new NoMenuArrowStyle;
    clearStyle->setParent(m_clear);
    m_clear->setStyle(clearStyle);
    m_menu->setObjectName(QStringLiteral("clearMenu"));
    m_menu->addAction(m_removeLast10);
    m_menu->addAction(m_clearList);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box, 1);
    layout->addWidget(m_clear);

    connect(m_box, &QComboBox::activated, this,
            [this](int index) { choose(m_box->itemText(index)); });
    connect(m_box->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { choose(m_box->currentText()); });
    connect(m_box->lineEdit(), &QLineEdit::textEdited, this, [this] { m_lastChoice.reset(); });
    connect(m_menu, &QMenu::aboutToShow, this, &RecentFilesWidget::updateMenu);
    connect(m_removeLast10, &QAction::triggered, this, [this] {
        m_list.removeLast10();
        showList();
    });
    connect(m_clearList, &QAction::triggered, this, [this] {
        m_list.clear();
        showList();
    });
    updateMenu();
}

void RecentFilesWidget::setEntries(const std::vector<std::string> &entries)
{
    m_list.clear();
    std::string stored;
    for (const std::string &entry : entries)
        stored += entry + "; ";
    m_list.fromStored(stored);
    m_lastChoice.reset();
    showList();
}

void RecentFilesWidget::addFile(const QString &path)
{
    m_list.add(path.toStdString());
    m_lastChoice.reset();
    showList();
}

void RecentFilesWidget::setCurrentFileName(const QString &path)
{
    m_currentFileName = path;
}

void RecentFilesWidget::choose(const QString &text)
{
    // One Enter reaches here more than once (the box passes the key on to its line edit, and
    // a text equal to an entry also activates that entry): a text is handled once until the
    // user edits it or a load refreshes the list, so a missing file gives one message.
    if (m_lastChoice && *m_lastChoice == text)
        return;
    m_lastChoice = text;
    const auto outcome = m_list.choose(text.toStdString(), m_currentFileName.toStdString(),
                                       [](const std::string &path) { return fileExists(path); });
    switch (outcome.choice) {
    case RecentFiles::Choice::Nothing:
        break;
    case RecentFiles::Choice::Load:
        emit loadRequested(text);
        break;
    case RecentFiles::Choice::Missing:
        showList();
        m_box->setEditText(text);
        emit fileMissing(QString::fromStdString(outcome.message));
        break;
    }
}

void RecentFilesWidget::updateMenu()
{
    m_removeLast10->setEnabled(m_list.canRemoveLast10());
    m_clearList->setEnabled(m_list.canClear());
}

void RecentFilesWidget::showList()
{
    const QSignalBlocker blocker(m_box);
    const QString typed = m_box->currentText();
    m_box->clear();
    for (const std::string &entry : m_list.entries())
        m_box->addItem(QString::fromStdString(entry));
    m_box->setCurrentIndex(m_list.selected());
    if (m_list.selected() < 0)
        m_box->setEditText(typed);
    updateMenu();
}

SettingsBinding RecentFilesWidget::settingsBinding()
{
    return {[this](const Settings &settings) { setEntries(settings.recentFiles); },
            [this](Settings &settings) {
                settings.recentFiles = entries();
            }};
}

} // namespace quorel
