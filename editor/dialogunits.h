#pragma once

#include <QFontMetrics>
#include <QObject>
#include <QString>

// Dialog units of a font, as the original templates measure their controls.
struct DialogUnits
{
    explicit DialogUnits(const QFontMetrics& metrics)
        : nBaseX(metrics.horizontalAdvance(
                     QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                 52),
          nBaseY(metrics.height())
    {
    }
    int X(int nUnits) const { return nUnits * nBaseX / 4; }
    int Y(int nUnits) const { return nUnits * nBaseY / 8; }

    int nBaseX;
    int nBaseY;
};

// Each widget and action carries its control or command id as its objectName.
inline void SetId(QObject& object, int nId)
{
    object.setObjectName(QString::number(nId));
}
