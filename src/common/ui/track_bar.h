#pragma once

#include <QSlider>
#include <QTimer>

namespace brivo::ui {

// A horizontal track bar, ticks below every 10 positions, page step 10.
// `moved` is emitted only when the user moves it (mouse or keyboard);
// setPosition, for the program, emits nothing.
class TrackBar : public QSlider {
    Q_OBJECT
public:
    static constexpr int kValueAfterFocusMs = 100;

    TrackBar(int minimum, int maximum, int position, QWidget* parent = nullptr);

    void setPosition(int position);

    // The value as its caption gives it ("795 Hz"), for screen readers in
    // place of the bare position. A new value text is announced while the
    // bar has the focus, and so is the value when the keyboard brings the
    // focus to the bar.
    void setValueText(const QString& text);
    const QString& valueText() const { return valueText_; }

Q_SIGNALS:
    void moved();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    QString valueText_;
    QTimer valueAfterFocus_;
};

} // namespace brivo::ui
