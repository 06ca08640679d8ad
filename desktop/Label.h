#pragma once

#include <QLabel>

// A text label on a transparent background, sized to its text, growing to the right
// of its left edge. Its caption is always plain text, never markup.
class TLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TLabel(QWidget* Parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& Caption);
    void SetFont(const QFont& Font, const QColor& Colour);
};
