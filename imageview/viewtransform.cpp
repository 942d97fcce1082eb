#include "viewtransform.h"

#include <algorithm>
#include <cmath>

CViewTransform::CViewTransform(double dZoom, double dDpr, QPoint ptOriginDevice)
    : m_dZoom(dZoom), m_dDpr(dDpr > 0 ? dDpr : 1.0), m_dDeviceScale(DeviceScaleFor(dZoom, m_dDpr)),
      m_ptOriginDevice(ptOriginDevice)
{
}

double CViewTransform::DeviceScaleFor(double dZoom, double dDpr)
{
    const double dScale = dZoom * dDpr;
    // Below 1:1 a pixel cannot cover whole device pixels anyway; the exact scale keeps the
    // whole image in view at Fit.
    return dZoom >= 1.0 ? std::max(1.0, std::round(dScale)) : dScale;
}

QPointF CViewTransform::GetOrigin() const
{
    return QPointF(m_ptOriginDevice) / m_dDpr;
}

QPointF CViewTransform::ImageToWidget(QPointF ptImage) const
{
    return (QPointF(m_ptOriginDevice) + ptImage * m_dDeviceScale) / m_dDpr;
}

QPointF CViewTransform::WidgetToImage(QPointF ptWidget) const
{
    return (ptWidget * m_dDpr - QPointF(m_ptOriginDevice)) / m_dDeviceScale;
}

QRectF CViewTransform::ImageToWidget(const QRect& rcImage) const
{
    return QRectF(
        ImageToWidget(QPointF(rcImage.topLeft())),
        ImageToWidget(QPointF(rcImage.topLeft() + QPoint(rcImage.width(), rcImage.height()))));
}

QPoint CViewTransform::ImagePixelAt(QPointF ptWidget) const
{
    const QPointF pt = WidgetToImage(ptWidget);
    return QPoint(static_cast<int>(std::floor(pt.x())), static_cast<int>(std::floor(pt.y())));
}

QPoint CViewTransform::NearestCorner(QPointF ptWidget) const
{
    const QPointF pt = WidgetToImage(ptWidget);
    return QPoint(static_cast<int>(std::lround(pt.x())), static_cast<int>(std::lround(pt.y())));
}

QRect CViewTransform::WidgetRect(const QRect& rcImage) const
{
    const QRectF rc = ImageToWidget(rcImage);
    const QPoint ptTopLeft(static_cast<int>(std::lround(rc.left())),
                           static_cast<int>(std::lround(rc.top())));
    const QPoint ptBottomRight(static_cast<int>(std::lround(rc.right())),
                               static_cast<int>(std::lround(rc.bottom())));
    return QRect(ptTopLeft,
                 QSize(ptBottomRight.x() - ptTopLeft.x(), ptBottomRight.y() - ptTopLeft.y()));
}

QRect CViewTransform::VisibleImageRect(const QRect& rcWidget) const
{
    const QPointF ptTopLeft = WidgetToImage(QPointF(rcWidget.topLeft()));
    const QPointF ptBottomRight =
        WidgetToImage(QPointF(rcWidget.topLeft() + QPoint(rcWidget.width(), rcWidget.height())));
    const QPoint ptFirst(static_cast<int>(std::floor(ptTopLeft.x())),
                         static_cast<int>(std::floor(ptTopLeft.y())));
    const QPoint ptEnd(static_cast<int>(std::ceil(ptBottomRight.x())),
                       static_cast<int>(std::ceil(ptBottomRight.y())));
    return QRect(ptFirst, QSize(ptEnd.x() - ptFirst.x(), ptEnd.y() - ptFirst.y()));
}

QSize CViewTransform::DeviceSize(QSize sizeImage) const
{
    return QSize(static_cast<int>(std::ceil(sizeImage.width() * m_dDeviceScale)),
                 static_cast<int>(std::ceil(sizeImage.height() * m_dDeviceScale)));
}
