#include "app/AboutDialog.h"
#include "app/HelpWindow.h"
#include "widgets/Pictures.h"
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A label whose text looks pressed into the window: a light copy one pixel
// below and right of the dark text.
class SunkenLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setFont(font());
        const QRect area = contentsRect();
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(area.translated(1, 1), int(alignment()), text());
        painter.setPen(palette().color(QPalette::Dark).darker(150));
        painter.drawText(area, int(alignment()), text());
    }
};

QFont boldPixelFont(int pixels, const QString& family = QString())
{
    QFont font;
    if (!family.isEmpty()) {
        font.setFamily(family);
        font.setStyleHint(QFont::Serif);
    }
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

QLabel* namedLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QVBoxLayout* column(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QVBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return layout;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("über Vantor"));
    initPictures();
    setWindowIcon(QIcon(LogoPicture));

    portrait = new SvgPicture(AboutPortraitPicture, this);
    portrait->setFixedSize(147, 201);
    banner = new SvgPicture(AboutBannerPicture, this);
    banner->setFixedSize(150, 44);

    titleLabel = new SunkenLabel(QStringLiteral("Vantor"), this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setFont(boldPixelFont(48, QStringLiteral("Times New Roman")));

    platformLabelGerman =
        namedLabel(this, QStringLiteral("platformLabelGerman"), QStringLiteral("für Linux-Desktops mit Qt 6"));
    platformLabelEnglish =
        namedLabel(this, QStringLiteral("platformLabelEnglish"), QStringLiteral("for Linux desktops with Qt 6"));
    for (QLabel* label : {platformLabelGerman, platformLabelEnglish})
        label->setFont(boldPixelFont(13));

    versionLabel = namedLabel(this, QStringLiteral("versionLabel"), QStringLiteral("Version 2.2"));
    versionLabel->setFont(boldPixelFont(19));
    releaseLabel = namedLabel(this, QStringLiteral("releaseLabel"), QStringLiteral("Release 2.2.6"));
    releaseLabel->setFont(boldPixelFont(13));

    distributorLabelGerman = namedLabel(this, QStringLiteral("distributorLabelGerman"),
                                        QStringLiteral("Vertrieb:\n"
                                                       "Das Vantor-Entwicklerteam\n"
                                                       "Weitergabe als Programm und Quelltext;\n"
                                                       "eine Postanschrift gibt es nicht."));
    distributorLabelEnglish = namedLabel(this, QStringLiteral("distributorLabelEnglish"),
                                         QStringLiteral("Distributor:\n"
                                                        "The Vantor development team\n"
                                                        "Passed on as program and source code;\n"
                                                        "there is no postal address."));
    disclaimerLabelGerman = namedLabel(this, QStringLiteral("disclaimerLabelGerman"),
                                       QStringLiteral("Alle Angaben ohne Gewähr. Maßgeblich sind allein\n"
                                                      "die veröffentlichten Turnierordnungen der Verbände."));
    disclaimerLabelEnglish = namedLabel(this, QStringLiteral("disclaimerLabelEnglish"),
                                        QStringLiteral("No warranty. Only the tournament rules as\n"
                                                       "published by the federations are binding."));
    toolsLabelGerman = namedLabel(this, QStringLiteral("toolsLabelGerman"),
                                  QStringLiteral("Entwickelt mit\n"
                                                 "C++ und Qt 6.\n"
                                                 "Qt: GNU LGPL Version 3"));
    toolsLabelEnglish = namedLabel(this, QStringLiteral("toolsLabelEnglish"),
                                   QStringLiteral("Developed with\n"
                                                  "C++ and Qt 6.\n"
                                                  "Qt: GNU LGPL version 3"));

    closeButton = new QPushButton(QStringLiteral("&Schließen"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &AboutDialog::closeClicked);
    layOut();

    setLanguage(Language::German);
}

// The texts in the desktop's font take the room they need; the dialog fits them.
void AboutDialog::layOut()
{
    QVBoxLayout* titles = column({titleLabel, platformLabelGerman, platformLabelEnglish});
    titles->addSpacing(16);
    for (QLabel* label : {versionLabel, releaseLabel})
        titles->addWidget(label, 0, Qt::AlignHCenter);
    titles->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(portrait, 0, Qt::AlignTop);
    top->addSpacing(24);
    top->addLayout(titles, 1);

    QVBoxLayout* disclaimer = column({disclaimerLabelGerman, disclaimerLabelEnglish});
    disclaimer->addStretch();
    QVBoxLayout* tools = column({toolsLabelGerman, toolsLabelEnglish, banner});
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(disclaimer, 1);
    bottom->addSpacing(16);
    bottom->addLayout(tools);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(8, 0, 8, 4);
    layout->addLayout(top);
    layout->addWidget(distributorLabelGerman);
    layout->addWidget(distributorLabelEnglish);
    layout->addLayout(bottom);
    layout->addWidget(closeButton, 0, Qt::AlignHCenter);
}

void AboutDialog::setLanguage(Language language)
{
    useLanguage(language);
    const bool english = language == Language::English;
    setWindowTitle(tr("über Vantor"));
    for (QLabel* label : {platformLabelGerman, distributorLabelGerman, disclaimerLabelGerman, toolsLabelGerman})
        label->setVisible(!english);
    for (QLabel* label : {platformLabelEnglish, distributorLabelEnglish, disclaimerLabelEnglish, toolsLabelEnglish})
        label->setVisible(english);
    closeButton->setText(tr("&Schließen"));
}

void AboutDialog::showCentered()
{
    centreOnScreen(*this);
    exec();
}

void AboutDialog::closeClicked()
{
    accept();
}
