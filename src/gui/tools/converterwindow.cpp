#include "gui/tools/converterwindow.h"

#include "core/util/system.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTextCursor>
#include <QVBoxLayout>

namespace quorel {

namespace {

constexpr int windowWidth = 532;
constexpr int windowHeight = 370;
constexpr int topStripHeight = 17;
constexpr int optionsHeight = 62;
constexpr int progressHeight = 33;
constexpr int inputWidth = 266;
constexpr int minimumInputWidth = 50;
// The window takes a breath (repaints, clicks) at least this often during a conversion.
constexpr qint64 breatherMs = 30;
// Lines added to the output box in one go during the second pass.
constexpr int linesPerChunk = 2000;

struct DirectionButton
{
    ConversionDirection direction;
    const char *caption;
    int row;
    int column;
};

constexpr DirectionButton directionButtons[] = {
    {ConversionDirection::DegToGrad, QT_TRANSLATE_NOOP("quorel::ConverterWindow", "Deg --> Grad"),
     0, 0},
    {ConversionDirection::DegToRad, QT_TRANSLATE_NOOP("quorel::ConverterWindow", "Deg --> Rad"), 1,
     0},
    {ConversionDirection::GradToDeg, QT_TRANSLATE_NOOP("quorel::ConverterWindow", "Grad --> Deg"),
     0, 1},
    {ConversionDirection::GradToRad, QT_TRANSLATE_NOOP("quorel::ConverterWindow", "Grad --> Rad"),
     1, 1},
    {ConversionDirection::RadToDeg, QT_TRANSLATE_NOOP("quorel::ConverterWindow", "Rad --> Deg"), 0,
     2},
    {ConversionDirection::RadToGrad, QT_TRANSLATE_NOOP("quorel::ConverterWindow", "Rad --> Grad"),
     1, 2},
};

QPlainTextEdit *makeTextBox(QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::Monospace);
    box->setFont(font);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(false);
    return box;
}

char localeSeparator()
{
    return decimalSeparatorFromLocale(QLocale::system().decimalPoint().toStdString());
}

} // namespace

ConverterWindow::ConverterWindow(QWidget *parent)
    : QDialog(parent)
    , m_separator(localeSeparator())
{
    setWindowTitle(tr("Measurement Converter"));
    setObjectName(QStringLiteral("converterWindow"));

    auto *top = new QWidget(this);
    top->setFixedHeight(topStripHeight);
    auto *inLabel = new QLabel(tr(" Measurements :"), top);
    inLabel->move(0, 0);
    m_resultLabel = new QLabel(tr(" Result :"), top);
    m_resultLabel->setObjectName(QStringLiteral("resultLabel"));

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_in = makeTextBox(m_splitter);
    m_in->setObjectName(QStringLiteral("inputText"));
    m_in->setMinimumWidth(minimumInputWidth);
    m_out = makeTextBox(m_splitter);
    m_out->setObjectName(QStringLiteral("outputText"));
    m_out->installEventFilter(this); // Enter does not start a line there
    // The results are not edited step by step: no undo history for a million lines.
    m_out->setUndoRedoEnabled(false);
    m_splitter->addWidget(m_in);
    m_splitter->addWidget(m_out);
    m_splitter->setCollapsible(0, false);
    m_splitter->setCollapsible(1, false);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({inputWidth, windowWidth - inputWidth});
    connect(m_splitter, &QSplitter::splitterMoved, this, &ConverterWindow::placeResultLabel);

    // Options: directions, places and Convert.
    m_options = new QWidget(this);
    m_options->setObjectName(QStringLiteral("optionsPanel"));
    m_options->setFixedHeight(optionsHeight);
    // The options speak in the small 8-point face of the program's dialogs.
    QFont optionsFont = m_options->font();
    optionsFont.setPointSize(8);
    m_options->setFont(optionsFont);
    auto *optionsLayout = new QHBoxLayout(m_options);
    optionsLayout->setContentsMargins(4, 4, 8, 4);
    optionsLayout->setSpacing(4);
    auto *directions = new QGridLayout;
    directions->setHorizontalSpacing(4);
    directions->setVerticalSpacing(2);
    for (const auto &button : directionButtons) {
        auto *radio = new QRadioButton(tr(button.caption), m_options);
        directions->addWidget(radio, button.row, button.column);
        m_directions.append(radio);
    }
    optionsLayout->addLayout(directions);
    optionsLayout->addSpacing(4);
    // "Round values to" above the places field and "decimal places", so the panel fits the
    // window's width.
    auto *placesBlock = new QGridLayout;
    placesBlock->setHorizontalSpacing(4);
    placesBlock->setVerticalSpacing(2);
    placesBlock->addWidget(new QLabel(tr("Round values to"), m_options), 0, 0, 1, 2);
    m_places = new QSpinBox(m_options);
    m_places->setObjectName(QStringLiteral("placesBox"));
    m_places->setRange(minPlaces, maxPlaces);
    m_places->setValue(defaultPlaces);
    placesBlock->addWidget(m_places, 1, 0);
    placesBlock->addWidget(new QLabel(tr("decimal places"), m_options), 1, 1);
    optionsLayout->addLayout(placesBlock);
    optionsLayout->addStretch(1);
    m_convert = new QPushButton(tr("&Convert"), m_options);
    m_convert->setObjectName(QStringLiteral("convertButton"));
    m_convert->setFixedSize(73, 51);
    m_convert->setAutoDefault(false);
    optionsLayout->addWidget(m_convert);
    connect(m_convert, &QPushButton::clicked, this, &ConverterWindow::convert);

    // Progress, shown instead of the options while converting.
    m_progress = new QWidget(this);
    m_progress->setObjectName(QStringLiteral("progressPanel"));
    m_progress->setFixedHeight(progressHeight);
    auto *progressLayout = new QHBoxLayout(m_progress);
    progressLayout->setContentsMargins(6, 4, 15, 4);
    m_bar = new QProgressBar(m_progress);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setTextVisible(false);
    progressLayout->addWidget(m_bar, 1);
    m_abort = new QPushButton(tr("&Abort"), m_progress);
    m_abort->setObjectName(QStringLiteral("abortButton"));
    m_abort->setAutoDefault(false);
    progressLayout->addWidget(m_abort);
    connect(m_abort, &QPushButton::clicked, this, &ConverterWindow::abort);
    m_progress->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_options);
    layout->addWidget(m_progress);

    m_directions.first()->setChecked(true);
    resize(windowWidth, windowHeight);
}

