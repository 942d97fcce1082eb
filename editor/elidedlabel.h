#pragma once

#include <QLabel>

// A one-line label that ends its text with an ellipsis where it does not fit, instead of
// widening the window; text() stays whole.
class CElidedLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};
