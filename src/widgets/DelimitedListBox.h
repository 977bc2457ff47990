#pragma once
#include <QListWidget>
#include <functional>
#include <optional>

class QHeaderView;
class QStandardItemModel;

// A list box whose rows are texts split into columns at a delimiter and drawn
// cell by cell under a header bar of fixed sections. Only as many fields as
// there are sections are drawn, so trailing fields can carry data that is
// never shown. The text colour of a row comes from a function of its fields;
// a row that is empty or only blanks draws nothing.
class DelimitedListBox : public QListWidget {
    Q_OBJECT
public:
    using RowColour = std::function<QColor(const QStringList& fields)>;

    explicit DelimitedListBox(QWidget* parent = nullptr);

    // One section per width; texts are centred.
    void setSections(const QList<int>& widths);
    void setSectionTexts(const QStringList& texts);
    QStringList sectionTexts() const;
    // Aligns a section's caption and the cells of its column (by default the
    // captions are centred and the cells left-aligned).
    void setSectionAlignment(int section, Qt::Alignment alignment);
    Qt::Alignment cellAlignment(int column) const;
    // Lines between the columns, through every row.
    void setVerticalGridLines(bool on);
    bool verticalGridLines() const { return verticalGridLines_; }
    // The last field of a row with fewer fields than sections runs on to the
    // end of the line (a one-field row always does), so that a long message
    // in place of a row's figures stays readable.
    void setLastFieldRunsOn(bool on) { lastFieldRunsOn_ = on; }
    // Whether a row's field runs on to the end of the line, and the width it
    // may use from its column's left edge.
    bool runsOn(int column, int fieldCount) const;
    int fieldWidth(int column, int fieldCount, int restOfLine) const;
    QHeaderView* header() const { return header_; }
    void setHeaderHeight(int height);

    void setItemHeight(int height);
    int itemHeight() const { return itemHeight_; }
    // The first visible row; clamped so that the list never scrolls past its end.
    void setTopIndex(int index);
    int topIndex() const;

    void setDelimiter(QChar delimiter) { delimiter_ = delimiter; }
    QChar delimiter() const { return delimiter_; }
    void setRowColour(RowColour colourOf);
    QColor rowColour(const QStringList& fields) const;
    // What a row shows in its cells, made from its stored fields; by default
    // the fields themselves. The row's text (and its colour) stay the stored ones.
    using ShownFields = std::function<QStringList(const QStringList& fields)>;
    void setShownFields(ShownFields shownOf);
    QStringList shownFields(const QStringList& fields) const;

    // Each delimiter ends a field; the text after the last one is a field
    // only when it is not empty ("0;1;" and "0;1" both give "0", "1").
    static QStringList splitFields(const QString& row, QChar delimiter);

    QStringList rowTexts() const;

    // The whole text of the cell under a point of the viewport when the cell
    // is too narrow for it; hovering there shows it as the tooltip.
    std::optional<QString> cutCellAt(const QPoint& viewportPos) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void placeHeader();

    QHeaderView* header_;
    QStandardItemModel* headerModel_;
    RowColour colourOf_;
    ShownFields shownOf_;
    QChar delimiter_ = ';';
    int itemHeight_ = 16;
    int headerHeight_ = 17;
    QList<Qt::Alignment> cellAlignments_;
    bool verticalGridLines_ = false;
    bool lastFieldRunsOn_ = false;
};
