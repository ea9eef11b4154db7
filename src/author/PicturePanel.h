#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;

namespace quorix::author {

// The disc's pictures, one row each: what the media folder holds now, with a small view of it,
// and a button to choose another picture for it.
class PicturePanel : public QWidget {
    Q_OBJECT

public:
    explicit PicturePanel(QWidget* parent = nullptr);

    // Shows the pictures at these host paths (one for each of DiscPictures(), in that order).
    void showFiles(const std::vector<QString>& files);

    QPushButton* chooseButton(std::size_t picture) const { return rows_[picture].choose; }
    QLabel* stateLabel(std::size_t picture) const { return rows_[picture].state; }

signals:
    // The author wants to choose the picture at this index of DiscPictures().
    void chooseRequested(std::size_t picture);

private:
    struct Row {
        QLabel* view = nullptr;
        QLabel* state = nullptr;
        QPushButton* choose = nullptr;
    };
    std::vector<Row> rows_;
};

} // namespace quorix::author
