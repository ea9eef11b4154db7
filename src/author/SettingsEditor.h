#pragma once

#include "author/IniDocument.h"
#include "author/SettingKeys.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quorix::author {

// The keys of [settings] and [font], one row each: its name, a control for its value, a button
// that takes the key out (the presenter's default applies) and its meaning in words. Changes are
// reported as the text the key should hold; the window writes it.
class SettingsEditor : public QWidget {
    Q_OBJECT

public:
    // chooseColour asks the user for a colour (the window's dialogs).
    explicit SettingsEditor(std::function<std::optional<QColor>(const QColor&)> chooseColour,
                            QWidget* parent = nullptr);

    // Shows the values the document holds; reports nothing.
    void showDocument(const IniDocument& document);

    // The control of a key, for tests: a QComboBox, a QSpinBox or a QPushButton (colours).
    QWidget* control(const QString& key) const;
    QPushButton* defaultButton(const QString& key) const;

    // A line under a key's meaning on what its value does now; an empty text takes it away.
    void setNote(const QString& key, const QString& text);
    QString note(const QString& key) const;

signals:
    // The key should hold this text; an empty text: the key should go.
    void valueEdited(const QString& section, const QString& key, const QString& text);

private:
    struct Row {
        SettingKey key;
        QComboBox* choice = nullptr;
        QSpinBox* number = nullptr;
        QPushButton* colour = nullptr;
        QCheckBox* derived = nullptr; // highlight colour only: 0, derived from the font colour
        QPushButton* reset = nullptr;
        QLabel* name = nullptr; // with the state of the value: default, unreadable
        QLabel* note = nullptr;
        std::int32_t colourValue = 0;
    };

    void showValue(Row& row, std::optional<QString> text);
    void pickColour(Row& row);
    const Row* find(const QString& key) const;

    std::function<std::optional<QColor>(const QColor&)> chooseColour_;
    std::vector<Row> rows_;
    bool showing_ = false;
};

} // namespace quorix::author