ConversionDirection ConverterWindow::direction() const
{
    for (int i = 0; i < m_directions.size(); ++i) {
        if (m_directions[i]->isChecked())
            return directionButtons[i].direction;
    }
    return ConversionDirection::DegToGrad;
}

void ConverterWindow::setDirection(ConversionDirection direction)
{
    for (int i = 0; i < m_directions.size(); ++i) {
        if (directionButtons[i].direction == direction)
            m_directions[i]->setChecked(true);
    }
}

QString ConverterWindow::inputText() const
{
    return m_in->toPlainText();
}

void ConverterWindow::setInputText(const QString &text)
{
    m_in->setPlainText(text);
}

QString ConverterWindow::outputText() const
{
    return m_out->toPlainText();
}

QString ConverterWindow::placesText() const
{
    return m_places->findChild<QLineEdit *>()->text();
}

void ConverterWindow::setPlacesText(const QString &text)
{
    m_places->findChild<QLineEdit *>()->setText(text);
}

bool ConverterWindow::keepResponsive()
{
    if (!m_clock.isValid())
        m_clock.start();
    if (m_clock.elapsed() - m_lastBreather >= breatherMs) {
        QApplication::processEvents();
        m_lastBreather = m_clock.elapsed();
    }
    return m_abortRequested;
}

void ConverterWindow::convert()
{
    if (m_converting)
        return;
    m_out->clear();
    const QString input = m_in->toPlainText();
    if (input.isEmpty())
        return;

    // The places field: a whole number (kept within the control's range), else 2; the field
    // shows what is used.
    const int places = placesFromText(placesText().toStdString());
    m_places->setValue(places);
    m_places->findChild<QLineEdit *>()->setText(QString::number(places));
    const AngleConverter converter(direction(), places, m_separator);

    m_converting = true;
    m_abortRequested = false;
    m_options->hide();
    m_progress->show();
    m_bar->setRange(0, 0);
    m_bar->setValue(0);

    const QByteArray bytes = input.toUtf8();
    qint64 total = 0;
    qint64 lastShown = -1;
    const ConvertedText result = convertText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), converter,
        [&](std::size_t done, std::size_t lineCount) {
            if (total == 0) {
                total = static_cast<qint64>(lineCount);
                m_bar->setRange(0, static_cast<int>(std::min<qint64>(2 * total, INT_MAX)));
            }
            if (static_cast<qint64>(done) - lastShown >= linesPerChunk || done == 0) {
                lastShown = static_cast<qint64>(done);
                m_bar->setValue(static_cast<int>(std::min<qint64>(lastShown, INT_MAX)));
                emit progressed(1, lastShown);
            }
            return !keepResponsive();
        });

    if (!result.aborted && !m_abortRequested) {
        // Pass 2: the results go into the output box in chunks, without repaints between them.
        m_out->setUpdatesEnabled(false);
        QTextCursor cursor(m_out->document());
        const auto &lines = result.lines;
        for (std::size_t i = 0; i < lines.size();) {
            if (keepResponsive())
                break;
            QString chunk;
            const std::size_t end = std::min(lines.size(), i + linesPerChunk);
            for (; i < end; ++i) {
                if (i > 0)
                    chunk += QLatin1Char('\n');
                chunk +=
                    QString::fromUtf8(lines[i].data(), static_cast<qsizetype>(lines[i].size()));
            }
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(chunk);
            const qint64 done = static_cast<qint64>(i);
            m_bar->setValue(static_cast<int>(std::min<qint64>(total + done, INT_MAX)));
            emit progressed(2, done);
        }
        m_out->setUpdatesEnabled(true);
        m_out->verticalScrollBar()->setValue(0);
    }

    m_progress->hide();
    m_abortRequested = false;
    m_options->show();
    m_converting = false;
}

void ConverterWindow::abort()
{
    if (m_converting)
        m_abortRequested = true;
}

void ConverterWindow::reject()
{
    // Escape or the close box during a conversion stops it as well.
    abort();
    QDialog::reject();
}

void ConverterWindow::placeResultLabel()
{
    // " Result :" stands over the output box.
    const int x = m_out->mapTo(this, QPoint(0, 0)).x();
    m_resultLabel->move(x, 0);
}

void ConverterWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeResultLabel();
}

void ConverterWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_minimumSet) {
        // The smallest size is the size the window was made with.
        setMinimumSize(windowWidth, windowHeight);
        m_minimumSet = true;
    }
    if (parentWidget()) {
        const QRect over = parentWidget()->window()->frameGeometry();
        move(over.center() - rect().center());
    }
    placeResultLabel();
}

bool ConverterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_out && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quorel
