#pragma once

#include "core/stereonet/orientation.h"

#include <QStringList>
#include <QWidget>

#include <cstddef>

class QCheckBox;
class QComboBox;
class QLabel;

namespace quorel {

class Document;
class StereonetDocument;
struct SphericalSentence;
struct StereonetData;

// The panel beside the net: what the azimuth means (a display parameter of the file), the net and
// what it draws (settings of the program), then the figures of the plotted measurements with
// what they mean, in the window's language, as text the user can select and copy. While the
// page's thread works the figures out, it says so.
class StereonetPanel : public QWidget
{
    Q_OBJECT

public:
    StereonetPanel(Document &document, StereonetDocument &stereonet, QWidget *parent = nullptr);

    QComboBox *azimuthBox() const { return m_azimuth; }
    QComboBox *netBox() const { return m_net; }
    QComboBox *showBox() const { return m_show; }
    QCheckBox *contoursBox() const { return m_contours; }
    QCheckBox *meanBox() const { return m_mean; }
    QCheckBox *girdleBox() const { return m_girdle; }
    QCheckBox *netLinesBox() const { return m_netLines; }

    // As wide as its longest box's text where the page has room; it narrows to its minimum.
    QSize sizeHint() const override;

    // The figures shown, one sentence a line; empty while they are worked out.
    QString text() const;
    // Whether the panel says that the figures are being worked out.
    bool saysComputing() const;

    // The figures' sentences of `shown` on `net` in the window's language (the page's and the
    // report's); a list of lines without a dip is cut after its first `shownLines` numbers.
    static QStringList figureLines(const StereonetData &shown, NetKind net, char decimalSeparator,
                                   std::size_t shownLines);
    // One sentence in the window's language, numbers with `decimalSeparator`; a list of lines
    // without a dip is cut after its first `shownLines` numbers.
    static QString sentenceText(const SphericalSentence &sentence, bool poles,
                                char decimalSeparator, std::size_t shownLines = 50);

private:
    void showStyle();
    void showOptions();
    void editOptions();
    void showFigures();

    Document &m_document;
    StereonetDocument &m_stereonet;
    QComboBox *m_azimuth;
    QComboBox *m_net;
    QComboBox *m_show;
    QCheckBox *m_contours;
    QCheckBox *m_mean;
    QCheckBox *m_girdle;
    QCheckBox *m_netLines;
    QLabel *m_status;
    QLabel *m_figures;
    QStringList m_lines;
};

} // namespace quorel
