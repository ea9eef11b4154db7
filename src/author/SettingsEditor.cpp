#include "author/SettingsEditor.h"

#include "author/TextContrast.h"
#include "author/WheelNeedsFocus.h"
#include "check/CheckText.h"
#include "platform/BasicNumber.h"
#include "ui/BgrColor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace quorix::author {
namespace {

// The number the presenter reads from a value, as a whole number; no value when it cannot store
// it (it then takes its default).
std::optional<std::int32_t> WholeNumber(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return platform::ReadInt32(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString ColourText(std::int32_t colour) {
    return QString::fromStdString(check::ColorText(colour));
}

void PaintSwatch(QPushButton& button, std::int32_t colour) {
    const QColor shown = ui::ColorFromBgr(colour);
    // "&" would mark a shortcut letter in a button's text.
    button.setText(ColourText(colour).replace(u'&', QStringLiteral("&&")));
    button.setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; }")
                             .arg(shown.name(), shown.lightness() > 128 ? "black" : "white"));
}

} // namespace

SettingsEditor::SettingsEditor(std::function<std::optional<QColor>(const QColor&)> chooseColour,
                               QWidget* parent)
    : QWidget(parent), chooseColour_(std::move(chooseColour)) {
    auto* grid = new QGridLayout(this);
    const std::vector<SettingKey> keys = SettingKeys();
    rows_.reserve(keys.size());
    int line = 0;
    for (const SettingKey& key : keys) {
        Row& row = rows_.emplace_back();
        row.key = key;
        row.name = new QLabel(this);
        QWidget* control = nullptr;
        switch (key.kind) {
        case SettingKey::Kind::Choice:
            row.choice = new QComboBox(this);
            // Long meanings must not widen the page past its view.
            row.choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            row.choice->setMinimumContentsLength(14);
            for (const SettingKey::Choice& choice : key.choices) {
                row.choice->addItem(QStringLiteral("%1: %2").arg(choice.value).arg(choice.meaning),
                                    choice.value);
            }
            WheelNeedsFocus(*row.choice);
            control = row.choice;
            break;
        case SettingKey::Kind::Number:
            row.number = new QSpinBox(this);
            row.number->setRange(key.minimum, key.maximum);
            if (!key.unit.isEmpty()) {
                row.number->setSuffix(u' ' + key.unit);
            }
            WheelNeedsFocus(*row.number);
            control = row.number;
            break;
        case SettingKey::Kind::Colour:
            row.colour = new QPushButton(this);
            control = row.colour;
            break;
        }
        control->setObjectName(key.key);
        control->setToolTip(key.meaning);
        row.reset = new QPushButton(QStringLiteral("Default"), this);
        row.reset->setToolTip(QStringLiteral("Take the key out of quorix.ini: the presenter then "
                                             "uses its default"));
        auto* meaning = new QLabel(key.meaning, this);
        meaning->setWordWrap(true);
        meaning->setStyleSheet(QStringLiteral("color: %1;").arg(HelpTextColour(palette()).name()));
        row.note = new QLabel(this);
        row.note->setWordWrap(true);
        row.note->hide();

        grid->addWidget(row.name, line, 0);
        grid->addWidget(control, line, 1);
        grid->addWidget(row.reset, line, 2);
        if (key.derivedWhenZero) {
            row.derived = new QCheckBox(QStringLiteral("derived from the font colour"), this);
            grid->addWidget(row.derived, ++line, 1, 1, 2);
        }
        grid->addWidget(meaning, ++line, 0, 1, 3);
        grid->addWidget(row.note, ++line, 0, 1, 3);
        ++line;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(line, 1);

    // Connected once every row exists: the vector no longer moves.
    for (Row& row : rows_) {
        const QString section = row.key.section;
        const QString key = row.key.key;
        if (row.choice != nullptr) {
            connect(row.choice, &QComboBox::activated, this, [this, &row, section, key] {
                emit valueEdited(section, key, row.choice->currentData().toString());
            });
        }
        if (row.number != nullptr) {
            connect(row.number, &QSpinBox::valueChanged, this, [this, section, key](int value) {
                if (!showing_) {
                    emit valueEdited(section, key, QString::number(value));
                }
            });
        }
        if (row.colour != nullptr) {
            connect(row.colour, &QPushButton::clicked, this, [this, &row] { pickColour(row); });
        }
        if (row.derived != nullptr) {
            connect(row.derived, &QCheckBox::clicked, this, [this, &row, section, key](bool on) {
                emit valueEdited(section, key,
                                 on ? QStringLiteral("0") : ColourText(row.key.presenterDefault));
            });
        }
        connect(row.reset, &QPushButton::clicked, this,
                [this, section, key] { emit valueEdited(section, key, QString()); });
    }
}

void SettingsEditor::showDocument(const IniDocument& document) {
    showing_ = true;
    for (Row& row : rows_) {
        showValue(row, document.value(row.key.section, row.key.key));
    }
    showing_ = false;
}

void SettingsEditor::showValue(Row& row, std::optional<QString> text) {
    std::optional<std::int32_t> number;
    if (text) {
        number = WholeNumber(*text);
    }
    const bool present = text.has_value();
    const std::int32_t value = number.value_or(row.key.presenterDefault);
    row.reset->setEnabled(present);
    QString state;
    if (!present) {
        state = QStringLiteral(" <i>(default)</i>");
    } else if (!number) {
        state = QStringLiteral(" <i>(\"%1\" unreadable: default)</i>").arg(text->toHtmlEscaped());
    }
    row.name->setText(QStringLiteral("<b>%1</b>%2<br><small>[%3] %4</small>")
                          .arg(row.key.label, state, row.key.section, row.key.key));
    if (row.choice != nullptr) {
        int index = row.choice->findData(value);
        if (index < 0) {
            // A value none of the choices names: shown as it stands, with what it does unsaid.
            row.choice->addItem(QString::number(value), value);
            index = row.choice->count() - 1;
        }
        row.choice->setCurrentIndex(index);
    }
    if (row.number != nullptr) {
        row.number->setValue(value);
    }
    if (row.colour != nullptr) {
        row.colourValue = value;
        const bool derived = row.derived != nullptr && present && number && value == 0;
        if (row.derived != nullptr) {
            row.derived->setChecked(derived);
        }
        row.colour->setEnabled(!derived);
        PaintSwatch(*row.colour, value);
    }
}

void SettingsEditor::pickColour(Row& row) {
    if (!chooseColour_) {
        return;
    }
    if (const auto colour = chooseColour_(ui::ColorFromBgr(row.colourValue))) {
        emit valueEdited(row.key.section, row.key.key, ColourText(ui::BgrFromColor(*colour)));
    }
}

const SettingsEditor::Row* SettingsEditor::find(const QString& key) const {
    for (const Row& row : rows_) {
        if (row.key.key == key) {
            return &row;
        }
    }
    return nullptr;
}

QWidget* SettingsEditor::control(const QString& key) const {
    const Row* row = find(key);
    if (row == nullptr) {
        return nullptr;
    }
    if (row->choice != nullptr) {
        return row->choice;
    }
    if (row->number != nullptr) {
        return static_cast<QWidget*>(row->number);
    }
    return row->colour;
}

void SettingsEditor::setNote(const QString& key, const QString& text) {
    for (Row& row : rows_) {
        if (row.key.key == key) {
            row.note->setText(text);
            row.note->setVisible(!text.isEmpty());
        }
    }
}

QString SettingsEditor::note(const QString& key) const {
    const Row* row = find(key);
    return row == nullptr ? QString() : row->note->text();
}

QPushButton* SettingsEditor::defaultButton(const QString& key) const {
    const Row* row = find(key);
    return row == nullptr ? nullptr : row->reset;
}

} // namespace quorix::author
