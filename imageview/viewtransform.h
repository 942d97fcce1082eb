#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

// A zoom as a fraction: an image pixel spans num / den logical pixels.
struct ZoomStep
{
    int num = 1;
    int den = 1;

    constexpr double Value() const { return static_cast<double>(num) / den; }
};

// Where the image lies in the widget: a zoom, a device pixel ratio and the widget position of
// the image's top-left corner. From 1:1 up, an image pixel covers a whole square of device
// pixels: the device scale is rounded to an integer and the logical scale derived from it, so
// pixel edges never fall between device pixels.
class CViewTransform
{
public:
    CViewTransform() = default;
    // ptOriginDevice: the image's top-left corner, in device pixels of the widget.
    CViewTransform(double dZoom, double dDpr, QPoint ptOriginDevice);

    static double DeviceScaleFor(double dZoom, double dDpr);

    double GetZoom() const { return m_dZoom; }
    double GetDpr() const { return m_dDpr; }
    double GetDeviceScale() const { return m_dDeviceScale; }
    // Logical widget pixels per image pixel.
    double GetScale() const { return m_dDeviceScale / m_dDpr; }
    QPoint GetOriginDevice() const { return m_ptOriginDevice; }
    QPointF GetOrigin() const;

    QPointF ImageToWidget(QPointF ptImage) const;
    QPointF WidgetToImage(QPointF ptWidget) const;
    QRectF ImageToWidget(const QRect& rcImage) const;
    // The image pixel a widget point falls in.
    QPoint ImagePixelAt(QPointF ptWidget) const;
    // The image pixel corner nearest a widget point.
    QPoint NearestCorner(QPointF ptWidget) const;
    // A widget rectangle in whole logical pixels covering rcImage.
    QRect WidgetRect(const QRect& rcImage) const;
    // The image pixels any part of which shows in rcWidget.
    QRect VisibleImageRect(const QRect& rcWidget) const;
    // The image's size in device pixels.
    QSize DeviceSize(QSize sizeImage) const;

private:
    double m_dZoom = 1.0;
    double m_dDpr = 1.0;
    double m_dDeviceScale = 1.0;
    QPoint m_ptOriginDevice;
};
