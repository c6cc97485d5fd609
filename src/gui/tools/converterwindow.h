#pragma once

#include "core/tools/converter.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QSplitter;
class QWidget;

namespace quorel {

// "Measurement Converter": converts every number of a pasted text between degrees, grads and
// radians, keeping the rest of the text. Created once and shown modally; its texts, direction and
// places stay between showings. The conversion itself is the core's AngleConverter; this window
// feeds it line by line and keeps the window responsive (and Abort working) on long texts.
class ConverterWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ConverterWindow(QWidget *parent = nullptr);

    // The separator the results are written with; read from the user's locale at creation.
    char decimalSeparator() const { return m_separator; }
    void setDecimalSeparator(char separator) { m_separator = separator; }

    ConversionDirection direction() const;
    void setDirection(ConversionDirection direction);

    QString inputText() const;
    void setInputText(const QString &text);
    QString outputText() const;
    QString placesText() const;
    void setPlacesText(const QString &text);
    bool isConverting() const { return m_converting; }

    QPlainTextEdit *inputBox() const { return m_in; }
    QPlainTextEdit *outputBox() const { return m_out; }
    QWidget *optionsPanel() const { return m_options; }
    QWidget *progressPanel() const { return m_progress; }
    QPushButton *convertButton() const { return m_convert; }
    QPushButton *abortButton() const { return m_abort; }
    QLabel *resultLabel() const { return m_resultLabel; }
    QSplitter *splitter() const { return m_splitter; }

public slots:
    // Runs the conversion of the input box into the output box (the Convert button).
    void convert();
    // Stops a running conversion at the next line (the Abort button).
    void abort();

signals:
    // After each chunk of work: pass 1 (converting) or 2 (filling the output box), lines done.
    void progressed(int pass, qint64 done);

protected:
    void reject() override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeResultLabel();
    // Lets the window repaint and take clicks; true when the user asked to stop.
    bool keepResponsive();

    char m_separator;
    bool m_converting = false;
    bool m_abortRequested = false;
    bool m_minimumSet = false;
    QElapsedTimer m_clock; // this window's, for the breathers of a conversion
    qint64 m_lastBreather = 0;

    QLabel *m_resultLabel;
    QSplitter *m_splitter;
    QPlainTextEdit *m_in;
    QPlainTextEdit *m_out;
    QWidget *m_options;
    QWidget *m_progress;
    QProgressBar *m_bar;
    QPushButton *m_convert;
    QPushButton *m_abort;
    QSpinBox *m_places;
    QList<QRadioButton *> m_directions;
};

} // namespace quorel
