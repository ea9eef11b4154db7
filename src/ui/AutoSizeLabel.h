#pragma once

#include "ui/PointerControl.h"

#include <QString>
#include <QWidget>
#include <cstdint>

namespace quorix::ui {

// A label as the window designs use it: one line of plain text on a transparent background that
// sizes itself to its caption and font (left and top stay where they are), with its text colour
// as &H00BBGGRR and its font as face, size in points and bold/italic flags. The text is drawn as
// it stands: no markup and no mnemonic characters.
class AutoSizeLabel : public PointerControl {
    Q_OBJECT

public:
    explicit AutoSizeLabel(QWidget* parent);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    std::int32_t foreColor() const { return foreColor_; }
    void setForeColor(std::int32_t bgr);

    QString fontName() const { return fontName_; }
    void setFontName(const QString& face);
    // The size is realised in whole pixels of the label's screen and read back as realised
    // (setting 10 gives 9.75 at 96 DPI). Sizes that are not positive give the smallest font.
    float fontSize() const;
    void setFontSize(float points);
    bool fontBold() const { return bold_; }
    void setFontBold(bool bold);
    bool fontItalic() const { return italic_; }
    void setFontItalic(bool italic);

    // A new, hidden label of the same parent that is a copy of this one as it stands: caption,
    // font, colour, position, pointer, mouse tracking. The parent owns it.
    AutoSizeLabel* makeHiddenCopy() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refit();

    QString caption_;
    std::int32_t foreColor_ = 0;
    QString fontName_;
    int pixelSize_ = 11;
    bool bold_ = false;
    bool italic_ = false;
};

} // namespace quorix::ui
