#pragma once

#include <QLabel>

// A text label on a transparent background, sized to its text, growing to the right
// of its left edge. Its caption is always plain text, never markup.
// Measuring text loads its font, which takes longer than anything else in building a
// window: a label not on the screen is measured when it shows, or when Measure is called.
class TLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TLabel(QWidget* Parent = nullptr);

    void SetCaption(const QString& Caption);
    void SetFont(const QFont& Font, const QColor& Colour);
    void Measure();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Fit();
    bool Unmeasured = false;
};
