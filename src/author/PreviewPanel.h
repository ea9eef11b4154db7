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

    // The screen as drawn; a note, when there is one, says over it what the viewer sees instead.
    void showPicture(const QImage& picture, const QString& note = {});
    QString note() const { return note_; }
    void showProblems(const QStringList& problems);

    QComboBox* sizeBox() const { return size_; }
    QListWidget* problemList() const { return problems_; }
    QLabel* pictureLabel() const { return picture_; }
    QLabel* legend() const { return legend_; }

signals:
    void optionsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitPicture();
    void showLegend();

    QComboBox* size_ = nullptr;
    QCheckBox* aspect_ = nullptr;
    QCheckBox* overscan_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* legend_ = nullptr;
    QListWidget* problems_ = nullptr;
    QImage shown_;
    QString note_;
};

} // namespace quorix::author
