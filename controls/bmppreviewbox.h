#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QString>

// The bitmap open dialog's preview box: a sunken push button showing one picture scaled to fit,
// a short note in its place, or nothing.
class CBmpPreviewBox : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CBmpPreviewBox(QWidget* pParent = nullptr);

    // A null image empties the box.
    void SetBitmap(const QImage& image);
    const QImage& Bitmap() const { return m_bitmap; }
    // Shown, centred, while the box holds no picture; an empty note shows nothing.
    void SetNote(const QString& strNote);
    const QString& Note() const { return m_strNote; }
    // The area inside the sunken edge that the picture is fitted to.
    QRect ItemRect() const;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void Describe();

    QImage m_bitmap;
    QString m_strNote;
};
