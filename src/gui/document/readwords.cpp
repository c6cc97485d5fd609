#include "gui/document/readwords.h"

#include "core/util/files.h"
#include "core/util/programtexts.h"
#include "core/util/text.h"

#include <QCoreApplication>
#include <QStringList>

namespace quorel {

namespace {

QString statusWords(const char *text)
{
    return QCoreApplication::translate("quorel::StatusLine", text);
}

QString reportWords(const char *text)
{
    return QCoreApplication::translate("quorel::ErrorReport", text);
}

// File names and the texts of invalid lines are bytes of the user's; shown as the tables show
// them.
QString shownBytes(std::string_view bytes)
{
    return QString::fromStdString(displayText(bytes));
}

} // namespace

QString statusText(ReadStatus status)
{
    switch (status) {
    case ReadStatus::Analyzing:
        return statusWords(QT_TRANSLATE_NOOP("quorel::StatusLine", "Analyzing... Please wait..."));
    case ReadStatus::Ready:
        return statusWords(QT_TRANSLATE_NOOP("quorel::StatusLine", "OK"));
    case ReadStatus::Cancelled:
        return statusWords(
            QT_TRANSLATE_NOOP("quorel::StatusLine", "Operation cancelled by user ! Press F12 !"));
    case ReadStatus::ReadyWithErrors:
        return statusWords(
            QT_TRANSLATE_NOOP("quorel::StatusLine", "Ready, but error occured ! Press F12 !"));
    }
    return {};
}

QString randomGraphName()
{
    return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport", "RANDOM GRAPH"));
}

ReadTitles readTitlesText(const std::string &path, bool randomGraph)
{
    ReadTitles titles = readTitles(path, randomGraph);
    if (randomGraph) {
        const std::string program(programCaption);
        const std::string random = randomGraphName().toStdString();
        titles = {program + " - " + random, random + " - " + program};
    }
    return titles;
}

QString reportLineText(const ReportLine &line)
{
    using Kind = ReportLine::Kind;
    switch (line.kind) {
    case Kind::File:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport", "File: %1"))
            .arg(shownBytes(line.text));
    case Kind::Dashes:
        return QString::fromLatin1(reportDashes.data(), qsizetype(reportDashes.size()));
    case Kind::InvalidLine:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport", "Invalid data in line: %1"))
            .arg(line.number);
    case Kind::NotANumber:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport", "\"%1\" is not a number !"))
            .arg(shownBytes(line.text));
    case Kind::Blank:
        return {};
    case Kind::NotText:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport",
                                             "Not a text file: NUL byte at offset %1"))
            .arg(line.number);
    case Kind::LinesNotRead:
        return reportWords(
            QT_TRANSLATE_NOOP("quorel::ErrorReport", "The lines after it were not read !"));
    case Kind::Cancelled:
        return reportWords(
            QT_TRANSLATE_NOOP("quorel::ErrorReport", "Operation cancelled by user !"));
    case Kind::NoErrors:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport", "No errors."));
    case Kind::ErrorCount:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport", "Errors: %1")).arg(line.number);
    case Kind::CorrectData:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport", "Correct data and try again."));
    case Kind::ProcessedLines:
        return reportWords(QT_TRANSLATE_NOOP("quorel::ErrorReport",
                                             "WARNING! Processed lines: %1 from %2."))
            .arg(line.number)
            .arg(line.total);
    case Kind::RandomGraph:
        return randomGraphName();
    }
    return {};
}

QString errorReportText(const ReadSummary &summary, const ErrorReport &report)
{
    QStringList lines;
    forEachReportLine(summary, report,
                      [&lines](const ReportLine &line) { lines << reportLineText(line); });
    return lines.join(QLatin1Char('\n'));
}

QString errorText(const Error &error)
{
    const char *what = nullptr;
    switch (error.kind) {
    case ErrorKind::Other:
        return QString::fromStdString(error.message);
    case ErrorKind::CannotOpen:
        what = QT_TRANSLATE_NOOP("quorel::Error", "Cannot open file \"%1\". %2");
        break;
    case ErrorKind::CannotRead:
        what = QT_TRANSLATE_NOOP("quorel::Error", "Cannot read file \"%1\". %2");
        break;
    case ErrorKind::CannotCreate:
        what = QT_TRANSLATE_NOOP("quorel::Error", "Cannot create file \"%1\". %2");
        break;
    case ErrorKind::CannotWrite:
        what = QT_TRANSLATE_NOOP("quorel::Error", "Cannot write file \"%1\". %2");
        break;
    case ErrorKind::CannotReplace:
        what = QT_TRANSLATE_NOOP("quorel::Error", "Cannot replace file \"%1\". %2");
        break;
    case ErrorKind::CannotDelete:
        what = QT_TRANSLATE_NOOP("quorel::Error", "Cannot delete file \"%1\". %2");
        break;
    case ErrorKind::NotAWholeNumber:
        return QCoreApplication::translate("quorel::Error", "'%1' is not a valid integer value")
            .arg(QString::fromStdString(error.path));
    case ErrorKind::TooManyForRandomGraph:
        return QCoreApplication::translate(
                   "quorel::Error",
                   "\"%1\" is too many: a random graph takes at most %2 measurements !")
            .arg(QString::fromStdString(error.path))
            .arg(error.reason);
    case ErrorKind::ReportReplacesPicture:
        return QCoreApplication::translate("quorel::Error",
                                           "The report \"%1\" would replace its own picture. "
                                           "Choose a name ending in \".html\".")
            .arg(QString::fromStdString(displayText(error.path)));
    case ErrorKind::NoMemoryToRead:
        return QCoreApplication::translate("quorel::Error",
                                           "Not enough memory to read file \"%1\".")
            .arg(QString::fromStdString(displayText(error.path)));
    case ErrorKind::NoMemoryToWrite:
        return QCoreApplication::translate("quorel::Error",
                                           "Not enough memory to write file \"%1\".")
            .arg(QString::fromStdString(displayText(error.path)));
    }
    const QString reason = error.reason == notRegularFileReason
        ? QCoreApplication::translate("quorel::Error", "Not a regular file")
        : QString::fromStdString(systemErrorText(error.reason));
    return QCoreApplication::translate("quorel::Error", what)
        .arg(QString::fromStdString(displayText(error.path)), reason);
}

} // namespace quorel
