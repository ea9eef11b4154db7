#include "author/PreviewPanel.h"

#include "author/PreviewMarks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace quorix::author {

PreviewPanel::PreviewPanel(QWidget* parent) : QWidget(parent) {
    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("screenSize"));
    for (const QSize size : {QSize(1024, 768), QSize(1280, 720), QSize(1920, 1080), QSize(800, 600),
                             QSize(1280, 1024), QSize(1366, 768)}) {
        size_->addItem(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()), size);
    }
    aspect_ = new QCheckBox(QStringLiteral("16:9 and 4:3 areas"), this);
    overscan_ = new QCheckBox(QStringLiteral("Overscan"), this);
    overscan_->setToolTip(QStringLiteral("Marks the part of a clip's picture that the overscan "
                                         "setting pushes past the area's edges"));
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("preview"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(320, 180);
    picture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    legend_ = new QLabel(this);
    legend_->setObjectName(QStringLiteral("legend"));
    legend_->setWordWrap(true);
    legend_->hide();
    problems_ = new QListWidget(this);
    problems_->setObjectName(QStringLiteral("problems"));
    problems_->setWordWrap(true);

    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel(QStringLiteral("Screen:"), this));
    options->addWidget(size_);
    options->addWidget(aspect_);
    options->addWidget(overscan_);
    options->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(legend_);
    layout->addWidget(picture_, 3);
    layout->addWidget(new QLabel(QStringLiteral("Problems the disc check finds:"), this));
    layout->addWidget(problems_, 1);

    connect(size_, &QComboBox::currentIndexChanged, this, &PreviewPanel::optionsChanged);
    for (QCheckBox* guide : {aspect_, overscan_}) {
        connect(guide, &QCheckBox::toggled, this, [this] {
            showLegend();
            emit optionsChanged();
        });
    }
}

QSize PreviewPanel::screenSize() const {
    return size_->currentData().toSize();
}

bool PreviewPanel::aspectGuides() const {
    return aspect_->isChecked();
}

bool PreviewPanel::overscanGuide() const {
    return overscan_->isChecked();
}

void PreviewPanel::showPicture(const QImage& picture, const QString& note) {
    shown_ = picture;
    note_ = note;
    fitPicture();
}

void PreviewPanel::showLegend() {
    const auto line = [](QRgb colour, const char* pattern, const QString& meaning) {
        return QStringLiteral("<span style=\"color:%1; background-color:black\">&nbsp;%2&nbsp;"
                              "</span>&nbsp;%3")
            .arg(QColor(colour).name(), QLatin1String(pattern), meaning);
    };
    QStringList lines;
    if (aspect_->isChecked()) {
        lines.push_back(line(WideGuideColour, "- - -",
                             QStringLiteral("where a 16:9 picture lies on this screen")));
        lines.push_back(line(NarrowGuideColour, "- - -",
                             QStringLiteral("where a 4:3 picture lies on this screen")));
    }
    if (overscan_->isChecked()) {
        lines.push_back(line(OverscanGuideColour, "&middot; &middot; &middot;",
                             QStringLiteral("overscan: the part of a clip's picture outside "
                                            "this line is pushed past the area's edges")));
    }
    legend_->setText(lines.join(QStringLiteral("<br>")));
    legend_->setVisible(!lines.isEmpty());
}

void PreviewPanel::showProblems(const QStringList& problems) {
    problems_->clear();
    if (problems.isEmpty()) {
        problems_->addItem(QStringLiteral("none: the disc is sound"));
        return;
    }
    problems_->addItems(problems);
}

void PreviewPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitPicture();
}

void PreviewPanel::fitPicture() {
    if (shown_.isNull()) {
        picture_->clear();
        return;
    }
    QImage fitted = shown_.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_RGB32);
    if (!note_.isEmpty()) {
        QPainter painter(&fitted);
        const QRect box = fitted.rect().adjusted(12, 12, -12, -12);
        painter.fillRect(box, QColor(0, 0, 0, 200));
        painter.setPen(Qt::white);
        painter.setFont(font());
        painter.drawText(box.adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap, note_);
    }
    picture_->setPixmap(QPixmap::fromImage(fitted));
}

} // namespace quorix::author
