#include "metrics.h"

#include <QApplication>
#include <QStyle>

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXHTHUMB:
    case SM_CYVTHUMB:
        return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    default:
        return 0;
    }
}
