#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class QPlainTextEdit;

namespace quorel {

// The "Errors" window: the report of the last read, refreshed every time the window is
// activated, so it always shows the latest report. Escape and F12 close it.
class ErrorsWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ErrorsWindow(QWidget *parent = nullptr);

    // `report` gives the current report text (lines separated by "\n"), or nothing while there
    // is none to show (the shown text stays).
    void setReportSource(std::function<std::optional<QString>()> report);
    // Replaces the shown text by the current report.
    void refresh();
    QString shownText() const;

protected:
    bool event(QEvent *event) override;

private:
    QPlainTextEdit *m_text;
    std::function<std::optional<QString>()> m_report;
};

} // namespace quorel
