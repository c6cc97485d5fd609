#include "gui/persist/recentfileswidget.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace quorel;

class RecentFilesWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        m_widget.emplace();
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*m_widget));
    }

    void addingShowsTheMostRecentFirst()
    {
        m_widget->addFile(file("a.qrl"));
        m_widget->addFile(file("b.qrl"));
        m_widget->addFile(m_dir->path() + "/A.QRL");
        QCOMPARE(items(), QStringList({file("a.qrl"), file("b.qrl")}));
        QCOMPARE(m_widget->box()->currentIndex(), 0);
        QCOMPARE(m_widget->box()->currentText(), file("a.qrl"));
    }

    void typingDoesNotChoose()
    {
        QSignalSpy missing(&*m_widget, &RecentFilesWidget::fileMissing);
        QSignalSpy load(&*m_widget, &RecentFilesWidget::loadRequested);
        existing("data.qrl");
        m_widget->box()->lineEdit()->clear();
        QTest::keyClicks(m_widget->box()->lineEdit(), file("data.qrl"));
        QCOMPARE(missing.count(), 0);
        QCOMPARE(load.count(), 0);
        QTest::keyClick(m_widget->box()->lineEdit(), Qt::Key_Return);
        QCOMPARE(missing.count(), 0);
        QCOMPARE(load.count(), 1);
        QCOMPARE(load.at(0).at(0).toString(), file("data.qrl"));
        QVERIFY2(items().isEmpty(), "the load adds the entry, not the box");
    }

    void enterOnMissingEntryReportsOnceAndRemovesIt()
    {
        m_widget->setEntries({file("gone.qrl").toStdString(), file("other.qrl").toStdString()});
        QSignalSpy missing(&*m_widget, &RecentFilesWidget::fileMissing);
        m_widget->box()->setEditText(file("gone.qrl"));
        QTest::keyClick(m_widget->box()->lineEdit(), Qt::Key_Return);
        QCOMPARE(missing.count(), 1);
        QCOMPARE(missing.at(0).at(0).toString(),
                 QStringLiteral("Could not find file \"%1\" !").arg(file("gone.qrl")));
        QCOMPARE(items(), QStringList({file("other.qrl")}));
    }

    void pickingEntries()
    {
        existing("here.qrl");
        m_widget->setEntries({file("cur.qrl").toStdString(), file("here.qrl").toStdString(),
                              file("gone.qrl").toStdString()});
        m_widget->setCurrentFileName(file("cur.qrl"));
        QSignalSpy missing(&*m_widget, &RecentFilesWidget::fileMissing);
        QSignalSpy load(&*m_widget, &RecentFilesWidget::loadRequested);

        emit m_widget->box()->activated(0); // the current file: nothing
        QCOMPARE(load.count() + missing.count(), 0);
        emit m_widget->box()->activated(1);
        QCOMPARE(load.count(), 1);
        QCOMPARE(load.at(0).at(0).toString(), file("here.qrl"));
        emit m_widget->box()->activated(2);
        QCOMPARE(missing.count(), 1);
        QCOMPARE(items().size(), 2);
    }

    void clearMenu_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("canRemove10");
        QTest::addColumn<bool>("canClear");
        QTest::addColumn<int>("leftAfterRemove10");
        QTest::addRow("twelve") << 12 << true << true << 2;
        QTest::addRow("nine (disabled)") << 9 << false << true << 9;
        QTest::addRow("empty") << 0 << false << false << 0;
    }

    void clearMenu()
    {
        QFETCH(int, count);
        QFETCH(bool, canRemove10);
        QFETCH(bool, canClear);
        QFETCH(int, leftAfterRemove10);
        std::vector<std::string> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back("/d/" + std::to_string(i));
        m_widget->setEntries(entries);
        emit m_widget->clearButton()->menu()->aboutToShow();
        QCOMPARE(m_widget->removeLast10Action()->isEnabled(), canRemove10);
        QCOMPARE(m_widget->clearListAction()->isEnabled(), canClear);
        m_widget->removeLast10Action()->trigger();
        QCOMPARE(items().size(), leftAfterRemove10);
        m_widget->clearListAction()->trigger();
        QVERIFY(items().isEmpty());
        QCOMPARE(m_widget->entries().size(), std::size_t(0));
    }

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    void existing(const QString &name) const
    {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QStringList items() const
    {
        QStringList texts;
        for (int i = 0; i < m_widget->box()->count(); ++i)
            texts << m_widget->box()->itemText(i);
        return texts;
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<RecentFilesWidget> m_widget;
};

QTEST_MAIN(RecentFilesWidgetTest)
#include "recentfiles_test.moc"
