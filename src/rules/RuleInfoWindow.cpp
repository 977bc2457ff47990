#include "widgets/RoundedFrame.h"
#include "rules/RuleInfoWindow.h"
#include "widgets/ElidedLabel.h"
#include "widgets/DelimitedListBox.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "rules/DanceCatalogue.h"
#include "rules/DanceSelection.h"
#include "rules/RuleFiles.h"
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QListWidgetItem>
#include <algorithm>

namespace {

QFont pixelFont(QFont font, int pixels, bool bold = false)
{
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* addLabel(QWidget* parent, const QString& name, const QRect& geometry, int fontPixels, QLabel* label = nullptr)
{
    if (!label)
        label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText); // file texts are shown as they stand, never as markup
    label->setFont(pixelFont(label->font(), fontPixels));
    label->setGeometry(geometry);
    return label;
}

// Labels with a text of the program's own are widened to show all of it.
void setTextWidening(QLabel* label, const QString& text)
{
    label->setText(text);
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

// The rounded shape behind the list, 5 percent of its shorter side.
void addShape(QWidget* panel, int top)
{
    auto* shape = new RoundedFrame(5, panel);
    shape->setGeometry(16, top, 505, panel->height() - 2 * top);
}

QString folderOf(Language language)
{
    return (language == Language::German ? QStringLiteral("de") : QStringLiteral("en")) + QDir::separator();
}

RuleInfoLayout nationalLayout(const NationalInfoConfig& config)
{
    return {config.objectName,
            config.fileName,
            QSize(545, 369),
            QRect(24, 32, 489, config.listHeight),
            QRect(24, 320, 489, 13),
            QStringLiteral("InfoBox"),
            QStringLiteral("infoLabel"),
            config.columns};
}

RuleInfoLayout internationalLayout(const InternationalInfoConfig& config)
{
    return {config.objectName, config.fileName,
            QSize(545, 369), // as low as the other panels, for the display area of a small screen
            config.list,       QRect(72, 320, config.sourceLabelWidth, 13),
            config.listName,   config.sourceLabelName,
            config.columns};
}

// The place of the text in the list, ignoring letter case; -1 when it is not there.
int indexOfText(const QStringList& items, const QString& text)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

RuleInfoWindow::RuleInfoWindow(ProgramState& state, const RuleInfoLayout& layout, QWidget* parent)
    : EmbeddedForm(layout.objectName, layout.panel, parent),
      state_(state),
      layout_(layout)
{
    QFrame* panel = EmbeddedForm::panel();
    addShape(panel, layout.list.top() - 8);

    list_ = new DelimitedListBox(panel);
    list_->setObjectName(layout.listName);
    list_->setGeometry(layout.list);
    list_->setFont(pixelFont(list_->font(), 12));
    list_->header()->setFont(pixelFont(list_->header()->font(), 13, true));
    list_->setHeaderHeight(17);
    list_->setVerticalGridLines(true);
    QList<int> widths;
    for (const InfoColumn& column : layout.columns)
        widths << column.width;
    list_->setSections(widths);
    for (int i = 0; i < layout.columns.size(); ++i) {
        list_->setSectionAlignment(i,
                                   (layout.columns[i].centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    }

    // A long source line is cut, not widened; hovering shows all of it.
    sourceLabel_ = addLabel(panel, layout.sourceLabelName, layout.sourceLabel, 11, new ElidedLabel(panel));
    sourceLabel_->setFixedSize(layout.sourceLabel.size());
    sourceLabel_->setAutoFillBackground(true);
    QPalette white = sourceLabel_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    sourceLabel_->setPalette(white);
}

QString RuleInfoWindow::showFile(const QString& path)
{
    const InfoFile file = readInfoFile(path);
    if (!file.ok())
        return file.error;
    list_->clear();
    for (const QStringList& columns : file.rows) {
        // The tooltip shows cells too long for their column in full.
        auto* item = new QListWidgetItem(columns.join(QLatin1Char(';')), list_);
        item->setToolTip(columns.join(QStringLiteral(" | ")));
    }
    sourceLabel_->setText(file.source);
    return {};
}

void RuleInfoWindow::setColumnCaptions()
{
    QStringList captions;
    for (const InfoColumn& column : layout_.columns)
        captions << (column.translated ? tr(column.caption) : QString::fromUtf8(column.caption));
    list_->setSectionTexts(captions);
}

NationalInfoWindow::NationalInfoWindow(ProgramState& state, const NationalInfoConfig& config, QWidget* parent)
    : RuleInfoWindow(state, nationalLayout(config), parent),
      config_(config)
{
    if (config.note) {
        noteLabel_ = addLabel(panel(), "InfoLabel", QRect(24, 295, config.noteWidth, 18), 13);
        noteLabel_->setFont(pixelFont(noteLabel_->font(), 13, true));
    }
    if (config.discipline)
        connect(infoList(), &QAbstractItemView::doubleClicked, this, &NationalInfoWindow::noteDoubleClicked);
    applyLanguage();
}

void NationalInfoWindow::applyLanguage()
{
    languageFolder_ = folderOf(language());
    setColumnCaptions();
    if (noteLabel_)
        setTextWidening(noteLabel_, tr(config_.note));
}

void NationalInfoWindow::windowShown()
{
    const QString path = findFileCaseInsensitive(ruleFolder(state_.programFolder, languageFolder_), layout().fileName);
    const QString error = showFile(path);
    if (!error.isEmpty())
        state_.messages->warning(error);
}

void NationalInfoWindow::noteDoubleClicked()
{
    const QList<QListWidgetItem*> selected = infoList()->selectedItems();
    if (!config_.discipline || selected.isEmpty() || !state_.selection)
        return;
    const QStringList fields = DelimitedListBox::splitFields(selected.first()->text(), QLatin1Char(';'));
    const auto field = [&fields](int column) {
        return column < fields.size() ? fields.at(column).trimmed() : QString();
    };
    DanceSelection& selection = *state_.selection;
    const Discipline discipline = *config_.discipline;
    selection.chooseType(static_cast<int>(discipline));
    selection.chooseDance(indexOfText(DanceCatalogue::danceNames(discipline), field(0)));
    if (config_.chooseRound)
        selection.chooseRound(indexOfText(DanceCatalogue::roundNames(discipline, selection.dance()), field(1)));
}

InternationalInfoWindow::InternationalInfoWindow(ProgramState& state, const InternationalInfoConfig& config,
                                                 QWidget* parent)
    : RuleInfoWindow(state, internationalLayout(config), parent)
{
    auto* sourceCaption = addLabel(panel(), "sourceCaptionLabel", QRect(24, 320, 37, 13), 11);
    setTextWidening(sourceCaption, QStringLiteral("Source:"));
    setColumnCaptions();
    if (!showFile(findFileCaseInsensitive(state_.programFolder, config.fileName)).isEmpty())
        state_.messages->warning(QStringLiteral("Error reading file"));
}
