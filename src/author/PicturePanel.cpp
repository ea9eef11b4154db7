#include "author/PicturePanel.h"

#include "author/DiscPictures.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

namespace quorix::author {
namespace {

constexpr QSize ViewSize(128, 96);

} // namespace

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    int line = 0;
    for (const DiscPicture& picture : DiscPictures()) {
        Row& row = rows_.emplace_back();
        row.view = new QLabel(this);
        row.view->setFixedSize(ViewSize);
        row.view->setAlignment(Qt::AlignCenter);
        row.view->setFrameShape(QFrame::StyledPanel);
        row.state = new QLabel(this);
        row.state->setWordWrap(true);
        row.choose = new QPushButton(QStringLiteral("Choose picture…"), this);
        row.choose->setToolTip(QStringLiteral("Any picture file: it is converted and written "
                                              "into the media folder as %1")
                                   .arg(QLatin1String(picture.fileName)));
        const std::size_t index = rows_.size() - 1;
        connect(row.choose, &QPushButton::clicked, this,
                [this, index] { emit chooseRequested(index); });
        auto* use = new QLabel(QString::fromUtf8(picture.use), this);
        use->setWordWrap(true);
        grid->addWidget(
            new QLabel(QStringLiteral("<b>%1</b> (%2)")
                           .arg(QLatin1String(picture.label), QLatin1String(picture.fileName)),
                       this),
            line, 0, 1, 3);
        grid->addWidget(row.view, line + 1, 0, 2, 1);
        grid->addWidget(use, line + 1, 1, 1, 2);
        grid->addWidget(row.state, line + 2, 1);
        grid->addWidget(row.choose, line + 2, 2);
        line += 3;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(line, 1);
}

void PicturePanel::showFiles(const std::vector<QString>& files) {
    for (std::size_t i = 0; i < rows_.size() && i < files.size(); ++i) {
        Row& row = rows_[i];
        QImageReader reader(files[i]);
        const QSize size = reader.size();
        if (!QFileInfo::exists(files[i])) {
            row.state->setText(QStringLiteral("none in the media folder"));
            row.view->clear();
            continue;
        }
        reader.setScaledSize(size.scaled(ViewSize, Qt::KeepAspectRatio));
        const QImage view = reader.read();
        if (view.isNull()) {
            row.state->setText(QStringLiteral("there, but not readable as a picture"));
            row.view->clear();
            continue;
        }
        row.state->setText(QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height()));
        row.view->setPixmap(QPixmap::fromImage(view));
    }
}

} // namespace quorix::author
