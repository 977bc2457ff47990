#include "app/AboutDialog.h"
#include "app/HelpWindow.h"
#include "widgets/Pictures.h"
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

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

QLabel* placedLabel(QWidget* parent, const QString& name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("über Vantor"));
    setFixedSize(539, 374);
    initPictures();
    setWindowIcon(QIcon(LogoPicture));

    portrait = new SvgPicture(AboutPortraitPicture, this);
    portrait->setGeometry(16, 0, 147, 201);
    banner = new SvgPicture(AboutBannerPicture, this);
    // Kept inside the client area, which ends 155 pixels right of it.
    banner->setGeometry(384, 328, 150, 44);

    titleLabel = new SunkenLabel(QStringLiteral("Vantor"), this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setFont(boldPixelFont(48, QStringLiteral("Times New Roman")));
    titleLabel->move(192, 24);
    titleLabel->adjustSize();

    platformLabelGerman = placedLabel(this, QStringLiteral("platformLabelGerman"),
                                      QStringLiteral("für Linux-Desktops mit Qt 6"), {192, 96});
    platformLabelEnglish = placedLabel(this, QStringLiteral("platformLabelEnglish"),
                                       QStringLiteral("for Linux desktops with Qt 6"), {192, 96});
    for (QLabel* label : {platformLabelGerman, platformLabelEnglish}) {
        label->setFont(boldPixelFont(13));
        label->adjustSize();
    }

    versionLabel = placedLabel(this, QStringLiteral("versionLabel"), QStringLiteral("Version 2.2"), {248, 128});
    versionLabel->setFont(boldPixelFont(19));
    versionLabel->adjustSize();
    releaseLabel = placedLabel(this, QStringLiteral("releaseLabel"), QStringLiteral("Release 2.2.6"), {248, 152});
    releaseLabel->setFont(boldPixelFont(13));
    releaseLabel->setAlignment(Qt::AlignHCenter);
    releaseLabel->setFixedWidth(105);

    distributorLabelGerman = placedLabel(this, QStringLiteral("distributorLabelGerman"),
                                         QStringLiteral("Vertrieb:\n"
                                                        "Das Vantor-Entwicklerteam\n"
                                                        "Weitergabe als Programm und Quelltext;\n"
                                                        "eine Postanschrift gibt es nicht."),
                                         {8, 208});
    distributorLabelEnglish = placedLabel(this, QStringLiteral("distributorLabelEnglish"),
                                          QStringLiteral("Distributor:\n"
                                                         "The Vantor development team\n"
                                                         "Passed on as program and source code;\n"
                                                         "there is no postal address."),
                                          {8, 208});
    disclaimerLabelGerman = placedLabel(this, QStringLiteral("disclaimerLabelGerman"),
                                        QStringLiteral("Alle Angaben ohne Gewähr. Maßgeblich sind allein\n"
                                                       "die veröffentlichten Turnierordnungen der Verbände."),
                                        {8, 312});
    disclaimerLabelEnglish = placedLabel(this, QStringLiteral("disclaimerLabelEnglish"),
                                         QStringLiteral("No warranty. Only the tournament rules as\n"
                                                        "published by the federations are binding."),
                                         {8, 312});
    toolsLabelGerman = placedLabel(this, QStringLiteral("toolsLabelGerman"),
                                   QStringLiteral("Entwickelt mit\n"
                                                  "C++ und Qt 6.\n"
                                                  "Qt: GNU LGPL Version 3"),
                                   {384, 288});
    toolsLabelEnglish = placedLabel(this, QStringLiteral("toolsLabelEnglish"),
                                    QStringLiteral("Developed with\n"
                                                   "C++ and Qt 6.\n"
                                                   "Qt: GNU LGPL version 3"),
                                    {384, 288});

    closeButton = new QPushButton(QStringLiteral("&Schließen"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setGeometry(224, 344, 113, 25);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &AboutDialog::closeClicked);

    setLanguage(Language::German);
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
