#include "app/FrmInfo.h"
#include "app/FrmIndividualHelp.h"
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

TFrmInfo::TFrmInfo(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmInfo"));
    setWindowTitle(QStringLiteral("über Vantor"));
    setFixedSize(539, 374);
    InitPictures();
    setWindowIcon(QIcon(LogoPicture));

    Image1 = new SvgPicture(AboutPortraitPicture, this);
    Image1->setGeometry(16, 0, 147, 201);
    Image2 = new SvgPicture(AboutBannerPicture, this);
    // Kept inside the client area, which ends 155 pixels right of it.
    Image2->setGeometry(384, 328, 150, 44);

    LMDSimpleLabel1 = new SunkenLabel(QStringLiteral("Vantor"), this);
    LMDSimpleLabel1->setObjectName(QStringLiteral("LMDSimpleLabel1"));
    LMDSimpleLabel1->setFont(boldPixelFont(48, QStringLiteral("Times New Roman")));
    LMDSimpleLabel1->move(192, 24);
    LMDSimpleLabel1->adjustSize();

    label1_de = placedLabel(this, QStringLiteral("label1_de"), QStringLiteral("für Windows 98/ME/NT/2000/XP/Vista/7"),
                            {192, 96});
    label1_en = placedLabel(this, QStringLiteral("label1_en"), QStringLiteral("for Windows 98/ME/NT/2000/XP/Vista/7"),
                            {192, 96});
    for (QLabel* label : {label1_de, label1_en}) {
        label->setFont(boldPixelFont(13));
        label->adjustSize();
    }

    LMDSimpleLabel3 = placedLabel(this, QStringLiteral("LMDSimpleLabel3"), QStringLiteral("Version 2.2"), {248, 128});
    LMDSimpleLabel3->setFont(boldPixelFont(19));
    LMDSimpleLabel3->adjustSize();
    LMDSimpleLabel7 = placedLabel(this, QStringLiteral("LMDSimpleLabel7"), QStringLiteral("Release 2.2.6"), {248, 152});
    LMDSimpleLabel7->setFont(boldPixelFont(13));
    LMDSimpleLabel7->setAlignment(Qt::AlignHCenter);
    LMDSimpleLabel7->setFixedWidth(105);

    label2_de = placedLabel(this, QStringLiteral("label2_de"),
                            QStringLiteral("Vertrieb:\n"
                                           "Das Vantor-Entwicklerteam\n"
                                           "Weitergabe als Programm und Quelltext;\n"
                                           "eine Postanschrift gibt es nicht."),
                            {8, 208});
    label2_en = placedLabel(this, QStringLiteral("label2_en"),
                            QStringLiteral("Distributor:\n"
                                           "The Vantor development team\n"
                                           "Passed on as program and source code;\n"
                                           "there is no postal address."),
                            {8, 208});
    label3_de = placedLabel(this, QStringLiteral("label3_de"),
                            QStringLiteral("Alle Angaben ohne Gewähr. Maßgeblich sind allein\n"
                                           "die veröffentlichten Turnierordnungen der Verbände."),
                            {8, 312});
    label3_en = placedLabel(this, QStringLiteral("label3_en"),
                            QStringLiteral("No warranty. Only the tournament rules as\n"
                                           "published by the federations are binding."),
                            {8, 312});
    label4_de = placedLabel(this, QStringLiteral("label4_de"),
                            QStringLiteral("Entwickelt mit\n"
                                           "C++ und Qt 6.\n"
                                           "Qt: GNU LGPL Version 3"),
                            {384, 288});
    label4_en = placedLabel(this, QStringLiteral("label4_en"),
                            QStringLiteral("Developed with\n"
                                           "C++ and Qt 6.\n"
                                           "Qt: GNU LGPL version 3"),
                            {384, 288});

    BT_close = new QPushButton(QStringLiteral("&Schließen"), this);
    BT_close->setObjectName(QStringLiteral("BT_close"));
    BT_close->setGeometry(224, 344, 113, 25);
    BT_close->setDefault(true);
    connect(BT_close, &QPushButton::clicked, this, &TFrmInfo::BT_closeClick);

    SetLanguage(Language::German);
}

void TFrmInfo::SetLanguage(Language language)
{
    UseLanguage(language);
    const bool english = language == Language::English;
    setWindowTitle(tr("über Vantor"));
    for (QLabel* label : {label1_de, label2_de, label3_de, label4_de})
        label->setVisible(!english);
    for (QLabel* label : {label1_en, label2_en, label3_en, label4_en})
        label->setVisible(english);
    BT_close->setText(tr("&Schließen"));
}

void TFrmInfo::ShowCentered()
{
    CentreOnScreen(*this);
    exec();
}

void TFrmInfo::BT_closeClick()
{
    accept();
}
