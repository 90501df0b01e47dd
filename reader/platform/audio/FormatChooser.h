#pragma once

#include "WaveFormat.h"

#include <QDialog>

class QComboBox;

namespace audio {

// Picks a wave format: first the format tag, then its attributes.
class FormatChooser : public QDialog {
    Q_OBJECT
public:
    FormatChooser(const WaveFormat& current, const QString& title, QWidget* parent = nullptr);

    WaveFormat format() const;
    // Selects the format if the chooser offers it; returns whether it does.
    bool setFormat(const WaveFormat& format);

    QComboBox* cbTag;
    QComboBox* cbAttributes;

private:
    void fillAttributes();
};

} // namespace audio
