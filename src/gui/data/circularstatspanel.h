#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;

namespace quorel {

class Document;
struct CircularSentence;

// The "Circular statistics" panel of the statistics page: every figure of the last read's
// directions with what it means, in the rounding the command line prints and in the window's
// language, as text the user can select and copy; with the band or the mean direction drawn,
// the lines that explain them. Follows the document: a finished read, the axial box (a style
// change) and the diagram's marks.
class CircularStatsPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CircularStatsPanel(const Document &document, QWidget *parent = nullptr);

    // The text shown, one sentence a line.
    QString text() const;

    // One sentence in the window's language, numbers with `decimalSeparator`.
    static QString sentenceText(const CircularSentence &sentence, char decimalSeparator);

private:
    void refresh();

    const Document &m_document;
    QLabel *m_text;
    QStringList m_lines;
};

} // namespace quorel
