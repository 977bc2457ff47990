#include "widgets/Pictures.h"
#include <QPainter>
#include <QSvgRenderer>

// Q_INIT_RESOURCE must stand outside any namespace.
static void registerPictureResource()
{
    Q_INIT_RESOURCE(pictures);
}

void initPictures()
{
    static const bool registered = (registerPictureResource(), true);
    Q_UNUSED(registered);
}

QString selectorPicture(int section, int item)
{
    return QStringLiteral(":/pictures/selector_%1_%2.svg").arg(section).arg(item);
}

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent)
{
    initPictures();
    renderer_ = new QSvgRenderer(resource, this);
    setAttribute(Qt::WA_TranslucentBackground);
}

bool SvgPicture::isValid() const
{
    return renderer_->isValid();
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    renderer_->render(&painter, QRectF(rect()));
}
