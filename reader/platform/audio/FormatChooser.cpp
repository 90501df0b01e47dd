#include "FormatChooser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace audio {

namespace {

QString tagName(std::uint16_t tag) {
    WaveFormat format;
    format.tag = tag;
    return format.name();
}

} // namespace

FormatChooser::FormatChooser(const WaveFormat& current, const QString& title, QWidget* parent)
    : QDialog(parent), cbTag(new QComboBox(this)), cbAttributes(new QComboBox(this)) {
    setWindowTitle(title);
    auto* form = new QFormLayout(this);
    auto* tagLabel = new QLabel(QStringLiteral("格式(&F):"), this);
    auto* attributeLabel = new QLabel(QStringLiteral("属性(&A):"), this);
    tagLabel->setBuddy(cbTag);
    attributeLabel->setBuddy(cbAttributes);
    form->addRow(tagLabel, cbTag);
    form->addRow(attributeLabel, cbAttributes);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (auto tag : chooserTags())
        cbTag->addItem(tagName(tag), tag);
    connect(cbTag, &QComboBox::currentIndexChanged, this, &FormatChooser::fillAttributes);
    fillAttributes();
    setFormat(current);
}

void FormatChooser::fillAttributes() {
    cbAttributes->clear();
    const auto tag = static_cast<std::uint16_t>(cbTag->currentData().toUInt());
    for (const WaveFormat& format : chooserFormats(tag))
        cbAttributes->addItem(format.details());
}

WaveFormat FormatChooser::format() const {
    const auto formats = chooserFormats(static_cast<std::uint16_t>(cbTag->currentData().toUInt()));
    const int index = cbAttributes->currentIndex();
    return index >= 0 && index < formats.size() ? formats[index] : WaveFormat();
}

bool FormatChooser::setFormat(const WaveFormat& format) {
    const int tagIndex = cbTag->findData(format.tag);
    if (tagIndex < 0)
        return false;
    cbTag->setCurrentIndex(tagIndex);
    const int index = static_cast<int>(chooserFormats(format.tag).indexOf(format));
    if (index < 0)
        return false;
    cbAttributes->setCurrentIndex(index);
    return true;
}

} // namespace audio
