#include "widgets/DelimitedListBox.h"
#include <QHelpEvent>
#include <QHeaderView>
#include <QToolTip>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

namespace {

// Draws one row as cells under the header's sections.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(DelimitedListBox* list)
        : QStyledItemDelegate(list),
          list_(list)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, option.palette.highlight());
        const QString text = index.data(Qt::DisplayRole).toString().left(255);
        const bool blank = text.trimmed().isEmpty();
        const QStringList stored = DelimitedListBox::splitFields(text, list_->delimiter());
        const QStringList fields = list_->shownFields(stored);
        if (list_->verticalGridLines())
            drawGridLines(painter, option, blank ? 0 : int(fields.size()));
        if (blank)
            return;
        const int shown = std::min<int>(fields.size(), list_->header()->count());
        painter->save();
        painter->setPen(list_->rowColour(stored));
        int x = option.rect.left();
        for (int column = 0; column < shown; ++column) {
            const int width = list_->fieldWidth(column, int(fields.size()), option.rect.right() - x + 1);
            const QRect cell(x, option.rect.top(), width, option.rect.height());
            painter->setClipRect(cell);
            // A cut text ends in "…", so it is not taken for the whole; hovering shows it whole.
            const QString shownText =
                painter->fontMetrics().elidedText(fields.at(column), Qt::ElideRight, cell.width() - 2);
            painter->drawText(cell.adjusted(2, 1, 0, 0), alignmentOf(painter, fields.at(column), cell, column),
                              shownText);
            x = cell.right() + 2; // one pixel of gap after the cell
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), list_->itemHeight());
    }

private:
    // A text wider than its cell starts at the cell's left, so its beginning stays readable.
    Qt::Alignment alignmentOf(QPainter* painter, const QString& text, const QRect& cell, int column) const
    {
        const bool fits = painter->fontMetrics().horizontalAdvance(text) <= cell.width() - 2;
        return (fits ? list_->cellAlignment(column) : Qt::AlignLeft) | Qt::AlignTop;
    }

    // In the gap after each cell but the last, so lines and cells never overlap;
    // none through a field that runs on to the end of the line.
    void drawGridLines(QPainter* painter, const QStyleOptionViewItem& option, int fieldCount) const
    {
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        int x = option.rect.left();
        for (int column = 0; column + 1 < list_->header()->count(); ++column) {
            if (list_->runsOn(column, fieldCount))
                break;
            x += list_->header()->sectionSize(column);
            painter->drawLine(x, option.rect.top(), x, option.rect.bottom());
            ++x;
        }
        painter->restore();
    }

    DelimitedListBox* list_;
};

} // namespace

DelimitedListBox::DelimitedListBox(QWidget* parent)
    : QListWidget(parent),
      header_(new QHeaderView(Qt::Horizontal, this)),
      headerModel_(new QStandardItemModel(0, 0, this))
{
    header_->setModel(headerModel_);
    header_->setDefaultAlignment(Qt::AlignCenter);
    header_->setSectionResizeMode(QHeaderView::Fixed);
    header_->setStretchLastSection(false);
    header_->setSectionsClickable(false);
    header_->setFocusPolicy(Qt::NoFocus);
    QFont headerFont = header_->font();
    headerFont.setPointSizeF(headerFont.pointSizeF() * 0.85); // section captions fit their fixed widths
    header_->setFont(headerFont);
    // Past the last section the header shows its window colour, which a
    // coloured form would otherwise lend it.
    QPalette headerPalette = header_->palette();
    headerPalette.setColor(QPalette::Window, headerPalette.color(QPalette::Button));
    header_->setPalette(headerPalette);
    setItemDelegate(new CellDelegate(this));
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setViewportMargins(0, headerHeight_, 0, 0);
}

void DelimitedListBox::setSections(const QList<int>& widths)
{
    headerModel_->setColumnCount(widths.size());
    for (int i = 0; i < widths.size(); ++i)
        header_->resizeSection(i, widths.at(i));
}

void DelimitedListBox::setSectionTexts(const QStringList& texts)
{
    headerModel_->setHorizontalHeaderLabels(texts);
}

