#pragma once
// A field of the status bar that shows one line of text, cut with "…" where
// it does not fit, in a width of its own: a new text repaints the field and
// never lays out the bar again, so the read-out can follow every movement of
// the pointer, and a long hint can never run under the read-out.
#include <QWidget>

namespace orvanta {

class StatusField final : public QWidget {
public:
    // wantedCharacters: the width it asks for, in digits; 0 takes what is left.
    StatusField(QWidget* parent, int wantedCharacters);
    void SetText(const QString& text);
    const QString& Text() const { return text_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    int wantedCharacters_;
};

}  // namespace orvanta
