#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace quorix::author {

// The preview's controls: the screen size, the guides, the drawn menu scaled to fit and the
// problems beside it.
class PreviewPanel : public QWidget {
    Q_OBJECT

public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    QSize screenSize() const;
    bool aspectGuides() const;
    bool overscanGuide() const;

    void showPicture(const QImage& picture);
    void showProblems(const QStringList& problems);

    QComboBox* sizeBox() const { return size_; }
    QListWidget* problemList() const { return problems_; }
    QLabel* pictureLabel() const { return picture_; }

signals:
    void optionsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitPicture();

    QComboBox* size_ = nullptr;
    QCheckBox* aspect_ = nullptr;
    QCheckBox* overscan_ = nullptr;
    QLabel* picture_ = nullptr;
    QListWidget* problems_ = nullptr;
    QImage shown_;
};

} // namespace quorix::author