QStringList DelimitedListBox::sectionTexts() const
{
    QStringList texts;
    for (int i = 0; i < headerModel_->columnCount(); ++i)
        texts << headerModel_->headerData(i, Qt::Horizontal).toString();
    return texts;
}

void DelimitedListBox::setSectionAlignment(int section, Qt::Alignment alignment)
{
    headerModel_->setHeaderData(section, Qt::Horizontal, static_cast<int>(alignment), Qt::TextAlignmentRole);
    if (cellAlignments_.size() <= section)
        cellAlignments_.resize(section + 1, Qt::AlignLeft);
    cellAlignments_[section] = alignment & Qt::AlignHorizontal_Mask;
    viewport()->update();
}

Qt::Alignment DelimitedListBox::cellAlignment(int column) const
{
    return column < cellAlignments_.size() ? cellAlignments_.at(column) : Qt::AlignLeft;
}

void DelimitedListBox::setVerticalGridLines(bool on)
{
    verticalGridLines_ = on;
    viewport()->update();
}

void DelimitedListBox::setHeaderHeight(int height)
{
    headerHeight_ = height;
    setViewportMargins(0, headerHeight_, 0, 0);
    placeHeader();
}

void DelimitedListBox::setItemHeight(int height)
{
    itemHeight_ = height;
    doItemsLayout();
}

void DelimitedListBox::setTopIndex(int index)
{
    // Rows added just now are laid out lazily; the scroll range must know them.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(std::max(0, index));
}

int DelimitedListBox::topIndex() const
{
    return verticalScrollBar()->value();
}

void DelimitedListBox::setRowColour(RowColour colourOf)
{
    colourOf_ = std::move(colourOf);
    viewport()->update();
}

QColor DelimitedListBox::rowColour(const QStringList& fields) const
{
    return colourOf_ ? colourOf_(fields) : palette().color(QPalette::Text);
}

void DelimitedListBox::setShownFields(ShownFields shownOf)
{
    shownOf_ = std::move(shownOf);
    viewport()->update();
}

QStringList DelimitedListBox::shownFields(const QStringList& fields) const
{
    return shownOf_ ? shownOf_(fields) : fields;
}

QStringList DelimitedListBox::splitFields(const QString& row, QChar delimiter)
{
    QStringList fields = row.split(delimiter);
    if (fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

QStringList DelimitedListBox::rowTexts() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts << item(i)->text();
    return texts;
}

std::optional<QString> DelimitedListBox::cutCellAt(const QPoint& viewportPos) const
{
    const QListWidgetItem* row = itemAt(viewportPos);
    if (!row)
        return std::nullopt;
    const QStringList fields = shownFields(splitFields(row->text().left(255), delimiter_));
    const QRect line = visualItemRect(row);
    int x = line.left();
    for (int column = 0; column < std::min<int>(fields.size(), header_->count()); ++column) {
        const int width = fieldWidth(column, int(fields.size()), line.right() - x + 1);
        if (viewportPos.x() < x + width) {
            const bool fits = fontMetrics().horizontalAdvance(fields.at(column)) <= width - 2;
            return fits ? std::nullopt : std::optional<QString>(fields.at(column));
        }
        x += width + 1;
    }
    return std::nullopt;
}

bool DelimitedListBox::runsOn(int column, int fieldCount) const
{
    // A one-field row (a prompt) may use the whole line: today's fonts are wider.
    const bool last = column == fieldCount - 1 && fieldCount < header_->count();
    return (fieldCount == 1 && column == 0) || (last && lastFieldRunsOn_);
}

int DelimitedListBox::fieldWidth(int column, int fieldCount, int restOfLine) const
{
    return runsOn(column, fieldCount) ? restOfLine : header_->sectionSize(column);
}

bool DelimitedListBox::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<QString> cell = cutCellAt(help->pos())) {
            QToolTip::showText(help->globalPos(), *cell, viewport());
            return true;
        }
    }
    return QListWidget::viewportEvent(event);
}

void DelimitedListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    placeHeader();
}

void DelimitedListBox::placeHeader()
{
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - headerHeight_, area.width(), headerHeight_);
}
