#pragma once

#include <QAccessibleWidget>

class CSkinImageView;

// What a screen reader sees of the image view: a canvas named "Image view", described by the
// component and rectangle it shows (its owner says which).
class CSkinImageViewAccessible : public QAccessibleWidget
{
public:
    explicit CSkinImageViewAccessible(CSkinImageView* pView);
    ~CSkinImageViewAccessible() override = default;
    CSkinImageViewAccessible(const CSkinImageViewAccessible&) = delete;
    CSkinImageViewAccessible& operator=(const CSkinImageViewAccessible&) = delete;

    QString text(QAccessible::Text t) const override;
};

// Makes Qt's accessibility use CSkinImageViewAccessible for every image view; once is enough.
void InstallSkinImageViewAccessibility();
