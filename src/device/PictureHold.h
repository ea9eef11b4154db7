#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>

namespace quorix::device {

// Keeps a closed clip's last picture on the screen until the next clip's first picture replaces
// it, so that one clip follows another without a black picture or the backdrop between them.
//
// The picture lies on a cover of its own over the window that showed the clip, not in that window:
// the presenter hides the window while it closes a clip, and anything inside it would go too. The
// cover is a native window where the clip was drawn into one (a native window lies above every
// picture its parent paints), and lies above the window's siblings. It goes when the next clip's
// picture is on the screen, when the next open fails, and when the presenter has closed a clip
// for anything but another one (the menu, the logo, the end).
class PictureHold final : public QObject {
public:
    // nextClip says whether the presenter is about to open a clip; asked once it has done what
    // follows a close.
    PictureHold(bool nativeCover, std::function<bool()> nextClip);
    ~PictureHold() override;
    PictureHold(const PictureHold&) = delete;
    PictureHold& operator=(const PictureHold&) = delete;

    // A clip's picture is shown on surface, a child of host; picture() gives the one shown.
    // When host is hidden while the surface is placed in it, that picture is held.
    void follow(QWidget& host, QWidget& surface, std::function<QImage()> picture);
    // The clip shown on surface closes: when it is the one followed, its picture is held if it
    // is not yet, and it is no longer followed. Unless a clip is to open next, the held picture
    // goes as soon as events are handled again.
    void closing(const QWidget* surface);
    // The next clip's picture is on its way: the held one goes once shown() says it is on the
    // screen, or after a while at the most.
    void releaseWhen(std::function<bool()> shown);
    // Takes the held picture away now (black for as long as the cover still shows), and shows
    // what it covered.
    void release();
    bool holding() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows picture stretched over destination (in host's coordinates), clipped by host, in
    // host's place. Nothing is held for a null picture or a host without a parent.
    void hold(QWidget& host, const QRect& destination, const QImage& picture);
    // Holds the followed clip's picture when its surface is placed in its host.
    void holdFollowed();
    void stopFollowing();
    void poll();
    // Hides the cover and paints what it lay over; blankFirst makes it black before it goes.
    void takeAway(bool blankFirst);

    bool nativeCover_;
    std::function<bool()> nextClip_;
    // The clip followed: its host, surface and picture.
    QPointer<QWidget> followedHost_;
    QPointer<QWidget> followedSurface_;
    std::function<QImage()> picture_;
    bool followedHeld_ = false;
    QPointer<QWidget> cover_;
    std::function<bool()> shown_;
    QTimer poll_;
    QTimer afterClose_;
    std::chrono::steady_clock::time_point giveUp_;
};

} // namespace quorix::device
