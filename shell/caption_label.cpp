#include "caption_label.h"

#include <QPainter>
#include <QStyle>

namespace tallimo {

void CaptionLabel::paintEvent(QPaintEvent* event) {
    const QFontMetrics metrics(font());
    const QRect area = contentsRect();
    if (wordWrap() || text().isEmpty() || metrics.height() <= area.height()) {
        QLabel::paintEvent(event);
        return;
    }
    const QRect ink = metrics.tightBoundingRect(text());
    const int baseline = area.top() + (area.height() - ink.height()) / 2 - ink.top();
    const QRect line(area.left(), baseline - metrics.ascent(), area.width(), metrics.height());
    QPainter painter(this);
    style()->drawItemText(&painter, line,
                          static_cast<int>((alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop),
                          palette(), isEnabled(), text(), foregroundRole());
}

}  // namespace tallimo
