#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QTextLayout>

#include <memory>

class QColor;
class QPainter;
class QRect;

// A sample text laid out once for the size of its area, so that a paint only draws it.
class CTextSample
{
public:
    enum class Format
    {
        // One line, left and top aligned, cut with "..." when it does not fit.
        EndEllipsis,
        // Wrapped at word boundaries (inside a word too long for a line); a line that would show
        // only partly is left out.
        WordBreak,
    };

    CTextSample() = default;
    CTextSample(const QString& text, QSize sizeArea, const QFont& font, Format format);

    // Draws inside rcArea only; nothing when there is no text.
    void Draw(QPainter& painter, const QRect& rcArea, const QColor& colour) const;

private:
    std::shared_ptr<const QTextLayout> m_pLayout; // shared: a laid-out text never changes
    int m_nLines = 0;                             // lines that fit wholly
};
